// Numbers of the program's resources: dialog templates, controls, icons,
// menu commands and strings. The dialog code reaches every control by these.
#pragma once

#include "ui/window/command_ids.h"

namespace vf::res {

// The window system's ids the program's templates use.
using ui::IDC_STATIC;
using ui::IDOK;

// Dialog templates.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_SEARCH_DIALOG = 102;
inline constexpr int IDD_ASSIGN_DIALOG = 103;

// Icons.
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDI_TIPS = 133;

// System-menu commands of the About and the "Assign addresses..." items; the
// low four bits are the window system's own, so a handler compares with them
// cleared.
inline constexpr int IDM_ABOUTBOX = 16;
inline constexpr int IDM_ASSIGN = 48;

// Strings.
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDS_TIPS = 105;
inline constexpr int IDS_ASK = 106;
inline constexpr int IDS_INIT_FAILED = 107;
inline constexpr int IDS_SELECT_DEVICE = 108;
inline constexpr int IDS_CONFIRM_UPDATE = 109;
inline constexpr int IDS_WRONG_IP = 110;
inline constexpr int IDS_WRONG_MASK = 111;
inline constexpr int IDS_WRONG_GATEWAY = 112;
inline constexpr int IDS_SAME_AS_LOCAL_IP = 113;
inline constexpr int IDS_UPDATE_OK = 116;
inline constexpr int IDS_WRONG_ACCOUNT = 117;
inline constexpr int IDS_DEVICE_RESTARTING = 118;
// Texts of the window alone; "%1" stands for a value put in when shown.
inline constexpr int IDS_NO_BROWSER = 119;
inline constexpr int IDS_ASSIGN = 120;

// Main dialog controls.
inline constexpr int IDC_DEVICE_COUNT = 1005;
inline constexpr int IDC_DEVICE_LIST = 1006;
inline constexpr int IDC_RESTART_PROGRESS = 1007;
inline constexpr int IDC_RESTART_TEXT = 1008;
inline constexpr int IDC_SET_ROUTER = 1009;
inline constexpr int IDC_FACTORY_DEFAULTS = 1010;
inline constexpr int IDC_SEARCH = 1011;
inline constexpr int IDC_BROWSE = 1012;
inline constexpr int IDC_DEV_IP = 1013;
inline constexpr int IDC_DEV_MASK = 1014;
inline constexpr int IDC_DEV_GATEWAY = 1015;
inline constexpr int IDC_FIRMWARE_SYS_VER = 1016;
inline constexpr int IDC_FIRMWARE_APP_VER = 1017;
inline constexpr int IDC_DEV_DNS1 = 1018;
inline constexpr int IDC_DHCP = 1019;
inline constexpr int IDC_DEV_DNS2 = 1020;
inline constexpr int IDC_UPDATE = 1021;
inline constexpr int IDC_DEVICE_NAME = 1022;
inline constexpr int IDC_ACCOUNT = 1023;
inline constexpr int IDC_PASSWORD = 1024;
inline constexpr int IDC_HTTP_PORT = 1026;
inline constexpr int IDC_HTTP_PORT_SPIN = 1027;
inline constexpr int IDC_CLOSE = 1028;
inline constexpr int IDC_LOCAL_IP = 1029;
inline constexpr int IDC_LOCAL_MASK = 1030;
inline constexpr int IDC_LOCAL_GATEWAY = 1031;
inline constexpr int IDC_LOCAL_DNS1 = 1032;
inline constexpr int IDC_LOCAL_DNS2 = 1033;
inline constexpr int IDC_ADAPTER = 1034;
inline constexpr int IDC_SET_DDNS = 1048;
inline constexpr int IDC_DDNS_USER = 1068;
inline constexpr int IDC_DDNS_PASSWORD = 1069;
inline constexpr int IDC_DDNS_NAME = 1070;
inline constexpr int IDC_PLATFORM_DOMAIN = 1072;
inline constexpr int IDC_LOSS_MARK = 1073;
inline constexpr int IDC_DEVICE_CONCERN = 1074;

// Commands of the device list's context menu.
inline constexpr int IDM_COPY_ROW = 32771;
inline constexpr int IDM_COPY_IP = 32772;
inline constexpr int IDM_COPY_MAC = 32773;
inline constexpr int IDM_OPEN_PAGE = 32774;
inline constexpr int IDM_EXPORT_LIST = 32775;
inline constexpr int IDM_ASSIGN_LISTED = 32776;

// "Assign addresses" dialog controls.
inline constexpr int IDC_ASSIGN_LIST = 1101;
inline constexpr int IDC_ASSIGN_DHCP = 1102;
inline constexpr int IDC_ASSIGN_FIRST = 1103;
inline constexpr int IDC_ASSIGN_MASK = 1104;
inline constexpr int IDC_ASSIGN_GATEWAY = 1105;
inline constexpr int IDC_ASSIGN_DNS1 = 1106;
inline constexpr int IDC_ASSIGN_DNS2 = 1107;
inline constexpr int IDC_ASSIGN_PLAN = 1108;
inline constexpr int IDC_ASSIGN_ACCOUNT = 1109;
inline constexpr int IDC_ASSIGN_PASSWORD = 1110;
inline constexpr int IDC_ASSIGN_IMPORT = 1111;
inline constexpr int IDC_ASSIGN_EXPORT = 1112;
inline constexpr int IDC_ASSIGN_STATUS = 1113;
inline constexpr int IDC_ASSIGN_PROGRESS = 1114;
inline constexpr int IDC_ASSIGN_APPLY = 1115;
inline constexpr int IDC_ASSIGN_CANCEL = 1116;
inline constexpr int IDC_ASSIGN_CLOSE = 1117;

}  // namespace vf::res

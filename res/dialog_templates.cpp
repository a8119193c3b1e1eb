// Dialog templates 102 (the main window), 100 (the About box) and 103 ("Assign
// addresses").
#include "res/dialog_templates.h"

#include <array>

#include "core/text_marker.h"
#include "res/resource_ids.h"

namespace vf::res {
namespace {

using namespace vf::ui;
using C = ControlClass;

// Ordered as the tab order runs; a label comes just before the control it
// names, so its mnemonic can move the focus there.
constexpr auto kSearchControls = std::to_array<DialogItem>({
    {IDC_STATIC, "", C::kGroupBox, kStyleDisabled, VF_TEXT("Local PC information:"), 3, 4, 174,
     102},
    {IDC_STATIC, "", C::kStatic, kStyleRightAlign | kStyleDisabled, VF_TEXT("Network adapter:"), 9,
     18, 58, 8},
    {IDC_ADAPTER, "IDC_ADAPTER", C::kDropDownList, kStyleVScroll | kStyleTransparent, "", 74, 16,
     100, 110},
    {IDC_STATIC, "", C::kStatic, kStyleRightAlign | kStyleDisabled, VF_TEXT("IP address:"), 22, 35,
     45, 8},
    {IDC_LOCAL_IP, "IDC_LOCAL_IP", C::kEdit, kStyleReadOnly, "", 74, 34, 100, 12},
    {IDC_STATIC, "", C::kStatic, kStyleRightAlign | kStyleDisabled, VF_TEXT("Subnet mask:"), 18, 48,
     49, 8},
    {IDC_LOCAL_MASK, "IDC_LOCAL_MASK", C::kEdit, kStyleReadOnly, "", 74, 47, 100, 12},
    {IDC_STATIC, "", C::kStatic, kStyleRightAlign | kStyleDisabled, VF_TEXT("Gateway:"), 34, 61, 33,
     8},
    {IDC_LOCAL_GATEWAY, "IDC_LOCAL_GATEWAY", C::kEdit, kStyleReadOnly, "", 74, 60, 100, 12},
    {IDC_STATIC, "", C::kStatic, kStyleRightAlign | kStyleDisabled, VF_TEXT("DNS1:"), 42, 79, 25,
     8},
    {IDC_LOCAL_DNS1, "IDC_LOCAL_DNS1", C::kEdit, kStyleReadOnly, "", 74, 77, 100, 12},
    {IDC_STATIC, "", C::kStatic, kStyleRightAlign | kStyleDisabled, VF_TEXT("DNS2:"), 42, 92, 25,
     8},
    {IDC_LOCAL_DNS2, "IDC_LOCAL_DNS2", C::kEdit, kStyleReadOnly, "", 74, 90, 100, 12},
    {IDC_STATIC, "", C::kGroupBox, kStyleNone, VF_TEXT("Device list:"), 3, 111, 174, 183,
     kStretchRight | kStretchDown},
    {IDC_DEVICE_COUNT, "IDC_DEVICE_COUNT", C::kStatic,
     kStyleRightAlign | kStyleDisabled | kStyleTransparent, VF_TEXT("0 pcs"), 108, 111, 56, 8,
     kMoveWithRight},
    // Shown beside the count when the kernel dropped answers during the search.
    {IDC_LOSS_MARK, "IDC_LOSS_MARK", C::kIcon, kStyleHidden, "", 166, 110, 10, 10, kMoveWithRight,
     kSystemWarningIcon},
    {IDC_DEVICE_LIST, "IDC_DEVICE_LIST", C::kListView,
     kStyleSingleSel | kStyleShowSelAlways | kStyleStaticEdge, "", 19, 124, 154, 168,
     kStretchRight | kStretchDown},
    {IDC_STATIC, "", C::kGroupBox, kStyleNone, VF_TEXT("Device information:"), 182, 4, 189, 217,
     kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleRightAlign, VF_TEXT("Device name:"), 186, 14, 62, 8,
     kMoveWithRight},
    {IDC_DEVICE_NAME, "IDC_DEVICE_NAME", C::kEdit, kStyleReadOnly | kStyleDisabled, "", 257, 13, 91,
     12, kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleRightAlign, VF_TEXT("FirmwareSys-Ver:"), 186, 26, 62, 8,
     kMoveWithRight},
    {IDC_FIRMWARE_SYS_VER, "IDC_FIRMWARE_SYS_VER", C::kEdit, kStyleReadOnly | kStyleDisabled, "",
     257, 26, 91, 12, kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleRightAlign, VF_TEXT("FirmwareApp-Ver:"), 186, 38, 62, 8,
     kMoveWithRight},
    {IDC_FIRMWARE_APP_VER, "IDC_FIRMWARE_APP_VER", C::kEdit, kStyleReadOnly | kStyleDisabled, "",
     257, 38, 91, 12, kMoveWithRight},
    {IDC_STATIC, "", C::kGroupBox, kStyleDisabled, VF_TEXT("IP config.:"), 190, 52, 175, 97,
     kMoveWithRight},
    {IDC_DHCP, "IDC_DHCP", C::kCheckBox, kStyleTransparent, VF_TEXT("Set IP automatically"), 288,
     52, 75, 10, kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("IP address(&I):"), 193, 66, 59, 8,
     kMoveWithRight},
    {IDC_DEV_IP, "IDC_DEV_IP", C::kIpAddress, kStyleNone, "", 256, 64, 100, 12, kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("Subnet mask(&U):"), 193, 80, 61, 8,
     kMoveWithRight},
    {IDC_DEV_MASK, "IDC_DEV_MASK", C::kIpAddress, kStyleNone, "", 256, 77, 100, 12, kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("Gateway(&G):"), 193, 93, 45, 8,
     kMoveWithRight},
    {IDC_DEV_GATEWAY, "IDC_DEV_GATEWAY", C::kIpAddress, kStyleNone, "", 256, 91, 100, 12,
     kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("DNS1(&D):"), 193, 109, 33, 8, kMoveWithRight},
    {IDC_DEV_DNS1, "IDC_DEV_DNS1", C::kIpAddress, kStyleNone, "", 256, 107, 100, 12,
     kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("DNS2(&N):"), 193, 123, 33, 8, kMoveWithRight},
    {IDC_DEV_DNS2, "IDC_DEV_DNS2", C::kIpAddress, kStyleNone, "", 256, 120, 100, 12,
     kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("Http port(&P):"), 193, 135, 53, 8,
     kMoveWithRight},
    {IDC_HTTP_PORT, "IDC_HTTP_PORT", C::kEdit, kStyleDigitsOnly, "", 256, 133, 43, 12,
     kMoveWithRight},
    {IDC_HTTP_PORT_SPIN, "IDC_HTTP_PORT_SPIN", C::kUpDown, kStyleAlignRight | kStyleArrowKeys, "",
     289, 133, 11, 12, kMoveWithRight},
    {IDC_STATIC, "", C::kGroupBox, kStyleDisabled, VF_TEXT("Authentication:"), 190, 156, 175, 41,
     kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("Viewing Account:"), 194, 167, 79, 8,
     kMoveWithRight},
    {IDC_ACCOUNT, "IDC_ACCOUNT", C::kEdit, kStyleNone, "", 277, 165, 79, 12, kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("Viewing Password:"), 194, 182, 82, 8,
     kMoveWithRight},
    {IDC_PASSWORD, "IDC_PASSWORD", C::kEdit, kStylePassword, "", 277, 180, 79, 12, kMoveWithRight},
    {IDC_FACTORY_DEFAULTS, "IDC_FACTORY_DEFAULTS", C::kPushButton, kStyleHidden | kStyleDisabled,
     VF_TEXT("Default factory settings"), 190, 199, 100, 12, kMoveWithRight},
    {IDC_UPDATE, "IDC_UPDATE", C::kPushButton, kStyleNone, VF_TEXT("Update(F5)"), 311, 199, 50, 12,
     kMoveWithRight},
    {IDC_RESTART_TEXT, "IDC_RESTART_TEXT", C::kStatic, kStyleTransparent | kStyleHidden,
     VF_TEXT("Device restarting..."), 191, 211, 81, 8, kMoveWithRight},
    {IDC_RESTART_PROGRESS, "IDC_RESTART_PROGRESS", C::kProgressBar,
     kStyleBorder | kStyleTransparent | kStyleHidden, "", 276, 212, 87, 7, kMoveWithRight},
    {IDC_STATIC, "", C::kIcon, kStyleNone, "", 181, 226, 20, 20, kMoveWithRight, IDI_TIPS},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("Tips:"), 203, 235, 21, 8, kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("1> This tool is only used within LAN,"), 196,
     249, 157, 8, kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("pc and device is within the same subnet."),
     208, 259, 149, 8, kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleNone,
     VF_TEXT("2> Only the legit user can update  device informations."), 196, 273, 178, 8,
     kMoveWithRight},
    // Why the selected device is marked in the list, if it is.
    {IDC_DEVICE_CONCERN, "IDC_DEVICE_CONCERN", C::kStatic, kStyleNoPrefix | kStyleWordWrap, "", 182,
     283, 126, 32, kMoveWithRight},
    {IDC_STATIC, "", C::kGroupBox, kStyleDisabled | kStyleHidden, VF_TEXT("DDNS:"), 186, 226, 185,
     84, kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleHidden, VF_TEXT("DDNS:"), 192, 238, 58, 8, kMoveWithRight},
    {IDC_DDNS_NAME, "IDC_DDNS_NAME", C::kEdit, kStyleHidden, "", 254, 236, 100, 12, kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleHidden, VF_TEXT("DDNS Username:"), 192, 252, 58, 8,
     kMoveWithRight},
    {IDC_DDNS_USER, "IDC_DDNS_USER", C::kEdit, kStyleHidden, "", 254, 250, 100, 12, kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleHidden, VF_TEXT("DDNS Password:"), 192, 266, 58, 8,
     kMoveWithRight},
    {IDC_DDNS_PASSWORD, "IDC_DDNS_PASSWORD", C::kEdit, kStyleHidden, "", 254, 264, 100, 12,
     kMoveWithRight},
    {IDC_STATIC, "", C::kStatic, kStyleHidden | kStyleDisabled, VF_TEXT("Platf.Domain:"), 192, 280,
     58, 8, kMoveWithRight},
    {IDC_PLATFORM_DOMAIN, "IDC_PLATFORM_DOMAIN", C::kEdit, kStyleHidden | kStyleDisabled, "", 254,
     278, 100, 12, kMoveWithRight},
    {IDC_SET_DDNS, "IDC_SET_DDNS", C::kPushButton, kStyleHidden, VF_TEXT("SetDDNS"), 304, 294, 50,
     12, kMoveWithRight},
    {IDC_SET_ROUTER, "IDC_SET_ROUTER", C::kPushButton, kStyleHidden | kStyleDisabled,
     VF_TEXT("Set the router"), 5, 297, 62, 12, kMoveWithBottom},
    {IDC_SEARCH, "IDC_SEARCH", C::kPushButton, kStyleNone, VF_TEXT("Search(F3)"), 73, 297, 50, 12,
     kMoveWithBottom},
    {IDC_BROWSE, "IDC_BROWSE", C::kPushButton, kStyleNone, VF_TEXT("Browse(F4)"), 124, 297, 50, 12,
     kMoveWithBottom},
    {IDC_CLOSE, "IDC_CLOSE", C::kPushButton, kStyleNone, VF_TEXT("Close"), 311, 297, 50, 12,
     kMoveWithRight | kMoveWithBottom},
});

// The DDNS group (from "DDNS:" to IDC_SET_DDNS) is never shown; it sits over
// the tips under the detail panel.

constexpr auto kAboutControls = std::to_array<DialogItem>({
    {IDC_STATIC, "", C::kIcon, kStyleNone, "", 11, 17, 20, 20, kAnchorTopLeft, IDR_MAINFRAME},
    {IDC_STATIC, "", C::kStatic, kStyleNoPrefix, "Zozizo D2.0", 40, 10, 119, 8},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("All rights reserved."), 40, 25, 119, 8},
    {IDOK, "IDOK", C::kDefPushButton, kStyleNone, VF_TEXT("Ok"), 178, 7, 50, 14},
});

// The cameras of the list with the plan for each, the plan's settings, the
// account, and the buttons that make, read, write and send it.
constexpr auto kAssignControls = std::to_array<DialogItem>({
    {IDC_ASSIGN_LIST, "IDC_ASSIGN_LIST", C::kListView,
     kStyleSingleSel | kStyleShowSelAlways | kStyleNoSortHeader | kStyleStaticEdge, "", 7, 7, 466,
     150},
    {IDC_STATIC, "", C::kGroupBox, kStyleNone, VF_TEXT("Plan:"), 7, 162, 300, 74},
    {IDC_ASSIGN_DHCP, "IDC_ASSIGN_DHCP", C::kCheckBox, kStyleNone,
     VF_TEXT("Set IP automatically (DHCP) instead"), 14, 173, 200, 10},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("First IP address(&F):"), 14, 189, 62, 8},
    {IDC_ASSIGN_FIRST, "IDC_ASSIGN_FIRST", C::kIpAddress, kStyleNone, "", 80, 187, 90, 12},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("Subnet mask(&U):"), 14, 204, 62, 8},
    {IDC_ASSIGN_MASK, "IDC_ASSIGN_MASK", C::kIpAddress, kStyleNone, "", 80, 202, 90, 12},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("Gateway(&G):"), 14, 219, 62, 8},
    {IDC_ASSIGN_GATEWAY, "IDC_ASSIGN_GATEWAY", C::kIpAddress, kStyleNone, "", 80, 217, 90, 12},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("DNS1(&D):"), 178, 189, 33, 8},
    {IDC_ASSIGN_DNS1, "IDC_ASSIGN_DNS1", C::kIpAddress, kStyleNone, "", 212, 187, 90, 12},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("DNS2(&N):"), 178, 204, 33, 8},
    {IDC_ASSIGN_DNS2, "IDC_ASSIGN_DNS2", C::kIpAddress, kStyleNone, "", 212, 202, 90, 12},
    {IDC_ASSIGN_PLAN, "IDC_ASSIGN_PLAN", C::kDefPushButton, kStyleNone, VF_TEXT("Make plan"), 212,
     216, 90, 14},
    {IDC_STATIC, "", C::kGroupBox, kStyleNone, VF_TEXT("Authentication:"), 312, 162, 161, 46},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("Viewing Account:"), 318, 175, 62, 8},
    {IDC_ASSIGN_ACCOUNT, "IDC_ASSIGN_ACCOUNT", C::kEdit, kStyleNone, "", 384, 173, 84, 12},
    {IDC_STATIC, "", C::kStatic, kStyleNone, VF_TEXT("Viewing Password:"), 318, 191, 64, 8},
    {IDC_ASSIGN_PASSWORD, "IDC_ASSIGN_PASSWORD", C::kEdit, kStylePassword, "", 384, 189, 84, 12},
    {IDC_ASSIGN_IMPORT, "IDC_ASSIGN_IMPORT", C::kPushButton, kStyleNone, VF_TEXT("Import plan..."),
     312, 216, 78, 14},
    {IDC_ASSIGN_EXPORT, "IDC_ASSIGN_EXPORT", C::kPushButton, kStyleNone, VF_TEXT("Export plan..."),
     395, 216, 78, 14},
    {IDC_ASSIGN_STATUS, "IDC_ASSIGN_STATUS", C::kStatic, kStyleNoPrefix | kStyleWordWrap, "", 7,
     241, 466, 17},
    {IDC_ASSIGN_PROGRESS, "IDC_ASSIGN_PROGRESS", C::kProgressBar, kStyleBorder | kStyleHidden, "",
     7, 265, 290, 10},
    {IDC_ASSIGN_APPLY, "IDC_ASSIGN_APPLY", C::kPushButton, kStyleNone, VF_TEXT("Apply"), 313, 263,
     50, 14},
    {IDC_ASSIGN_CANCEL, "IDC_ASSIGN_CANCEL", C::kPushButton, kStyleDisabled, VF_TEXT("Cancel"), 368,
     263, 50, 14},
    {IDC_ASSIGN_CLOSE, "IDC_ASSIGN_CLOSE", C::kPushButton, kStyleNone, VF_TEXT("Close"), 423, 263,
     50, 14},
});

constexpr DialogTemplate kSearchDialog{IDD_SEARCH_DIALOG,
                                       VF_TEXT("Search and configuration tool for Quorin series"),
                                       "Arial",
                                       8,
                                       true,
                                       376,
                                       316,
                                       kSearchControls,
                                       true,
                                       true};

constexpr DialogTemplate kAboutDialog{
    IDD_ABOUTBOX, VF_TEXT("About Vellafind"), "Arial", 8, false, 235, 55, kAboutControls};

constexpr DialogTemplate kAssignDialog{
    IDD_ASSIGN_DIALOG, VF_TEXT("Assign addresses"), "Arial", 8, false, 480, 284, kAssignControls};

}  // namespace

const ui::DialogTemplate &SearchDialogTemplate() {
  return kSearchDialog;
}
const ui::DialogTemplate &AboutDialogTemplate() {
  return kAboutDialog;
}

const ui::DialogTemplate &AssignDialogTemplate() {
  return kAssignDialog;
}

const ui::DialogTemplate *FindDialogTemplate(int id) {
  if (id == IDD_SEARCH_DIALOG) return &kSearchDialog;
  if (id == IDD_ABOUTBOX) return &kAboutDialog;
  if (id == IDD_ASSIGN_DIALOG) return &kAssignDialog;
  return nullptr;
}

}  // namespace vf::res

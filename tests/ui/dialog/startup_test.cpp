// The window as it opens: title, system menu, list columns, locked detail
// panel, adapter panel and the engine start with its fallback and failure.
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "fake_adapters.h"
#include "message_box_recorder.h"
#include "private_lan.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/dialog/window_title.h"
#include "ui/window/controls.h"
#include "window_driver.h"

namespace {

using namespace vf::res;
using vf::testing::FakeAdapters;
using vf::testing::MakeAdapter;

using vf::testing::PortHolder;

TEST(SearchDialogStartup, OpensWithTitleColumnsAndALockedPanel) {
  g_windowTitle = "Zelmor Serial Intranet search and settings(V1.0.0.1)";
  FakeAdapters adapters;
  vf::ui::MessageBoxRecorder boxes;
  CSearchDlg dialog(adapters);
  ASSERT_TRUE(dialog.Create());
  vf::ui::DialogWindow &controls = vf::testing::Window(dialog);

  EXPECT_EQ(controls.Title(), g_windowTitle);
  EXPECT_TRUE(vf::testing::HasIcon(controls));
  EXPECT_TRUE(vf::testing::EngineStarted(dialog));
  EXPECT_NE(vf::testing::Session(dialog), nullptr);
  EXPECT_EQ(boxes.Count(), 0);

  // The About item closes the system menu, after a separator.
  const auto items = vf::testing::SystemMenuItems(controls);
  ASSERT_GE(items.size(), 2u);
  EXPECT_EQ(items[items.size() - 2].commandId, 0) << "a separator";
  EXPECT_EQ(items.back().commandId, IDM_ABOUTBOX);
  EXPECT_EQ(items.back().text, "About Vellafind(&A)...");

  vf::ui::ListView &list = *controls.Find<vf::ui::ListView>(IDC_DEVICE_LIST);
  // The three columns of old, then the record's address, port, model and firmware.
  const char *headings[] = {"No.",   "DeviceName",      "MAC", "IP address", "HTTP port",
                            "Model", "Firmware version"};
  const int widths[] = {58, 80, 115, 95, 65, 90, 110};
  ASSERT_EQ(list.ColumnCount(), 7);
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(list.ColumnHeading(c), headings[c]);
    EXPECT_EQ(list.ColumnWidth(c), widths[c]);
  }
  EXPECT_TRUE(list.IsFullRowSelect());
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(controls.Item(IDC_DEVICE_COUNT).Text(), "0 pcs");

  EXPECT_EQ(controls.Item(IDC_HTTP_PORT).Text(), "80");
  vf::ui::UpDown &spin = *controls.Find<vf::ui::UpDown>(IDC_HTTP_PORT_SPIN);
  EXPECT_EQ(spin.Buddy(), &controls.Item(IDC_HTTP_PORT));
  EXPECT_EQ(spin.Range(), std::make_pair(1, 65535));
  EXPECT_EQ(spin.Pos(), 1);

  // Locked: edits are read-only but enabled, everything else disabled.
  EXPECT_EQ(vf::testing::DeviceSelected(dialog), 0);
  for (int id : {IDC_HTTP_PORT, IDC_ACCOUNT, IDC_PASSWORD, IDC_DDNS_NAME}) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(controls.Item(id).IsEnabled());
    EXPECT_TRUE(controls.Find<vf::ui::Edit>(id)->IsReadOnly());
  }
  for (int id : {IDC_DHCP, IDC_DEV_IP, IDC_DEV_MASK, IDC_DEV_GATEWAY, IDC_DEV_DNS1, IDC_DEV_DNS2,
                 IDC_HTTP_PORT_SPIN, IDC_UPDATE, IDC_BROWSE, IDC_SET_DDNS}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(controls.Item(id).IsEnabled());
  }
  EXPECT_TRUE(controls.Item(IDC_SEARCH).IsEnabled());
  EXPECT_TRUE(controls.Item(IDC_CLOSE).IsEnabled());
  EXPECT_FALSE(controls.Item(IDC_RESTART_PROGRESS).IsVisible());
  EXPECT_FALSE(controls.Item(IDC_RESTART_TEXT).IsVisible());
  EXPECT_FALSE(controls.IsTimerActive(CSearchDlg::TIMER_COLLECT));
}

TEST(SearchDialogStartup, AboutCommandsOpenTheAboutBox) {
  FakeAdapters adapters;
  CSearchDlg dialog(adapters);
  ASSERT_TRUE(dialog.Create());
  for (unsigned id : {16u, 31u}) {
    bool handled = false;
    EXPECT_EQ(vf::testing::CaptionOfModalOpenedBy([&] { handled = dialog.OnSysCommand(id); }),
              "About Vellafind")
        << id;
    EXPECT_TRUE(handled);
  }
  // The window system's own commands are left to it.
  EXPECT_EQ(vf::testing::CaptionOfModalOpenedBy([&] { EXPECT_FALSE(dialog.OnSysCommand(32)); }), "");
}

TEST(SearchDialogAdapters, DefaultAdapterIsTheFirstConfiguredOne) {
  FakeAdapters adapters;
  adapters.adapters = std::vector<vf::platform::Adapter>{
      MakeAdapter("lo-like", 1, {{"0.0.0.0", "0.0.0.0"}}),
      MakeAdapter("host", 2, {{"10.0.0.5", "255.255.255.255"}}),
      MakeAdapter("eth0", 3, {{"192.168.1.10", "255.255.255.0"}, {"192.168.2.10", "255.255.255.0"}},
                  {"192.168.1.1", "192.168.2.1"}),
      MakeAdapter("eth1", 4, {{"172.16.0.2", "255.255.0.0"}}, {"172.16.0.1"}),
  };
  adapters.dns[3] = {"1.1.1.1", "9.9.9.9", "8.8.8.8"};
  adapters.dns[4] = {"172.16.0.53"};
  CSearchDlg dialog(adapters);
  ASSERT_TRUE(dialog.Create());
  vf::ui::DialogWindow &controls = vf::testing::Window(dialog);

  vf::ui::ComboBox &combo = *controls.Find<vf::ui::ComboBox>(IDC_ADAPTER);
  ASSERT_EQ(combo.Count(), 4);
  EXPECT_EQ(combo.ItemText(0), "lo-like");
  EXPECT_EQ(combo.CurSel(), 2);
  EXPECT_EQ(controls.Item(IDC_LOCAL_IP).Text(), "192.168.1.10\r\n192.168.2.10");
  EXPECT_EQ(controls.Item(IDC_LOCAL_MASK).Text(), "255.255.255.0");
  EXPECT_EQ(controls.Item(IDC_LOCAL_GATEWAY).Text(), "192.168.1.1");
  EXPECT_EQ(controls.Item(IDC_LOCAL_DNS1).Text(), "1.1.1.1");
  EXPECT_EQ(controls.Item(IDC_LOCAL_DNS2).Text(), "9.9.9.9");

  // Every adapter with an IPv4 address gives its first one to search from;
  // the unconfigured one is listed but has nothing to search from. No camera
  // may take any address of the PC, the second ones included.
  EXPECT_EQ(vf::testing::Lan(dialog).SearchAddresses(),
            (std::vector<std::string>{"10.0.0.5", "192.168.1.10", "172.16.0.2"}));
  EXPECT_EQ(vf::testing::LocalAddresses(dialog),
            (std::vector<std::string>{"10.0.0.5", "192.168.1.10", "192.168.2.10", "172.16.0.2"}));

  // Choosing another adapter changes the five fields only.
  combo.SetCurSel(3);
  dialog.OnAdapterSelChange();
  EXPECT_EQ(controls.Item(IDC_LOCAL_IP).Text(), "172.16.0.2");
  EXPECT_EQ(controls.Item(IDC_LOCAL_GATEWAY).Text(), "172.16.0.1");
  EXPECT_EQ(controls.Item(IDC_LOCAL_DNS1).Text(), "172.16.0.53");
  EXPECT_EQ(controls.Item(IDC_LOCAL_DNS2).Text(), "");
  combo.SetCurSel(0);
  dialog.OnAdapterSelChange();
  EXPECT_EQ(controls.Item(IDC_LOCAL_IP).Text(), "0.0.0.0");
  EXPECT_EQ(controls.Item(IDC_LOCAL_DNS1).Text(), "");
  EXPECT_EQ(vf::testing::LocalAddresses(dialog).size(), 4u);
}

TEST(SearchDialogAdapters, UnreadableAdapterListLeavesThePanelEmpty) {
  FakeAdapters adapters;
  adapters.adapters = std::nullopt;
  CSearchDlg dialog(adapters);
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(vf::testing::Window(dialog).Find<vf::ui::ComboBox>(IDC_ADAPTER)->Count(), 0);
  EXPECT_EQ(vf::testing::Window(dialog).Item(IDC_LOCAL_IP).Text(), "");
  EXPECT_TRUE(vf::testing::LocalAddresses(dialog).empty());
}

TEST(SearchDialogEngine, FallsBackToTheSecondPortSilently) {
  PortHolder first(8002);
  ASSERT_TRUE(first.held());
  FakeAdapters adapters;
  vf::ui::MessageBoxRecorder boxes;
  CSearchDlg dialog(adapters);
  ASSERT_TRUE(dialog.Create());
  EXPECT_TRUE(vf::testing::EngineStarted(dialog));
  EXPECT_NE(vf::testing::Session(dialog), nullptr);
  EXPECT_EQ(boxes.Count(), 0);
}

TEST(SearchDialogEngine, BothPortsTakenShowsOneMessageAndSearchStillCompletes) {
  PortHolder first(8002);
  PortHolder second(12109);
  ASSERT_TRUE(first.held());
  ASSERT_TRUE(second.held());
  FakeAdapters adapters;
  vf::ui::MessageBoxRecorder boxes;
  CSearchDlg dialog(adapters);
  ASSERT_TRUE(dialog.Create());
  EXPECT_FALSE(vf::testing::EngineStarted(dialog));
  EXPECT_EQ(vf::testing::Session(dialog), nullptr);
  ASSERT_EQ(boxes.Count(), 1);
  const vf::ui::MessageBoxRequest request = boxes.Requests().front();
  EXPECT_EQ(request.text, "Failed to initialize.");
  EXPECT_EQ(request.caption, "Tips");
  EXPECT_EQ(request.type, vf::ui::MB_ICONINFORMATION | vf::ui::MB_OK);
  EXPECT_EQ(request.owner, &vf::testing::Window(dialog));

  dialog.OnSearch();
  EXPECT_FALSE(dialog.IsControlEnabled(IDC_SEARCH));
  ASSERT_TRUE(vf::testing::FireTimer(dialog, CSearchDlg::TIMER_COLLECT));
  EXPECT_EQ(vf::testing::Window(dialog).Item(IDC_DEVICE_COUNT).Text(), "0 pcs");
  EXPECT_TRUE(dialog.IsControlEnabled(IDC_SEARCH));
  EXPECT_EQ(dialog.StopEngine(), -1);
  EXPECT_EQ(boxes.Count(), 1);
}

}  // namespace

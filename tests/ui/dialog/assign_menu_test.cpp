// "Assign addresses..." from the main window's system menu and the device list's context menu:
// where the items stand, when the
// dialog opens on the listed cameras (in the list's order) and when it is refused, and that
// closing it unsent leaves the list as it was. The engine is played by the test.
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "fake_adapters.h"
#include "message_box_recorder.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "window_driver.h"

namespace {

using namespace vf::res;
using vf::testing::MakeDevice;

TEST(AssignFromTheSystemMenu, OpensOnTheListedCamerasOnlyWhileTheListStands) {
  vf::testing::FakeAdapters adapters;
  vf::ui::MessageBoxRecorder boxes;
  CSearchDlg dialog(adapters);
  ASSERT_TRUE(dialog.Create());
  vf::ui::DialogWindow &window = vf::testing::Window(dialog);

  // Its own item, after a separator, before the About item, which stays the last.
  const auto items = vf::testing::SystemMenuItems(window);
  ASSERT_GE(items.size(), 4u);
  EXPECT_EQ(items[items.size() - 4].commandId, 0);
  EXPECT_EQ(items[items.size() - 3].commandId, IDM_ASSIGN);
  EXPECT_EQ(items[items.size() - 3].text, "Assign addresses...");
  EXPECT_EQ(items.back().commandId, IDM_ABOUTBOX);

  const char *noCameras = "No camera is listed: search first.";
  EXPECT_EQ(vf::testing::CaptionOfModalOpenedBy([&] { EXPECT_TRUE(dialog.OnSysCommand(IDM_ASSIGN)); }),
            "");
  EXPECT_EQ(boxes.Requests().back().text, noCameras);

  vf::testing::ShowDevices(dialog, {MakeDevice("Gate", "00:1A:3F:00:00:01"),
                                 MakeDevice("Yard", "00:1A:3F:00:00:02")});
  // A search collecting: the list is empty until its tick.
  dialog.OnSearch();
  EXPECT_EQ(vf::testing::CaptionOfModalOpenedBy([&] { dialog.OnSysCommand(IDM_ASSIGN); }), "");
  EXPECT_EQ(boxes.Requests().back().text, noCameras);
  vf::testing::Lan(dialog).OnAnnouncement(MakeDevice("Gate", "00:1A:3F:00:00:01"));
  vf::testing::Lan(dialog).OnAnnouncement(MakeDevice("Yard", "00:1A:3F:00:00:02"));
  vf::testing::FireTimer(dialog, CSearchDlg::TIMER_COLLECT);

  const int before = boxes.Count();
  EXPECT_EQ(vf::testing::CaptionOfModalOpenedBy(
                [&] { dialog.OnSysCommand(IDM_ASSIGN | 0x0F); }),
            "Assign addresses");
  EXPECT_EQ(boxes.Count(), before) << "closed unsent: nothing asked or told";
  EXPECT_FALSE(window.IsTimerActive(CSearchDlg::TIMER_COLLECT)) << "nor searched again";
  EXPECT_EQ(vf::testing::DeviceList(dialog).ItemCount(), 2);

  // The list's context menu offers it as its last entry, over a row as beside the rows.
  std::vector<vf::testing::MenuItem> menu;
  EXPECT_EQ(vf::testing::CaptionOfModalOpenedBy([&] {
              menu = vf::testing::RightClickRow(window, IDC_DEVICE_LIST, 1, IDM_ASSIGN_LISTED);
            }),
            "Assign addresses");
  ASSERT_FALSE(menu.empty());
  EXPECT_EQ(menu.back().commandId, IDM_ASSIGN_LISTED);
  EXPECT_EQ(menu.back().text, "Assign addresses...");

  // The cameras come in the list's order: sorted by name, then reversed, Yard comes first.
  constexpr int kNameColumn = 1;
  vf::testing::ClickListHeading(window, IDC_DEVICE_LIST, kNameColumn);
  vf::testing::ClickListHeading(window, IDC_DEVICE_LIST, kNameColumn);
  ASSERT_EQ(vf::testing::DeviceList(dialog).ItemText(0, kNameColumn), "Yard");
  std::optional<CAssignDlg::Setup> setup = CSearchDlgProbe::AssignSetup(dialog);
  ASSERT_TRUE(setup);
  ASSERT_EQ(setup->cameras.size(), 2u);
  EXPECT_STREQ(setup->cameras[0].deviceName, "Yard");
  EXPECT_STREQ(setup->cameras[1].deviceName, "Gate");

  // Not while a device restarts: the search at the end of the wait would empty the list.
  dialog.OnDeviceRestarting();
  EXPECT_EQ(vf::testing::CaptionOfModalOpenedBy([&] { dialog.OnSysCommand(IDM_ASSIGN); }), "");
  EXPECT_EQ(boxes.Requests().back().text, "Device is restarting...,Please try again later.");
}

}  // namespace

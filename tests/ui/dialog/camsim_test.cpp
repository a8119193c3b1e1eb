// A real search on the private LAN, against simulated cameras, with the
// PC's adapters read from the system. Runs only where the cameras are set up
// (VF_CAMSIM_COUNT names how many answer).
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "dialog_driver.h"
#include "message_box_recorder.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "window_driver.h"

namespace {

using namespace vf::res;

TEST(SearchDialogOnTheLan, FindsTheSimulatedCamerasAndShowsOne) {
  const char *expected = std::getenv("VF_CAMSIM_COUNT");
  if (expected == nullptr) GTEST_SKIP() << "no simulated cameras on this LAN";
  const int count = std::atoi(expected);

  vf::ui::MessageBoxRecorder boxes;
  auto dialog = std::make_unique<CSearchDlg>();
  ASSERT_TRUE(dialog->Create());
  ASSERT_NE(vf::testing::Session(*dialog), nullptr);
  ASSERT_FALSE(vf::testing::LocalAddresses(*dialog).empty());
  vf::ui::DialogWindow &controls = vf::testing::Window(*dialog);

  for (int search = 0; search < 2; ++search) {
    dialog->OnSearch();
    ASSERT_TRUE(vf::testing::PumpUntil([&] { return dialog->IsControlEnabled(IDC_SEARCH); }, 5000));
    EXPECT_EQ(controls.Item(IDC_DEVICE_COUNT).Text(), vf::testing::Pcs(count));
    vf::ui::ListView &list = vf::testing::DeviceList(*dialog);
    ASSERT_EQ(list.ItemCount(), count);
    std::set<std::string> macs;
    for (int row = 0; row < count; ++row) {
      EXPECT_EQ(list.ItemText(row, 0), std::to_string(row + 1));
      macs.insert(list.ItemText(row, 2));
    }
    EXPECT_EQ(static_cast<int>(macs.size()), count) << "a camera heard twice is listed once";

    dialog->OnDeviceListClick(count - 1);
    EXPECT_EQ(controls.Item(IDC_DEVICE_NAME).Text(), list.ItemText(count - 1, 1));
    EXPECT_NE(controls.Item(IDC_DEV_IP).Text(), "0.0.0.0");
    EXPECT_EQ(vf::testing::DeviceSelected(*dialog), 1);
  }
  EXPECT_EQ(boxes.Count(), 0);

  // Closing while the cameras keep answering returns promptly.
  dialog->OnSearch();
  dialog.reset();
}

}  // namespace

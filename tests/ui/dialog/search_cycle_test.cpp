// The search cycle: what a search clears, what the engine's worker records,
// what the collection tick shows, and the restart wait that ends in a search.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "dialog_driver.h"
#include "fake_adapters.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "window_driver.h"

namespace {

using namespace vf::res;
using vf::testing::FireTimer;
using vf::testing::MakeDevice;
using vf::testing::Pcs;

class SearchCycleTest : public ::testing::Test {
 protected:
  void Found(const DeviceRecord &record) { vf::testing::Lan(m_dialog).OnAnnouncement(record); }
  std::string Cell(int row, int column) const {
    return m_controls.Find<vf::ui::ListView>(IDC_DEVICE_LIST)->ItemText(row, column);
  }
  int Rows() const { return m_controls.Find<vf::ui::ListView>(IDC_DEVICE_LIST)->ItemCount(); }

  vf::testing::FakeAdapters m_adapters;
  CSearchDlg m_dialog{m_adapters};
  bool m_created = m_dialog.Create();
  vf::ui::DialogWindow &m_controls = vf::testing::Window(m_dialog);
};

TEST_F(SearchCycleTest, TickShowsEachDistinctMacOnceInOrderOfFirstReply) {
  m_dialog.OnSearch();
  EXPECT_TRUE(m_controls.IsTimerActive(CSearchDlg::TIMER_COLLECT));
  EXPECT_FALSE(m_dialog.IsControlEnabled(IDC_SEARCH));

  DeviceRecord first = MakeDevice("cam-a", "00:11:22:33:44:55");
  Found(first);
  DeviceRecord again = MakeDevice("cam-a-renamed", "00:11:22:33:44:55");
  Found(again);
  Found(MakeDevice("cam-b", "00:11:22:33:44:aa"));
  Found(MakeDevice("cam-c", "00:11:22:33:44:AA"));  // Case differs: another device.
  Found(MakeDevice("no-mac", ""));
  Found(MakeDevice("no-mac-2", ""));

  // Until the tick the list and the count stay as they were.
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_COUNT).Text(), "0 pcs");

  ASSERT_TRUE(FireTimer(m_dialog, CSearchDlg::TIMER_COLLECT));
  EXPECT_FALSE(m_controls.IsTimerActive(CSearchDlg::TIMER_COLLECT));
  EXPECT_TRUE(m_dialog.IsControlEnabled(IDC_SEARCH));
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_COUNT).Text(), "4 pcs");
  ASSERT_EQ(Rows(), 4);
  const char *names[] = {"cam-a", "cam-b", "cam-c", "no-mac"};
  const char *macs[] = {"00:11:22:33:44:55", "00:11:22:33:44:aa", "00:11:22:33:44:AA", ""};
  for (int row = 0; row < 4; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(Cell(row, 0), std::to_string(row + 1));
    EXPECT_EQ(Cell(row, 1), names[row]);
    EXPECT_EQ(Cell(row, 2), macs[row]);
  }

  // A reply after the tick would get no row, so it is not kept either: a
  // flood of late answers cannot grow the store.
  Found(MakeDevice("late", "66:66:66:66:66:66"));
  EXPECT_EQ(vf::testing::Devices(m_dialog).Count(), 4);
  EXPECT_EQ(Rows(), 4);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_COUNT).Text(), "4 pcs");

  // The next search forgets everything, but the count waits for its tick.
  m_dialog.OnSearch();
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(vf::testing::Devices(m_dialog).Count(), 0);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_COUNT).Text(), "4 pcs");
  Found(again);  // Its MAC is new again in this search.
  ASSERT_TRUE(FireTimer(m_dialog, CSearchDlg::TIMER_COLLECT));
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_COUNT).Text(), "1 pcs");
  EXPECT_EQ(Cell(0, 1), "cam-a-renamed");
}

// Names are UTF-8 when they are valid UTF-8, else Latin-1; a character cut
// by the end of its field is left out, and controls are shown, not obeyed.
TEST_F(SearchCycleTest, NamesAreDecodedAndShownSafelyInTheListAndThePanel) {
  struct Case {
    std::string name;
    std::string shown;
  };
  const std::string cut = std::string(39, 'n') + "\xC3\xA9";  // Its last byte is cut off.
  const Case cases[] = {
      {"Caf\xC3\xA9", "Caf\xC3\xA9"},
      {"Caf\xE9", "Caf\xC3\xA9"},
      {"Bell\x07\x1B[2J", "Bell\\x07\\x1B[2J"},
      {cut, std::string(39, 'n')},
  };
  m_dialog.OnSearch();
  char mac[] = "00:11:22:33:44:50";
  for (const Case &c : cases) {
    ++mac[16];
    Found(MakeDevice(c.name, mac));
  }
  FireTimer(m_dialog, CSearchDlg::TIMER_COLLECT);
  for (int row = 0; row < 4; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(Cell(row, 1), cases[row].shown);
    m_dialog.OnDeviceListClick(row);
    EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), cases[row].shown);
  }
}

TEST_F(SearchCycleTest, SearchEmptiesAndLocksTheDetailPanel) {
  m_dialog.OnSearch();
  Found(MakeDevice("cam-a", "00:11:22:33:44:55"));
  FireTimer(m_dialog, CSearchDlg::TIMER_COLLECT);
  m_dialog.OnDeviceListClick(0);
  m_controls.Item(IDC_ACCOUNT).SetText("admin");
  m_controls.Item(IDC_PASSWORD).SetText("secret");
  m_controls.Find<vf::ui::CheckBox>(IDC_DHCP)->SetCheck(1);
  ASSERT_EQ(vf::testing::DeviceSelected(m_dialog), 1);

  m_dialog.OnSearch();
  EXPECT_EQ(vf::testing::DeviceSelected(m_dialog), 0);
  for (int id : {IDC_DEVICE_NAME, IDC_FIRMWARE_SYS_VER, IDC_FIRMWARE_APP_VER, IDC_ACCOUNT,
                 IDC_PASSWORD, IDC_DDNS_NAME, IDC_DDNS_USER, IDC_DDNS_PASSWORD}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(m_controls.Item(id).Text(), "");
  }
  EXPECT_EQ(m_controls.Item(IDC_DEV_IP).Text(), "0.0.0.0");
  EXPECT_EQ(m_controls.Item(IDC_HTTP_PORT).Text(), "80");
  EXPECT_EQ(m_controls.Find<vf::ui::CheckBox>(IDC_DHCP)->GetCheck(),
            1);  // The check box keeps its state.
  EXPECT_FALSE(m_dialog.IsControlEnabled(IDC_UPDATE));
  EXPECT_TRUE(m_controls.Find<vf::ui::Edit>(IDC_ACCOUNT)->IsReadOnly());
}

TEST_F(SearchCycleTest, RestartWaitEndsAfter45TicksWithASearch) {
  vf::ui::ProgressBar &bar = *m_controls.Find<vf::ui::ProgressBar>(IDC_RESTART_PROGRESS);
  // What the restart display sets up when it starts.
  m_controls.Item(IDC_RESTART_PROGRESS).Show(true);
  m_controls.Item(IDC_RESTART_TEXT).Show(true);
  bar.SetRange(1, 47);
  bar.SetPos(1);
  bar.SetStep(1);
  ASSERT_TRUE(m_controls.StartTimer(CSearchDlg::TIMER_RESTART, 1000));

  for (int tick = 1; tick < 45; ++tick) ASSERT_TRUE(FireTimer(m_dialog, CSearchDlg::TIMER_RESTART));
  EXPECT_TRUE(m_controls.IsTimerActive(CSearchDlg::TIMER_RESTART));
  EXPECT_EQ(bar.Pos(), 45);
  EXPECT_TRUE(m_controls.Item(IDC_RESTART_TEXT).IsVisible());
  EXPECT_FALSE(m_controls.IsTimerActive(CSearchDlg::TIMER_COLLECT));

  ASSERT_TRUE(FireTimer(m_dialog, CSearchDlg::TIMER_RESTART));
  EXPECT_FALSE(m_controls.IsTimerActive(CSearchDlg::TIMER_RESTART));
  EXPECT_EQ(bar.Pos(), 46);
  EXPECT_FALSE(m_controls.Item(IDC_RESTART_PROGRESS).IsVisible());
  EXPECT_FALSE(m_controls.Item(IDC_RESTART_TEXT).IsVisible());
  EXPECT_TRUE(m_controls.IsTimerActive(CSearchDlg::TIMER_COLLECT));
  EXPECT_FALSE(m_dialog.IsControlEnabled(IDC_SEARCH));
}

TEST_F(SearchCycleTest, WorkerRecordsWhileTheWindowSearchesAndShows) {
  std::atomic<bool> stop{false};
  std::thread worker([this, &stop] {
    for (int i = 0; !stop.load(); ++i) {
      const DeviceRecord record = MakeDevice("cam", "mac-" + std::to_string(i % 50));
      vf::testing::Lan(m_dialog).OnAnnouncement(record);
    }
  });
  for (int cycle = 0; cycle < 50; ++cycle) {
    m_dialog.OnSearch();
    FireTimer(m_dialog, CSearchDlg::TIMER_COLLECT);
    const int rows = Rows();
    EXPECT_LE(rows, 50);
    EXPECT_EQ(m_controls.Item(IDC_DEVICE_COUNT).Text(), Pcs(rows));
  }
  stop = true;
  worker.join();
}

TEST(SearchCycleTimer, RealCollectionWindowEndsTheCycle) {
  vf::testing::FakeAdapters adapters;
  adapters.adapters = std::vector<vf::platform::Adapter>{
      vf::testing::MakeAdapter("eth0", 2, {{"127.0.0.1", "255.0.0.0"}})};
  CSearchDlg dialog(adapters);
  ASSERT_TRUE(dialog.Create());
  ASSERT_NE(vf::testing::Session(dialog), nullptr);
  dialog.OnSearch();
  EXPECT_FALSE(dialog.IsControlEnabled(IDC_SEARCH));
  EXPECT_TRUE(vf::testing::PumpUntil([&] { return dialog.IsControlEnabled(IDC_SEARCH); }, 5000));
  EXPECT_FALSE(vf::testing::Window(dialog).IsTimerActive(CSearchDlg::TIMER_COLLECT));
}

}  // namespace

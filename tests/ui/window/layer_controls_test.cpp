// The controls as the window layer offers them, on whichever backend the
// program links: what the dialog's logic relies on from each, and the
// window system's behaviour each backend must reproduce (or leave to the
// real control).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "ui/window/controls.h"
#include "ui/window/dialog_window.h"
#include "ui/window/file_dialog.h"
#include "ui/window/list_view.h"
#include "ui/window/virtual_keys.h"
#include "window_driver.h"

namespace vf::ui {
namespace {

using namespace vf::res;

// Records what the dialog reports.
struct Recorder final : DialogHandler {
  void OnInitDialog() override { ++inits; }
  void OnCommand(int id) override { commands.push_back(id); }
  void OnListKeyMoved(int id, int row) override { moves.push_back({id, row}); }
  void OnListCheckChanged(int id, int row) override { checks.push_back({id, row}); }
  void OnUpDownDelta(int id, int delta) override { deltas.push_back({id, delta}); }
  void OnTimer(int id) override { ticks.push_back(id); }
  void OnUserMessage(unsigned offset) override { messages.push_back(offset); }

  int inits = 0;
  std::vector<int> commands;
  std::vector<std::pair<int, int>> moves;
  std::vector<std::pair<int, int>> checks;
  std::vector<std::pair<int, int>> deltas;
  std::vector<int> ticks;
  std::vector<unsigned> messages;
};

class LayerControlsTest : public ::testing::Test {
 protected:
  LayerControlsTest() { EXPECT_TRUE(m_window->Create()); }

  Recorder m_handler;
  std::unique_ptr<DialogWindow> m_window = CreateDialogWindow(SearchDialogTemplate(), m_handler);
};

TEST_F(LayerControlsTest, MadeOnceFromTheTemplateWithItsStates) {
  EXPECT_EQ(m_handler.inits, 1);
  EXPECT_FALSE(m_window->Create()) << "made once";
  EXPECT_EQ(m_window->Title(), "Search and configuration tool for Quorin series");
  EXPECT_EQ(m_window->Item(IDC_LOCAL_IP).ClassName(), "Edit");
  EXPECT_EQ(m_window->Item(IDC_DEV_IP).ClassName(), "SysIPAddress32");
  EXPECT_EQ(m_window->Item(IDC_DEVICE_LIST).ClassName(), "SysListView32");
  EXPECT_EQ(m_window->Item(IDC_HTTP_PORT_SPIN).ClassName(), "msctls_updown32");
  EXPECT_EQ(m_window->Item(IDC_RESTART_PROGRESS).ClassName(), "msctls_progress32");
  EXPECT_EQ(m_window->Item(IDC_ADAPTER).ClassName(), "ComboBox");
  EXPECT_EQ(m_window->Item(IDC_SEARCH).ClassName(), "Button");
  EXPECT_EQ(m_window->Item(IDC_DEVICE_COUNT).Text(), "0 pcs");
  EXPECT_TRUE(m_window->Find<Edit>(IDC_LOCAL_IP)->IsReadOnly());
  EXPECT_TRUE(m_window->Item(IDC_LOCAL_IP).IsEnabled()) << "read-only, not disabled";
  EXPECT_FALSE(m_window->Item(IDC_SET_ROUTER).IsEnabled());
  EXPECT_FALSE(m_window->Item(IDC_SET_ROUTER).IsVisible());
  EXPECT_FALSE(m_window->Item(IDC_RESTART_PROGRESS).IsVisible());
  EXPECT_TRUE(m_window->Item(IDC_SEARCH).IsVisible()) << "shown once the dialog is";
  // No control, no effect.
  EXPECT_EQ(m_window->Find(IDC_STATIC), nullptr);
  EXPECT_FALSE(m_window->Item(4711).SetText("x"));
  EXPECT_EQ(m_window->Item(4711).Text(), "");
  EXPECT_EQ(m_window->Find<Edit>(IDC_SEARCH), nullptr) << "only edits";
  EXPECT_EQ(m_window->Find<ListView>(IDC_SEARCH), nullptr);
}

TEST_F(LayerControlsTest, IpAddressControlReadsBlankFieldsAsZero) {
  EXPECT_EQ(m_window->Item(IDC_DEV_IP).Text(), "0.0.0.0");
  EXPECT_FALSE(m_window->Find<IpAddressControl>(IDC_DEV_IP)->IsPartlyBlank())
      << "all blank is not partly";
  struct Case {
    const char *set, *read;
    bool partly;
  };
  const Case cases[] = {
      {"192.168.1.5", "192.168.1.5", false}, {"", "0.0.0.0", false},
      {"172.16", "172.16.0.0", true},    // Missing fields stay blank.
      {"300.x.1.2", "255.0.1.2", true},  // Too large is cut, no number is blank.
      {"10.0.0.0", "10.0.0.0", false},   // A zero is a field filled in.
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.set);
    ASSERT_TRUE(m_window->Item(IDC_DEV_IP).SetText(c.set));
    EXPECT_EQ(m_window->Item(IDC_DEV_IP).Text(), c.read);
    EXPECT_EQ(m_window->Find<IpAddressControl>(IDC_DEV_IP)->IsPartlyBlank(), c.partly);
  }
  m_window->Item(IDC_DEV_MASK).SetText("255.255.255.0");
  vf::testing::ClearAddressField(*m_window, IDC_DEV_MASK, 3);
  EXPECT_EQ(m_window->Item(IDC_DEV_MASK).Text(), "255.255.255.0");
  EXPECT_TRUE(m_window->Find<IpAddressControl>(IDC_DEV_MASK)->IsPartlyBlank());
}

TEST_F(LayerControlsTest, ListRowsMarkAndTheListsOwnKeys) {
  ListView &list = *m_window->Find<ListView>(IDC_DEVICE_LIST);
  ASSERT_EQ(list.InsertColumn(0, {"No.", 40}), 0);
  ASSERT_EQ(list.InsertColumn(1, {"Name", 80}), 1);
  EXPECT_EQ(list.InsertColumn(5, {"beyond", 10}), -1);
  EXPECT_EQ(list.ColumnWidth(1), 80);
  list.SetFullRowSelect(true);
  list.SetFindColumn(1);
  EXPECT_TRUE(list.IsFullRowSelect());

  // 100,000 rows read through their function, and only when needed.
  int asked = 0;
  list.SetSuppliedItems(100000, [&asked](int row, int column) {
    ++asked;
    return column == 0 ? std::to_string(row + 1) : (row % 2 != 0 ? "odd" : "even");
  });
  EXPECT_EQ(list.ItemCount(), 100000);
  EXPECT_EQ(list.SelectionMark(), -1);
  EXPECT_LT(asked, 1000);
  EXPECT_EQ(list.ItemText(99999, 0), "100000");
  EXPECT_EQ(list.ItemText(100000, 0), "") << "beyond the rows";

  // The mark moves with the list's own keys, and each move is reported.
  EXPECT_EQ(list.SetSelectionMark(2), -1);
  vf::testing::PressKey(*m_window, IDC_DEVICE_LIST, vk::kEnd);
  EXPECT_EQ(list.SelectionMark(), 99999);
  vf::testing::PressKey(*m_window, IDC_DEVICE_LIST, vk::kHome);
  EXPECT_EQ(list.SelectionMark(), 0);
  vf::testing::PressKey(*m_window, IDC_DEVICE_LIST, 'O');  // The next row whose name begins so.
  EXPECT_EQ(list.SelectionMark(), 1);
  EXPECT_EQ(m_handler.moves,
            (std::vector<std::pair<int, int>>{
                {IDC_DEVICE_LIST, 99999}, {IDC_DEVICE_LIST, 0}, {IDC_DEVICE_LIST, 1}}));

  // Stored rows: an insert above the mark keeps the mark on its row.
  list.DeleteAllItems();
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.InsertItem(0, "a"), 0);
  EXPECT_EQ(list.InsertItem(9, "b"), 1) << "past the end appends";
  list.SetSelectionMark(1);
  EXPECT_EQ(list.InsertItem(0, "c"), 0);
  EXPECT_EQ(list.SelectionMark(), 2);
  EXPECT_TRUE(list.SetItemText(2, 1, "B"));
  EXPECT_EQ(list.ItemText(2, 0), "b");
  EXPECT_EQ(list.ItemText(2, 1), "B");
}

// The boxes of a list's rows: the program sets them unreported, the user's click on a box and
// the space bar on the marked row toggle one and are reported; rows keep theirs when a row is
// inserted above, and new rows start unchecked.
TEST_F(LayerControlsTest, ListCheckBoxesToggleByClickAndSpace) {
  ListView &list = *m_window->Find<ListView>(IDC_DEVICE_LIST);
  list.InsertColumn(0, {"Name", 80});
  list.InsertColumn(1, {"Result", 80});
  list.SetFullRowSelect(true);
  EXPECT_FALSE(list.HasCheckBoxes());
  list.SetCheckBoxes(true);
  EXPECT_TRUE(list.HasCheckBoxes());
  for (const char *name : {"a", "b", "c"}) list.InsertItem(list.ItemCount(), name);
  EXPECT_FALSE(list.IsItemChecked(0));
  EXPECT_TRUE(list.SetItemChecked(0, true));
  EXPECT_FALSE(list.SetItemChecked(3, true)) << "no such row";
  EXPECT_FALSE(list.IsItemChecked(3));

  vf::testing::ClickRowCheckBox(*m_window, IDC_DEVICE_LIST, 2);
  EXPECT_TRUE(list.IsItemChecked(2));
  list.SetSelectionMark(0);
  vf::testing::PressKey(*m_window, IDC_DEVICE_LIST, vk::kSpace);
  EXPECT_FALSE(list.IsItemChecked(0));
  EXPECT_EQ(list.SelectionMark(), 0) << "the space bar does not move the mark";
  EXPECT_EQ(m_handler.checks,
            (std::vector<std::pair<int, int>>{{IDC_DEVICE_LIST, 2}, {IDC_DEVICE_LIST, 0}}));

  EXPECT_EQ(list.InsertItem(0, "z"), 0);
  EXPECT_FALSE(list.IsItemChecked(0));
  EXPECT_TRUE(list.IsItemChecked(3)) << "the box moved down with its row";
  EXPECT_TRUE(list.SetItemText(3, 1, "done"));
  EXPECT_TRUE(list.IsItemChecked(3));
}

TEST_F(LayerControlsTest, ComboSelectsByPrefixAfterAnEntryAndWraps) {
  ComboBox &combo = *m_window->Find<ComboBox>(IDC_ADAPTER);
  for (const char *name : {"eth0", "Ethernet 2", "wlan0", "eth1"}) combo.AddString(name);
  combo.SetItemData(2, 42);
  EXPECT_EQ(combo.ItemData(2), 42u);
  EXPECT_EQ(combo.ItemData(9), 0u);
  EXPECT_EQ(combo.SelectString(0, "ETH"), 1) << "after entry 0, ignoring case";
  EXPECT_EQ(combo.SelectString(3, "eth0"), 0) << "wraps to the top";
  EXPECT_EQ(combo.SelectString(-1, "wl"), 2);
  EXPECT_EQ(combo.SelectString(0, "none"), -1);
  EXPECT_EQ(combo.CurSel(), 2) << "unchanged by a failed search";
  EXPECT_EQ(combo.ItemText(1), "Ethernet 2");
  EXPECT_EQ(m_window->Item(IDC_ADAPTER).Text(), "wlan0");
  combo.ResetContent();
  EXPECT_EQ(combo.Count(), 0);
  EXPECT_EQ(combo.CurSel(), -1);
}

TEST_F(LayerControlsTest, UpDownOnlyReportsItsStepAndProgressWraps) {
  UpDown &spin = *m_window->Find<UpDown>(IDC_HTTP_PORT_SPIN);
  Control &port = m_window->Item(IDC_HTTP_PORT);
  EXPECT_EQ(spin.Range(), std::make_pair(100, 0)) << "the window system's default";
  EXPECT_EQ(spin.SetBuddy(&port), nullptr);
  EXPECT_EQ(spin.Buddy(), &port);
  spin.SetRange(1, 65535);
  spin.SetPos(1);
  m_window->Item(IDC_HTTP_PORT).SetText("80");
  // The buddy's arrow keys step the control, which changes nothing itself.
  vf::testing::PressKey(*m_window, IDC_HTTP_PORT, vk::kUp);
  vf::testing::PressKey(*m_window, IDC_HTTP_PORT, vk::kDown);
  EXPECT_EQ(m_handler.deltas,
            (std::vector<std::pair<int, int>>{{IDC_HTTP_PORT_SPIN, 1}, {IDC_HTTP_PORT_SPIN, -1}}));
  EXPECT_EQ(m_window->Item(IDC_HTTP_PORT).Text(), "80");
  EXPECT_EQ(spin.Pos(), 1);

  ProgressBar &bar = *m_window->Find<ProgressBar>(IDC_RESTART_PROGRESS);
  bar.SetRange(1, 47);
  bar.SetStep(1);
  EXPECT_EQ(bar.Range(), std::make_pair(1, 47));
  bar.SetPos(46);
  EXPECT_EQ(bar.StepIt(), 46);
  EXPECT_EQ(bar.Pos(), 47);
  bar.StepIt();
  EXPECT_LT(bar.Pos(), 47) << "past the top it starts over";
}

TEST_F(LayerControlsTest, ClicksTimersAndUserMessagesReachTheHandler) {
  vf::testing::Click(*m_window, IDC_DHCP);
  vf::testing::Click(*m_window, IDC_SEARCH);
  EXPECT_EQ(m_handler.commands, (std::vector<int>{IDC_DHCP, IDC_SEARCH}));
  EXPECT_EQ(m_window->Find<CheckBox>(IDC_DHCP)->GetCheck(), 1) << "the check box toggled itself";

  ASSERT_TRUE(m_window->StartTimer(7, 1));
  EXPECT_TRUE(m_window->IsTimerActive(7));
  ASSERT_TRUE(vf::testing::PumpUntil([&] { return m_handler.ticks.size() >= 2; }, 2000));
  EXPECT_TRUE(m_window->KillTimer(7));
  EXPECT_FALSE(m_window->KillTimer(7));
  const std::size_t ticks = m_handler.ticks.size();
  // A message posted after the kill runs after any tick still queued.
  m_window->PostUserMessage(1);
  ASSERT_TRUE(vf::testing::PumpUntil([&] { return !m_handler.messages.empty(); }, 2000));
  EXPECT_EQ(m_handler.ticks.size(), ticks);
  EXPECT_EQ(m_handler.messages, std::vector<unsigned>{1});
}

// What a file dialog asks and gives: a saved file's name gets the chosen
// kind's extension when it has none, and a cancel gives nothing.
TEST(FileDialogs, ASavedNameGetsTheChosenKindsExtension) {
  std::vector<FileDialogRequest> asked;
  std::optional<FileChoice> answer = FileChoice{"/tmp/cameras", 1};
  SetFileDialogInterceptor([&](const FileDialogRequest &request) {
    asked.push_back(request);
    return answer;
  });
  const std::vector<FileKind> kinds = {{"CSV files", "csv"}, {"JSON files", "json"}};
  EXPECT_EQ(AskSaveFile(nullptr, "Export list", kinds, "cameras.csv")->path, "/tmp/cameras.json");
  answer = FileChoice{"/tmp/plan.v2.csv", 0};
  EXPECT_EQ(AskSaveFile(nullptr, "Export plan", kinds, "")->path, "/tmp/plan.v2.csv");
  answer = FileChoice{"/tmp/plan", 0};
  EXPECT_EQ(AskOpenFile(nullptr, "Import plan", kinds)->path, "/tmp/plan") << "opened as named";
  answer.reset();
  EXPECT_FALSE(AskSaveFile(nullptr, "Export list", kinds, "x.csv"));
  SetFileDialogInterceptor({});
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_TRUE(asked[0].save);
  EXPECT_FALSE(asked[2].save);
  EXPECT_EQ(asked[0].suggestedName, "cameras.csv");
}

}  // namespace
}  // namespace vf::ui

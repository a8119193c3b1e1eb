// The controls' own behaviour, as the dialog's logic relies on it.
#include "ui/window/controls.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "ui/window/dialog_window.h"
#include "ui/window/qt/control_id.h"
#include "ui/window/qt/dialog_builder.h"
#include "ui/window/qt/drop_down_list.h"
#include "ui/window/qt/ip_address_edit.h"
#include "ui/window/qt/qt_control_set.h"
#include "ui/window/qt/report_list.h"
#include "ui/window/qt/step_progress_bar.h"
#include "ui/window/qt/system_menu.h"
#include "ui/window/qt/timers.h"
#include "ui/window/qt/up_down_control.h"

namespace vf::ui {
namespace {

using namespace vf::res;

QDialog *Built(QDialog *dialog) {
  BuildDialog(dialog, SearchDialogTemplate());
  return dialog;
}

// What the controls report to their dialog.
struct Recorder final : DialogHandler {
  void OnCommand(int id) override { commands.push_back(id); }
  void OnListClick(int id, int row) override { clicks.push_back({id, row}); }
  void OnListKeyMoved(int id, int row) override { moves.push_back({id, row}); }
  void OnComboSelChange(int id) override { selChanges.push_back(id); }
  void OnUpDownDelta(int id, int delta) override { deltas.push_back({id, delta}); }

  std::vector<int> commands;
  std::vector<std::pair<int, int>> clicks;
  std::vector<std::pair<int, int>> moves;
  std::vector<int> selChanges;
  std::vector<std::pair<int, int>> deltas;
};

class ControlsTest : public ::testing::Test {
 protected:
  ControlsTest() : m_controls(Built(&m_dialog), m_handler) {}

  QWidget *Widget(int id) const { return m_controls.WidgetOf(m_controls.Find(id)); }
  template <typename Kind>
  Kind *Find(int id) const {
    return dynamic_cast<Kind *>(m_controls.Find(id));
  }
  Control &Item(int id) const { return *m_controls.Find(id); }

  QDialog m_dialog;
  Recorder m_handler;
  QtControlSet m_controls;
};

TEST_F(ControlsTest, IpAddressControlReadsBlankFieldsAsZero) {
  EXPECT_EQ(Item(IDC_DEV_IP).Text(), "0.0.0.0");
  ASSERT_TRUE(Item(IDC_DEV_IP).SetText("192.168.1.5"));
  EXPECT_EQ(Item(IDC_DEV_IP).Text(), "192.168.1.5");
  IpAddressEdit *ip = qobject_cast<IpAddressEdit *>(Widget(IDC_DEV_IP));
  ASSERT_NE(ip, nullptr);
  EXPECT_EQ(ip->Field(3)->text(), "5");

  Item(IDC_DEV_IP).SetText("");
  EXPECT_TRUE(ip->IsBlank());
  EXPECT_EQ(Item(IDC_DEV_IP).Text(), "0.0.0.0");

  // Partly filled: the user cleared the last two octets.
  Item(IDC_DEV_IP).SetText("10.1.2.3");
  ip->Field(2)->clear();
  ip->Field(3)->clear();
  EXPECT_EQ(Item(IDC_DEV_IP).Text(), "10.1.0.0");
  EXPECT_FALSE(ip->IsBlank());

  // Short or damaged text fills what it can; a value above 255 is cut.
  Item(IDC_DEV_IP).SetText("172.16");
  EXPECT_EQ(Item(IDC_DEV_IP).Text(), "172.16.0.0");
  EXPECT_TRUE(ip->Field(2)->text().isEmpty());
  Item(IDC_DEV_IP).SetText("300.x.1.2");
  EXPECT_EQ(Item(IDC_DEV_IP).Text(), "255.0.1.2");
}

TEST_F(ControlsTest, IpAddressFieldsTakeOnlyOctets) {
  IpAddressEdit *ip = qobject_cast<IpAddressEdit *>(Widget(IDC_DEV_MASK));
  ASSERT_NE(ip, nullptr);
  m_dialog.show();
  QTest::keyClicks(ip->Field(0), "2a56");  // 'a' refused, 256 refused at the last digit.
  EXPECT_EQ(ip->Field(0)->text(), "25");
  ip->Field(1)->setFocus();
  QTest::keyClicks(ip->Field(1), "255");
  EXPECT_EQ(ip->Field(1)->text(), "255");
  Item(IDC_DEV_MASK).Enable(false);
  EXPECT_FALSE(Item(IDC_DEV_MASK).IsEnabled());
  EXPECT_FALSE(ip->Field(0)->isEnabled());
  m_dialog.hide();
}

TEST_F(ControlsTest, ReadOnlyEditStaysEnabledAndOnlyEditsTakeTheStyle) {
  ASSERT_NE(Find<Edit>(IDC_ACCOUNT), nullptr);
  Find<Edit>(IDC_ACCOUNT)->SetReadOnly(true);
  EXPECT_TRUE(Find<Edit>(IDC_ACCOUNT)->IsReadOnly());
  EXPECT_TRUE(Item(IDC_ACCOUNT).IsEnabled());
  EXPECT_NE(Widget(IDC_ACCOUNT)->focusPolicy(), Qt::NoFocus);
  Find<Edit>(IDC_ACCOUNT)->SetReadOnly(false);
  EXPECT_FALSE(Find<Edit>(IDC_ACCOUNT)->IsReadOnly());
  EXPECT_EQ(Find<Edit>(IDC_UPDATE), nullptr) << "only edits take the style";
  EXPECT_EQ(Find<Edit>(4711), nullptr);
}

TEST_F(ControlsTest, EnableShowAndTextByIdAndHiddenStaysHiddenWhenEnabled) {
  Item(IDC_SET_ROUTER).Enable(true);
  EXPECT_TRUE(Item(IDC_SET_ROUTER).IsEnabled());
  EXPECT_FALSE(Item(IDC_SET_ROUTER).IsVisible());
  Item(IDC_RESTART_TEXT).Show(true);
  EXPECT_TRUE(Item(IDC_RESTART_TEXT).IsVisible());
  Item(IDC_DEVICE_COUNT).SetText("3 pcs");
  EXPECT_EQ(Item(IDC_DEVICE_COUNT).Text(), "3 pcs");
  EXPECT_EQ(m_controls.Find(4711), nullptr);
}

TEST_F(ControlsTest, CheckBoxStateAndClick) {
  const std::vector<int> &commands = m_handler.commands;
  EXPECT_EQ(Find<CheckBox>(IDC_DHCP)->GetCheck(), 0);
  Find<CheckBox>(IDC_DHCP)->SetCheck(1);
  EXPECT_EQ(Find<CheckBox>(IDC_DHCP)->GetCheck(), 1);
  EXPECT_TRUE(commands.empty());  // Setting it is no click.
  QTest::mouseClick(Widget(IDC_DHCP), Qt::LeftButton);
  EXPECT_EQ(Find<CheckBox>(IDC_DHCP)->GetCheck(), 0);  // Toggles itself.
  EXPECT_EQ(commands, std::vector<int>{IDC_DHCP});

  QTest::mouseClick(Widget(IDC_SEARCH), Qt::LeftButton);
  EXPECT_EQ(commands, (std::vector<int>{IDC_DHCP, IDC_SEARCH}));
}

class ListTest : public ControlsTest {
 protected:
  void SetUp() override {
    m_list = qobject_cast<ReportList *>(Widget(IDC_DEVICE_LIST));
    ASSERT_NE(m_list, nullptr);
    m_list->InsertColumn(0, "No.", 40);
    m_list->InsertColumn(1, "Name", 60);
    m_list->InsertColumn(2, "MAC", 50);
    m_list->SetFullRowSelect(true);
    m_dialog.show();
  }
  void TearDown() override { m_dialog.hide(); }

  QPoint RowCentre(int row) const {
    return m_list->visualRect(m_list->model()->index(row, 0)).center();
  }

  ReportList *m_list = nullptr;
};

TEST_F(ListTest, RowsColumnsAndCellTexts) {
  EXPECT_EQ(m_list->ColumnCount(), 3);
  EXPECT_EQ(m_list->ColumnHeading(1), "Name");
  EXPECT_EQ(m_list->columnWidth(1), 60);
  EXPECT_EQ(m_list->InsertColumn(9, "x", 10), -1);

  EXPECT_EQ(m_list->InsertItem(0, "1"), 0);
  EXPECT_EQ(m_list->InsertItem(99, "2"), 1);  // Past the end appends.
  EXPECT_TRUE(m_list->SetItemText(1, 2, "00:11:22:33:44:55"));
  EXPECT_FALSE(m_list->SetItemText(2, 0, "none"));
  EXPECT_FALSE(m_list->SetItemText(0, 3, "none"));
  EXPECT_EQ(m_list->ItemCount(), 2);
  EXPECT_EQ(m_list->ItemText(0, 0), "1");
  EXPECT_EQ(m_list->ItemText(1, 2), "00:11:22:33:44:55");
  EXPECT_EQ(m_list->ItemText(1, 1), "");
  EXPECT_EQ(m_list->ItemText(5, 0), "");

  EXPECT_EQ(m_list->SelectionMark(), -1);
  EXPECT_EQ(m_list->SetSelectionMark(1), -1);
  EXPECT_EQ(m_list->SelectionMark(), 1);
  m_list->DeleteAllItems();
  EXPECT_EQ(m_list->ItemCount(), 0);
  EXPECT_EQ(m_list->SelectionMark(), -1);
}

TEST_F(ListTest, ClickOnARowMarksItAndBelowTheRowsReportsNoRow) {
  const auto &clicks = m_handler.clicks;
  m_list->InsertItem(0, "1");
  m_list->InsertItem(1, "2");

  QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, RowCentre(1));
  ASSERT_EQ(static_cast<int>(clicks.size()), 1);
  EXPECT_EQ(clicks.at(0).first, IDC_DEVICE_LIST);
  EXPECT_EQ(clicks.at(0).second, 1);
  EXPECT_EQ(m_list->SelectionMark(), 1);
  EXPECT_TRUE(m_list->selectionModel()->isRowSelected(1, {}));

  const QPoint below(10, m_list->viewport()->height() - 5);
  ASSERT_FALSE(m_list->indexAt(below).isValid());
  QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, below);
  ASSERT_EQ(static_cast<int>(clicks.size()), 2);
  EXPECT_EQ(clicks.at(1).second, -1);
  EXPECT_FALSE(m_list->selectionModel()->hasSelection());

  // A right click is a click of its row too, before it asks for the menu.
  QTest::mouseClick(m_list->viewport(), Qt::RightButton, {}, RowCentre(0));
  ASSERT_EQ(static_cast<int>(clicks.size()), 3);
  EXPECT_EQ(clicks.at(2).second, 0);
  EXPECT_EQ(m_list->SelectionMark(), 0);
}

// The highlighted rows, which must be exactly the marked one.
std::vector<int> Highlighted(const ReportList *list) {
  std::vector<int> rows;
  for (const QModelIndex &index : list->selectionModel()->selectedRows())
    rows.push_back(index.row());
  return rows;
}

TEST_F(ListTest, KeysMoveMarkAndHighlightTogetherAndReportEachMove) {
  const auto &moves = m_handler.moves;
  const char *names[] = {"Alpha", "beta", "Bravo", "Charlie"};
  for (int row = 0; row < 4; ++row) {
    m_list->InsertItem(row, QString::number(row + 1));
    m_list->SetItemText(row, 1, names[row]);
  }
  m_list->SetFindColumn(1);
  m_list->setFocus();
  EXPECT_EQ(m_list->currentIndex().row(), -1) << "the focus alone selects nothing";

  struct Step {
    Qt::Key key;
    int mark;
  };
  const Step steps[] = {
      {Qt::Key_Up, 0},  // No mark: Up goes to the first row,
      {Qt::Key_Up, 0},  // and stays there.
      {Qt::Key_End, 3},    {Qt::Key_Down, 3}, {Qt::Key_Home, 0}, {Qt::Key_PageDown, 3},
      {Qt::Key_PageUp, 0}, {Qt::Key_B, 1},  // The next name beginning with b, any case,
      {Qt::Key_B, 2},                       // then the one after it,
      {Qt::Key_B, 1},                       // round again;
      {Qt::Key_Z, 1},                       // no such name: the mark stays.
  };
  for (const Step &step : steps) {
    const std::unique_ptr<char[]> keyName(QTest::toString(step.key));
    SCOPED_TRACE(keyName.get());
    QTest::keyClick(m_list, step.key);
    EXPECT_EQ(m_list->SelectionMark(), step.mark);
    EXPECT_EQ(Highlighted(m_list), std::vector<int>{step.mark});
    EXPECT_EQ(m_list->currentIndex().row(), step.mark);
  }
  const std::vector<int> reported = {0, 3, 0, 3, 0, 1, 2, 1};
  ASSERT_EQ(static_cast<int>(moves.size()), static_cast<int>(reported.size()))
      << "only moves are reported";
  for (int i = 0; i < static_cast<int>(moves.size()); ++i)
    EXPECT_EQ(moves.at(i).second, reported[i]);

  m_list->SetSelectionMark(-1);
  EXPECT_TRUE(Highlighted(m_list).empty());
  QTest::keyClick(m_list, Qt::Key_Down);
  EXPECT_EQ(m_list->SelectionMark(), 0) << "no mark: Down goes to the first row too";
}

TEST_F(ListTest, MiddleButtonSelectsNothingAndDraggingKeepsThePressedRow) {
  for (int row = 0; row < 3; ++row) m_list->InsertItem(row, QString::number(row + 1));
  QTest::mouseClick(m_list->viewport(), Qt::MiddleButton, {}, RowCentre(1));
  EXPECT_EQ(m_list->SelectionMark(), -1);
  EXPECT_TRUE(Highlighted(m_list).empty());

  QTest::mousePress(m_list->viewport(), Qt::LeftButton, {}, RowCentre(0));
  QMouseEvent drag(QEvent::MouseMove, RowCentre(2), m_list->viewport()->mapToGlobal(RowCentre(2)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(m_list->viewport(), &drag);
  QTest::mouseRelease(m_list->viewport(), Qt::LeftButton, {}, RowCentre(2));
  EXPECT_EQ(m_list->SelectionMark(), 0);
  EXPECT_EQ(Highlighted(m_list), std::vector<int>{0});

  QTest::mouseClick(m_list->viewport(), Qt::LeftButton, Qt::ControlModifier, RowCentre(0));
  EXPECT_EQ(Highlighted(m_list), std::vector<int>{0}) << "Ctrl does not unselect";
}

TEST_F(ListTest, SuppliedRowsReadThroughTheirFunctionAndBecomeStoredWhenEdited) {
  m_list->InsertItem(0, "old");
  m_list->SetSelectionMark(0);
  m_list->SetSuppliedItems(100000, [](int row, int column) {
    return std::to_string(row) + "/" + std::to_string(column);
  });
  EXPECT_EQ(m_list->ItemCount(), 100000);
  EXPECT_EQ(m_list->SelectionMark(), -1);
  EXPECT_EQ(m_list->ItemText(99999, 2), "99999/2");
  EXPECT_EQ(m_list->ItemText(100000, 0), "");
  EXPECT_EQ(m_list->ItemText(0, 3), "");
  QTest::keyClick(m_list, Qt::Key_End);
  EXPECT_EQ(m_list->SelectionMark(), 99999);

  m_list->SetSuppliedItems(
      2, [](int row, int column) { return std::to_string(row) + "/" + std::to_string(column); });
  EXPECT_EQ(m_list->InsertItem(1, "new"), 1);
  EXPECT_TRUE(m_list->SetItemText(2, 1, "edited"));
  EXPECT_EQ(m_list->ItemCount(), 3);
  EXPECT_EQ(m_list->ItemText(0, 1), "0/1");
  EXPECT_EQ(m_list->ItemText(1, 0), "new");
  EXPECT_EQ(m_list->ItemText(2, 0), "1/0");
  EXPECT_EQ(m_list->ItemText(2, 1), "edited");
}

TEST_F(ControlsTest, ComboSelectsByPrefixAfterEntryZeroAndWraps) {
  DropDownList *combo = qobject_cast<DropDownList *>(Widget(IDC_ADAPTER));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->CurSel(), -1);
  for (const char *name : {"Realtek PCIe", "Intel Wireless", "realtek USB"}) combo->AddString(name);
  int marker = 7;
  EXPECT_TRUE(combo->SetItemDataPtr(1, &marker));
  EXPECT_EQ(combo->ItemDataPtr(1), &marker);
  EXPECT_EQ(combo->ItemDataPtr(0), nullptr);
  EXPECT_TRUE(combo->SetItemData(2, 42));
  EXPECT_EQ(combo->ItemData(2), 42u);
  EXPECT_FALSE(combo->SetItemData(3, 1));

  const auto &changes = m_handler.selChanges;
  // From after entry 0: the later "realtek USB" wins over entry 0.
  EXPECT_EQ(combo->SelectString(0, "REALTEK"), 2);
  EXPECT_EQ(combo->CurSel(), 2);
  // Only entry 0 matches: found after wrapping.
  EXPECT_EQ(combo->SelectString(0, "Realtek PC"), 0);
  EXPECT_EQ(combo->SelectString(0, "Intel"), 1);
  // No match keeps the selection.
  EXPECT_EQ(combo->SelectString(0, "Broadcom"), -1);
  EXPECT_EQ(combo->CurSel(), 1);
  // The empty prefix takes the first entry searched.
  EXPECT_EQ(combo->SelectString(0, ""), 1);
  EXPECT_EQ(combo->SelectString(-1, "realtek"), 0);
  EXPECT_EQ(static_cast<int>(changes.size()), 0);  // Only the user's choice notifies.

  combo->ResetContent();
  EXPECT_EQ(combo->CurSel(), -1);
  EXPECT_EQ(combo->SelectString(0, ""), -1);
}

TEST_F(ControlsTest, UpDownOnlyReportsTheStep) {
  UpDownControl *spin = qobject_cast<UpDownControl *>(Widget(IDC_HTTP_PORT_SPIN));
  ASSERT_NE(spin, nullptr);
  QWidget *port = Widget(IDC_HTTP_PORT);
  const QRect portBefore = port->geometry();
  spin->SetBuddy(port);
  spin->SetPos(1);
  spin->SetRange(1, 65535);
  Item(IDC_HTTP_PORT).SetText("80");
  EXPECT_EQ(spin->Buddy(), port);
  // Placed at the right edge of its buddy, which gives up the room.
  EXPECT_EQ(spin->x(), port->geometry().right() + 1);
  EXPECT_EQ(spin->geometry().right(), portBefore.right());
  EXPECT_EQ(spin->height(), port->height());

  const auto &deltas = m_handler.deltas;
  auto buttons = spin->findChildren<QToolButton *>();
  ASSERT_EQ(buttons.size(), 2);
  QToolButton *up = buttons[0]->arrowType() == Qt::UpArrow ? buttons[0] : buttons[1];
  QToolButton *down = up == buttons[0] ? buttons[1] : buttons[0];
  QTest::mouseClick(up, Qt::LeftButton);
  QTest::mouseClick(down, Qt::LeftButton);
  m_dialog.show();
  port->setFocus();
  QTest::keyClick(port, Qt::Key_Up);
  m_dialog.hide();
  ASSERT_EQ(static_cast<int>(deltas.size()), 3);
  EXPECT_EQ(deltas.at(0).first, IDC_HTTP_PORT_SPIN);
  EXPECT_EQ(deltas.at(0).second, 1);
  EXPECT_EQ(deltas.at(1).second, -1);
  EXPECT_EQ(deltas.at(2).second, 1);
  EXPECT_EQ(Item(IDC_HTTP_PORT).Text(), "80");
  EXPECT_EQ(spin->Pos(), 1);

  // A disabled spin reports nothing.
  Item(IDC_HTTP_PORT_SPIN).Enable(false);
  QTest::mouseClick(up, Qt::LeftButton);
  EXPECT_EQ(static_cast<int>(deltas.size()), 3);
}

TEST(UpDown, DefaultRangeIsInvertedSoUpProposesMinusOne) {
  UpDownControl spin(false, false);
  spin.resize(16, 20);
  QSignalSpy deltas(&spin, &UpDownControl::deltaPos);
  QToolButton *up = spin.findChildren<QToolButton *>()[0];
  QTest::mouseClick(up, Qt::LeftButton);
  ASSERT_EQ(deltas.count(), 1);
  EXPECT_EQ(deltas.at(0).at(0).toInt(), -1);
}

TEST(ProgressBar, StepItAdvancesAndStartsOverPastTheTop) {
  StepProgressBar bar;
  bar.SetRange(0, 45);
  bar.SetStep(1);
  EXPECT_EQ(bar.SetPos(44), 0);
  EXPECT_EQ(bar.StepIt(), 44);
  EXPECT_EQ(bar.Pos(), 45);
  bar.StepIt();
  EXPECT_EQ(bar.Pos(), 1);
  bar.SetPos(100);  // Clamped.
  EXPECT_EQ(bar.Pos(), 45);
}

TEST_F(ControlsTest, ControlIdOfWalksUpToTheControl) {
  EXPECT_EQ(ControlIdOf(Widget(IDC_DEVICE_LIST)), IDC_DEVICE_LIST);
  EXPECT_EQ(ControlIdOf(qobject_cast<ReportList *>(Widget(IDC_DEVICE_LIST))->viewport()),
            IDC_DEVICE_LIST);
  EXPECT_EQ(ControlIdOf(qobject_cast<IpAddressEdit *>(Widget(IDC_DEV_GATEWAY))->Field(2)),
            IDC_DEV_GATEWAY);
  EXPECT_EQ(ControlIdOf(&m_dialog), 0);
  EXPECT_EQ(ControlIdOf(nullptr), 0);
}

// One tick of a running timer, now, as the window system would deliver it;
// false when the timer is not running.
bool Tick(DialogTimers &timers, int id) {
  if (!timers.IsActive(id)) return false;
  emit timers.timeout(id);
  return true;
}

TEST(Timers, StartKillRestartAndDeliverById) {
  DialogTimers timers;
  QSignalSpy ticks(&timers, &DialogTimers::timeout);
  EXPECT_FALSE(Tick(timers, 52));
  ASSERT_TRUE(timers.StartTimer(52, 10));
  ASSERT_TRUE(timers.StartTimer(51, 60000));
  ASSERT_TRUE(ticks.wait(2000));
  EXPECT_EQ(ticks.at(0).at(0).toInt(), 52);
  EXPECT_TRUE(timers.KillTimer(52));
  EXPECT_FALSE(timers.KillTimer(52));
  EXPECT_FALSE(timers.IsActive(52));

  ticks.clear();
  EXPECT_TRUE(Tick(timers, 51));
  ASSERT_EQ(ticks.count(), 1);
  EXPECT_EQ(ticks.at(0).at(0).toInt(), 51);
  // Restarting replaces the long period with a short one.
  ASSERT_TRUE(timers.StartTimer(51, 5));
  EXPECT_TRUE(ticks.wait(2000));
  EXPECT_TRUE(timers.KillTimer(51));
}

TEST(SystemMenuHook, AboutItemFollowsASeparatorAndReportsItsCommand) {
  QDialog dialog;
  BuildDialog(&dialog, SearchDialogTemplate());
  SystemMenu menu(&dialog);
  menu.AppendSeparator();
  menu.AppendItem(IDM_ABOUTBOX, "About Vellafind(&A)...");
  const auto actions = menu.Menu()->actions();
  ASSERT_GE(actions.size(), 3);
  EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
  EXPECT_EQ(actions.last()->text(), "About Vellafind(&A)...");

  QSignalSpy chosen(&menu, &SystemMenu::commandChosen);
  actions.last()->trigger();
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen.at(0).at(0).toInt(), IDM_ABOUTBOX);
  EXPECT_FALSE(SystemMenu::RunDefaultCommand(&dialog, IDM_ABOUTBOX));

  // A right click on the dialog's background opens it.
  dialog.show();
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), dialog.mapToGlobal(QPoint(2, 2)));
  QCoreApplication::sendEvent(&dialog, &event);
  EXPECT_TRUE(menu.Menu()->isVisible());
  menu.Menu()->hide();
  dialog.hide();
}

}  // namespace
}  // namespace vf::ui

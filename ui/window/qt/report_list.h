// The list view's widget: a report-style list view with columns, rows of
// text, a selection mark and a click notification that names the row hit.
//
// The selection mark, the highlighted row and the view's current row are one:
// whatever moves one moves the others, so what the user sees selected is
// always the row the mark names. The keys move it as the Windows list view
// does: Up and Down with no mark both go to the first row; Home, End, Page Up,
// Page Down and typed characters move it too, and each move that changes the
// row is reported. A left click selects; a press beside the rows leaves
// no row selected and the mark at -1. A right-click selects as a left click
// does, then asks for the context menu, as does the keyboard's menu key. With
// check boxes, a left press on a row's box and the space bar on the marked row
// toggle it, each toggle reported.
#pragma once

#include <QElapsedTimer>
#include <QPoint>
#include <QTableView>
#include <vector>

#include "ui/window/list_view.h"
#include "ui/window/qt/report_list_model.h"

namespace vf::ui {

class ReportList final : public QTableView {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ReportList)

 public:
  explicit ReportList(QWidget *parent = nullptr);

  // Returns the new column's index, or -1 for an index beyond the columns.
  int InsertColumn(int index, const QString &heading, int widthPx, bool rightAligned = false);
  QString ColumnHeading(int column) const;
  int ColumnCount() const { return m_model->columnCount(); }
  void SetFullRowSelect(bool fullRow);
  void DeleteAllItems();
  // Inserts before `row` (appends when row is past the end); returns the
  // row's index, or -1 for a negative row.
  int InsertItem(int row, const QString &text);
  bool SetItemText(int row, int column, const QString &text);
  // Empty for a cell that does not exist.
  QString ItemText(int row, int column) const;
  // Replaces every row by `count` rows whose texts `text` gives when they are
  // needed (the list keeps it, and what it refers to, until the rows go).
  // The mark returns to -1.
  void SetSuppliedItems(int count, ReportListModel::CellText text);
  int ItemCount() const { return m_model->rowCount(); }
  // The row the user last clicked or moved to; -1 for none.
  int SelectionMark() const { return m_selectionMark; }
  // Marks and highlights `row` (none for -1 or a row beyond the list);
  // returns the previous mark.
  int SetSelectionMark(int row);
  // The column typed characters are matched against (from its start,
  // ignoring case); 0 unless set.
  void SetFindColumn(int column) { m_findColumn = column; }
  // Whether a click on a heading is reported (headerClicked).
  void SetHeadingsClickable(bool clickable);
  void SetSortIndicator(int column, SortIndicator indicator);
  void SetRowLook(ListView::RowLookOf look);
  // The menu of `entries` where the last context menu was asked for; the
  // command chosen, 0 for none.
  int ShowContextMenu(const std::vector<MenuEntry> &entries);
  void SetCheckBoxes(bool on) { m_model->SetCheckBoxes(on); }
  bool HasCheckBoxes() const { return m_model->HasCheckBoxes(); }
  bool IsChecked(int row) const { return m_model->IsChecked(row); }
  bool SetChecked(int row, bool checked) { return m_model->SetChecked(row, checked); }
  // Where the check box of `row` is drawn, in the viewport; empty without boxes or such a row.
  QRect CheckBoxRect(int row) const;

 signals:
  // A left click, reported on release; -1 when the press hit no row. A
  // right-click is reported on its press, before its menu is asked for.
  void rowClicked(int row);
  // A key moved the mark to another row.
  void markMovedByKey(int row);
  // A click on the heading of `column`.
  void headerClicked(int column);
  // The context menu asked for over `row` (-1 beside the rows).
  void contextMenuRequested(int row);
  // The user toggled the check box of `row`.
  void checkToggled(int row);

 protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;

 private:
  // Where a navigation key takes the mark; -2 for any other key.
  int KeyTarget(int key) const;
  int RowsPerPage() const;
  // The next row whose find column starts with what was typed; -1 for none.
  int TypeAheadTarget(const QString &typed);
  void MoveMarkByKey(int row);
  // Makes the highlight and the current row follow the mark.
  void ShowMark();
  void ToggleCheck(int row);

  ReportListModel *m_model;
  int m_selectionMark = -1;
  int m_pressedRow = -1;
  bool m_leftPressed = false;
  int m_findColumn = 0;
  QString m_typed;
  QElapsedTimer m_sinceTyped;
  QPoint m_menuAt;  // Global: where the last context menu was asked for.
};

}  // namespace vf::ui

// The device list's widget: a report-style list view with columns, rows of
// text, a selection mark and a click notification that names the row hit.
#pragma once

#include <QTableWidget>

namespace vf::ui {

class ReportList final : public QTableWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ReportList)

 public:
  explicit ReportList(QWidget *parent = nullptr);

  // Returns the new column's index, or -1 for an index beyond the columns.
  int InsertColumn(int index, const QString &heading, int widthPx);
  void SetFullRowSelect(bool fullRow);
  void DeleteAllItems();
  // Inserts before `row` (appends when row is past the end); returns the
  // row's index, or -1 for a negative row.
  int InsertItem(int row, const QString &text);
  bool SetItemText(int row, int column, const QString &text);
  // Empty for a cell that does not exist.
  QString ItemText(int row, int column) const;
  int ItemCount() const { return rowCount(); }
  // The row the user last clicked or moved to; -1 for none.
  int SelectionMark() const { return m_selectionMark; }
  // Returns the previous mark. Does not change the selection.
  int SetSelectionMark(int row);

 signals:
  // A left click, reported on release; -1 when the press hit no row.
  void rowClicked(int row);

 protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private:
  int m_selectionMark = -1;
  int m_pressedRow = -1;
  bool m_leftPressed = false;
};

}  // namespace vf::ui

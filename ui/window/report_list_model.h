// The rows and columns behind the device list. Rows are either stored, one
// text per cell, or supplied: a count and a function that gives a cell's text
// when the view needs it, so that showing 100,000 rows costs no more than
// showing the few on screen.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <functional>
#include <vector>

namespace vf::ui {

class ReportListModel final : public QAbstractTableModel {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ReportListModel)

 public:
  // The text of a cell of a supplied row; asked only for 0 <= row < count
  // and 0 <= column < the number of columns.
  using CellText = std::function<QString(int row, int column)>;

  explicit ReportListModel(QObject *parent = nullptr);

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;

  // -1 for an index beyond the columns.
  int InsertColumn(int index, const QString &heading);
  void RemoveAllRows();
  // Inserts before `row` (appends when it is past the end); the row's index,
  // or -1 for a negative row.
  int InsertRow(int row, const QString &firstColumn);
  bool SetText(int row, int column, const QString &text);
  // Empty for a cell that does not exist.
  QString Text(int row, int column) const;
  // Replaces every row by `count` supplied rows.
  void SetSuppliedRows(int count, CellText text);

 private:
  bool IsCell(int row, int column) const;
  // Stores the supplied rows' texts, so that single rows can be changed.
  void StoreSuppliedRows();

  std::vector<QString> m_headings;
  std::vector<std::vector<QString>> m_rows;  // Stored rows; short rows read "" beyond their end.
  int m_suppliedCount = 0;                   // Supplied rows; the stored ones are then empty.
  CellText m_cellText;
};

}  // namespace vf::ui

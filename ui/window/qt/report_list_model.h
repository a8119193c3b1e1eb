// The rows and columns behind a list view, as Qt's views read them: the
// backend-neutral ReportRows with the notices a view needs.
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QIcon>
#include <QString>

#include "ui/window/report_rows.h"

namespace vf::ui {

class ReportListModel final : public QAbstractTableModel {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ReportListModel)

 public:
  using CellText = ReportRows::CellText;

  explicit ReportListModel(QObject *parent = nullptr);

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;

  // -1 for an index beyond the columns.
  int InsertColumn(int index, const QString &heading, bool rightAligned);
  void RemoveAllRows();
  // Inserts before `row` (appends when it is past the end); the row's index,
  // or -1 for a negative row.
  int InsertRow(int row, const QString &firstColumn);
  bool SetText(int row, int column, const QString &text);
  // Empty for a cell that does not exist.
  QString Text(int row, int column) const;
  // Replaces every row by `count` supplied rows.
  void SetSuppliedRows(int count, CellText text);
  // How rows look from now on; `bold` is the font of a bold row.
  void SetRowLook(ListView::RowLookOf look, const QFont &bold);

  // A check box on each row's first cell.
  void SetCheckBoxes(bool on);
  bool HasCheckBoxes() const { return m_checkBoxes; }
  bool IsChecked(int row) const { return m_rows.IsChecked(row); }
  bool SetChecked(int row, bool checked);

 private:
  ReportRows m_rows;
  QFont m_bold;
  QIcon m_warning;
  bool m_checkBoxes = false;
};

}  // namespace vf::ui

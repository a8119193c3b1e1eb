#include "ui/window/qt/report_list_model.h"

#include <algorithm>

namespace vf::ui {

ReportListModel::ReportListModel(QObject *parent) : QAbstractTableModel(parent) {}

int ReportListModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : m_rows.RowCount();
}

int ReportListModel::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : m_rows.ColumnCount();
}

QVariant ReportListModel::data(const QModelIndex &index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return Text(index.row(), index.column());
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section >= columnCount()) return {};
  return QString::fromStdString(m_rows.Heading(section));
}

Qt::ItemFlags ReportListModel::flags(const QModelIndex &index) const {
  return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

int ReportListModel::InsertColumn(int index, const QString &heading) {
  if (index < 0 || index > columnCount()) return -1;
  beginInsertColumns({}, index, index);
  m_rows.InsertColumn(index, heading.toStdString());
  endInsertColumns();
  return index;
}

void ReportListModel::RemoveAllRows() {
  beginResetModel();
  m_rows.RemoveAllRows();
  endResetModel();
}

int ReportListModel::InsertRow(int row, const QString &firstColumn) {
  if (row < 0) return -1;
  // Supplied rows become stored ones with the same texts: the view needs no
  // notice of that, only of the new row.
  row = std::min(row, rowCount());
  beginInsertRows({}, row, row);
  m_rows.InsertRow(row, firstColumn.toStdString());
  endInsertRows();
  return row;
}

bool ReportListModel::SetText(int row, int column, const QString &text) {
  if (!m_rows.SetText(row, column, text.toStdString())) return false;
  const QModelIndex cell = index(row, column);
  emit dataChanged(cell, cell, {Qt::DisplayRole});
  return true;
}

QString ReportListModel::Text(int row, int column) const {
  return QString::fromStdString(m_rows.Text(row, column));
}

void ReportListModel::SetSuppliedRows(int count, CellText text) {
  beginResetModel();
  m_rows.SetSuppliedRows(count, std::move(text));
  endResetModel();
}

}  // namespace vf::ui

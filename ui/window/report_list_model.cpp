#include "report_list_model.h"

#include <algorithm>

namespace vf::ui {

ReportListModel::ReportListModel(QObject *parent) : QAbstractTableModel(parent) {}

int ReportListModel::rowCount(const QModelIndex &parent) const {
  if (parent.isValid()) return 0;
  return m_cellText ? m_suppliedCount : static_cast<int>(m_rows.size());
}

int ReportListModel::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_headings.size());
}

QVariant ReportListModel::data(const QModelIndex &index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return Text(index.row(), index.column());
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section >= columnCount()) return {};
  return m_headings[static_cast<size_t>(section)];
}

Qt::ItemFlags ReportListModel::flags(const QModelIndex &index) const {
  return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

int ReportListModel::InsertColumn(int index, const QString &heading) {
  if (index < 0 || index > columnCount()) return -1;
  beginInsertColumns({}, index, index);
  m_headings.insert(m_headings.begin() + index, heading);
  for (auto &row : m_rows) {
    if (static_cast<int>(row.size()) > index) row.insert(row.begin() + index, QString());
  }
  endInsertColumns();
  return index;
}

void ReportListModel::RemoveAllRows() {
  beginResetModel();
  m_rows.clear();
  m_suppliedCount = 0;
  m_cellText = nullptr;
  endResetModel();
}

int ReportListModel::InsertRow(int row, const QString &firstColumn) {
  if (row < 0) return -1;
  StoreSuppliedRows();
  row = std::min(row, rowCount());
  beginInsertRows({}, row, row);
  m_rows.insert(m_rows.begin() + row, std::vector<QString>{firstColumn});
  endInsertRows();
  return row;
}

bool ReportListModel::SetText(int row, int column, const QString &text) {
  if (!IsCell(row, column)) return false;
  StoreSuppliedRows();
  auto &cells = m_rows[static_cast<size_t>(row)];
  if (static_cast<int>(cells.size()) <= column) cells.resize(static_cast<size_t>(column) + 1);
  cells[static_cast<size_t>(column)] = text;
  const QModelIndex cell = index(row, column);
  emit dataChanged(cell, cell, {Qt::DisplayRole});
  return true;
}

QString ReportListModel::Text(int row, int column) const {
  if (!IsCell(row, column)) return {};
  if (m_cellText) return m_cellText(row, column);
  const auto &cells = m_rows[static_cast<size_t>(row)];
  return column < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(column)] : QString();
}

void ReportListModel::SetSuppliedRows(int count, CellText text) {
  beginResetModel();
  m_rows.clear();
  m_suppliedCount = text ? std::max(count, 0) : 0;
  m_cellText = std::move(text);
  endResetModel();
}

bool ReportListModel::IsCell(int row, int column) const {
  return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

void ReportListModel::StoreSuppliedRows() {
  if (!m_cellText) return;
  std::vector<std::vector<QString>> rows(static_cast<size_t>(m_suppliedCount));
  for (int row = 0; row < m_suppliedCount; ++row) {
    for (int column = 0; column < columnCount(); ++column) {
      rows[static_cast<size_t>(row)].push_back(m_cellText(row, column));
    }
  }
  // The same rows with the same texts: the view needs no notice.
  m_rows = std::move(rows);
  m_cellText = nullptr;
  m_suppliedCount = 0;
}

}  // namespace vf::ui

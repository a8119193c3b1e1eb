#include "ui/window/report_rows.h"

#include <algorithm>

namespace vf::ui {

int ReportRows::RowCount() const {
  return m_cellText ? m_suppliedCount : static_cast<int>(m_rows.size());
}

int ReportRows::InsertColumn(int index, std::string heading, bool rightAligned) {
  if (index < 0 || index > ColumnCount()) return -1;
  m_headings.insert(m_headings.begin() + index, std::move(heading));
  m_rightAligned.insert(m_rightAligned.begin() + index, rightAligned);
  for (auto &row : m_rows) {
    if (static_cast<int>(row.size()) > index) row.insert(row.begin() + index, std::string());
  }
  return index;
}

std::string ReportRows::Heading(int column) const {
  if (column < 0 || column >= ColumnCount()) return {};
  return m_headings[static_cast<size_t>(column)];
}

bool ReportRows::IsRightAligned(int column) const {
  return column >= 0 && column < ColumnCount() && m_rightAligned[static_cast<size_t>(column)];
}

RowLook ReportRows::Look(int row) const {
  if (!m_look || row < 0 || row >= RowCount()) return {};
  return m_look(row);
}

void ReportRows::RemoveAllRows() {
  m_rows.clear();
  m_checked.clear();
  m_suppliedCount = 0;
  m_cellText = nullptr;
}

int ReportRows::InsertRow(int row, std::string firstColumn) {
  if (row < 0) return -1;
  StoreSuppliedRows();
  row = std::min(row, RowCount());
  m_rows.insert(m_rows.begin() + row, std::vector<std::string>{std::move(firstColumn)});
  m_checked.insert(m_checked.begin() + row, 0);
  return row;
}

bool ReportRows::SetText(int row, int column, std::string text) {
  if (!IsCell(row, column)) return false;
  StoreSuppliedRows();
  auto &cells = m_rows[static_cast<size_t>(row)];
  if (static_cast<int>(cells.size()) <= column) cells.resize(static_cast<size_t>(column) + 1);
  cells[static_cast<size_t>(column)] = std::move(text);
  return true;
}

std::string ReportRows::Text(int row, int column) const {
  if (!IsCell(row, column)) return {};
  if (m_cellText) return m_cellText(row, column);
  const auto &cells = m_rows[static_cast<size_t>(row)];
  return column < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(column)]
                                                 : std::string();
}

void ReportRows::SetSuppliedRows(int count, CellText text) {
  m_rows.clear();
  m_suppliedCount = text ? std::max(count, 0) : 0;
  m_cellText = std::move(text);
  m_checked.assign(static_cast<size_t>(m_suppliedCount), 0);
}

bool ReportRows::IsChecked(int row) const {
  return row >= 0 && row < RowCount() && m_checked[static_cast<size_t>(row)] != 0;
}

bool ReportRows::SetChecked(int row, bool checked) {
  if (row < 0 || row >= RowCount()) return false;
  m_checked[static_cast<size_t>(row)] = checked ? 1 : 0;
  return true;
}

bool ReportRows::IsCell(int row, int column) const {
  return row >= 0 && row < RowCount() && column >= 0 && column < ColumnCount();
}

void ReportRows::StoreSuppliedRows() {
  if (!m_cellText) return;
  std::vector<std::vector<std::string>> rows(static_cast<size_t>(m_suppliedCount));
  for (int row = 0; row < m_suppliedCount; ++row) {
    for (int column = 0; column < ColumnCount(); ++column) {
      rows[static_cast<size_t>(row)].push_back(m_cellText(row, column));
    }
  }
  m_rows = std::move(rows);
  m_cellText = nullptr;
  m_suppliedCount = 0;
}

}  // namespace vf::ui

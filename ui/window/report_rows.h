// The rows and columns of a report-style list view. Rows are either stored,
// one text per cell, or supplied: a count and a function that gives a cell's
// text when it is needed, so that 100,000 rows cost no more than the few on
// screen. Both backends keep their lists' contents here.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/window/list_view.h"

namespace vf::ui {

class ReportRows final {
 public:
  // The text of a cell of a supplied row; asked only for 0 <= row < count
  // and 0 <= column < the number of columns.
  using CellText = std::function<std::string(int row, int column)>;

  int RowCount() const;
  int ColumnCount() const { return static_cast<int>(m_headings.size()); }
  // -1 for an index beyond the columns.
  int InsertColumn(int index, std::string heading, bool rightAligned = false);
  // Empty for a column that does not exist.
  std::string Heading(int column) const;
  // False for a column that does not exist.
  bool IsRightAligned(int column) const;

  // How row `row` looks: plain without a look function, or for a row that
  // does not exist.
  RowLook Look(int row) const;
  void SetLook(ListView::RowLookOf look) { m_look = std::move(look); }

  void RemoveAllRows();
  // Inserts before `row` (appends when it is past the end); the row's index,
  // or -1 for a negative row.
  int InsertRow(int row, std::string firstColumn);
  bool SetText(int row, int column, std::string text);
  // Empty for a cell that does not exist.
  std::string Text(int row, int column) const;
  // Replaces every row by `count` supplied rows; a null `text` leaves none.
  void SetSuppliedRows(int count, CellText text);
  bool IsSupplied() const { return static_cast<bool>(m_cellText); }

  // A row's check box; false for a row that does not exist. Rows start
  // unchecked.
  bool IsChecked(int row) const;
  bool SetChecked(int row, bool checked);

 private:
  bool IsCell(int row, int column) const;
  // Stores the supplied rows' texts, so that single rows can be changed.
  void StoreSuppliedRows();

  std::vector<std::string> m_headings;
  std::vector<bool> m_rightAligned;
  ListView::RowLookOf m_look;
  std::vector<std::vector<std::string>> m_rows;  // Short rows read "" beyond their end.
  int m_suppliedCount = 0;                       // The stored rows are then empty.
  CellText m_cellText;
  std::vector<char> m_checked;  // One per row, stored or supplied.
};

}  // namespace vf::ui

// A list view in report view: columns with headings, rows of text, and a
// selection mark. A click and a move by the list's own keys reach the dialog
// (DialogHandler::OnListClick, OnListKeyMoved).
//
// The selection mark, the highlighted row and the row with the focus are
// always the same: whatever moves one moves the others.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ui/window/control.h"

namespace vf::ui {

// A column as it is inserted: its heading, translated when shown, and its
// width in pixels (at 96 dots per inch).
struct ListColumn {
  std::string_view heading;
  int widthPx = 0;
};

class ListView : public Control {
 public:
  // The text of a cell of a supplied row, asked for only while the row is
  // on screen or read (0 <= row < count, 0 <= column < the columns).
  using CellText = std::function<std::string(int row, int column)>;

  // --- Columns -----------------------------------------------------------
  // The new column's index; -1 for an index beyond the columns.
  virtual int InsertColumn(int index, const ListColumn &column) = 0;
  virtual int ColumnCount() const = 0;
  // Empty, or 0, for a column that does not exist.
  virtual std::string ColumnHeading(int column) const = 0;
  virtual int ColumnWidth(int column) const = 0;

  // --- How it selects and finds ------------------------------------------
  virtual void SetFullRowSelect(bool fullRow) = 0;
  virtual bool IsFullRowSelect() const = 0;
  // The column that typed letters are matched against; 0 unless set.
  virtual void SetFindColumn(int column) = 0;

  // --- Rows --------------------------------------------------------------
  virtual void DeleteAllItems() = 0;
  // Inserts before `row` (appends past the end); the row's index, or -1.
  virtual int InsertItem(int row, std::string_view text) = 0;
  virtual bool SetItemText(int row, int column, std::string_view text) = 0;
  // Empty for a cell that does not exist.
  virtual std::string ItemText(int row, int column) const = 0;
  // Replaces every row by `count` rows whose texts `text` gives when they
  // are needed; the list keeps `text`, and what it refers to, until the rows
  // go. The selection mark returns to -1.
  virtual void SetSuppliedItems(int count, CellText text) = 0;
  virtual int ItemCount() const = 0;

  // --- Selection ---------------------------------------------------------
  // The row last clicked or moved to; -1 for none.
  virtual int SelectionMark() const = 0;
  // Marks and highlights `row` (no row for -1 or one beyond the list); the
  // previous mark.
  virtual int SetSelectionMark(int row) = 0;

 protected:
  using Control::Control;
};

}  // namespace vf::ui

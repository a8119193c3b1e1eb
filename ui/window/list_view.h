// A list view in report view: columns with headings, rows of text, a
// selection mark and, when asked for, a check box on each row. A click, a move
// by the list's own keys, a click on a heading, a request for the context menu
// and a check box the user toggled reach the dialog (DialogHandler::OnListClick,
// OnListKeyMoved, OnListHeaderClick, OnListContextMenu, OnListCheckChanged).
//
// The selection mark, the highlighted row and the row with the focus are
// always the same: whatever moves one moves the others.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window/control.h"

namespace vf::ui {

// A column as it is inserted: its heading, translated when shown, its width
// in pixels (at 96 dots per inch), and whether its texts (and heading) are
// right-aligned. The window system leaves the first column left-aligned.
struct ListColumn {
  std::string_view heading;
  int widthPx = 0;
  bool rightAligned = false;
};

// The arrow a heading shows for the order the rows are in.
enum class SortIndicator { None, Ascending, Descending };

// How a row looks beside its texts: bold, and the window system's warning
// icon in its first column with a tip (already translated) over it.
struct RowLook {
  bool bold = false;
  bool warning = false;
  std::string toolTip;
};

// An entry of a context menu: its command (0: a separator), its text
// (translated when shown) and whether it can be chosen.
struct MenuEntry {
  int commandId = 0;
  std::string_view text;
  bool enabled = true;
};

class ListView : public Control {
 public:
  // The text of a cell of a supplied row, asked for only while the row is
  // on screen or read (0 <= row < count, 0 <= column < the columns).
  using CellText = std::function<std::string(int row, int column)>;
  // The look of a row, asked for only while it is drawn or pointed at.
  using RowLookOf = std::function<RowLook(int row)>;

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
  // The arrow of `column`'s heading; every other heading shows none.
  virtual void SetSortIndicator(int column, SortIndicator indicator) = 0;
  // How each row looks from now on, whatever rows come (null: all plain).
  virtual void SetRowLook(RowLookOf look) = 0;

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

  // --- Check boxes -------------------------------------------------------
  // A check box before each row's first column, which the user toggles with a
  // click on it or with the space bar on the marked row. Rows start unchecked.
  virtual void SetCheckBoxes(bool on) = 0;
  virtual bool HasCheckBoxes() const = 0;
  // False for a row that does not exist (and for every row without boxes).
  virtual bool IsItemChecked(int row) const = 0;
  // Not reported to the dialog; false for a row that does not exist.
  virtual bool SetItemChecked(int row, bool checked) = 0;

  // --- Selection ---------------------------------------------------------
  // The row last clicked or moved to; -1 for none.
  virtual int SelectionMark() const = 0;
  // Marks and highlights `row` (no row for -1 or one beyond the list); the
  // previous mark.
  virtual int SetSelectionMark(int row) = 0;

  // --- Context menu --------------------------------------------------------
  // Shows `entries` as a menu where the user asked for it (the pointer of a
  // right-click, or the marked row from the keyboard) and waits for the
  // choice: its command, 0 when the menu was closed without one. Called from
  // DialogHandler::OnListContextMenu.
  virtual int ShowContextMenu(const std::vector<MenuEntry> &entries) = 0;

 protected:
  using Control::Control;
};

}  // namespace vf::ui

// The list view of the Win32 window: the real common control in report view
// with owner data, so that its rows live here (ReportRows) and the control
// asks for the texts of the rows it shows, for their icons, tips and fonts,
// and for the state of their check boxes, which it does not keep itself. A
// click, a move by the list's own keys, a click on a heading, the context menu
// and a check box toggled (a click on it, the space bar) reach the dialog's
// handler; the marked row keeps the highlight colour without the focus; column
// widths and the icon follow the DPI.
#pragma once

#include "ui/window/list_view.h"
#include "ui/window/report_rows.h"
#include "ui/window/win32/win32_control.h"

namespace vf::ui::win32 {

class Win32ListView final : public Win32Control<ListView> {
 public:
  // Made once the dialog's window exists: it takes the list's keys from then on.
  Win32ListView(int id, Win32DialogWindow &dialog);

  int InsertColumn(int index, const ListColumn &column) override;
  int ColumnCount() const override;
  std::string ColumnHeading(int column) const override;
  int ColumnWidth(int column) const override;
  void SetFullRowSelect(bool fullRow) override;
  bool IsFullRowSelect() const override;
  void SetFindColumn(int column) override;
  void DeleteAllItems() override;
  int InsertItem(int row, std::string_view text) override;
  bool SetItemText(int row, int column, std::string_view text) override;
  std::string ItemText(int row, int column) const override;
  void SetSuppliedItems(int count, CellText text) override;
  int ItemCount() const override;
  void SetCheckBoxes(bool on) override;
  bool HasCheckBoxes() const override;
  bool IsItemChecked(int row) const override;
  bool SetItemChecked(int row, bool checked) override;
  int SelectionMark() const override;
  int SetSelectionMark(int row) override;
  void SetSortIndicator(int column, SortIndicator indicator) override;
  void SetRowLook(RowLookOf look) override;
  int ShowContextMenu(const std::vector<MenuEntry> &entries) override;

  bool OnNotify(tagNMHDR &header, std::intptr_t &result) override;
  bool OnContextMenu(int x, int y) override;
  void OnDpiChanged(unsigned oldDpi, unsigned dpi) override;
  void OnDestroy() override;

  // The list's own keys (win32_list_view.cpp).
  struct Keys;

 private:
  // The control shows the rows anew, none of them marked.
  void ShowRowsAnew();
  // The row whose find column begins with `wanted` from `start` on (round
  // to the top with `wrap`); -1 for none.
  int FindRow(const std::wstring &wanted, int start, bool wrap) const;
  // The user's toggle of a row's box, reported.
  void ToggleCheck(int row);

  // The warning icon of the rows, at the DPI's small icon size.
  void MakeRowIcons();
  // The bold font of the list's font of now (HFONT), made when first asked.
  void *BoldFont();
  // The click of the right button: marks the row as a left click does, then
  // the menu.
  bool OnRightClick(int row);

  ReportRows m_rows;
  int m_findColumn = 0;
  void *m_rowIcons = nullptr;  // HIMAGELIST
  void *m_boldFont = nullptr;  // HFONT
  void *m_boldOf = nullptr;    // The HFONT it was made from.
  int m_menuX = 0;             // Where the menu opens, on the screen.
  int m_menuY = 0;
  bool m_checkBoxes = false;
};

}  // namespace vf::ui::win32

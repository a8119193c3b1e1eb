#include "ui/window/win32/win32_list_view.h"

#include <algorithm>

#include "platform/windows_text.h"
#include "ui/window/dialog_template.h"
#include "ui/window/translation.h"
#include "ui/window/win32/dpi_win32.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>
// The common controls build on the declarations above.
#include <commctrl.h>

namespace vf::ui::win32 {
namespace {

HWND H(void *window) {
  return static_cast<HWND>(window);
}

// The subclass of the list that sees its keys.
constexpr UINT_PTR kKeysSubclass = 1;

// The selected row keeps the colours it has while the list has the focus. Without the focus the
// list draws it in the colour of a button's face, next to invisible on the list's white: while
// typing into another control, the user could not see which row the dialog acts on. A bold row is
// drawn in `bold`, which the caller makes only when it is asked for.
template <typename BoldFont>
LRESULT DrawRow(NMLVCUSTOMDRAW &draw, const ReportRows &rows, BoldFont bold) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  LRESULT result = CDRF_DODEFAULT;
  if (rows.Look(static_cast<int>(draw.nmcd.dwItemSpec)).bold) {
    SelectObject(draw.nmcd.hdc, static_cast<HFONT>(bold()));
    result = CDRF_NEWFONT;
  }
  HWND list = draw.nmcd.hdr.hwndFrom;
  // Some versions of the control pass an unreliable state here: the list's own is read.
  const bool selected = (SendMessageW(list, LVM_GETITEMSTATE, draw.nmcd.dwItemSpec, LVIS_SELECTED) &
                         LVIS_SELECTED) != 0;
  if (!selected || GetFocus() == list) return result;
  draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
  draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
  return CDRF_NEWFONT;
}

// `text` into a buffer of `size` characters the control gives, cut to fit.
void CopyToBuffer(const std::wstring &text, wchar_t *buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  const std::size_t length = std::min(text.size(), static_cast<std::size_t>(size) - 1);
  std::copy_n(text.data(), length, buffer);
  buffer[length] = L'\0';
}

// A cell's text into the buffer the control gives.
void CopyCellText(const std::wstring &text, LVITEMW &item) {
  if ((item.mask & LVIF_TEXT) != 0) CopyToBuffer(text, item.pszText, item.cchTextMax);
}

// Where a screen point of a message lies.
POINT PointOf(DWORD position) {
  return {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

}  // namespace

struct Win32ListView::Keys {
  static LRESULT CALLBACK Proc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
    if (message != WM_KEYDOWN && message != WM_CHAR) {
      return DefSubclassProc(list, message, wParam, lParam);
    }
    // The list's own keys move its focus and selection; the mark follows them,
    // and a move is reported, so the panel shows the row the user sees marked.
    auto &self = *reinterpret_cast<Win32ListView *>(data);
    // The space bar toggles the marked row's box; an owner-data list keeps no
    // check state to toggle itself.
    if (wParam == VK_SPACE && self.HasCheckBoxes()) {
      if (message == WM_KEYDOWN) self.ToggleCheck(self.SelectionMark());
      return 0;
    }
    const int before = self.SelectionMark();
    // With no row focused, Down goes to the first row; Up stays put in some
    // versions of the control. Both go to the first row, where the dialog's
    // own key rule puts the panel.
    const bool noFocus =
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) < 0;
    const bool firstRow = message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN) &&
                          noFocus && self.ItemCount() > 0;
    const LRESULT result = firstRow ? 0 : DefSubclassProc(list, message, wParam, lParam);
    if (firstRow) self.SetSelectionMark(0);
    const int selected = static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (selected >= 0 && selected != self.SelectionMark()) self.SetSelectionMark(selected);
    const int after = self.SelectionMark();
    if (after >= 0 && after != before) self.Dialog().Handler().OnListKeyMoved(self.Id(), after);
    return result;
  }
};

Win32ListView::Win32ListView(int id, Win32DialogWindow &dialog) : Win32Control(id, dialog) {
  HWND list = H(Handle());
  SetWindowSubclass(list, Keys::Proc, kKeysSubclass, reinterpret_cast<DWORD_PTR>(this));
  // The icons are this object's to free, whichever of the two goes first.
  SetWindowLongW(list, GWL_STYLE, GetWindowLongW(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
}

void Win32ListView::OnDestroy() {
  HWND list = H(Handle());
  RemoveWindowSubclass(list, Keys::Proc, kKeysSubclass);
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
  if (m_rowIcons != nullptr) ImageList_Destroy(static_cast<HIMAGELIST>(m_rowIcons));
  if (m_boldFont != nullptr) DeleteObject(static_cast<HFONT>(m_boldFont));
  m_rowIcons = nullptr;
  m_boldFont = nullptr;
  m_boldOf = nullptr;
}

// --- Columns -----------------------------------------------------------------------

int Win32ListView::InsertColumn(int index, const ListColumn &column) {
  HWND list = H(Handle());
  if (list == nullptr ||
      m_rows.InsertColumn(index, std::string(column.heading), column.rightAligned) < 0) {
    return -1;
  }
  std::wstring text = platform::WideFromUtf8(column.heading);
  LVCOLUMNW inserted{};
  inserted.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  inserted.fmt = column.rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
  inserted.cx = ScaledPixels(column.widthPx, Dialog().Dpi());
  inserted.pszText = text.data();
  inserted.iSubItem = index;
  return static_cast<int>(SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                                       reinterpret_cast<LPARAM>(&inserted)));
}

int Win32ListView::ColumnCount() const {
  return m_rows.ColumnCount();
}

std::string Win32ListView::ColumnHeading(int column) const {
  HWND list = H(Handle());
  if (list == nullptr || column < 0 || column >= ColumnCount()) return {};
  wchar_t text[256] = {};
  LVCOLUMNW item{};
  item.mask = LVCF_TEXT;
  item.pszText = text;
  item.cchTextMax = 256;
  SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
  return platform::Utf8FromWide(text);
}

int Win32ListView::ColumnWidth(int column) const {
  HWND list = H(Handle());
  if (list == nullptr || column < 0 || column >= ColumnCount()) return 0;
  return LayerPixels(
      static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)),
      Dialog().Dpi());
}

void Win32ListView::OnDpiChanged(unsigned oldDpi, unsigned dpi) {
  HWND list = H(Handle());
  if (m_rowIcons != nullptr) MakeRowIcons();
  for (int column = 0; column < ColumnCount(); ++column) {
    const auto width = SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                 MulDiv(static_cast<int>(width), static_cast<int>(dpi), static_cast<int>(oldDpi)));
  }
}

// --- How it selects and finds --------------------------------------------------------

void Win32ListView::SetFullRowSelect(bool fullRow) {
  SendMessageW(H(Handle()), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
               fullRow ? LVS_EX_FULLROWSELECT : 0);
}

bool Win32ListView::IsFullRowSelect() const {
  return (SendMessageW(H(Handle()), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT) !=
         0;
}

void Win32ListView::SetFindColumn(int column) {
  m_findColumn = column;
}

void Win32ListView::SetSortIndicator(int column, SortIndicator indicator) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(H(Handle()), LVM_GETHEADER, 0, 0));
  if (header == nullptr) return;
  for (int index = 0; index < ColumnCount(); ++index) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    if (SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item)) == FALSE) {
      continue;
    }
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (index == column && indicator == SortIndicator::Ascending) item.fmt |= HDF_SORTUP;
    if (index == column && indicator == SortIndicator::Descending) item.fmt |= HDF_SORTDOWN;
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
}

void Win32ListView::SetRowLook(RowLookOf look) {
  HWND list = H(Handle());
  m_rows.SetLook(std::move(look));
  // The rows' tips come from LVN_GETINFOTIP; the icon from an image list of one.
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
  if (m_rowIcons == nullptr) MakeRowIcons();
  InvalidateRect(list, nullptr, TRUE);
}

void Win32ListView::MakeRowIcons() {
  const int side = SystemMetric(SM_CXSMICON, Dialog().Dpi());
  HIMAGELIST icons = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 1, 1);
  // The system's own icon: shared, never destroyed here.
  HICON warning = static_cast<HICON>(
      LoadImageW(nullptr, MAKEINTRESOURCEW(kSystemWarningIcon), IMAGE_ICON, side, side, LR_SHARED));
  if (icons != nullptr && warning != nullptr) ImageList_AddIcon(icons, warning);
  SendMessageW(H(Handle()), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons));
  if (m_rowIcons != nullptr) ImageList_Destroy(static_cast<HIMAGELIST>(m_rowIcons));
  m_rowIcons = icons;
}

void *Win32ListView::BoldFont() {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(H(Handle()), WM_GETFONT, 0, 0));
  if (m_boldFont != nullptr && m_boldOf == font) return m_boldFont;
  LOGFONTW shape{};
  if (font == nullptr || GetObjectW(font, sizeof shape, &shape) == 0) return font;
  shape.lfWeight = FW_BOLD;
  if (m_boldFont != nullptr) DeleteObject(static_cast<HFONT>(m_boldFont));
  m_boldFont = CreateFontIndirectW(&shape);
  m_boldOf = font;
  return m_boldFont;
}

int Win32ListView::FindRow(const std::wstring &wanted, int start, bool wrap) const {
  const int count = m_rows.RowCount();
  start = std::clamp(start, 0, std::max(count - 1, 0));
  for (int step = 0; step < count; ++step) {
    const int row = (start + step) % count;
    if (row < start && !wrap) break;
    const std::wstring text = platform::WideFromUtf8(m_rows.Text(row, m_findColumn));
    if (text.size() >= wanted.size() &&
        CompareStringOrdinal(text.c_str(), static_cast<int>(wanted.size()), wanted.c_str(),
                             static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL) {
      return row;
    }
  }
  return -1;
}

// --- Rows --------------------------------------------------------------------------

void Win32ListView::ShowRowsAnew() {
  HWND list = H(Handle());
  SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(m_rows.RowCount()), 0);
  SetSelectionMark(-1);
  InvalidateRect(list, nullptr, TRUE);
}

void Win32ListView::DeleteAllItems() {
  m_rows.RemoveAllRows();
  ShowRowsAnew();
}

int Win32ListView::InsertItem(int row, std::string_view text) {
  HWND list = H(Handle());
  if (list == nullptr) return -1;
  const int mark = SelectionMark();
  const int inserted = m_rows.InsertRow(row, std::string(text));
  if (inserted < 0) return -1;
  SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(m_rows.RowCount()), LVSICF_NOSCROLL);
  // The marked row keeps its mark where the new row pushes it down.
  SetSelectionMark(mark >= inserted ? mark + 1 : mark);
  InvalidateRect(list, nullptr, TRUE);
  return inserted;
}

bool Win32ListView::SetItemText(int row, int column, std::string_view text) {
  if (!m_rows.SetText(row, column, std::string(text))) return false;
  SendMessageW(H(Handle()), LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
  return true;
}

std::string Win32ListView::ItemText(int row, int column) const {
  return m_rows.Text(row, column);
}

void Win32ListView::SetSuppliedItems(int count, CellText text) {
  m_rows.SetSuppliedRows(count, std::move(text));
  ShowRowsAnew();
}

int Win32ListView::ItemCount() const {
  return static_cast<int>(SendMessageW(H(Handle()), LVM_GETITEMCOUNT, 0, 0));
}

// --- Check boxes ------------------------------------------------------------------

void Win32ListView::SetCheckBoxes(bool on) {
  HWND list = H(Handle());
  m_checkBoxes = on;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, on ? LVS_EX_CHECKBOXES : 0);
  // The control asks for every row's box as it draws it (LVN_GETDISPINFOW).
  SendMessageW(list, LVM_SETCALLBACKMASK, on ? LVIS_STATEIMAGEMASK : 0, 0);
  InvalidateRect(list, nullptr, TRUE);
}

bool Win32ListView::HasCheckBoxes() const {
  return m_checkBoxes;
}

bool Win32ListView::IsItemChecked(int row) const {
  return m_rows.IsChecked(row);
}

bool Win32ListView::SetItemChecked(int row, bool checked) {
  if (!m_rows.SetChecked(row, checked)) return false;
  SendMessageW(H(Handle()), LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
  return true;
}

void Win32ListView::ToggleCheck(int row) {
  if (SetItemChecked(row, !IsItemChecked(row))) Dialog().Handler().OnListCheckChanged(Id(), row);
}

// --- Selection ---------------------------------------------------------------------

int Win32ListView::SelectionMark() const {
  HWND list = H(Handle());
  return list != nullptr ? static_cast<int>(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0)) : -1;
}

int Win32ListView::SetSelectionMark(int row) {
  HWND list = H(Handle());
  if (list == nullptr) return -1;
  const int previous = SelectionMark();
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  if (row >= 0 && row < ItemCount()) {
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
  SendMessageW(list, LVM_SETSELECTIONMARK, 0, row);
  return previous;
}

// --- Context menu ------------------------------------------------------------------

int Win32ListView::ShowContextMenu(const std::vector<MenuEntry> &entries) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return 0;
  for (const MenuEntry &entry : entries) {
    if (entry.commandId == 0) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    AppendMenuW(menu, MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED),
                static_cast<UINT_PTR>(entry.commandId),
                platform::WideFromUtf8(Translated(entry.text)).c_str());
  }
  const BOOL chosen = TrackPopupMenuEx(
      menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, m_menuX,
      m_menuY, static_cast<HWND>(Dialog().NativeHandle()), nullptr);
  DestroyMenu(menu);
  return static_cast<int>(chosen);
}

bool Win32ListView::OnRightClick(int row) {
  const POINT at = PointOf(GetMessagePos());
  m_menuX = at.x;
  m_menuY = at.y;
  SetSelectionMark(row);
  Dialog().Handler().OnListClick(Id(), row);
  Dialog().Handler().OnListContextMenu(Id(), SelectionMark());
  return true;
}

bool Win32ListView::OnContextMenu(int x, int y) {
  if (x != -1 || y != -1) {
    // Over the headings: the menu of the marked row where the pointer is.
    m_menuX = x;
    m_menuY = y;
  } else {
    // From the keyboard: below the marked row, or at the top of the rows.
    HWND list = H(Handle());
    RECT rect{};
    const int mark = SelectionMark();
    rect.left = LVIR_BOUNDS;
    if (mark < 0 || SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(mark),
                                 reinterpret_cast<LPARAM>(&rect)) == FALSE) {
      rect = RECT{};
    }
    POINT at{rect.left, rect.bottom};
    ClientToScreen(list, &at);
    m_menuX = at.x;
    m_menuY = at.y;
  }
  Dialog().Handler().OnListContextMenu(Id(), SelectionMark());
  return true;
}

// --- Notifications -----------------------------------------------------------------

bool Win32ListView::OnNotify(NMHDR &header, std::intptr_t &result) {
  // The control hands its structures over to be filled in.
  switch (header.code) {
    case NM_CLICK: {
      const auto &click = reinterpret_cast<NMITEMACTIVATE &>(header);
      if (HasCheckBoxes() && click.iItem >= 0) {
        LVHITTESTINFO hit{};
        hit.pt = click.ptAction;
        SendMessageW(header.hwndFrom, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if ((hit.flags & LVHT_ONITEMSTATEICON) != 0 && hit.iItem == click.iItem) {
          ToggleCheck(click.iItem);
        }
      }
      Dialog().Handler().OnListClick(Id(), click.iItem);
      result = 0;
      return true;
    }
    case NM_RCLICK:
      // Nonzero: the menu is shown already, the list sends no WM_CONTEXTMENU.
      result = OnRightClick(reinterpret_cast<NMITEMACTIVATE &>(header).iItem) ? 1 : 0;
      return true;
    case LVN_COLUMNCLICK:
      Dialog().Handler().OnListHeaderClick(Id(), reinterpret_cast<NMLISTVIEW &>(header).iSubItem);
      result = 0;
      return true;
    case NM_CUSTOMDRAW:
      result = DrawRow(reinterpret_cast<NMLVCUSTOMDRAW &>(header), m_rows,
                       [this] { return BoldFont(); });
      return true;
    case LVN_GETDISPINFOW: {
      LVITEMW &item = reinterpret_cast<NMLVDISPINFOW &>(header).item;
      CopyCellText(platform::WideFromUtf8(m_rows.Text(item.iItem, item.iSubItem)), item);
      if ((item.mask & LVIF_STATE) != 0 && item.iSubItem == 0 && HasCheckBoxes()) {
        // State image 1 is the empty box, 2 the ticked one.
        item.state = INDEXTOSTATEIMAGEMASK(m_rows.IsChecked(item.iItem) ? 2 : 1);
        item.stateMask = LVIS_STATEIMAGEMASK;
      }
      if ((item.mask & LVIF_IMAGE) != 0 && item.iSubItem == 0) {
        item.iImage = m_rowIcons != nullptr && m_rows.Look(item.iItem).warning ? 0 : I_IMAGENONE;
      }
      result = 0;
      return true;
    }
    case LVN_GETINFOTIPW: {
      auto &tip = reinterpret_cast<NMLVGETINFOTIPW &>(header);
      const std::string text = m_rows.Look(tip.iItem).toolTip;
      if (!text.empty()) CopyToBuffer(platform::WideFromUtf8(text), tip.pszText, tip.cchTextMax);
      result = 0;
      return true;
    }
    case LVN_ODFINDITEMW: {
      // Typed letters: the next row whose find column begins with them.
      const auto &find = reinterpret_cast<const NMLVFINDITEMW &>(header);
      const bool byText = (find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) != 0;
      result = byText && find.lvfi.psz != nullptr
                   ? FindRow(find.lvfi.psz, find.iStart, (find.lvfi.flags & LVFI_WRAP) != 0)
                   : -1;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace vf::ui::win32

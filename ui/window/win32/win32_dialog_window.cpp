#include "ui/window/win32/win32_dialog_window.h"

#include <algorithm>

#include "platform/windows_text.h"
#include "ui/window/win32/dialog_template_win32.h"
#include "ui/window/win32/dpi_win32.h"
#include "ui/window/window_thread.h"

// Last: the window system's macros (IDOK, MB_OK, ...) would clash with the names of
// ui/window/command_ids.h and ui/window/message_box.h above.
#include <windows.h>
// The common controls build on the declarations above.
#include <commctrl.h>

#include "ui/window/win32/win32_controls.h"

namespace vf::ui {

std::unique_ptr<DialogWindow> CreateDialogWindow(const DialogTemplate &dialogTemplate,
                                                 DialogHandler &handler) {
  return std::make_unique<win32::Win32DialogWindow>(dialogTemplate, handler);
}

namespace win32 {
namespace {

// Wakes the window to run what other threads sent or posted.
constexpr UINT kWakeMessage = WM_APP + 1;
// Lays the labels out again once the dialog manager has laid the dialog out for a new DPI.
constexpr UINT kRefitLabelsMessage = WM_APP + 2;
// The dialog manager numbers its own messages from WM_USER too (DM_SETDEFID is
// WM_USER + 1, the number of the restart message): those posted by
// PostUserMessage carry this mark, so that they are told apart.
constexpr LPARAM kUserMessageMark = 0x56465553;

HWND H(void *window) {
  return static_cast<HWND>(window);
}

std::wstring W(std::string_view text) {
  return platform::WideFromUtf8(text);
}

std::string U(const std::wstring &text) {
  return platform::Utf8FromWide(text);
}

void EnsureCommonControls() {
  static const bool ready = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_INTERNET_CLASSES |
                                                       ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS |
                                                       ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)ready;
}

// A field of dotted text as the IP address control takes it: 0 to 255 (more
// is cut to 255), or blank (-1) when missing or not a number.
std::vector<int> AddressParts(std::string_view dotted) {
  std::vector<int> parts(4, -1);
  std::size_t start = 0;
  for (int i = 0; i < 4 && start <= dotted.size(); ++i) {
    const std::size_t end = std::min(dotted.find('.', start), dotted.size());
    std::string_view part = dotted.substr(start, end - start);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    const bool digits =
        !part.empty() && part.size() <= 9 &&
        std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits) parts[static_cast<std::size_t>(i)] = std::min(std::stoi(std::string(part)), 255);
    if (end == dotted.size()) break;
    start = end + 1;
  }
  return parts;
}

// Lays a label out on one line: left-aligned ones grow to the right when
// their text is wider than their rectangle (the dialog font's glyphs are a
// pixel wider here and there than the template's were made for), and
// right-aligned ones are drawn left-aligned at their text's width from their
// right edge (kept in GWLP_USERDATA), since some versions of the control
// push a right-aligned text's last characters out of its rectangle.
void FitLabel(HWND label) {
  if (!IsClass(label, L"Static")) return;
  const LONG style = GetWindowLongW(label, GWL_STYLE);
  const LONG kind = style & SS_TYPEMASK;
  const LONG_PTR rightEdge = GetWindowLongPtrW(label, GWLP_USERDATA);
  const bool right = kind == SS_RIGHT || rightEdge != 0;
  if (!right && kind != SS_LEFT && kind != SS_LEFTNOWORDWRAP) return;
  const std::wstring text = WideTextOf(label);
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
  RECT needed{};
  const UINT format = DT_CALCRECT | DT_SINGLELINE | ((style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0);
  DrawTextW(dc, text.c_str(), -1, &needed, format);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  RECT rect{};
  GetWindowRect(label, &rect);
  MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT *>(&rect), 2);
  if (right) {
    if (rightEdge == 0) SetWindowLongPtrW(label, GWLP_USERDATA, rect.right);
    rect.right = rightEdge != 0 ? static_cast<LONG>(rightEdge) : rect.right;
    rect.left = rect.right - needed.right - 1;
    SetWindowLongW(label, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_LEFTNOWORDWRAP);
  } else if (needed.right > rect.right - rect.left) {
    rect.right = rect.left + needed.right;
  } else {
    return;
  }
  MoveWindow(label, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  InvalidateRect(label, nullptr, TRUE);
}

// A one-line edit draws nothing for a line break or another control character, so two addresses
// joined by "\r\n" would read as one ("10.77.0.110.77.9.1"): each is shown as a space, as the Qt
// window shows it.
std::wstring OneLineText(std::wstring text) {
  for (wchar_t &c : text) {
    if ((c < 0x20 && c != L'\t') || c == 0x2028 || c == 0x2029) c = L' ';
  }
  return text;
}

bool IsOneLineEdit(HWND control) {
  return IsClass(control, L"Edit") && (GetWindowLongW(control, GWL_STYLE) & ES_MULTILINE) == 0;
}

// The selected row keeps the colours it has while the list has the focus. Without the focus the
// list draws it in the colour of a button's face, next to invisible on the list's white: while
// typing an address or a password, the user could not see which camera Update acts on.
LRESULT DrawListRow(NMLVCUSTOMDRAW &draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  HWND list = draw.nmcd.hdr.hwndFrom;
  // Some versions of the control pass an unreliable state here: the list's own is read.
  const bool selected = (SendMessageW(list, LVM_GETITEMSTATE, draw.nmcd.dwItemSpec, LVIS_SELECTED) &
                         LVIS_SELECTED) != 0;
  if (!selected || GetFocus() == list) return CDRF_DODEFAULT;
  draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
  draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
  return CDRF_NEWFONT;
}

// Every dialog of this thread, for the key hook, and the hook itself while
// any is open.
struct ThreadDialogs {
  HHOOK hook = nullptr;
  std::map<HWND, Win32DialogWindow *> open;
};
thread_local ThreadDialogs t_dialogs;

}  // namespace

// The window procedure's side of the dialog: it reaches the private members.
struct Win32DialogWindow::Native {
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK KeyHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);

  static void Attach(Win32DialogWindow &self, HWND hwnd);
  static void Detach(Win32DialogWindow &self);
  static INT_PTR Command(Win32DialogWindow &self, int id, int code, HWND control);
  static INT_PTR Notify(Win32DialogWindow &self, NMHDR *header);
  static void DpiChanged(Win32DialogWindow &self, UINT dpi);
  static void RequestClose(Win32DialogWindow &self) {
    if (self.m_handler.OnCloseRequest()) self.EndDialog(IDCANCEL);
  }
  static INT_PTR Result(HWND hwnd, LONG_PTR result) {
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
  }
  // The template as the dialog manager reads it while it makes the dialog.
  static LPCDLGTEMPLATEW Template(Win32DialogWindow &self) {
    EnsureCommonControls();
    self.m_templateData = BuildDialogTemplate(self.m_template);
    return reinterpret_cast<LPCDLGTEMPLATEW>(self.m_templateData.data());
  }
};

void Win32DialogWindow::Native::Attach(Win32DialogWindow &self, HWND hwnd) {
  self.m_hwnd = hwnd;
  SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(&self));
  self.m_thread =
      std::make_unique<WindowThread>(&self, [hwnd] { PostMessageW(hwnd, kWakeMessage, 0, 0); });
  for (const ControlSpec &control : self.m_template.controls) {
    if (control.cls != ControlClass::kListView) continue;
    self.m_lists[control.id];
    SetWindowSubclass(GetDlgItem(hwnd, control.id), ListProc, static_cast<UINT_PTR>(control.id),
                      reinterpret_cast<DWORD_PTR>(&self));
  }
  for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    FitLabel(child);
  }
  self.m_dpi = WindowDpi(hwnd);
  t_dialogs.open[hwnd] = &self;
  if (t_dialogs.hook == nullptr) {
    t_dialogs.hook = SetWindowsHookExW(WH_MSGFILTER, KeyHook, nullptr, GetCurrentThreadId());
  }
  self.m_handler.OnInitDialog();
}

void Win32DialogWindow::Native::Detach(Win32DialogWindow &self) {
  HWND hwnd = H(self.m_hwnd);
  if (!self.m_destroyed) {
    self.m_destroyed = true;
    self.m_handler.OnDestroy();
    self.m_thread->BeginClosing();
  }
  for (int id : self.m_timers) ::KillTimer(hwnd, static_cast<UINT_PTR>(id));
  self.m_timers.clear();
  for (const auto &[id, rows] : self.m_lists) {
    RemoveWindowSubclass(GetDlgItem(hwnd, id), ListProc, static_cast<UINT_PTR>(id));
  }
  t_dialogs.open.erase(hwnd);
  if (t_dialogs.open.empty() && t_dialogs.hook != nullptr) {
    UnhookWindowsHookEx(t_dialogs.hook);
    t_dialogs.hook = nullptr;
  }
}

INT_PTR CALLBACK Win32DialogWindow::Native::DialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                                       LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    Attach(*reinterpret_cast<Win32DialogWindow *>(lParam), hwnd);
    return TRUE;
  }
  auto *self = reinterpret_cast<Win32DialogWindow *>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case kWakeMessage:
      self->m_thread->Channel()->Drain();
      return TRUE;
    case WM_COMMAND:
      return Command(*self, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
      return Notify(*self, reinterpret_cast<NMHDR *>(lParam));
    case WM_TIMER:
      if (self->m_timers.count(static_cast<int>(wParam)) != 0) {
        self->m_handler.OnTimer(static_cast<int>(wParam));
      }
      return TRUE;
    case WM_CLOSE:
      RequestClose(*self);
      return TRUE;
    case WM_DPICHANGED:
      DpiChanged(*self, LOWORD(wParam));
      return FALSE;  // The dialog manager lays the dialog and its font out anew.
    case kRefitLabelsMessage:
      for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
           child = GetWindow(child, GW_HWNDNEXT)) {
        FitLabel(child);
      }
      return TRUE;
    case WM_SYSCOMMAND:
      return self->m_handler.OnSysCommand(static_cast<unsigned>(wParam)) ? Result(hwnd, 0) : FALSE;
    case WM_DESTROY:
      Detach(*self);
      return FALSE;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, DWLP_USER, 0);
      self->m_hwnd = nullptr;
      return FALSE;
    default:
      break;
  }
  if (message >= WM_USER && message < WM_APP && lParam == kUserMessageMark) {
    self->m_handler.OnUserMessage(message - WM_USER);
    return TRUE;
  }
  return FALSE;
}

INT_PTR Win32DialogWindow::Native::Command(Win32DialogWindow &self, int id, int code,
                                           HWND control) {
  // The dialog's cancel (Escape, were it not consumed) or its OK without such
  // a button (Enter): only a cancel means anything, a close request.
  if (control == nullptr || (id == IDCANCEL && GetDlgItem(H(self.m_hwnd), IDCANCEL) == nullptr)) {
    if (id == IDCANCEL) RequestClose(self);
    return TRUE;
  }
  if (code == BN_CLICKED && IsClass(control, L"Button")) {
    self.m_handler.OnCommand(id);
    return TRUE;
  }
  if (code == CBN_SELCHANGE && IsClass(control, WC_COMBOBOXW)) {
    self.m_handler.OnComboSelChange(id);
    return TRUE;
  }
  return FALSE;
}

INT_PTR Win32DialogWindow::Native::Notify(Win32DialogWindow &self, NMHDR *header) {
  HWND hwnd = H(self.m_hwnd);
  const int id = static_cast<int>(header->idFrom);
  ListRows *list = self.Rows(id);
  if (list != nullptr) {
    switch (header->code) {
      case NM_CLICK:
        self.m_handler.OnListClick(id, reinterpret_cast<NMITEMACTIVATE *>(header)->iItem);
        return Result(hwnd, 0);
      case NM_CUSTOMDRAW:
        return Result(hwnd, DrawListRow(*reinterpret_cast<NMLVCUSTOMDRAW *>(header)));
      case LVN_GETDISPINFOW: {
        LVITEMW &item = reinterpret_cast<NMLVDISPINFOW *>(header)->item;
        if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
          const std::wstring text = W(list->rows.Text(item.iItem, item.iSubItem));
          const std::size_t length =
              std::min(text.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
          std::copy_n(text.data(), length, item.pszText);
          item.pszText[length] = L'\0';
        }
        return Result(hwnd, 0);
      }
      case LVN_ODFINDITEMW: {
        // Typed letters: the next row whose find column begins with them.
        const auto *find = reinterpret_cast<NMLVFINDITEMW *>(header);
        if ((find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find->lvfi.psz == nullptr) {
          return Result(hwnd, -1);
        }
        const std::wstring wanted = find->lvfi.psz;
        const int count = list->rows.RowCount();
        const int start = std::clamp(find->iStart, 0, std::max(count - 1, 0));
        for (int step = 0; step < count; ++step) {
          const int row = (start + step) % count;
          if (row < start && (find->lvfi.flags & LVFI_WRAP) == 0) break;
          const std::wstring text = W(list->rows.Text(row, list->findColumn));
          if (text.size() >= wanted.size() &&
              CompareStringOrdinal(text.c_str(), static_cast<int>(wanted.size()), wanted.c_str(),
                                   static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL) {
            return Result(hwnd, row);
          }
        }
        return Result(hwnd, -1);
      }
      default:
        return FALSE;
    }
  }
  if (header->code == UDN_DELTAPOS) {
    self.m_handler.OnUpDownDelta(id, reinterpret_cast<NMUPDOWN *>(header)->iDelta);
    return Result(hwnd, TRUE);  // The control changes nothing by itself.
  }
  return FALSE;
}

// What the window sized in pixels itself follows the new DPI; the dialog manager does the rest
// (with per-monitor awareness of version 2).
void Win32DialogWindow::Native::DpiChanged(Win32DialogWindow &self, UINT dpi) {
  const UINT old = self.m_dpi;
  if (dpi == 0 || dpi == old) return;
  self.m_dpi = dpi;
  HWND hwnd = H(self.m_hwnd);
  const auto scale = [&](LONG_PTR pixels) {
    return MulDiv(static_cast<int>(pixels), static_cast<int>(dpi), static_cast<int>(old));
  };
  for (const auto &[id, list] : self.m_lists) {
    HWND control = GetDlgItem(hwnd, id);
    for (int column = 0; column < list.rows.ColumnCount(); ++column) {
      const auto width = SendMessageW(control, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0);
      SendMessageW(control, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), scale(width));
    }
  }
  // The right edges that FitLabel keeps.
  for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG_PTR edge = IsClass(child, L"Static") ? GetWindowLongPtrW(child, GWLP_USERDATA) : 0;
    if (edge != 0) SetWindowLongPtrW(child, GWLP_USERDATA, scale(edge));
  }
  if (self.m_iconId != 0) self.SetIcon(self.m_iconId);
  PostMessageW(hwnd, kRefitLabelsMessage, 0, 0);
}

LRESULT CALLBACK Win32DialogWindow::Native::KeyHook(int code, WPARAM wParam, LPARAM lParam) {
  // MSGF_DIALOGBOX: a message of a dialog's loop, before IsDialogMessage and
  // its dispatch. Keys while no control has the focus come as "system" keys
  // without Alt, and count as well.
  const auto *msg = reinterpret_cast<const MSG *>(lParam);
  const bool key =
      msg != nullptr && (msg->message == WM_KEYDOWN ||
                         (msg->message == WM_SYSKEYDOWN && (msg->lParam & (1 << 29)) == 0));
  if (code == MSGF_DIALOGBOX && key) {
    HWND root = GetAncestor(msg->hwnd, GA_ROOT);
    const auto found = t_dialogs.open.find(root);
    if (found != t_dialogs.open.end()) {
      int controlId = 0;
      for (HWND window = msg->hwnd; window != nullptr && window != root;
           window = GetParent(window)) {
        if (GetParent(window) == root) controlId = GetDlgCtrlID(window);
      }
      if (found->second->m_handler.OnKeyDown(controlId, static_cast<int>(msg->wParam))) return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK Win32DialogWindow::Native::ListProc(HWND list, UINT message, WPARAM wParam,
                                                     LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
  if (message != WM_KEYDOWN && message != WM_CHAR) {
    return DefSubclassProc(list, message, wParam, lParam);
  }
  // The list's own keys move its focus and selection; the mark follows them,
  // and a move is reported, so the panel shows the row the user sees marked.
  auto &self = *reinterpret_cast<Win32DialogWindow *>(data);
  const int listId = static_cast<int>(id);
  const int before = self.SelectionMark(listId);
  // With no row focused, Down goes to the first row; Up stays put in some
  // versions of the control. Both go to the first row, where the dialog's
  // own key rule puts the panel.
  const bool noFocus =
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) < 0;
  const bool firstRow = message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN) &&
                        noFocus && self.ItemCount(listId) > 0;
  const LRESULT result = firstRow ? 0 : DefSubclassProc(list, message, wParam, lParam);
  if (firstRow) self.SetSelectionMark(listId, 0);
  const int selected =
      static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (selected >= 0 && selected != self.SelectionMark(listId)) {
    self.SetSelectionMark(listId, selected);
  }
  const int after = self.SelectionMark(listId);
  if (after >= 0 && after != before) self.m_handler.OnListKeyMoved(listId, after);
  return result;
}

// --- Win32DialogWindow -------------------------------------------------------

Win32DialogWindow::Win32DialogWindow(const DialogTemplate &dialogTemplate, DialogHandler &handler)
    : m_template(dialogTemplate), m_handler(handler) {}

Win32DialogWindow::~Win32DialogWindow() {
  if (m_hwnd != nullptr) DestroyWindow(H(m_hwnd));
  if (m_bigIcon != nullptr) DestroyIcon(static_cast<HICON>(m_bigIcon));
  if (m_smallIcon != nullptr) DestroyIcon(static_cast<HICON>(m_smallIcon));
}

bool Win32DialogWindow::Create() {
  if (m_hwnd != nullptr || m_destroyed) return false;
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), Native::Template(*this), nullptr,
                                    Native::DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

int Win32DialogWindow::RunModal() {
  if (m_hwnd == nullptr && !m_destroyed) {
    m_inDialogBox = true;
    const INT_PTR result =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), Native::Template(*this), nullptr,
                                Native::DialogProc, reinterpret_cast<LPARAM>(this));
    m_inDialogBox = false;
    return result == -1 ? 0 : static_cast<int>(result);
  }
  if (m_hwnd == nullptr || m_ended) return m_result;
  // Made already (Create): shown and run here until it ends.
  HWND hwnd = H(m_hwnd);
  ShowWindow(hwnd, SW_SHOW);
  m_inOwnLoop = true;
  MSG msg;
  while (!m_ended && m_hwnd != nullptr) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsDialogMessageW(hwnd, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  m_inOwnLoop = false;
  if (m_hwnd != nullptr) ShowWindow(hwnd, SW_HIDE);
  return m_result;
}

void Win32DialogWindow::EndDialog(int result) {
  m_ended = true;
  m_result = result;
  if (m_hwnd == nullptr) return;
  if (m_inDialogBox) {
    ::EndDialog(H(m_hwnd), result);
  } else if (m_inOwnLoop) {
    PostMessageW(H(m_hwnd), WM_NULL, 0, 0);
  } else {
    ShowWindow(H(m_hwnd), SW_HIDE);
  }
}

void Win32DialogWindow::SetTitle(std::string_view title) {
  if (m_hwnd != nullptr) SetWindowTextW(H(m_hwnd), W(title).c_str());
}

std::string Win32DialogWindow::Title() const {
  return m_hwnd != nullptr ? WindowText(H(m_hwnd)) : std::string();
}

void Win32DialogWindow::SetIcon(int iconId) {
  if (m_hwnd == nullptr) return;
  m_iconId = iconId;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto load = [&](int width, int height) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
  };
  HICON big = load(SystemMetric(SM_CXICON, m_dpi), SystemMetric(SM_CYICON, m_dpi));
  HICON small = load(SystemMetric(SM_CXSMICON, m_dpi), SystemMetric(SM_CYSMICON, m_dpi));
  SendMessageW(H(m_hwnd), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(H(m_hwnd), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (m_bigIcon != nullptr) DestroyIcon(static_cast<HICON>(m_bigIcon));
  if (m_smallIcon != nullptr) DestroyIcon(static_cast<HICON>(m_smallIcon));
  m_bigIcon = big;
  m_smallIcon = small;
}

bool Win32DialogWindow::AppendSystemMenuSeparator() {
  HMENU menu = m_hwnd != nullptr ? GetSystemMenu(H(m_hwnd), FALSE) : nullptr;
  return menu != nullptr && AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) != FALSE;
}

bool Win32DialogWindow::AppendSystemMenuItem(int commandId, std::string_view text) {
  HMENU menu = m_hwnd != nullptr ? GetSystemMenu(H(m_hwnd), FALSE) : nullptr;
  return menu != nullptr &&
         AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(commandId), W(text).c_str()) != FALSE;
}

// --- Any control -------------------------------------------------------------------

void *Win32DialogWindow::Control(int id) const {
  // Labels and frames share the number of "no control".
  if (m_hwnd == nullptr || id == -1 || id == 0) return nullptr;
  return GetDlgItem(H(m_hwnd), id);
}

bool Win32DialogWindow::HasControl(int id) const {
  return Control(id) != nullptr;
}

bool Win32DialogWindow::SetText(int id, std::string_view text) {
  HWND control = H(Control(id));
  if (control == nullptr) return false;
  if (IsOneLineEdit(control)) {
    const std::wstring wide = W(text);
    const std::wstring shown = OneLineText(wide);
    if (SetWindowTextW(control, shown.c_str()) == FALSE) return false;
    if (shown != wide) {
      m_editTexts[id] = {std::string(text), shown};
    } else {
      m_editTexts.erase(id);
    }
    return true;
  }
  if (!IsClass(control, WC_IPADDRESSW)) {
    if (SetWindowTextW(control, W(text).c_str()) == FALSE) return false;
    FitLabel(control);
    return true;
  }
  const std::vector<int> parts = AddressParts(text);
  if (std::all_of(parts.begin(), parts.end(), [](int part) { return part >= 0; })) {
    SendMessageW(control, IPM_SETADDRESS, 0,
                 static_cast<LPARAM>(MAKEIPADDRESS(parts[0], parts[1], parts[2], parts[3])));
    return true;
  }
  // Fields that are missing or no number stay blank.
  SendMessageW(control, IPM_CLEARADDRESS, 0, 0);
  const std::vector<HWND> fields = AddressFields(control);
  for (std::size_t i = 0; i < fields.size() && i < parts.size(); ++i) {
    if (parts[i] >= 0) SetWindowTextW(fields[i], std::to_wstring(parts[i]).c_str());
  }
  return true;
}

std::string Win32DialogWindow::Text(int id) const {
  HWND control = H(Control(id));
  if (control == nullptr) return {};
  if (const auto set = m_editTexts.find(id);
      set != m_editTexts.end() && WideTextOf(control) == set->second.shown) {
    return set->second.set;
  }
  if (!IsClass(control, WC_IPADDRESSW)) return WindowText(control);
  DWORD address = 0;
  SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
  return std::to_string(FIRST_IPADDRESS(address)) + "." +
         std::to_string(SECOND_IPADDRESS(address)) + "." +
         std::to_string(THIRD_IPADDRESS(address)) + "." + std::to_string(FOURTH_IPADDRESS(address));
}

bool Win32DialogWindow::Enable(int id, bool enable) {
  HWND control = H(Control(id));
  if (control == nullptr) return false;
  // A control that loses its enabling would take the keyboard's focus with
  // it (nothing would have it): the focus moves on to the next control first.
  HWND focus = GetFocus();
  if (!enable && focus != nullptr && (focus == control || IsChild(control, focus))) {
    SendMessageW(H(m_hwnd), WM_NEXTDLGCTL, 0, FALSE);
  }
  EnableWindow(control, enable ? TRUE : FALSE);
  return true;
}

bool Win32DialogWindow::IsEnabled(int id) const {
  HWND control = H(Control(id));
  return control != nullptr && IsWindowEnabled(control) != FALSE;
}

bool Win32DialogWindow::Show(int id, bool show) {
  HWND control = H(Control(id));
  if (control == nullptr) return false;
  ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
  return true;
}

bool Win32DialogWindow::IsVisible(int id) const {
  HWND control = H(Control(id));
  return control != nullptr && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string Win32DialogWindow::ClassName(int id) const {
  HWND control = H(Control(id));
  return control != nullptr ? U(ClassOf(control)) : std::string();
}

bool Win32DialogWindow::SetReadOnly(int id, bool readOnly) {
  HWND control = H(Control(id));
  if (!IsClass(control, L"Edit")) return false;
  SendMessageW(control, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
  return true;
}

bool Win32DialogWindow::IsReadOnly(int id) const {
  HWND control = H(Control(id));
  return IsClass(control, L"Edit") && (GetWindowLongW(control, GWL_STYLE) & ES_READONLY) != 0;
}

bool Win32DialogWindow::IsAddressPartlyBlank(int id) const {
  HWND control = H(Control(id));
  if (!IsClass(control, WC_IPADDRESSW)) return false;
  DWORD address = 0;
  // The number of fields that are not blank.
  const auto filled = SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
  return filled > 0 && filled < 4;
}

int Win32DialogWindow::GetCheck(int id) const {
  HWND control = H(Control(id));
  return control != nullptr && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

bool Win32DialogWindow::SetCheck(int id, int state) {
  HWND control = H(Control(id));
  if (!IsClass(control, L"Button")) return false;
  SendMessageW(control, BM_SETCHECK, state != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
  return true;
}

// --- List view -----------------------------------------------------------------------

Win32DialogWindow::ListRows *Win32DialogWindow::Rows(int id) {
  const auto found = m_lists.find(id);
  return found != m_lists.end() && Control(id) != nullptr ? &found->second : nullptr;
}

const Win32DialogWindow::ListRows *Win32DialogWindow::Rows(int id) const {
  const auto found = m_lists.find(id);
  return found != m_lists.end() && Control(id) != nullptr ? &found->second : nullptr;
}

void *Win32DialogWindow::ListControl(int id) const {
  return Rows(id) != nullptr ? Control(id) : nullptr;
}

int Win32DialogWindow::InsertColumn(int id, int index, std::string_view heading, int widthPx) {
  ListRows *list = Rows(id);
  if (list == nullptr || list->rows.InsertColumn(index, std::string(heading)) < 0) return -1;
  std::wstring text = W(heading);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = ScaledPixels(widthPx, m_dpi);
  column.pszText = text.data();
  column.iSubItem = index;
  const auto inserted = SendMessageW(H(Control(id)), LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(&column));
  return static_cast<int>(inserted);
}

int Win32DialogWindow::ColumnCount(int id) const {
  const ListRows *list = Rows(id);
  return list != nullptr ? list->rows.ColumnCount() : 0;
}

std::string Win32DialogWindow::ColumnHeading(int id, int column) const {
  HWND list = H(ListControl(id));
  if (list == nullptr || column < 0 || column >= ColumnCount(id)) return {};
  wchar_t text[256] = {};
  LVCOLUMNW item{};
  item.mask = LVCF_TEXT;
  item.pszText = text;
  item.cchTextMax = 256;
  SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
  return U(text);
}

int Win32DialogWindow::ColumnWidth(int id, int column) const {
  HWND list = H(ListControl(id));
  if (list == nullptr || column < 0 || column >= ColumnCount(id)) return 0;
  return LayerPixels(
      static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)),
      m_dpi);
}

bool Win32DialogWindow::SetFullRowSelect(int id, bool fullRow) {
  HWND list = H(ListControl(id));
  if (list == nullptr) return false;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
               fullRow ? LVS_EX_FULLROWSELECT : 0);
  return true;
}

bool Win32DialogWindow::IsFullRowSelect(int id) const {
  HWND list = H(ListControl(id));
  return list != nullptr &&
         (SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT) != 0;
}

bool Win32DialogWindow::SetFindColumn(int id, int column) {
  ListRows *list = Rows(id);
  if (list == nullptr) return false;
  list->findColumn = column;
  return true;
}

void Win32DialogWindow::ResetListRows(int id) {
  HWND list = H(Control(id));
  SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(Rows(id)->rows.RowCount()), 0);
  SetSelectionMark(id, -1);
  InvalidateRect(list, nullptr, TRUE);
}

bool Win32DialogWindow::DeleteAllItems(int id) {
  ListRows *list = Rows(id);
  if (list == nullptr) return false;
  list->rows.RemoveAllRows();
  ResetListRows(id);
  return true;
}

int Win32DialogWindow::InsertItem(int id, int row, std::string_view text) {
  ListRows *list = Rows(id);
  if (list == nullptr) return -1;
  const int mark = SelectionMark(id);
  const int inserted = list->rows.InsertRow(row, std::string(text));
  if (inserted < 0) return -1;
  SendMessageW(H(Control(id)), LVM_SETITEMCOUNT, static_cast<WPARAM>(list->rows.RowCount()),
               LVSICF_NOSCROLL);
  // The marked row keeps its mark where the new row pushes it down.
  SetSelectionMark(id, mark >= inserted ? mark + 1 : mark);
  InvalidateRect(H(Control(id)), nullptr, TRUE);
  return inserted;
}

bool Win32DialogWindow::SetItemText(int id, int row, int column, std::string_view text) {
  ListRows *list = Rows(id);
  if (list == nullptr || !list->rows.SetText(row, column, std::string(text))) return false;
  SendMessageW(H(Control(id)), LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
  return true;
}

std::string Win32DialogWindow::ItemText(int id, int row, int column) const {
  const ListRows *list = Rows(id);
  return list != nullptr ? list->rows.Text(row, column) : std::string();
}

bool Win32DialogWindow::SetSuppliedItems(int id, int count, CellText text) {
  ListRows *list = Rows(id);
  if (list == nullptr) return false;
  list->rows.SetSuppliedRows(count, std::move(text));
  ResetListRows(id);
  return true;
}

int Win32DialogWindow::ItemCount(int id) const {
  HWND list = H(ListControl(id));
  return list != nullptr ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

int Win32DialogWindow::SelectionMark(int id) const {
  HWND list = H(ListControl(id));
  return list != nullptr ? static_cast<int>(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0)) : -1;
}

int Win32DialogWindow::SetSelectionMark(int id, int row) {
  HWND list = H(ListControl(id));
  if (list == nullptr) return -1;
  const int previous = SelectionMark(id);
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  if (row >= 0 && row < ItemCount(id)) {
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
  SendMessageW(list, LVM_SETSELECTIONMARK, 0, row);
  return previous;
}

// --- Drop-down list ------------------------------------------------------------------

namespace {

HWND Combo(void *control) {
  HWND window = H(control);
  return IsClass(window, WC_COMBOBOXW) ? window : nullptr;
}

}  // namespace

bool Win32DialogWindow::ResetContent(int id) {
  HWND combo = Combo(Control(id));
  if (combo == nullptr) return false;
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  return true;
}

int Win32DialogWindow::AddString(int id, std::string_view text) {
  HWND combo = Combo(Control(id));
  if (combo == nullptr) return -1;
  const auto index =
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(text).c_str()));
  return index < 0 ? -1 : static_cast<int>(index);
}

int Win32DialogWindow::ComboCount(int id) const {
  HWND combo = Combo(Control(id));
  return combo != nullptr ? static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)) : 0;
}

std::string Win32DialogWindow::ComboText(int id, int index) const {
  HWND combo = Combo(Control(id));
  if (combo == nullptr || index < 0 || index >= ComboCount(id)) return {};
  const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  const auto copied = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
  return U(text);
}

bool Win32DialogWindow::SetItemData(int id, int index, std::uintptr_t value) {
  HWND combo = Combo(Control(id));
  return combo != nullptr && SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index),
                                          static_cast<LPARAM>(value)) != CB_ERR;
}

std::uintptr_t Win32DialogWindow::ItemData(int id, int index) const {
  HWND combo = Combo(Control(id));
  if (combo == nullptr || index < 0 || index >= ComboCount(id)) return 0;
  return static_cast<std::uintptr_t>(
      SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

int Win32DialogWindow::SelectString(int id, int after, std::string_view prefix) {
  HWND combo = Combo(Control(id));
  if (combo == nullptr) return -1;
  const auto selected = SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(after),
                                     reinterpret_cast<LPARAM>(W(prefix).c_str()));
  return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

int Win32DialogWindow::CurSel(int id) const {
  HWND combo = Combo(Control(id));
  return combo != nullptr ? static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)) : -1;
}

bool Win32DialogWindow::SetCurSel(int id, int index) {
  HWND combo = Combo(Control(id));
  if (combo == nullptr) return false;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return true;
}

// --- Up-down control -------------------------------------------------------------------

namespace {

HWND UpDown(void *control) {
  HWND window = H(control);
  return IsClass(window, UPDOWN_CLASSW) ? window : nullptr;
}

HWND Progress(void *control) {
  HWND window = H(control);
  return IsClass(window, PROGRESS_CLASSW) ? window : nullptr;
}

}  // namespace

int Win32DialogWindow::SetBuddy(int id, int buddyId) {
  HWND spin = UpDown(Control(id));
  if (spin == nullptr) return 0;
  HWND previous = reinterpret_cast<HWND>(
      SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(H(Control(buddyId))), 0));
  return previous != nullptr ? GetDlgCtrlID(previous) : 0;
}

int Win32DialogWindow::Buddy(int id) const {
  HWND spin = UpDown(Control(id));
  HWND buddy =
      spin != nullptr ? reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)) : nullptr;
  return buddy != nullptr ? GetDlgCtrlID(buddy) : 0;
}

bool Win32DialogWindow::SetRange(int id, int lower, int upper) {
  HWND spin = UpDown(Control(id));
  if (spin == nullptr) return false;
  SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
  return true;
}

std::pair<int, int> Win32DialogWindow::Range(int id) const {
  HWND spin = UpDown(Control(id));
  int lower = 0, upper = 0;
  if (spin != nullptr) {
    SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                 reinterpret_cast<LPARAM>(&upper));
  }
  return {lower, upper};
}

int Win32DialogWindow::SetPos(int id, int pos) {
  HWND spin = UpDown(Control(id));
  return spin != nullptr ? static_cast<int>(SendMessageW(spin, UDM_SETPOS32, 0, pos)) : 0;
}

int Win32DialogWindow::Pos(int id) const {
  HWND spin = UpDown(Control(id));
  return spin != nullptr ? static_cast<int>(SendMessageW(spin, UDM_GETPOS32, 0, 0)) : 0;
}

// --- Progress bar -----------------------------------------------------------------------

bool Win32DialogWindow::SetProgressRange(int id, int lower, int upper) {
  HWND bar = Progress(Control(id));
  if (bar == nullptr) return false;
  SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(lower), upper);
  return true;
}

std::pair<int, int> Win32DialogWindow::ProgressRange(int id) const {
  HWND bar = Progress(Control(id));
  PBRANGE range{};
  if (bar != nullptr) SendMessageW(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  return {range.iLow, range.iHigh};
}

int Win32DialogWindow::SetProgressPos(int id, int pos) {
  HWND bar = Progress(Control(id));
  return bar != nullptr
             ? static_cast<int>(SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(pos), 0))
             : 0;
}

int Win32DialogWindow::ProgressPos(int id) const {
  HWND bar = Progress(Control(id));
  return bar != nullptr ? static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)) : 0;
}

bool Win32DialogWindow::SetProgressStep(int id, int step) {
  HWND bar = Progress(Control(id));
  if (bar == nullptr) return false;
  SendMessageW(bar, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
  return true;
}

int Win32DialogWindow::StepIt(int id) {
  HWND bar = Progress(Control(id));
  return bar != nullptr ? static_cast<int>(SendMessageW(bar, PBM_STEPIT, 0, 0)) : 0;
}

// --- Timers, threads ---------------------------------------------------------------------

bool Win32DialogWindow::StartTimer(int id, int periodMs) {
  if (m_hwnd == nullptr || periodMs < 0) return false;
  // A running id is replaced, which starts it over.
  if (::SetTimer(H(m_hwnd), static_cast<UINT_PTR>(id), static_cast<UINT>(periodMs), nullptr) == 0) {
    return false;
  }
  m_timers.insert(id);
  return true;
}

bool Win32DialogWindow::KillTimer(int id) {
  if (m_hwnd == nullptr || m_timers.erase(id) == 0) return false;
  ::KillTimer(H(m_hwnd), static_cast<UINT_PTR>(id));
  return true;
}

bool Win32DialogWindow::IsTimerActive(int id) const {
  return m_timers.count(id) != 0;
}

bool Win32DialogWindow::PostUserMessage(unsigned offset) {
  if (m_thread == nullptr) return false;
  // The window is read under the channel's lock: it is open, so its handle
  // is good.
  return m_thread->Channel()->WhileOpen([this, offset] {
    return PostMessageW(H(m_hwnd), WM_USER + offset, 0, kUserMessageMark) != FALSE;
  });
}

}  // namespace win32
}  // namespace vf::ui

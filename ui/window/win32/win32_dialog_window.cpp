#include "ui/window/win32/win32_dialog_window.h"

#include <map>

#include "platform/windows_text.h"
#include "ui/window/virtual_keys.h"
#include "ui/window/win32/dialog_template_win32.h"
#include "ui/window/win32/dpi_win32.h"
#include "ui/window/win32/win32_control.h"
#include "ui/window/win32/win32_control_set.h"
#include "ui/window/win32/win32_labels.h"
#include "ui/window/window_thread.h"

// Last: the window system's macros (IDOK, MB_OK, ...) would clash with the names of
// ui/window/command_ids.h and ui/window/message_box.h above.
#include <windows.h>
// The common controls build on the declarations above.
#include <commctrl.h>

#include "ui/window/win32/win32_native.h"

namespace vf::ui {

std::unique_ptr<DialogWindow> CreateDialogWindow(const DialogTemplate &dialogTemplate,
                                                 DialogHandler &handler,
                                                 const DialogWindow *owner) {
  return std::make_unique<win32::Win32DialogWindow>(dialogTemplate, handler, owner);
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

void EnsureCommonControls() {
  static const bool ready = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_INTERNET_CLASSES |
                                                       ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS |
                                                       ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)ready;
}

// Every dialog of this thread, for the key hook, and the hook itself while
// any is open.
struct ThreadDialogs {
  HHOOK hook = nullptr;
  std::map<HWND, Win32DialogWindow *> open;
};
thread_local ThreadDialogs t_dialogs;

// The modifier keys held as the key arrived.
unsigned HeldModifiers() {
  unsigned modifiers = 0;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= vk::kModShift;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= vk::kModControl;
  if (GetKeyState(VK_MENU) < 0) modifiers |= vk::kModAlt;
  return modifiers;
}

// The control window of `dialog` that `window` is or lies in; null for none.
HWND ControlOf(HWND dialog, HWND window) {
  while (window != nullptr && GetParent(window) != dialog) window = GetParent(window);
  return window;
}

}  // namespace

// The window procedure's side of the dialog: it reaches the private members.
struct Win32DialogWindow::Native {
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK KeyHook(int code, WPARAM wParam, LPARAM lParam);

  static void Attach(Win32DialogWindow &self, HWND hwnd);
  static void Detach(Win32DialogWindow &self);
  static INT_PTR Command(Win32DialogWindow &self, int id, int code, HWND control);
  static INT_PTR Notify(Win32DialogWindow &self, NMHDR *header);
  static void DpiChanged(Win32DialogWindow &self, UINT dpi);
  // A resizable dialog: which control follows which edge, and its smallest size.
  static void NoteAnchors(Win32DialogWindow &self);
  static void Resized(Win32DialogWindow &self, int width, int height);
  static INT_PTR ContextMenu(Win32DialogWindow &self, HWND from, LPARAM where);
  static void RequestClose(Win32DialogWindow &self) {
    if (self.m_handler.OnCloseRequest()) self.EndDialog(IDCANCEL);
  }
  static INT_PTR Result(HWND hwnd, LONG_PTR result) {
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
  }
  // The owner's window; null for none.
  static HWND Owner(const Win32DialogWindow &self) {
    return self.m_owner != nullptr ? H(self.m_owner->NativeHandle()) : nullptr;
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
  self.m_dpi = WindowDpi(hwnd);
  self.m_controls = std::make_unique<Win32ControlSet>(self.m_template, self);
  NoteAnchors(self);
  FitLabels(hwnd);
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
  self.m_controls->Destroy();
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
    case WM_CONTEXTMENU:
      return ContextMenu(*self, reinterpret_cast<HWND>(wParam), lParam);
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) Resized(*self, LOWORD(lParam), HIWORD(lParam));
      return FALSE;
    case WM_GETMINMAXINFO:
      if (self->m_minWidth > 0) {
        auto *limits = reinterpret_cast<MINMAXINFO *>(lParam);
        limits->ptMinTrackSize.x = self->m_minWidth;
        limits->ptMinTrackSize.y = self->m_minHeight;
        return Result(hwnd, 0);
      }
      return FALSE;
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
      FitLabels(hwnd);
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
  Win32Peer *peer = self.m_controls->Peer(id);
  return peer != nullptr && peer->OnCommand(code) ? TRUE : FALSE;
}

INT_PTR Win32DialogWindow::Native::Notify(Win32DialogWindow &self, NMHDR *header) {
  Win32Peer *peer = self.m_controls->Peer(static_cast<int>(header->idFrom));
  std::intptr_t result = 0;
  if (peer == nullptr || !peer->OnNotify(*header, result)) return FALSE;
  return Result(H(self.m_hwnd), result);
}

INT_PTR Win32DialogWindow::Native::ContextMenu(Win32DialogWindow &self, HWND from, LPARAM where) {
  HWND control = ControlOf(H(self.m_hwnd), from);
  Win32Peer *peer = control != nullptr ? self.m_controls->Peer(GetDlgCtrlID(control)) : nullptr;
  const int x = static_cast<short>(LOWORD(where));
  const int y = static_cast<short>(HIWORD(where));
  return peer != nullptr && peer->OnContextMenu(x, y) ? TRUE : FALSE;
}

void Win32DialogWindow::Native::NoteAnchors(Win32DialogWindow &self) {
  if (!self.m_template.resizable) return;
  HWND hwnd = H(self.m_hwnd);
  RECT window{};
  GetWindowRect(hwnd, &window);
  self.m_minWidth = window.right - window.left;
  self.m_minHeight = window.bottom - window.top;
  // The size the controls are laid out for: the dialog manager's first WM_SIZE came before the
  // dialog was attached, so the first one seen here is already a change (a maximised start).
  RECT client{};
  GetClientRect(hwnd, &client);
  self.m_laidOutWidth = client.right;
  self.m_laidOutHeight = client.bottom;
  // Each control of the template is found by its id and the corner the dialog manager placed it
  // at, before anything has moved.
  for (const DialogItem &item : self.m_template.controls) {
    if (item.anchor == kAnchorTopLeft) continue;
    RECT place{item.x, item.y, item.x + item.w, item.y + item.h};
    MapDialogRect(hwnd, &place);
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      RECT rect{};
      GetWindowRect(child, &rect);
      MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT *>(&rect), 2);
      const int id = static_cast<int>(static_cast<short>(GetDlgCtrlID(child)));
      if (id == item.id && rect.left == place.left && rect.top == place.top) {
        self.m_anchored.emplace_back(child, item.anchor);
        break;
      }
    }
  }
}

void Win32DialogWindow::Native::Resized(Win32DialogWindow &self, int width, int height) {
  const int dx = width - self.m_laidOutWidth;
  const int dy = height - self.m_laidOutHeight;
  const bool first = self.m_laidOutWidth == 0 && self.m_laidOutHeight == 0;
  self.m_laidOutWidth = width;
  self.m_laidOutHeight = height;
  if (first || (dx == 0 && dy == 0) || self.m_anchored.empty()) return;
  HWND hwnd = H(self.m_hwnd);
  HDWP moves = BeginDeferWindowPos(static_cast<int>(self.m_anchored.size()));
  for (const auto &[window, anchor] : self.m_anchored) {
    HWND control = H(window);
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT *>(&rect), 2);
    const int moveX = (anchor & kMoveWithRight) != 0 ? dx : 0;
    const int moveY = (anchor & kMoveWithBottom) != 0 ? dy : 0;
    const int growX = (anchor & kStretchRight) != 0 ? dx : 0;
    const int growY = (anchor & kStretchDown) != 0 ? dy : 0;
    if (moves != nullptr) {
      moves = DeferWindowPos(moves, control, nullptr, rect.left + moveX, rect.top + moveY,
                             rect.right - rect.left + growX, rect.bottom - rect.top + growY,
                             SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShiftLabelEdge(control, moveX);
  }
  if (moves != nullptr) EndDeferWindowPos(moves);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// What the window sized in pixels itself follows the new DPI; the dialog manager does the rest
// (with per-monitor awareness of version 2).
void Win32DialogWindow::Native::DpiChanged(Win32DialogWindow &self, UINT dpi) {
  const UINT old = self.m_dpi;
  if (dpi == 0 || dpi == old) return;
  self.m_dpi = dpi;
  // The dialog manager lays the controls out anew: the next size is where they are placed.
  self.m_laidOutWidth = 0;
  self.m_laidOutHeight = 0;
  self.m_minWidth = MulDiv(self.m_minWidth, static_cast<int>(dpi), static_cast<int>(old));
  self.m_minHeight = MulDiv(self.m_minHeight, static_cast<int>(dpi), static_cast<int>(old));
  HWND hwnd = H(self.m_hwnd);
  self.m_controls->DpiChanged(old, dpi);
  ScaleLabelEdges(hwnd, old, dpi);
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
      if (found->second->m_handler.OnKeyDown(controlId, static_cast<int>(msg->wParam),
                                             HeldModifiers())) {
        return 1;
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// --- Win32DialogWindow -------------------------------------------------------

Win32DialogWindow::Win32DialogWindow(const DialogTemplate &dialogTemplate, DialogHandler &handler,
                                     const DialogWindow *owner)
    : m_template(dialogTemplate), m_handler(handler), m_owner(owner) {}

Win32DialogWindow::~Win32DialogWindow() {
  if (m_hwnd != nullptr) DestroyWindow(H(m_hwnd));
  m_controls.reset();
  if (m_bigIcon != nullptr) DestroyIcon(static_cast<HICON>(m_bigIcon));
  if (m_smallIcon != nullptr) DestroyIcon(static_cast<HICON>(m_smallIcon));
}

bool Win32DialogWindow::Create() {
  if (m_hwnd != nullptr || m_destroyed) return false;
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), Native::Template(*this),
                                    Native::Owner(*this), Native::DialogProc,
                                    reinterpret_cast<LPARAM>(this)) != nullptr;
}

int Win32DialogWindow::RunModal() {
  if (m_hwnd == nullptr && !m_destroyed) {
    m_inDialogBox = true;
    const INT_PTR result =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), Native::Template(*this),
                                Native::Owner(*this), Native::DialogProc,
                                reinterpret_cast<LPARAM>(this));
    m_inDialogBox = false;
    return result == -1 ? 0 : static_cast<int>(result);
  }
  if (m_hwnd == nullptr || m_ended) return m_result;
  // Made already (Create): shown and run here until it ends.
  HWND hwnd = H(m_hwnd);
  ShowWindow(hwnd, SW_SHOW);
  // As the dialog manager's own modal loop does: the owner waits.
  HWND owner = Native::Owner(*this);
  const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner) != FALSE;
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
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
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
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

// --- Controls -------------------------------------------------------------------

void *Win32DialogWindow::ControlHandle(int id) const {
  // Labels and frames share the number of "no control".
  if (m_hwnd == nullptr || id == IDC_STATIC || id == 0) return nullptr;
  return GetDlgItem(H(m_hwnd), id);
}

Control *Win32DialogWindow::FindControl(int id) const {
  return m_controls ? m_controls->Find(id) : nullptr;
}

bool Win32DialogWindow::SetToolTip(int id, std::string_view text) {
  HWND control = H(ControlHandle(id));
  if (control == nullptr) return false;
  if (m_toolTip == nullptr || !IsWindow(H(m_toolTip))) {
    m_toolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, H(m_hwnd), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (m_toolTip == nullptr) return false;
    // Long tips break into lines of this width.
    SendMessageW(H(m_toolTip), TTM_SETMAXTIPWIDTH, 0, ScaledPixels(420, m_dpi));
    m_toolTips.clear();
  }
  // A static control only sees the pointer when it notifies.
  if (IsClass(control, L"Static")) {
    SetWindowLongW(control, GWL_STYLE, GetWindowLongW(control, GWL_STYLE) | SS_NOTIFY);
  }
  std::wstring wide = W(text);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = H(m_hwnd);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = wide.data();
  const bool known = m_toolTips.count(id) != 0;
  if (text.empty()) {
    if (known) SendMessageW(H(m_toolTip), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    m_toolTips.erase(id);
    return true;
  }
  SendMessageW(H(m_toolTip), known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
               reinterpret_cast<LPARAM>(&tool));
  m_toolTips[id] = std::string(text);
  return true;
}

std::string Win32DialogWindow::ToolTip(int id) const {
  const auto found = m_toolTips.find(id);
  return found != m_toolTips.end() ? found->second : std::string();
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

// The window driver on Win32: messages posted or sent as the window system
// and the keyboard send them, and a message loop that runs them through the
// dialogs' IsDialogMessage (and so the key hook) as a dialog's loop does.
#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/windows_text.h"
#include "ui/window/dialog_window.h"
#include "ui/window/virtual_keys.h"
#include "screen_picture_win32.h"
#include "window_driver.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>
// The common controls build on the declarations above.
#include <commctrl.h>

#include "ui/window/win32/win32_native.h"

namespace vf::testing {
namespace {

using ui::win32::AddressFields;
using ui::win32::IsClass;

HWND DialogOf(const ui::DialogWindow &window) {
  return static_cast<HWND>(window.NativeHandle());
}

HWND ControlOf(const ui::DialogWindow &window, int id) {
  HWND dialog = DialogOf(window);
  if (dialog == nullptr) return nullptr;
  return id == 0 ? dialog : GetDlgItem(dialog, id);
}

bool IsDialogWindow(HWND window) {
  return IsClass(window, L"#32770");
}

// Runs every message waiting, each through its dialog as a dialog's loop does.
void RunWaiting() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    HWND root = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (IsDialogWindow(root) && IsDialogMessageW(root, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// What CaptionOfModalOpenedBy looks for, seen by its timer.
thread_local std::string *t_caption = nullptr;

void CALLBACK CloseModal(HWND, UINT, UINT_PTR timer, DWORD) {
  // The modal dialog is the enabled dialog of this thread that is shown.
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        if (IsDialogWindow(window) && IsWindowVisible(window) && IsWindowEnabled(window)) {
          *reinterpret_cast<HWND *>(result) = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  if (found == nullptr || t_caption == nullptr) return;
  KillTimer(nullptr, timer);
  *t_caption = ui::win32::WindowText(found);
  if (HWND ok = GetDlgItem(found, IDOK)) {
    SendMessageW(found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  } else {
    SendMessageW(found, WM_CLOSE, 0, 0);
  }
}

std::vector<MenuItem> ItemsOf(HMENU menu) {
  std::vector<MenuItem> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 128;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if ((info.fType & MFT_SEPARATOR) != 0) {
      items.push_back({0, {}});
    } else {
      items.push_back({static_cast<int>(info.wID), platform::Utf8FromWide(text)});
    }
  }
  return items;
}

// What RightClickRow's timer is to choose from the context menu, where it
// writes the entries, and the menu it answered last.
struct MenuChoice {
  int commandId = 0;
  std::vector<MenuItem> *items = nullptr;
  HWND answered = nullptr;
};
thread_local MenuChoice *t_menuChoice = nullptr;

void PostKey(HWND window, UINT virtualKey) {
  PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(1 | (3u << 30)));
}

// While a popup menu of this thread is up, its menu loop reads the thread's
// keys: Down from no entry to the wanted one, skipping separators, and Enter.
// A menu after the first is closed with Escape.
void CALLBACK ChooseFromMenu(HWND, UINT, UINT_PTR, DWORD) {
  HWND popup = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        if (!IsClass(window, L"#32768") || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND *>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&popup));
  MenuChoice *choice = t_menuChoice;
  if (popup == nullptr || choice == nullptr || popup == choice->answered) return;
  const bool first = choice->answered == nullptr;
  choice->answered = popup;
  const std::vector<MenuItem> shown =
      ItemsOf(reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)));
  choice->items->insert(choice->items->end(), shown.begin(), shown.end());
  int downs = 0;
  for (const MenuItem &item : shown) {
    if (item.commandId != 0) ++downs;
    if (first && choice->commandId != 0 && item.commandId == choice->commandId) {
      for (int i = 0; i < downs; ++i) PostKey(popup, VK_DOWN);
      PostKey(popup, VK_RETURN);
      return;
    }
  }
  PostKey(popup, VK_ESCAPE);
}

}  // namespace

bool PumpUntil(const std::function<bool()> &done, int ms) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    RunWaiting();
    if (done()) return true;
    if (std::chrono::steady_clock::now() > until) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
  }
}

void Pump(int ms) {
  PumpUntil([] { return false; }, ms);
}

void PressKey(ui::DialogWindow &window, int id, int virtualKey, unsigned modifiers) {
  HWND control = ControlOf(window, id);
  if (control == nullptr) return;
  // The keys held, as GetKeyState reads them while the key is handled.
  BYTE held[256] = {};
  GetKeyboardState(held);
  BYTE pressed[256];
  std::copy(std::begin(held), std::end(held), std::begin(pressed));
  if ((modifiers & ui::vk::kModShift) != 0) pressed[VK_SHIFT] = pressed[VK_LSHIFT] = 0x80;
  if ((modifiers & ui::vk::kModControl) != 0) pressed[VK_CONTROL] = pressed[VK_LCONTROL] = 0x80;
  SetKeyboardState(pressed);
  SetFocus(control);
  // An IP address control hands the focus on to its first field.
  HWND focus = GetFocus() != nullptr ? GetFocus() : control;
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
  PostMessageW(focus, WM_KEYDOWN, static_cast<WPARAM>(virtualKey),
               static_cast<LPARAM>(1 | (scan << 16)));
  PostMessageW(focus, WM_KEYUP, static_cast<WPARAM>(virtualKey),
               static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
  RunWaiting();
  SetKeyboardState(held);
}

void ClickListHeading(ui::DialogWindow &window, int id, int column) {
  HWND list = ControlOf(window, id);
  HWND header =
      list != nullptr ? reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)) : nullptr;
  RECT rect{};
  if (header == nullptr || SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                                        reinterpret_cast<LPARAM>(&rect)) == FALSE) {
    return;
  }
  // A heading beyond the list's right edge is scrolled into view first, as
  // the user does; the header moves along, its items keep their places in it.
  RECT client{};
  GetClientRect(list, &client);
  if (rect.right > client.right) SendMessageW(list, LVM_SCROLL, rect.right - client.right, 0);
  // The header tells the list, which tells the dialog that the column was clicked.
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(header, WM_LBUTTONUP, 0, at);
  RunWaiting();
}

std::vector<MenuItem> RightClickRow(ui::DialogWindow &window, int id, int row, int commandId) {
  std::vector<MenuItem> items;
  HWND list = ControlOf(window, id);
  RECT rect{};
  rect.left = LVIR_LABEL;
  if (list == nullptr || SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                                      reinterpret_cast<LPARAM>(&rect)) == FALSE) {
    return items;
  }
  MenuChoice choice{commandId, &items};
  t_menuChoice = &choice;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, ChooseFromMenu);
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
  PostMessageW(list, WM_RBUTTONUP, 0, at);
  RunWaiting();
  KillTimer(nullptr, timer);
  t_menuChoice = nullptr;
  return items;
}

void Click(ui::DialogWindow &window, int id) {
  HWND control = ControlOf(window, id);
  if (control == nullptr || !IsWindowEnabled(control)) return;
  // A check box toggles itself before it reports the click.
  const LONG style = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  if (style == BS_AUTOCHECKBOX) {
    const bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageW(control, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
  }
  SendMessageW(DialogOf(window), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
  RunWaiting();
}

void ClickRowCheckBox(ui::DialogWindow &window, int id, int row) {
  HWND list = ControlOf(window, id);
  if (list == nullptr) return;
  RECT rect{};
  rect.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
  // The box is where the list's own hit test finds it.
  LVHITTESTINFO hit{};
  for (int x = rect.left; x < rect.left + 48; ++x) {
    hit.pt = {x, (rect.top + rect.bottom) / 2};
    if (SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == row &&
        (hit.flags & LVHT_ONITEMSTATEICON) != 0) {
      const LPARAM at = MAKELPARAM(hit.pt.x, hit.pt.y);
      PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageW(list, WM_LBUTTONUP, 0, at);
      RunWaiting();
      return;
    }
  }
}

bool SavePicture(const ui::DialogWindow &window, const std::string &path) {
  HWND dialog = DialogOf(window);
  if (dialog == nullptr) return false;
  // Shown on top of every other window, and painted, before the screen is read.
  ShowWindow(dialog, SW_SHOWNA);
  SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Pump(500);
  const bool saved = SaveScreenPicture(dialog, path);
  SetWindowPos(dialog, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return saved;
}

void ClearAddressField(ui::DialogWindow &window, int id, int field) {
  HWND control = ControlOf(window, id);
  if (control == nullptr) return;
  const std::vector<HWND> fields = AddressFields(control);
  if (field >= 0 && field < static_cast<int>(fields.size())) {
    SetWindowTextW(fields[static_cast<std::size_t>(field)], L"");
  }
}

void RequestClose(ui::DialogWindow &window) {
  if (HWND dialog = DialogOf(window)) SendMessageW(dialog, WM_CLOSE, 0, 0);
}

void Cancel(ui::DialogWindow &window) {
  if (HWND dialog = DialogOf(window)) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
}

std::vector<MenuItem> SystemMenuItems(const ui::DialogWindow &window) {
  HMENU menu = DialogOf(window) != nullptr ? GetSystemMenu(DialogOf(window), FALSE) : nullptr;
  return menu != nullptr ? ItemsOf(menu) : std::vector<MenuItem>{};
}

bool HasIcon(const ui::DialogWindow &window) {
  HWND dialog = DialogOf(window);
  return dialog != nullptr && SendMessageW(dialog, WM_GETICON, ICON_BIG, 0) != 0 &&
         SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0) != 0;
}

std::string CaptionOfModalOpenedBy(const std::function<void()> &action) {
  std::string caption;
  t_caption = &caption;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, CloseModal);
  action();
  KillTimer(nullptr, timer);
  t_caption = nullptr;
  return caption;
}

}  // namespace vf::testing

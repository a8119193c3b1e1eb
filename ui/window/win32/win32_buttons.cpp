#include "ui/window/win32/win32_buttons.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>

namespace vf::ui::win32 {
namespace {

bool Clicked(Win32DialogWindow &dialog, int id, int code) {
  if (code != BN_CLICKED) return false;
  dialog.Handler().OnCommand(id);
  return true;
}

}  // namespace

bool Win32Button::OnCommand(int code) {
  return Clicked(Dialog(), Id(), code);
}

int Win32CheckBox::GetCheck() const {
  HWND box = static_cast<HWND>(Handle());
  return box != nullptr && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Win32CheckBox::SetCheck(int state) {
  SendMessageW(static_cast<HWND>(Handle()), BM_SETCHECK, state != 0 ? BST_CHECKED : BST_UNCHECKED,
               0);
}

bool Win32CheckBox::OnCommand(int code) {
  return Clicked(Dialog(), Id(), code);
}

}  // namespace vf::ui::win32

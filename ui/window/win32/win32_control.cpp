#include "ui/window/win32/win32_control.h"

#include "platform/windows_text.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>

#include "ui/window/win32/win32_native.h"

namespace vf::ui::win32 {
namespace {

HWND H(void *window) {
  return static_cast<HWND>(window);
}

}  // namespace

bool SetWindowTextUtf8(void *window, std::string_view text) {
  return window != nullptr &&
         SetWindowTextW(H(window), platform::WideFromUtf8(text).c_str()) != FALSE;
}

std::string WindowTextUtf8(void *window) {
  return window != nullptr ? WindowText(H(window)) : std::string();
}

bool EnableControlWindow(void *dialog, void *control, bool enable) {
  if (control == nullptr) return false;
  // A control that loses its enabling would take the keyboard's focus with
  // it (nothing would have it): the focus moves on to the next control first.
  HWND focus = GetFocus();
  if (!enable && focus != nullptr && (focus == H(control) || IsChild(H(control), focus))) {
    SendMessageW(H(dialog), WM_NEXTDLGCTL, 0, FALSE);
  }
  EnableWindow(H(control), enable ? TRUE : FALSE);
  return true;
}

bool IsWindowEnabledNow(void *window) {
  return window != nullptr && IsWindowEnabled(H(window)) != FALSE;
}

bool ShowControlWindow(void *control, bool show) {
  if (control == nullptr) return false;
  ShowWindow(H(control), show ? SW_SHOWNA : SW_HIDE);
  return true;
}

bool HasVisibleStyle(void *window) {
  return window != nullptr && (GetWindowLongW(H(window), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string WindowClassName(void *window) {
  return window != nullptr ? platform::Utf8FromWide(ClassOf(H(window))) : std::string();
}

}  // namespace vf::ui::win32

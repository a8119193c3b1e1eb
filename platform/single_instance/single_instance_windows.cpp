// Windows lists every top-level window, so the title alone finds a running copy.
#include <windows.h>

#include "platform/single_instance/single_instance.h"
#include "platform/windows_text.h"

namespace vf::single_instance {
namespace {

HWND AsWindow(const WindowHandle &handle) {
  if (handle.source != WindowHandle::Source::kWin32) return nullptr;
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle.window));
}

}  // namespace

std::optional<WindowHandle> FindWindowByTitle(const std::string &title) {
  // Any class, exact title.
  HWND window = FindWindowW(nullptr, vf::platform::WideFromUtf8(title).c_str());
  if (window == nullptr) return std::nullopt;
  return WindowHandle{WindowHandle::Source::kWin32, reinterpret_cast<std::uintptr_t>(window)};
}

bool IsIconic(const WindowHandle &handle) {
  HWND window = AsWindow(handle);
  return window != nullptr && ::IsIconic(window);
}

bool RestoreWindow(const WindowHandle &handle) {
  HWND window = AsWindow(handle);
  if (window == nullptr || !IsWindow(window)) return false;
  // Only restored: not brought to the front. What ShowWindow returns is the earlier visibility,
  // not success.
  ShowWindow(window, SW_RESTORE);
  return true;
}

}  // namespace vf::single_instance

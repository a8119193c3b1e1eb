#include "ui/window/win32/win32_native.h"

#include <algorithm>

#include "platform/windows_text.h"

namespace vf::ui::win32 {

std::wstring WideTextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

std::string WindowText(HWND window) {
  return platform::Utf8FromWide(WideTextOf(window));
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  const int length = GetClassNameW(window, name, 128);
  return std::wstring(name, static_cast<std::size_t>(std::max(length, 0)));
}

bool IsClass(HWND window, const wchar_t *name) {
  return window != nullptr &&
         CompareStringOrdinal(ClassOf(window).c_str(), -1, name, -1, TRUE) == CSTR_EQUAL;
}

std::vector<HWND> AddressFields(HWND control) {
  std::vector<HWND> fields;
  for (HWND child = GetWindow(control, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsClass(child, L"Edit")) fields.push_back(child);
  }
  std::sort(fields.begin(), fields.end(), [](HWND a, HWND b) {
    RECT ra{}, rb{};
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return fields;
}

}  // namespace vf::ui::win32

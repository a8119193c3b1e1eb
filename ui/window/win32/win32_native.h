// What the Win32 window's controls and its test driver both read from the
// window system's windows: a window's text and class, and the four fields of
// an IP address control. Include it last: it brings in the window system's
// macros.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vf::ui::win32 {

std::wstring WideTextOf(HWND window);
// The text in UTF-8.
std::string WindowText(HWND window);

std::wstring ClassOf(HWND window);
// Whether `window` is of class `name`, compared as the window system does
// (ignoring case); false for no window.
bool IsClass(HWND window, const wchar_t *name);

// An IP address control's four field edits, left to right.
std::vector<HWND> AddressFields(HWND control);

}  // namespace vf::ui::win32

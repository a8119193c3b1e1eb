// A window as the screen shows it, saved for the documentation's pictures.
#pragma once

#include <string>

// Last: the window system's macros would clash with the names above.
#include <windows.h>

namespace vf::testing {

// Writes what the screen shows of `window` now as a 24-bit BMP file.
bool SaveScreenPicture(HWND window, const std::string &path);

}  // namespace vf::testing

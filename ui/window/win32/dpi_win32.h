// Dots per inch on Win32. The program declares itself aware of each monitor's DPI (its manifest),
// so the dialog manager lays the dialogs out from dialog units and a font of the monitor's DPI;
// what the window sets in pixels itself (list columns, icons) is scaled here from the 96 DPI that
// the window layer's pixels mean, as the Qt window's pixels do.
#pragma once

#include <windows.h>

namespace vf::ui::win32 {

constexpr UINT kLayerDpi = 96;

// The DPI `window` is drawn at: its monitor's where the system tells (Windows 10 version 1607
// on), else the system's.
UINT WindowDpi(HWND window);

// `pixels` at 96 DPI as pixels at `dpi`, and back.
int ScaledPixels(int pixels, UINT dpi);
int LayerPixels(int pixels, UINT dpi);

// A system metric (GetSystemMetrics) at `dpi`.
int SystemMetric(int index, UINT dpi);

}  // namespace vf::ui::win32

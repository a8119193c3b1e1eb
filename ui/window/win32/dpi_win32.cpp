#include "ui/window/win32/dpi_win32.h"

namespace vf::ui::win32 {
namespace {

// Functions newer than the oldest Windows the program runs on, looked up when first used.
template <typename Function>
Function User32Function(const char *name) {
  // Through a plain function pointer: a cast between two other function types draws a warning.
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI *)(int, UINT);

}  // namespace

UINT WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  HDC dc = GetDC(window);
  const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSX) : 0;
  if (dc != nullptr) ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : kLayerDpi;
}

int ScaledPixels(int pixels, UINT dpi) {
  return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kLayerDpi));
}

int LayerPixels(int pixels, UINT dpi) {
  return dpi != 0 ? MulDiv(pixels, static_cast<int>(kLayerDpi), static_cast<int>(dpi)) : pixels;
}

int SystemMetric(int index, UINT dpi) {
  static const auto getSystemMetricsForDpi =
      User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  return getSystemMetricsForDpi != nullptr ? getSystemMetricsForDpi(index, dpi)
                                           : GetSystemMetrics(index);
}

}  // namespace vf::ui::win32

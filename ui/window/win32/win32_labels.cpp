#include "ui/window/win32/win32_labels.h"

#include <string>

#include "ui/window/dialog_template.h"
#include "ui/window/win32/dpi_win32.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>

#include "ui/window/win32/win32_native.h"

namespace vf::ui::win32 {

void FitLabel(void *window) {
  HWND label = static_cast<HWND>(window);
  if (!IsClass(label, L"Static")) return;
  const LONG style = GetWindowLongW(label, GWL_STYLE);
  if ((style & SS_EDITCONTROL) != 0) return;  // Text over several lines.
  const LONG kind = style & SS_TYPEMASK;
  const LONG_PTR rightEdge = GetWindowLongPtrW(label, GWLP_USERDATA);
  const bool right = kind == SS_RIGHT || rightEdge != 0;
  if (!right && kind != SS_LEFT && kind != SS_LEFTNOWORDWRAP) return;
  const std::wstring text = WideTextOf(label);
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
  RECT needed{};
  const UINT format = DT_CALCRECT | DT_SINGLELINE | ((style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0);
  DrawTextW(dc, text.c_str(), -1, &needed, format);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  RECT rect{};
  GetWindowRect(label, &rect);
  MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT *>(&rect), 2);
  // A label with room for two lines or more wraps its text instead.
  if (!right && rect.bottom - rect.top >= 2 * needed.bottom && needed.bottom > 0) return;
  if (right) {
    if (rightEdge == 0) SetWindowLongPtrW(label, GWLP_USERDATA, rect.right);
    rect.right = rightEdge != 0 ? static_cast<LONG>(rightEdge) : rect.right;
    rect.left = rect.right - needed.right - 1;
    SetWindowLongW(label, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_LEFTNOWORDWRAP);
  } else if (needed.right > rect.right - rect.left) {
    rect.right = rect.left + needed.right;
  } else {
    return;
  }
  MoveWindow(label, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  InvalidateRect(label, nullptr, TRUE);
}

void FitLabels(void *dialog) {
  for (HWND child = GetWindow(static_cast<HWND>(dialog), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    FitLabel(child);
  }
}

void ScaleLabelEdges(void *dialog, unsigned oldDpi, unsigned dpi) {
  for (HWND child = GetWindow(static_cast<HWND>(dialog), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG_PTR edge = IsClass(child, L"Static") ? GetWindowLongPtrW(child, GWLP_USERDATA) : 0;
    if (edge == 0) continue;
    SetWindowLongPtrW(
        child, GWLP_USERDATA,
        MulDiv(static_cast<int>(edge), static_cast<int>(dpi), static_cast<int>(oldDpi)));
  }
}

void ShiftLabelEdge(void *window, int dx) {
  HWND label = static_cast<HWND>(window);
  if (dx == 0 || !IsClass(label, L"Static")) return;
  const LONG_PTR edge = GetWindowLongPtrW(label, GWLP_USERDATA);
  if (edge != 0) SetWindowLongPtrW(label, GWLP_USERDATA, edge + dx);
}

bool Win32Label::SetText(std::string_view text) {
  if (!Win32Control::SetText(text)) return false;
  FitLabel(Handle());
  return true;
}

}  // namespace vf::ui::win32

namespace vf::ui::win32 {

Win32Icon::Win32Icon(int id, Win32DialogWindow &dialog, int icon)
    : Win32Control(id, dialog), m_icon(icon) {
  ShowSystemIcon();
}

void Win32Icon::OnDpiChanged(unsigned /*oldDpi*/, unsigned /*dpi*/) {
  ShowSystemIcon();
}

void Win32Icon::ShowSystemIcon() {
  // The program's own icons come with the template; the system's are not in the program file.
  if (m_icon != kSystemWarningIcon) return;
  const int side = SystemMetric(SM_CXSMICON, Dialog().Dpi());
  HICON icon = static_cast<HICON>(
      LoadImageW(nullptr, MAKEINTRESOURCEW(m_icon), IMAGE_ICON, side, side, LR_SHARED));
  if (icon != nullptr)
    SendMessageW(static_cast<HWND>(Handle()), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

}  // namespace vf::ui::win32

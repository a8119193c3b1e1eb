// Labels of the Win32 window laid out on one line, the static control with an
// id whose text the program sets (a count, a notice), which is laid out anew
// with each text, and an icon control with an id.
#pragma once

#include "ui/window/win32/win32_control.h"

namespace vf::ui::win32 {

// Lays a label out on one line: left-aligned ones grow to the right when
// their text is wider than their rectangle (the dialog font's glyphs are a
// pixel wider here and there than the template's were made for), and
// right-aligned ones are drawn left-aligned at their text's width from their
// right edge (kept in the window's user data), since some versions of the
// control push a right-aligned text's last characters out of its rectangle.
// Any other window is left alone.
void FitLabel(void *label);
// Every label of `dialog`.
void FitLabels(void *dialog);
// The right edges that FitLabel keeps, from `oldDpi` to `dpi`.
void ScaleLabelEdges(void *dialog, unsigned oldDpi, unsigned dpi);
// The right edge FitLabel keeps for `window`, moved by `dx` pixels with it.
void ShiftLabelEdge(void *window, int dx);

class Win32Label final : public Win32Control<Control> {
 public:
  using Win32Control::Win32Control;
  bool SetText(std::string_view text) override;
};

// An icon control with an id: the template's icon `icon`, which when it is
// one of the window system's own (kSystemWarningIcon) is set here at the
// DPI's small icon size.
class Win32Icon final : public Win32Control<Control> {
 public:
  Win32Icon(int id, Win32DialogWindow &dialog, int icon);
  void OnDpiChanged(unsigned oldDpi, unsigned dpi) override;

 private:
  void ShowSystemIcon();
  int m_icon;
};

}  // namespace vf::ui::win32

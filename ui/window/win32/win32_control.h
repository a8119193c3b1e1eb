// What every control of the Win32 window does, over the window the dialog
// manager made for it: Win32Control<Kind> implements Control's operations for
// any kind of the window layer and leaves the kind's own to the class that
// derives it. Beside them, each control answers what its dialog passes on to
// it (Win32Peer): the notifications the control sends (WM_COMMAND,
// WM_NOTIFY), a new DPI, the end of its window.
//
// A control finds its window anew at every call (GetDlgItem), so that once
// the dialog's window is gone every operation does nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/window/control.h"
#include "ui/window/win32/win32_dialog_window.h"

struct tagNMHDR;

namespace vf::ui::win32 {

class Win32Peer {
 public:
  virtual ~Win32Peer() = default;

  // The control as the window layer sees it.
  virtual Control &AsControl() = 0;
  // A WM_COMMAND notification from the control; false leaves it to the
  // dialog manager.
  virtual bool OnCommand(int /*code*/) { return false; }
  // A WM_NOTIFY from the control; false leaves it to the dialog manager, true
  // answers it with `result`.
  virtual bool OnNotify(tagNMHDR & /*header*/, std::intptr_t & /*result*/) { return false; }
  // The context menu asked for over the control: at the screen point
  // (x, y), or from the keyboard (-1, -1); false leaves it to the window system.
  virtual bool OnContextMenu(int /*x*/, int /*y*/) { return false; }
  // The dialog is laid out for `dpi` now, after `oldDpi`.
  virtual void OnDpiChanged(unsigned /*oldDpi*/, unsigned /*dpi*/) {}
  // The control's window is going away (the dialog's WM_DESTROY).
  virtual void OnDestroy() {}
};

// The operations on a control's window (null: nothing is done) that the
// template below calls.
bool SetWindowTextUtf8(void *window, std::string_view text);
std::string WindowTextUtf8(void *window);
// Disabling the control with the focus first moves the focus on in `dialog`.
bool EnableControlWindow(void *dialog, void *control, bool enable);
bool IsWindowEnabledNow(void *window);
bool ShowControlWindow(void *control, bool show);
bool HasVisibleStyle(void *window);
std::string WindowClassName(void *window);

template <typename Kind>
class Win32Control : public Kind, public Win32Peer {
 public:
  Win32Control(int id, Win32DialogWindow &dialog) : Kind(id), m_dialog(dialog) {}

  bool SetText(std::string_view text) override { return SetWindowTextUtf8(Handle(), text); }
  std::string Text() const override { return WindowTextUtf8(Handle()); }
  bool Enable(bool enable) override {
    return EnableControlWindow(m_dialog.NativeHandle(), Handle(), enable);
  }
  bool IsEnabled() const override { return IsWindowEnabledNow(Handle()); }
  bool Show(bool show) override { return ShowControlWindow(Handle(), show); }
  bool IsVisible() const override { return HasVisibleStyle(Handle()); }
  std::string ClassName() const override { return WindowClassName(Handle()); }
  bool SetToolTip(std::string_view text) override { return m_dialog.SetToolTip(this->Id(), text); }
  std::string ToolTip() const override { return m_dialog.ToolTip(this->Id()); }

  Control &AsControl() override { return *this; }

 protected:
  // The control's window (HWND); null before the dialog is made and once it is gone.
  void *Handle() const { return m_dialog.ControlHandle(this->Id()); }
  Win32DialogWindow &Dialog() const { return m_dialog; }

 private:
  Win32DialogWindow &m_dialog;
};

}  // namespace vf::ui::win32

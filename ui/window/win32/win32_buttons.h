// The buttons of the Win32 window: a push button, whose click is a command,
// and a check box, whose click (once it has toggled) is one too.
#pragma once

#include "ui/window/controls.h"
#include "ui/window/win32/win32_control.h"

namespace vf::ui::win32 {

class Win32Button final : public Win32Control<Control> {
 public:
  using Win32Control::Win32Control;
  bool OnCommand(int code) override;
};

class Win32CheckBox final : public Win32Control<CheckBox> {
 public:
  using Win32Control::Win32Control;
  int GetCheck() const override;
  void SetCheck(int state) override;
  bool OnCommand(int code) override;
};

}  // namespace vf::ui::win32

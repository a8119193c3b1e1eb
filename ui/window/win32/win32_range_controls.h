// The two controls of the Win32 window that hold a position in a range: the
// up-down control beside its buddy, which only reports its steps, and the
// progress bar.
#pragma once

#include "ui/window/controls.h"
#include "ui/window/win32/win32_control.h"

namespace vf::ui::win32 {

class Win32UpDown final : public Win32Control<UpDown> {
 public:
  using Win32Control::Win32Control;
  Control *SetBuddy(Control *buddy) override;
  Control *Buddy() const override;
  void SetRange(int lower, int upper) override;
  std::pair<int, int> Range() const override;
  int SetPos(int pos) override;
  int Pos() const override;
  bool OnNotify(tagNMHDR &header, std::intptr_t &result) override;
};

class Win32ProgressBar final : public Win32Control<ProgressBar> {
 public:
  using Win32Control::Win32Control;
  void SetRange(int lower, int upper) override;
  std::pair<int, int> Range() const override;
  int SetPos(int pos) override;
  int Pos() const override;
  void SetStep(int step) override;
  int StepIt() override;
};

}  // namespace vf::ui::win32

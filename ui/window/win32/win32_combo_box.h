// The drop-down list of the Win32 window: the user's choice of an entry is
// reported, the program's is not.
#pragma once

#include "ui/window/controls.h"
#include "ui/window/win32/win32_control.h"

namespace vf::ui::win32 {

class Win32ComboBox final : public Win32Control<ComboBox> {
 public:
  using Win32Control::Win32Control;
  void ResetContent() override;
  int AddString(std::string_view text) override;
  int Count() const override;
  std::string ItemText(int index) const override;
  bool SetItemData(int index, std::uintptr_t value) override;
  std::uintptr_t ItemData(int index) const override;
  int SelectString(int after, std::string_view prefix) override;
  int CurSel() const override;
  void SetCurSel(int index) override;
  bool OnCommand(int code) override;
};

}  // namespace vf::ui::win32

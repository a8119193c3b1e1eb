// A dialog template as the Windows dialog manager reads it: an
// in-memory DLGTEMPLATEEX with its font and one DLGITEMTEMPLATEEX per
// control, the controls' classes and styles mapped to the common controls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/window/dialog_template.h"

namespace vf::ui::win32 {

// A control's window class and styles.
struct ControlStyles {
  std::wstring className;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
};
ControlStyles StylesOf(const DialogItem &control);

// The template, DWORD-aligned: hand data() to DialogBoxIndirectParamW or
// CreateDialogIndirectParamW. Texts are UTF-8 in `dialogTemplate` and UTF-16
// here.
std::vector<std::uint32_t> BuildDialogTemplate(const DialogTemplate &dialogTemplate);

}  // namespace vf::ui::win32

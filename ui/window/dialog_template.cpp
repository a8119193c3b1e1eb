#include "ui/window/dialog_template.h"

namespace vf::ui {

const char *WindowsClassName(ControlClass cls) {
  using C = ControlClass;
  switch (cls) {
    case C::kStatic:
    case C::kIcon:
      return "Static";
    case C::kGroupBox:
    case C::kPushButton:
    case C::kDefPushButton:
    case C::kCheckBox:
      return "Button";
    case C::kEdit:
      return "Edit";
    case C::kDropDownList:
      return "ComboBox";
    case C::kListView:
      return "SysListView32";
    case C::kUpDown:
      return "msctls_updown32";
    case C::kProgressBar:
      return "msctls_progress32";
    case C::kIpAddress:
      return "SysIPAddress32";
  }
  return "";
}

}  // namespace vf::ui

#include "ui/window/win32/win32_control_set.h"

#include "ui/window/win32/win32_buttons.h"
#include "ui/window/win32/win32_combo_box.h"
#include "ui/window/win32/win32_edits.h"
#include "ui/window/win32/win32_labels.h"
#include "ui/window/win32/win32_list_view.h"
#include "ui/window/win32/win32_range_controls.h"

namespace vf::ui::win32 {
namespace {

std::unique_ptr<Win32Peer> MakeControl(const DialogItem &item, Win32DialogWindow &dialog) {
  const int id = item.id;
  switch (item.cls) {
    case ControlClass::kStatic:
      return std::make_unique<Win32Label>(id, dialog);
    case ControlClass::kGroupBox:
      return std::make_unique<Win32Control<Control>>(id, dialog);
    case ControlClass::kIcon:
      return std::make_unique<Win32Icon>(id, dialog, item.icon);
    case ControlClass::kPushButton:
    case ControlClass::kDefPushButton:
      return std::make_unique<Win32Button>(id, dialog);
    case ControlClass::kEdit:
      return std::make_unique<Win32Edit>(id, dialog);
    case ControlClass::kIpAddress:
      return std::make_unique<Win32IpAddress>(id, dialog);
    case ControlClass::kCheckBox:
      return std::make_unique<Win32CheckBox>(id, dialog);
    case ControlClass::kDropDownList:
      return std::make_unique<Win32ComboBox>(id, dialog);
    case ControlClass::kListView:
      return std::make_unique<Win32ListView>(id, dialog);
    case ControlClass::kUpDown:
      return std::make_unique<Win32UpDown>(id, dialog);
    case ControlClass::kProgressBar:
      return std::make_unique<Win32ProgressBar>(id, dialog);
  }
  return nullptr;
}

}  // namespace

Win32ControlSet::Win32ControlSet(const DialogTemplate &dialogTemplate, Win32DialogWindow &dialog) {
  for (const DialogItem &item : dialogTemplate.controls) {
    if (item.id == IDC_STATIC || m_controls.count(item.id) != 0) continue;
    if (std::unique_ptr<Win32Peer> control = MakeControl(item, dialog)) {
      m_controls[item.id] = std::move(control);
    }
  }
}

Win32ControlSet::~Win32ControlSet() = default;

Control *Win32ControlSet::Find(int id) const {
  Win32Peer *peer = Peer(id);
  return peer != nullptr ? &peer->AsControl() : nullptr;
}

Win32Peer *Win32ControlSet::Peer(int id) const {
  const auto found = m_controls.find(id);
  return found != m_controls.end() ? found->second.get() : nullptr;
}

void Win32ControlSet::DpiChanged(unsigned oldDpi, unsigned dpi) {
  for (const auto &[id, control] : m_controls) control->OnDpiChanged(oldDpi, dpi);
}

void Win32ControlSet::Destroy() {
  for (const auto &[id, control] : m_controls) control->OnDestroy();
}

}  // namespace vf::ui::win32

#include "ui/window/qt/qt_control_set.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

#include "ui/window/dialog_template.h"
#include "ui/window/qt/control_id.h"
#include "ui/window/qt/drop_down_list.h"
#include "ui/window/qt/ip_address_edit.h"
#include "ui/window/qt/qt_controls.h"
#include "ui/window/qt/qt_list_view.h"
#include "ui/window/qt/report_list.h"
#include "ui/window/qt/step_progress_bar.h"
#include "ui/window/qt/up_down_control.h"

namespace vf::ui {
namespace {

// The control of a widget the builder made for `cls` (which decides the
// widget's type).
std::unique_ptr<Control> MakeControl(int id, ControlClass cls, QWidget *widget,
                                     const QtControlSet &controls, DialogHandler &handler) {
  switch (cls) {
    case ControlClass::kStatic:
    case ControlClass::kGroupBox:
    case ControlClass::kIcon:
      return std::make_unique<QtControl<Control>>(id, widget);
    case ControlClass::kPushButton:
    case ControlClass::kDefPushButton:
      return std::make_unique<QtButton>(id, static_cast<QAbstractButton *>(widget), handler);
    case ControlClass::kEdit:
      return std::make_unique<QtEdit>(id, static_cast<QLineEdit *>(widget));
    case ControlClass::kIpAddress:
      return std::make_unique<QtIpAddress>(id, static_cast<IpAddressEdit *>(widget));
    case ControlClass::kCheckBox:
      return std::make_unique<QtCheckBox>(id, static_cast<QCheckBox *>(widget), handler);
    case ControlClass::kDropDownList:
      return std::make_unique<QtComboBox>(id, static_cast<DropDownList *>(widget), handler);
    case ControlClass::kListView:
      return std::make_unique<QtListView>(id, static_cast<ReportList *>(widget), handler);
    case ControlClass::kUpDown:
      return std::make_unique<QtUpDown>(id, static_cast<UpDownControl *>(widget), controls,
                                        handler);
    case ControlClass::kProgressBar:
      return std::make_unique<QtProgressBar>(id, static_cast<StepProgressBar *>(widget));
  }
  return nullptr;
}

}  // namespace

QtControlSet::QtControlSet(QWidget *dialog, DialogHandler &handler) {
  const auto children = dialog->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
  for (QWidget *widget : children) {
    const QVariant id = widget->property(kControlIdProperty);
    if (!id.isValid() || id.toInt() == IDC_STATIC) continue;
    const auto cls = static_cast<ControlClass>(widget->property(kControlClassProperty).toInt());
    std::unique_ptr<Control> control = MakeControl(id.toInt(), cls, widget, *this, handler);
    if (control) m_controls[id.toInt()] = {std::move(control), widget};
  }
}

QtControlSet::~QtControlSet() = default;

Control *QtControlSet::Find(int id) const {
  const auto found = m_controls.find(id);
  return found != m_controls.end() ? found->second.control.get() : nullptr;
}

QWidget *QtControlSet::WidgetOf(const Control *control) const {
  if (control == nullptr) return nullptr;
  const auto found = m_controls.find(control->Id());
  return found != m_controls.end() && found->second.control.get() == control ? found->second.widget
                                                                             : nullptr;
}

}  // namespace vf::ui

#include "control_id.h"

#include <QObject>
#include <QVariant>
#include <QWidget>

namespace vf::ui {

void TagControl(QWidget *widget, int id, res::ControlClass cls) {
  widget->setProperty(kControlIdProperty, id);
  widget->setProperty(kControlClassProperty, static_cast<int>(cls));
}

QWidget *ControlWidgetOf(const QObject *object) {
  for (const QObject *o = object; o != nullptr; o = o->parent()) {
    if (o->isWidgetType() && static_cast<const QWidget *>(o)->isWindow()) break;
    if (o->property(kControlIdProperty).isValid()) {
      return const_cast<QWidget *>(static_cast<const QWidget *>(o));
    }
  }
  return nullptr;
}

int ControlIdOf(const QObject *object) {
  const QWidget *control = ControlWidgetOf(object);
  return control != nullptr ? control->property(kControlIdProperty).toInt() : 0;
}

QString WindowsClassName(res::ControlClass cls) {
  using C = res::ControlClass;
  switch (cls) {
    case C::kStatic:
    case C::kIcon:
      return QStringLiteral("Static");
    case C::kGroupBox:
    case C::kPushButton:
    case C::kDefPushButton:
    case C::kCheckBox:
      return QStringLiteral("Button");
    case C::kEdit:
      return QStringLiteral("Edit");
    case C::kDropDownList:
      return QStringLiteral("ComboBox");
    case C::kListView:
      return QStringLiteral("SysListView32");
    case C::kUpDown:
      return QStringLiteral("msctls_updown32");
    case C::kProgressBar:
      return QStringLiteral("msctls_progress32");
    case C::kIpAddress:
      return QStringLiteral("SysIPAddress32");
  }
  return {};
}

}  // namespace vf::ui

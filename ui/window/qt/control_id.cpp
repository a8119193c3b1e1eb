#include "ui/window/qt/control_id.h"

#include <QObject>
#include <QVariant>
#include <QWidget>

namespace vf::ui {

void TagControl(QWidget *widget, int id, ControlClass cls, std::uint8_t anchor) {
  widget->setProperty(kControlIdProperty, id);
  widget->setProperty(kControlClassProperty, static_cast<int>(cls));
  if (anchor != kAnchorTopLeft) widget->setProperty(kControlAnchorProperty, anchor);
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

}  // namespace vf::ui

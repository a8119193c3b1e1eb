// How a widget made from a dialog template carries its control id and its
// class, and how to find the control a child object (an octet field, a
// list's viewport) belongs to.
#pragma once

#include <cstdint>

#include "ui/window/dialog_template.h"

class QObject;
class QWidget;

namespace vf::ui {

// Dynamic properties set on every control widget.
inline constexpr char kControlIdProperty[] = "controlId";
inline constexpr char kControlClassProperty[] = "controlClass";
// How it follows a resizable dialog's edges (ControlAnchor flags).
inline constexpr char kControlAnchorProperty[] = "controlAnchor";

void TagControl(QWidget *widget, int id, ControlClass cls, std::uint8_t anchor = 0);

// The id of the control `object` is or lies inside; 0 when it is no control.
// Labels and group boxes report IDC_STATIC (-1).
int ControlIdOf(const QObject *object);

// The control widget `object` is or lies inside; null when none.
QWidget *ControlWidgetOf(const QObject *object);

}  // namespace vf::ui

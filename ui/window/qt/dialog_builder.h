// Builds a dialog's controls from a template: one widget per control, placed
// in pixels converted from dialog units with the dialog font's base units.
#pragma once

#include <QSize>

#include "ui/window/dialog_template.h"
#include "ui/window/qt/dialog_units.h"

class QDialog;

namespace vf::ui {

struct BuiltDialog {
  DialogBaseUnits units;
  QSize clientSize;
};

// Sets the dialog's font, caption, frame and fixed client size, and creates
// the template's controls as its children in template order (the tab order).
BuiltDialog BuildDialog(QDialog *dialog, const DialogTemplate &dialogTemplate);

}  // namespace vf::ui

// The program's dialog templates: template 102, the main window, 100, the
// About box, and 103, "Assign addresses", as tables of the window layer.
#pragma once

#include "ui/window/dialog_template.h"

namespace vf::res {

const ui::DialogTemplate &SearchDialogTemplate();
const ui::DialogTemplate &AboutDialogTemplate();
const ui::DialogTemplate &AssignDialogTemplate();
// Null for an unknown template id.
const ui::DialogTemplate *FindDialogTemplate(int id);

}  // namespace vf::res

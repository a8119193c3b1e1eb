// Icons by resource number, as the Win32 window loads them from the program
// file: for a window's big and small icon and for the template's icon
// controls. A program registers how each of its icons is drawn before its
// first window asks; a number nothing was registered for has no icon.
#pragma once

#include <QIcon>

namespace vf::ui {

// Draws an icon; called while a QApplication exists.
using IconMaker = QIcon (*)();

// Registers (or replaces) the maker of icon `id`. Safe during static
// initialisation.
bool RegisterIcon(int id, IconMaker maker);

// The style's warning icon for kSystemWarningIcon, a null icon for any other
// unregistered id. Needs a QApplication.
QIcon LoadIcon(int id);

}  // namespace vf::ui

// A resizable dialog's controls following its edges: each control widget
// moves or stretches by what the dialog grew, as its template's anchor says
// (kControlAnchorProperty). The others keep their place.
#pragma once

#include <QSize>

class QWidget;

namespace vf::ui {

// Moves and stretches the control widgets of `dialog` for a change of its
// size by `delta`.
void FollowDialogEdges(QWidget *dialog, QSize delta);

}  // namespace vf::ui

// The program's icons: the camera of the main window (IDR_MAINFRAME) and the
// information sign beside the tips (IDI_TIPS).
#pragma once

#include <QIcon>

namespace vf::res {

// A null icon for an unknown id. Needs a QApplication.
QIcon LoadIcon(int id);

}  // namespace vf::res

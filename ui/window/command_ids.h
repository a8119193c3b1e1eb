// The window system's own command ids: a dialog's OK and cancel, which also
// end it with that result, and the controls of no interest to the code.
#pragma once

namespace vf::ui {

inline constexpr int IDOK = 1;
// The result a dialog ends with when it is cancelled or closed.
inline constexpr int IDCANCEL = 2;
// Labels, group boxes and icons: no code reaches them.
inline constexpr int IDC_STATIC = -1;

}  // namespace vf::ui

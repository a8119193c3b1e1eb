// Whether the window has a display to open on. Qt ends the process with an
// abort when it finds none, so the program asks first and explains itself.
#pragma once

namespace vf::app {

// What a start without a display says on stderr, as one line.
inline constexpr const char *kNoDisplayMessage =
    "vellafind: the window needs a graphical display (X11 or Wayland); "
    "vellafind-cli searches and configures cameras without one.";

// True when an X11 display ($DISPLAY) opens or a Wayland socket
// ($WAYLAND_DISPLAY) exists, among the platforms QT_QPA_PLATFORM lists when it
// is set. A platform other than those two (offscreen, vnc, ...) is Qt's to
// judge, and counts as a display.
bool HasGraphicalDisplay();

// Until the returned object goes, a failure of Qt to start any platform ends
// the process with kNoDisplayMessage and status 1 instead of an abort: for a
// display that went away between the check and Qt's own attempt.
class PlatformFailureGuard {
 public:
  PlatformFailureGuard();
  ~PlatformFailureGuard();
  PlatformFailureGuard(const PlatformFailureGuard &) = delete;
  PlatformFailureGuard &operator=(const PlatformFailureGuard &) = delete;
};

}  // namespace vf::app

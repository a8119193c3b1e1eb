// One running copy per window title: finds a top-level window by its exact title and restores it
// when it is minimised. On Windows that is FindWindowW, IsIconic and ShowWindow. Elsewhere every
// copy of this program holds a per-user lock file named after its title for as long as its window
// is open, so the rule holds on any display; the X server is asked only to find that window again
// and restore it (a window on a Wayland display cannot be listed, and is then known by its lock
// alone).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vf::single_instance {

struct WindowHandle {
  enum class Source { kX11, kLockFile, kWin32 };
  Source source = Source::kX11;
  std::uint64_t window = 0;  // the X window id or the HWND; 0 for a lock file
};

// The top-level window whose title is exactly `title`, if one exists: an X11 window of that title,
// else the lock of a copy whose window cannot be listed.
std::optional<WindowHandle> FindWindowByTitle(const std::string &title);
// Whether the window is minimised. A window known only by its lock file never is.
bool IsIconic(const WindowHandle &handle);
// Brings a minimised window back to its normal state without raising or activating it. False
// when nothing could be asked of the window system.
bool RestoreWindow(const WindowHandle &handle);

#if !defined(_WIN32)
// The X11 look-up against a given display name (nullptr: $DISPLAY); std::nullopt as outer value
// when the display cannot be opened.
std::optional<std::optional<WindowHandle>> FindX11WindowByTitle(const char *display,
                                                                const std::string &title);

// The lock-file registry every copy registers its title in. It lives in a directory that only
// this user can write to: $XDG_RUNTIME_DIR when it is set, else /tmp/vellafind-<uid>, made with
// mode 0700 on first use. A directory that is a symbolic link, belongs to someone else or that
// others may write to is not used, and neither is a lock that is a link or belongs to another
// user: someone else's file never decides whether this program runs.

// The directory of the locks: $XDG_RUNTIME_DIR when it is an absolute path, else
// /tmp/vellafind-<effective uid>.
std::string TitleLockDirectory();

// `directory` empty: TitleLockDirectory().
std::string TitleLockPath(const std::string &title, const std::string &directory = {});

// Holds the title for the life of the object (the first copy takes it after the look-up found
// nothing, and keeps it until it exits). The file stays behind, empty, for the next holder.
class TitleClaim {
 public:
  enum class State {
    kHeld,           // this copy holds the title
    kHeldElsewhere,  // another copy of this user holds it
    kUnavailable,    // no lock could be taken; problem() says why
  };

  explicit TitleClaim(const std::string &title, const std::string &directory = {});
  ~TitleClaim();
  TitleClaim(const TitleClaim &) = delete;
  TitleClaim &operator=(const TitleClaim &) = delete;

  State state() const { return m_state; }
  bool held() const { return m_state == State::kHeld; }
  // Why no lock could be taken, naming the path; empty unless kUnavailable.
  const std::string &problem() const { return m_problem; }

 private:
  int m_fd = -1;
  State m_state = State::kUnavailable;
  std::string m_problem;
};

// Whether another copy of this user holds the title's lock. A lock that is not in a private
// directory of this user, or is not this user's own file, counts for nothing.
bool IsTitleClaimed(const std::string &title, const std::string &directory = {});
#endif

}  // namespace vf::single_instance

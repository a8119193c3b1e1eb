// One running copy per window title: finds a top-level window by its exact title and restores it
// when it is minimised. On Windows that is FindWindowW, IsIconic and ShowWindow. Elsewhere every
// copy of this program holds a per-user lock file named after its title for as long as its window
// is open, so the rule holds on any display; the X server is asked only to find that window again
// and restore it (a window on a Wayland display cannot be listed, and is then known by its lock
// alone).
#ifndef VF_PLATFORM_SINGLE_INSTANCE_SINGLE_INSTANCE_H_
#define VF_PLATFORM_SINGLE_INSTANCE_SINGLE_INSTANCE_H_

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

// The lock-file registry every copy registers its title in.
// `directory` empty: $XDG_RUNTIME_DIR, else /tmp.
std::string TitleLockPath(const std::string &title, const std::string &directory = {});

// Holds the title for the life of the object (the first copy takes it after the look-up found
// nothing, and keeps it until it exits).
class TitleClaim {
 public:
  explicit TitleClaim(const std::string &title, const std::string &directory = {});
  ~TitleClaim();
  TitleClaim(const TitleClaim &) = delete;
  TitleClaim &operator=(const TitleClaim &) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// Whether some process holds the title's lock.
bool IsTitleClaimed(const std::string &title, const std::string &directory = {});
#endif

}  // namespace vf::single_instance

#endif  // VF_PLATFORM_SINGLE_INSTANCE_SINGLE_INSTANCE_H_

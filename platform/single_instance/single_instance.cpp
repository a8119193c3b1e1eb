#include "platform/single_instance/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace vf::single_instance {

// The X11 side, in single_instance_x11.cpp.
bool IsX11WindowIconic(std::uint64_t window);
bool RestoreX11Window(std::uint64_t window);

namespace {

std::uint64_t HashTitle(const std::string &title) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : title) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace

std::string TitleLockPath(const std::string &title, const std::string &directory) {
  std::string dir = directory;
  if (dir.empty()) {
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    dir = (runtime != nullptr && runtime[0] != '\0') ? runtime : "/tmp";
  }
  if (dir.back() != '/') dir.push_back('/');
  char name[80];
  std::snprintf(name, sizeof name, "vellafind-%u-%016llx.lock", static_cast<unsigned>(::getuid()),
                static_cast<unsigned long long>(HashTitle(title)));
  return dir + name;
}

TitleClaim::TitleClaim(const std::string &title, const std::string &directory) {
  const std::string path = TitleLockPath(title, directory);
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

TitleClaim::~TitleClaim() {
  if (fd_ >= 0) ::close(fd_);  // closing drops the lock; the file stays for the next holder
}

bool IsTitleClaimed(const std::string &title, const std::string &directory) {
  const std::string path = TitleLockPath(title, directory);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool claimed = false;
  if (::flock(fd, LOCK_SH | LOCK_NB) != 0) claimed = errno == EWOULDBLOCK;
  close(fd);
  return claimed;
}

std::optional<WindowHandle> FindWindowByTitle(const std::string &title) {
  // An X11 window can be restored, so it is looked for first. A window on a
  // Wayland display is no X11 client even where an X server runs beside it:
  // only the lock shows that it exists.
  if (auto x11 = FindX11WindowByTitle(nullptr, title); x11 && *x11) return *x11;
  if (IsTitleClaimed(title)) return WindowHandle{WindowHandle::Source::kLockFile, 0};
  return std::nullopt;
}

bool IsIconic(const WindowHandle &handle) {
  return handle.source == WindowHandle::Source::kX11 && IsX11WindowIconic(handle.window);
}

bool RestoreWindow(const WindowHandle &handle) {
  return handle.source == WindowHandle::Source::kX11 && RestoreX11Window(handle.window);
}

}  // namespace vf::single_instance

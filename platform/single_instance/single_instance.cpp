#include "platform/single_instance/single_instance.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

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

std::string LockFileName(const std::string &title) {
  char name[80];
  std::snprintf(name, sizeof name, "vellafind-%u-%016llx.lock", static_cast<unsigned>(::geteuid()),
                static_cast<unsigned long long>(HashTitle(title)));
  return name;
}

// A descriptor that closes itself.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(const Descriptor &) = delete;
  Descriptor &operator=(const Descriptor &) = delete;
  int get() const { return m_fd; }
  int release() { return std::exchange(m_fd, -1); }

 private:
  int m_fd;
};

std::string SystemError(const std::string &path, int error) {
  return path + ": " + std::strerror(error);
}

// What makes a directory or file of the registry unfit: another owner, or any of the mode bits
// `forbidden`, which `fix` (a chmod mode) takes away. Empty when it is fit.
std::string OwnershipProblem(const std::string &path, const struct stat &status, mode_t forbidden,
                             const char *fix) {
  if (status.st_uid != ::geteuid()) {
    return path + " belongs to user " + std::to_string(status.st_uid) +
           ", not to this one: have it removed";
  }
  if ((status.st_mode & forbidden) != 0) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(status.st_mode & 07777));
    return path + " is open to other users (mode " + mode + "): chmod " + fix + " " + path;
  }
  return {};
}

// The registry's directory, opened without following a link and checked: it must be a
// directory of this user that nobody else may write to, so that nobody else can put a file or
// a link in it. `create` makes it, with mode 0700, when it is missing. -1 when it is unfit or
// missing, with `problem` saying why (empty for a directory that is simply not there).
int OpenLockDirectory(const std::string &path, bool create, std::string &problem) {
  if (create && ::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
    problem = SystemError(path, errno);
    return -1;
  }
  Descriptor dir(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (dir.get() < 0) {
    const int error = errno;
    if (error == ELOOP || error == ENOTDIR) {
      problem = path + " is a symbolic link or no directory: remove it";
    } else if (error != ENOENT || create) {
      problem = SystemError(path, error);
    }
    return -1;
  }
  struct stat status {};
  if (::fstat(dir.get(), &status) != 0) {
    problem = SystemError(path, errno);
    return -1;
  }
  // Others may read and enter it, but not add, remove or rename what is in it.
  problem = OwnershipProblem(path, status, S_IWGRP | S_IWOTH, "go-w");
  return problem.empty() ? dir.release() : -1;
}

// The lock file `name` in the directory `dir`, opened without following a link (O_NONBLOCK: a
// FIFO in its place cannot hold the open) and checked to be a plain file that only this user
// can open. -1, with `problem` set unless the file is simply missing, otherwise.
int OpenLockFile(int dir, const std::string &path, const std::string &name, int flags,
                 std::string &problem) {
  Descriptor file(::openat(dir, name.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
  if (file.get() < 0) {
    const int error = errno;
    if (error == ELOOP) {
      problem = path + " is a symbolic link: remove it";
    } else if (error != ENOENT) {
      problem = SystemError(path, error);
    }
    return -1;
  }
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) {
    problem = SystemError(path, errno);
    return -1;
  }
  if (!S_ISREG(status.st_mode)) {
    problem = path + " is not a plain file: remove it";
    return -1;
  }
  // Whoever can open the file can lock it, even for reading only.
  problem = OwnershipProblem(path, status, S_IRWXG | S_IRWXO, "600");
  return problem.empty() ? file.release() : -1;
}

// The lock covers the whole file. Locks of an open file description (not of the process) are
// used: a copy that only looks whether the title is held (F_OFD_GETLK) neither takes the lock
// nor, by closing its descriptor, drops one that the same process holds.
struct flock WholeFile(short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  return lock;
}

struct Location {
  std::string directory;
  bool create = false;  // the directory is ours to make
};

Location Locate(const std::string &directory) {
  if (!directory.empty()) return {directory, false};
  // A relative path is no runtime directory.
  const char *runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return {runtime, false};
  return {"/tmp/vellafind-" + std::to_string(::geteuid()), true};
}

}  // namespace

std::string TitleLockDirectory() {
  return Locate({}).directory;
}

std::string TitleLockPath(const std::string &title, const std::string &directory) {
  std::string dir = directory.empty() ? TitleLockDirectory() : directory;
  if (dir.back() != '/') dir.push_back('/');
  return dir + LockFileName(title);
}

TitleClaim::TitleClaim(const std::string &title, const std::string &directory) {
  const Location location = Locate(directory);
  const Descriptor dir(OpenLockDirectory(location.directory, location.create, m_problem));
  if (dir.get() < 0) {
    if (m_problem.empty()) m_problem = location.directory + " does not exist";
    return;
  }
  const std::string path = TitleLockPath(title, location.directory);
  Descriptor file(OpenLockFile(dir.get(), path, LockFileName(title), O_RDWR | O_CREAT, m_problem));
  if (file.get() < 0) return;
  struct flock lock = WholeFile(F_WRLCK);
  if (::fcntl(file.get(), F_OFD_SETLK, &lock) != 0) {
    if (errno == EAGAIN || errno == EACCES) {
      m_state = State::kHeldElsewhere;
    } else {
      m_problem = SystemError(path, errno);
    }
    return;
  }
  m_fd = file.release();
  m_state = State::kHeld;
}

TitleClaim::~TitleClaim() {
  if (m_fd >= 0) ::close(m_fd);  // closing drops the lock; the file stays for the next holder
}

bool IsTitleClaimed(const std::string &title, const std::string &directory) {
  const Location location = Locate(directory);
  std::string problem;
  const Descriptor dir(OpenLockDirectory(location.directory, false, problem));
  if (dir.get() < 0) return false;
  const Descriptor file(OpenLockFile(dir.get(), TitleLockPath(title, location.directory),
                                     LockFileName(title), O_RDONLY, problem));
  if (file.get() < 0) return false;
  struct flock lock = WholeFile(F_WRLCK);
  return ::fcntl(file.get(), F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
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

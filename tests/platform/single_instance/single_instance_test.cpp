// Runs against a real X server of its own (see CMakeLists.txt: Xvfb in a private namespace).
#include "platform/single_instance/single_instance.h"

// GoogleTest before Xlib: Xlib's macros (None, Bool, Status) would rename GoogleTest's own names.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
// clang-format on
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace vf::single_instance {
namespace {

const std::string kTitle = "Zelmor Serial Intranet search and settings(V1.0.0.1)";
const std::string kOtherVersion = "Zelmor Serial Intranet search and settings(V1.0.0.2)";

// The test's own client: it plays the foreign program that owns the windows and, where a test
// says so, the window manager.
class SingleInstanceX11 : public ::testing::Test {
 protected:
  // One connection held across the suite, so that a server started without -noreset does not
  // reset between tests.
  static void SetUpTestSuite() { keeper_ = XOpenDisplay(nullptr); }
  static void TearDownTestSuite() {
    if (keeper_ != nullptr) XCloseDisplay(keeper_);
    keeper_ = nullptr;
  }
  static inline Display *keeper_ = nullptr;

  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr) << "no X display; run under xvfb-run";
    root_ = DefaultRootWindow(display_);
  }
  void TearDown() override {
    if (display_ == nullptr) return;
    for (const char *name : {"_NET_CLIENT_LIST", "_NET_SUPPORTING_WM_CHECK"})
      XDeleteProperty(display_, root_, AtomOf(name));
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) XDestroyWindow(display_, *it);
    XSync(display_, False);
    XCloseDisplay(display_);
  }

  ::Atom AtomOf(const char *name) { return XInternAtom(display_, name, False); }

  Window MakeWindow(Window parent, const std::string &utf8Title, bool map = true) {
    Window w = XCreateSimpleWindow(display_, parent, 0, 0, 80, 60, 0, 0, 0);
    windows_.push_back(w);
    if (!utf8Title.empty()) {
      XChangeProperty(display_, w, AtomOf("_NET_WM_NAME"), AtomOf("UTF8_STRING"), 8,
                      PropModeReplace, reinterpret_cast<const unsigned char *>(utf8Title.data()),
                      static_cast<int>(utf8Title.size()));
      XStoreName(display_, w, "legacy name");
    }
    if (map) XMapWindow(display_, w);
    XSync(display_, False);
    return w;
  }

  void SetLongs(Window w, const char *property, ::Atom type, const std::vector<long> &values) {
    XChangeProperty(display_, w, AtomOf(property), type, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(values.data()),
                    static_cast<int>(values.size()));
    XSync(display_, False);
  }

  // Minimised as a window manager leaves it: WM_STATE Iconic, unmapped.
  void Iconify(Window w) {
    SetLongs(w, "WM_STATE", AtomOf("WM_STATE"), {3, 0});
    XUnmapWindow(display_, w);
    XSync(display_, False);
  }

  bool Viewable(Window w) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_, w, &attributes) != 0 &&
           attributes.map_state == IsViewable;
  }

  // Waits at most two seconds for `done`.
  static bool WaitFor(const std::function<bool()> &done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }

  std::optional<Window> Find(const std::string &title) {
    auto found = FindWindowByTitle(title);
    if (!found) return std::nullopt;
    EXPECT_EQ(found->source, WindowHandle::Source::kX11);
    return static_cast<Window>(found->window);
  }

  Display *display_ = nullptr;
  Window root_ = None;
  std::vector<Window> windows_;
};

TEST_F(SingleInstanceX11, FindsATopLevelWindowByItsExactTitleOnly) {
  const Window w = MakeWindow(root_, kTitle);
  EXPECT_EQ(Find(kTitle), w);
  EXPECT_EQ(Find(kOtherVersion), std::nullopt);
  EXPECT_EQ(Find(kTitle.substr(0, kTitle.size() - 1)), std::nullopt);
  EXPECT_EQ(Find(kTitle + " "), std::nullopt);
  EXPECT_EQ(Find("legacy name"), std::nullopt) << "_NET_WM_NAME comes before WM_NAME";
}

TEST_F(SingleInstanceX11, FindsUnmappedWindowsAndLegacyLatin1Names) {
  const Window hidden = MakeWindow(root_, kTitle, /*map=*/false);
  EXPECT_EQ(Find(kTitle), hidden);

  Window legacy = XCreateSimpleWindow(display_, root_, 0, 0, 10, 10, 0, 0, 0);
  windows_.push_back(legacy);
  XStoreName(display_, legacy, "Cam\xE9ra tool");  // WM_NAME only, in Latin-1
  XSync(display_, False);
  EXPECT_EQ(Find("Cam\xC3\xA9ra tool"), legacy);
}

TEST_F(SingleInstanceX11, FindsAClientInsideWindowManagerFrames) {
  const Window frame = MakeWindow(root_, "");
  const Window client = MakeWindow(frame, kTitle);
  EXPECT_EQ(Find(kTitle), client);

  const Window outer = MakeWindow(root_, "");
  const Window inner = MakeWindow(outer, "");
  const Window deep = MakeWindow(inner, kOtherVersion);
  EXPECT_EQ(Find(kOtherVersion), deep);
}

TEST_F(SingleInstanceX11, ClientListDecidesWhereThereIsOne) {
  const Window a = MakeWindow(root_, "");
  const Window b = MakeWindow(a, "");
  const Window c = MakeWindow(b, "");
  const Window listed = MakeWindow(c, kTitle);  // too deep for the tree search
  MakeWindow(root_, kOtherVersion);             // a root child the list leaves out
  SetLongs(root_, "_NET_CLIENT_LIST", XA_WINDOW, {static_cast<long>(listed)});
  EXPECT_EQ(Find(kTitle), listed);
  EXPECT_EQ(Find(kOtherVersion), std::nullopt);
}

TEST_F(SingleInstanceX11, MinimisedWindowWithoutWindowManagerIsMappedAgain) {
  const Window normal = MakeWindow(root_, kOtherVersion);
  EXPECT_FALSE(IsIconic({WindowHandle::Source::kX11, normal}));

  const Window w = MakeWindow(root_, kTitle);
  Iconify(w);
  auto found = FindWindowByTitle(kTitle);
  ASSERT_TRUE(found);
  ASSERT_TRUE(IsIconic(*found));
  ASSERT_TRUE(RestoreWindow(*found));
  EXPECT_TRUE(WaitFor([&] { return Viewable(w); }));
  EXPECT_FALSE(IsIconic(*found));
}

TEST_F(SingleInstanceX11, HiddenNetStateCountsAsMinimisedAndIsCleared) {
  const Window w = MakeWindow(root_, kTitle);
  const ::Atom above = AtomOf("_NET_WM_STATE_ABOVE");
  SetLongs(w, "_NET_WM_STATE", XA_ATOM,
           {static_cast<long>(above), static_cast<long>(AtomOf("_NET_WM_STATE_HIDDEN"))});
  XUnmapWindow(display_, w);
  XSync(display_, False);
  const WindowHandle handle{WindowHandle::Source::kX11, w};
  ASSERT_TRUE(IsIconic(handle));
  ASSERT_TRUE(RestoreWindow(handle));
  EXPECT_FALSE(IsIconic(handle));
  EXPECT_TRUE(WaitFor([&] { return Viewable(w); }));
}

// With a window manager present the restore is a request to it: remove the hidden state and map
// the client; no raise, no activation.
TEST_F(SingleInstanceX11, WithAWindowManagerRestoreAsksItWithoutRaising) {
  const Window w = MakeWindow(root_, kTitle);
  Iconify(w);
  SetLongs(root_, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, {static_cast<long>(w)});
  XSelectInput(display_, root_, SubstructureRedirectMask | SubstructureNotifyMask);
  XSync(display_, False);

  ASSERT_TRUE(RestoreWindow({WindowHandle::Source::kX11, w}));
  bool stateRequest = false;
  bool mapRequest = false;
  std::vector<std::string> unexpected;
  auto drain = [&] {
    while (XPending(display_) > 0) {
      XEvent e;
      XNextEvent(display_, &e);
      if (e.type == ClientMessage && e.xclient.message_type == AtomOf("_NET_WM_STATE")) {
        stateRequest = e.xclient.window == w && e.xclient.data.l[0] == 0 &&
                       static_cast<::Atom>(e.xclient.data.l[1]) == AtomOf("_NET_WM_STATE_HIDDEN");
      } else if (e.type == MapRequest) {
        mapRequest = e.xmaprequest.window == w;
      } else if (e.type == ClientMessage) {
        unexpected.push_back(XGetAtomName(display_, e.xclient.message_type));
      } else if (e.type == ConfigureRequest || e.type == CirculateRequest) {
        unexpected.push_back("restack");
      }
    }
  };
  EXPECT_TRUE(WaitFor([&] {
    drain();
    return stateRequest && mapRequest;
  }));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  drain();
  EXPECT_TRUE(unexpected.empty()) << ::testing::PrintToString(unexpected);
  EXPECT_FALSE(Viewable(w)) << "the window manager, not the caller, maps it";
  XSelectInput(display_, root_, NoEventMask);
}

// Where no X display can be opened our own copies find each other through the title lock.
class TitleLock : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vf-title-lock-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    for (const std::string &t : {kTitle, kOtherVersion}) unlink(TitleLockPath(t, dir_).c_str());
    rmdir(dir_.c_str());
  }
  std::string dir_;
};

TEST_F(TitleLock, HeldTitleIsSeenUntilReleased) {
  EXPECT_FALSE(IsTitleClaimed(kTitle, dir_));
  {
    TitleClaim first(kTitle, dir_);
    ASSERT_TRUE(first.held());
    EXPECT_TRUE(IsTitleClaimed(kTitle, dir_));
    EXPECT_FALSE(IsTitleClaimed(kOtherVersion, dir_));
    TitleClaim second(kTitle, dir_);
    EXPECT_FALSE(second.held());
    TitleClaim otherVersion(kOtherVersion, dir_);
    EXPECT_TRUE(otherVersion.held());
  }
  EXPECT_FALSE(IsTitleClaimed(kTitle, dir_));
  EXPECT_NE(TitleLockPath(kTitle, dir_), TitleLockPath(kOtherVersion, dir_));
  EXPECT_EQ(TitleLockPath(kTitle, dir_).rfind(dir_ + "/vellafind-", 0), 0u);
}

// With no X display, and with one that cannot list the window (a Wayland
// window beside an X server), the lock stands for the first copy's window.
TEST_F(TitleLock, WhereTheWindowCannotBeListedTheLockStandsForIt) {
  const char *saved = std::getenv("DISPLAY");
  const std::string savedDisplay = saved != nullptr ? saved : "";
  const char *savedRuntime = std::getenv("XDG_RUNTIME_DIR");
  const std::string runtime = savedRuntime != nullptr ? savedRuntime : "";
  setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);

  for (const bool withDisplay : {false, true}) {
    SCOPED_TRACE(withDisplay ? "X display without the window" : "no X display");
    if (withDisplay) {
      if (saved == nullptr) break;  // No X server here.
      setenv("DISPLAY", savedDisplay.c_str(), 1);
    } else {
      unsetenv("DISPLAY");
    }
    EXPECT_EQ(FindWindowByTitle(kTitle), std::nullopt);
    {
      TitleClaim claim(kTitle);
      ASSERT_TRUE(claim.held());
      auto found = FindWindowByTitle(kTitle);
      ASSERT_TRUE(found);
      EXPECT_EQ(found->source, WindowHandle::Source::kLockFile);
      EXPECT_FALSE(IsIconic(*found));
      EXPECT_FALSE(RestoreWindow(*found));
      EXPECT_EQ(FindWindowByTitle(kOtherVersion), std::nullopt);
    }
    EXPECT_EQ(FindWindowByTitle(kTitle), std::nullopt);
  }

  if (saved != nullptr) setenv("DISPLAY", savedDisplay.c_str(), 1);
  if (savedRuntime != nullptr)
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  else
    unsetenv("XDG_RUNTIME_DIR");
}

// Holds `path` locked as another program would, through a description of its own.
class ForeignLock {
 public:
  explicit ForeignLock(const std::string &path, mode_t mode)
      : fd_(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, mode)) {
    fchmod(fd_, mode);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    locked_ = fd_ >= 0 && fcntl(fd_, F_OFD_SETLK, &lock) == 0;
  }
  ~ForeignLock() {
    if (fd_ >= 0) close(fd_);
  }
  bool locked() const { return locked_; }

 private:
  int fd_;
  bool locked_ = false;
};

// Nothing another user can put in place decides whether the program runs: a directory others
// may write to, a lock that others may open, and links are not used, and the claim says why.
TEST_F(TitleLock, OnlyThisUsersPrivateFilesCount) {
  const std::string lock = TitleLockPath(kTitle, dir_);
  ASSERT_EQ(chmod(dir_.c_str(), 01777), 0);
  {
    ForeignLock squatter(lock, 0644);
    ASSERT_TRUE(squatter.locked());
    EXPECT_FALSE(IsTitleClaimed(kTitle, dir_)) << "a lock in a directory open to all";
    TitleClaim claim(kTitle, dir_);
    EXPECT_EQ(claim.state(), TitleClaim::State::kUnavailable);
    EXPECT_NE(claim.problem().find(dir_ + " is open to other users (mode 1777)"), std::string::npos)
        << claim.problem();
  }
  ASSERT_EQ(chmod(dir_.c_str(), 0700), 0);
  {
    ForeignLock readable(lock, 0644);
    ASSERT_TRUE(readable.locked());
    EXPECT_FALSE(IsTitleClaimed(kTitle, dir_)) << "a lock file that others may open";
    EXPECT_EQ(TitleClaim(kTitle, dir_).state(), TitleClaim::State::kUnavailable);
  }
  ASSERT_EQ(unlink(lock.c_str()), 0);

  // A link in place of the lock is not followed: its target is not made.
  const std::string target = dir_ + "/target";
  ASSERT_EQ(symlink(target.c_str(), lock.c_str()), 0);
  {
    TitleClaim claim(kTitle, dir_);
    EXPECT_EQ(claim.state(), TitleClaim::State::kUnavailable);
    EXPECT_NE(claim.problem().find("symbolic link"), std::string::npos) << claim.problem();
    EXPECT_NE(access(target.c_str(), F_OK), 0) << "the link was followed";
  }
  ASSERT_EQ(unlink(lock.c_str()), 0);

  // Nor a link in place of the directory, even to a private one.
  const std::string linked = dir_ + "-link";
  ASSERT_EQ(symlink(dir_.c_str(), linked.c_str()), 0);
  EXPECT_EQ(TitleClaim(kTitle, linked).state(), TitleClaim::State::kUnavailable);
  unlink(linked.c_str());

  // Another user's directory (where this test may give one away).
  if (chown(dir_.c_str(), geteuid() + 1, static_cast<gid_t>(-1)) == 0) {
    TitleClaim claim(kTitle, dir_);
    EXPECT_EQ(claim.state(), TitleClaim::State::kUnavailable);
    EXPECT_NE(claim.problem().find("belongs to user"), std::string::npos) << claim.problem();
    EXPECT_EQ(chown(dir_.c_str(), geteuid(), static_cast<gid_t>(-1)), 0);
  }
  EXPECT_TRUE(TitleClaim(kTitle, dir_).held()) << "and the private directory works";
}

// Without XDG_RUNTIME_DIR (or with a relative one) the locks go to a directory of the user's
// own under /tmp, made private, never to a name in /tmp itself.
TEST_F(TitleLock, WithoutARuntimeDirectoryAPrivateOneUnderTmpIsMade) {
  const char *saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string runtime = saved != nullptr ? saved : "";
  const std::string directory = "/tmp/vellafind-" + std::to_string(geteuid());
  struct stat before {};
  const bool existed = lstat(directory.c_str(), &before) == 0;
  if (existed && before.st_uid != geteuid()) {
    GTEST_SKIP() << directory << " belongs to another user (in a user namespace, maybe the real "
                 << "root's): the claim would rightly refuse it";
  }
  const std::string title = "single instance test " + std::to_string(getpid());

  for (const char *value : {static_cast<const char *>(nullptr), "relative/dir"}) {
    SCOPED_TRACE(value != nullptr ? value : "unset");
    if (value != nullptr) {
      setenv("XDG_RUNTIME_DIR", value, 1);
    } else {
      unsetenv("XDG_RUNTIME_DIR");
    }
    EXPECT_EQ(TitleLockDirectory(), directory);
    TitleClaim claim(title);
    ASSERT_TRUE(claim.held()) << claim.problem();
    EXPECT_TRUE(IsTitleClaimed(title));
    struct stat status {};
    ASSERT_EQ(lstat(directory.c_str(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
    EXPECT_EQ(status.st_uid, geteuid());
    EXPECT_EQ(status.st_mode & 077, 0u) << "only the user may enter it";
    ASSERT_EQ(lstat(TitleLockPath(title).c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
  }

  unlink(TitleLockPath(title).c_str());
  if (!existed) rmdir(directory.c_str());
  if (saved != nullptr) setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

}  // namespace
}  // namespace vf::single_instance

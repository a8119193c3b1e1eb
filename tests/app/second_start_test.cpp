// Real starts of the program on an X server of the test's own, on a private
// LAN: a second start finds the first window by its title, restores it when
// it is minimised, and ends without a window of its own.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "platform/single_instance/single_instance.h"
#include "search_app.h"

// Last: Xlib's macros (None, Status, Bool) would clash with the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

using namespace std::chrono_literals;
namespace si = vf::single_instance;

const std::string kTitle = MakeWindowTitle(VF_PROJECT_VERSION);

// `platform` empty: Qt's choice (the X server of the test). `runtimeDir` not
// empty: the XDG_RUNTIME_DIR it gets; `errors` not empty: where its standard
// error goes.
pid_t StartProgram(const char *platform = "", const std::string &runtimeDir = {},
                   const std::string &errors = {}) {
  pid_t pid = fork();
  if (pid == 0) {
    if (platform[0] != '\0') setenv("QT_QPA_PLATFORM", platform, 1);
    if (!runtimeDir.empty()) setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    if (!errors.empty()) {
      const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (fd >= 0) dup2(fd, STDERR_FILENO);
    }
    execl(VF_PROGRAM_PATH, VF_PROGRAM_PATH, static_cast<char *>(nullptr));
    _exit(127);
  }
  return pid;
}

// The exit status, or -1 when the process is still running after `limit`.
int WaitForExit(pid_t pid, std::chrono::milliseconds limit) {
  auto until = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < until) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    std::this_thread::sleep_for(20ms);
  }
  return -1;
}

void Stop(pid_t pid) {
  kill(pid, SIGTERM);
  if (WaitForExit(pid, 5s) == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
}

template <typename Predicate>
bool Eventually(Predicate done, std::chrono::milliseconds limit = 15s) {
  auto until = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

class SecondStart : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("VF_CAM_NETNS") == nullptr || std::getenv("DISPLAY") == nullptr) {
      GTEST_SKIP() << "needs the private LAN and an X server of its own";
    }
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(nullptr, display_);
  }
  void TearDown() override {
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  // A top-level window of some other program, with the given title.
  Window ForeignWindow(const std::string &title) {
    Window w = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 50, 50, 0, 0, 0);
    XStoreName(display_, w, title.c_str());
    XMapWindow(display_, w);
    XSync(display_, False);
    return w;
  }

  // Minimised as a window manager leaves a window: unmapped, WM_STATE Iconic.
  void Minimise(Window w) {
    Atom state = XInternAtom(display_, "WM_STATE", False);
    long iconic[2] = {3, 0};
    XChangeProperty(display_, w, state, state, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(iconic), 2);
    XUnmapWindow(display_, w);
    XSync(display_, False);
  }

  // The program's window as the X server lists it (the title lock alone is
  // taken before the window is there).
  static std::optional<si::WindowHandle> X11Window(const std::string &title) {
    auto found = si::FindX11WindowByTitle(nullptr, title);
    return found ? *found : std::nullopt;
  }

  Display *display_ = nullptr;
};

TEST_F(SecondStart, RestoresTheMinimisedFirstWindowAndEnds) {
  pid_t first = StartProgram();
  std::optional<si::WindowHandle> window;
  ASSERT_TRUE(Eventually([&] { return (window = X11Window(kTitle)).has_value(); }));
  Minimise(static_cast<Window>(window->window));
  ASSERT_TRUE(si::IsIconic(*window));

  pid_t second = StartProgram();
  EXPECT_EQ(0, WaitForExit(second, 15s)) << "the second start ends by itself";
  EXPECT_TRUE(Eventually([&] { return !si::IsIconic(*window); }, 5s));
  EXPECT_EQ(-1, WaitForExit(first, 0ms)) << "the first one still runs";
  Stop(first);
}

// A first window the X server cannot list, as on a Wayland display: its
// title lock still ends the second start.
TEST_F(SecondStart, FirstWindowThatNoXServerListsStillBlocks) {
  pid_t first = StartProgram("offscreen");
  ASSERT_TRUE(Eventually([] { return si::IsTitleClaimed(kTitle); }));
  ASSERT_FALSE(X11Window(kTitle).has_value());
  pid_t second = StartProgram();
  EXPECT_EQ(0, WaitForExit(second, 15s)) << "the second start ends by itself";
  EXPECT_EQ(-1, WaitForExit(first, 0ms)) << "the first one still runs";
  Stop(first);
}

TEST_F(SecondStart, AnyWindowWithTheSameTitleBlocksAndAnotherVersionDoesNot) {
  Window same = ForeignWindow(kTitle);
  pid_t blocked = StartProgram();
  EXPECT_EQ(0, WaitForExit(blocked, 15s));
  XDestroyWindow(display_, same);

  Window other = ForeignWindow(MakeWindowTitle("9.9.9.9"));
  XSync(display_, False);
  pid_t runs = StartProgram();
  std::optional<si::WindowHandle> window;
  EXPECT_TRUE(Eventually([&] {
    window = X11Window(kTitle);
    return window.has_value() && window->window != other;
  })) << "a different version's title does not block the start";
  EXPECT_EQ(-1, WaitForExit(runs, 0ms));
  Stop(runs);
  XDestroyWindow(display_, other);
}

// A lock directory that others may write to, holding a lock that another
// user took first: the program neither ends silently nor uses that lock. It
// opens its window and says on standard error why it runs without a lock.
TEST_F(SecondStart, ALockThatOthersCouldPlantNeitherBlocksNorPassesInSilence) {
  char pattern[] = "/tmp/vf-second-start-XXXXXX";
  ASSERT_NE(nullptr, mkdtemp(pattern));
  const std::string dir = pattern;
  ASSERT_EQ(0, chmod(dir.c_str(), 0777));
  const std::string lock = si::TitleLockPath(kTitle, dir);
  const int squatter = open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(squatter, 0);
  // Locked both ways a program may lock a file.
  struct flock held {};
  held.l_type = F_WRLCK;
  held.l_whence = SEEK_SET;
  ASSERT_EQ(0, fcntl(squatter, F_OFD_SETLK, &held));
  ASSERT_EQ(0, flock(squatter, LOCK_EX | LOCK_NB));
  const std::string errors = dir + "/stderr";

  pid_t program = StartProgram("", dir, errors);
  EXPECT_TRUE(Eventually([&] { return X11Window(kTitle).has_value(); })) << "the window opens";
  EXPECT_EQ(-1, WaitForExit(program, 0ms));
  Stop(program);
  std::ifstream file(errors);
  const std::string said((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(std::string::npos,
            said.find("starting without the lock that keeps a second copy from starting: " + dir))
      << said;

  close(squatter);
  unlink(lock.c_str());
  unlink(errors.c_str());
  rmdir(dir.c_str());
}

}  // namespace

#include "display_check.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Last: Xlib's macros (None, Status, Bool) would clash with the headers above.
#include <X11/Xlib.h>

namespace vf::app {
namespace {

std::string Environment(const char *name) {
  const char *value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool X11DisplayOpens() {
  const std::string name = Environment("DISPLAY");
  if (name.empty()) return false;
  Display *display = XOpenDisplay(name.c_str());
  if (display == nullptr) return false;
  XCloseDisplay(display);
  return true;
}

bool WaylandSocketExists() {
  std::string path = Environment("WAYLAND_DISPLAY");
  if (path.empty()) return false;
  if (path.front() != '/') {
    const std::string runtime = Environment("XDG_RUNTIME_DIR");
    if (runtime.empty()) return false;
    path = runtime + "/" + path;
  }
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

QtMessageHandler g_previousHandler = nullptr;

void EndWithoutDisplay(QtMsgType type, const QMessageLogContext &context, const QString &text) {
  if (type == QtFatalMsg && text.contains(QLatin1String("platform plugin"))) {
    std::fprintf(stderr, "%s\n", kNoDisplayMessage);
    std::fflush(stderr);
    ::_exit(1);
  }
  // Qt's own notes on the way there (which display it could not reach) are
  // left out: the line above says what matters.
  if (context.category != nullptr && std::string_view(context.category).rfind("qt.qpa", 0) == 0) {
    return;
  }
  if (g_previousHandler != nullptr) g_previousHandler(type, context, text);
}

}  // namespace

bool HasGraphicalDisplay() {
  const std::string platforms = Environment("QT_QPA_PLATFORM");
  if (platforms.empty()) return X11DisplayOpens() || WaylandSocketExists();
  // Qt tries the entries of a list such as "wayland;xcb" in turn; each may
  // carry options after a colon.
  std::size_t start = 0;
  while (start <= platforms.size()) {
    const std::size_t end = std::min(platforms.find(';', start), platforms.size());
    const std::string entry = platforms.substr(start, end - start);
    const std::string name = entry.substr(0, entry.find(':'));
    if (name == "xcb") {
      if (X11DisplayOpens()) return true;
    } else if (name.rfind("wayland", 0) == 0) {
      if (WaylandSocketExists()) return true;
    } else if (!name.empty()) {
      return true;
    }
    start = end + 1;
  }
  return false;
}

PlatformFailureGuard::PlatformFailureGuard() {
  g_previousHandler = qInstallMessageHandler(EndWithoutDisplay);
}

PlatformFailureGuard::~PlatformFailureGuard() {
  qInstallMessageHandler(g_previousHandler);
  g_previousHandler = nullptr;
}

}  // namespace vf::app

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/single_instance/single_instance.h"

namespace vf::single_instance {
namespace {

constexpr long kIconicState = 3;
constexpr long kNormalState = 1;
constexpr long kNetWmStateRemove = 0;
constexpr long kSourceApplication = 1;
// Reparenting window managers put each client one or two levels below a frame.
constexpr int kTreeDepth = 3;

// Windows may vanish while we read them; their errors are expected and ignored for the duration
// of one operation.
int IgnoreXError(Display *, XErrorEvent *) {
  return 0;
}

class XConnection {
 public:
  explicit XConnection(const char *name) : m_display(XOpenDisplay(name)) {
    if (m_display != nullptr) m_previous = XSetErrorHandler(IgnoreXError);
  }
  ~XConnection() {
    if (m_display == nullptr) return;
    XSync(m_display, False);
    XSetErrorHandler(m_previous);
    XCloseDisplay(m_display);
  }
  XConnection(const XConnection &) = delete;
  XConnection &operator=(const XConnection &) = delete;

  Display *get() const { return m_display; }
  Window root() const { return DefaultRootWindow(m_display); }
  Atom atom(const char *name) const { return XInternAtom(m_display, name, False); }

 private:
  Display *m_display;
  int (*m_previous)(Display *, XErrorEvent *) = nullptr;
};

struct XFreeDeleter {
  void operator()(void *p) const {
    if (p != nullptr) XFree(p);
  }
};

// A whole property of 32-bit items (XIDs, atoms, WM_STATE), as longs.
std::optional<std::vector<unsigned long>> ReadLongProperty(Display *d, Window w, Atom property,
                                                           Atom type) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char *raw = nullptr;
  if (XGetWindowProperty(d, w, property, 0, 1 << 16, False, type, &actualType, &format, &count,
                         &after, &raw) != Success)
    return std::nullopt;
  std::unique_ptr<unsigned char, XFreeDeleter> data(raw);
  if (actualType != type || format != 32 || data == nullptr) return std::nullopt;
  const auto *items = reinterpret_cast<const unsigned long *>(data.get());
  return std::vector<unsigned long>(items, items + count);
}

std::string Latin1ToUtf8(const unsigned char *text, std::size_t length) {
  std::string out;
  for (std::size_t i = 0; i < length; ++i) {
    const unsigned char c = text[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

// The window's title as UTF-8: _NET_WM_NAME, else WM_NAME.
std::optional<std::string> ReadTitle(const XConnection &x, Window w) {
  Display *d = x.get();
  const Atom utf8 = x.atom("UTF8_STRING");
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char *raw = nullptr;
  if (XGetWindowProperty(d, w, x.atom("_NET_WM_NAME"), 0, 1 << 16, False, utf8, &actualType,
                         &format, &count, &after, &raw) == Success) {
    std::unique_ptr<unsigned char, XFreeDeleter> data(raw);
    if (actualType == utf8 && format == 8 && data != nullptr)
      return std::string(reinterpret_cast<const char *>(data.get()), count);
  }

  XTextProperty property{};
  if (XGetWMName(d, w, &property) == 0 || property.value == nullptr) return std::nullopt;
  std::unique_ptr<unsigned char, XFreeDeleter> value(property.value);
  if (property.format != 8) return std::nullopt;
  if (property.encoding == XA_STRING) return Latin1ToUtf8(property.value, property.nitems);
  if (property.encoding == utf8)
    return std::string(reinterpret_cast<const char *>(property.value), property.nitems);
  char **list = nullptr;
  int pieces = 0;
  if (Xutf8TextPropertyToTextList(d, &property, &list, &pieces) < Success || list == nullptr)
    return std::nullopt;
  std::string title;
  for (int i = 0; i < pieces; ++i) title += list[i];
  XFreeStringList(list);
  return title;
}

std::vector<Window> Children(Display *d, Window w) {
  Window root = None;
  Window parent = None;
  Window *children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(d, w, &root, &parent, &children, &count) == 0) return {};
  std::unique_ptr<Window, XFreeDeleter> owned(children);
  std::vector<Window> list(children, children + count);
  std::reverse(list.begin(), list.end());  // topmost first
  return list;
}

std::optional<Window> SearchTree(const XConnection &x, Window parent, const std::string &title,
                                 int depth) {
  const std::vector<Window> children = Children(x.get(), parent);
  for (Window w : children)
    if (ReadTitle(x, w) == title) return w;
  if (depth <= 1) return std::nullopt;
  for (Window w : children)
    if (auto found = SearchTree(x, w, title, depth - 1)) return found;
  return std::nullopt;
}

bool HasWindowManager(const XConnection &x) {
  return ReadLongProperty(x.get(), x.root(), x.atom("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW) ||
         ReadLongProperty(x.get(), x.root(), x.atom("_NET_CLIENT_LIST"), XA_WINDOW);
}

bool IsIconicOn(const XConnection &x, Window w) {
  const Atom wmState = x.atom("WM_STATE");
  if (auto state = ReadLongProperty(x.get(), w, wmState, wmState); state && !state->empty()) {
    if (static_cast<long>((*state)[0]) == kIconicState) return true;
  }
  if (auto net = ReadLongProperty(x.get(), w, x.atom("_NET_WM_STATE"), XA_ATOM)) {
    const Atom hidden = x.atom("_NET_WM_STATE_HIDDEN");
    return std::find(net->begin(), net->end(), hidden) != net->end();
  }
  return false;
}

}  // namespace

std::optional<std::optional<WindowHandle>> FindX11WindowByTitle(const char *display,
                                                                const std::string &title) {
  XConnection x(display);
  if (x.get() == nullptr) return std::nullopt;
  std::optional<Window> found;
  if (auto clients = ReadLongProperty(x.get(), x.root(), x.atom("_NET_CLIENT_LIST"), XA_WINDOW)) {
    for (unsigned long w : *clients) {
      if (ReadTitle(x, w) == title) {
        found = w;
        break;
      }
    }
  } else {
    found = SearchTree(x, x.root(), title, kTreeDepth);
  }
  if (!found) return std::optional<WindowHandle>();
  return std::optional<WindowHandle>(WindowHandle{WindowHandle::Source::kX11, *found});
}

bool IsX11WindowIconic(std::uint64_t window) {
  XConnection x(nullptr);
  return x.get() != nullptr && IsIconicOn(x, static_cast<Window>(window));
}

bool RestoreX11Window(std::uint64_t id) {
  XConnection x(nullptr);
  if (x.get() == nullptr) return false;
  Display *d = x.get();
  const auto w = static_cast<Window>(id);
  const Atom netState = x.atom("_NET_WM_STATE");
  const Atom hidden = x.atom("_NET_WM_STATE_HIDDEN");
  if (HasWindowManager(x)) {
    // Ask the window manager to drop the hidden state; mapping an iconic client asks it for the
    // normal state. Neither raises nor focuses the window.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = w;
    event.xclient.message_type = netState;
    event.xclient.format = 32;
    event.xclient.data.l[0] = kNetWmStateRemove;
    event.xclient.data.l[1] = static_cast<long>(hidden);
    event.xclient.data.l[2] = 0;
    event.xclient.data.l[3] = kSourceApplication;
    XSendEvent(d, x.root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XMapWindow(d, w);
  } else {
    // Nobody manages the window: map it and record its new state ourselves.
    XMapWindow(d, w);
    const Atom wmState = x.atom("WM_STATE");
    if (auto state = ReadLongProperty(d, w, wmState, wmState); state && !state->empty()) {
      long normal[2] = {kNormalState, static_cast<long>(state->size() > 1 ? (*state)[1] : None)};
      XChangeProperty(d, w, wmState, wmState, 32, PropModeReplace,
                      reinterpret_cast<unsigned char *>(normal), 2);
    }
    if (auto net = ReadLongProperty(d, w, netState, XA_ATOM)) {
      std::vector<long> kept;
      for (unsigned long a : *net)
        if (a != hidden) kept.push_back(static_cast<long>(a));
      XChangeProperty(d, w, netState, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<unsigned char *>(kept.data()),
                      static_cast<int>(kept.size()));
    }
  }
  XSync(d, False);
  return true;
}

}  // namespace vf::single_instance

// Message boxes on Win32: MessageBoxW, owned by the dialog's window.
#include <thread>

#include "platform/windows_text.h"
#include "ui/window/dialog_window.h"
#include "ui/window/message_box.h"

// Last: the window system's macros (MB_OK, IDOK, ...) would clash with the names of
// ui/window/message_box.h above.
#include <windows.h>

namespace vf::ui::backend {
namespace {

// The thread that runs main(), and with it every window of the program.
const std::thread::id g_applicationThread = std::this_thread::get_id();

int Show(HWND owner, const std::string &text, const std::string &caption, unsigned type) {
  return MessageBoxW(owner, platform::WideFromUtf8(text).c_str(),
                     platform::WideFromUtf8(caption).c_str(), type);
}

}  // namespace

int ShowMessageBoxNow(const DialogWindow *owner, const std::string &text,
                      const std::string &caption, unsigned type) {
  return Show(owner != nullptr ? static_cast<HWND>(owner->NativeHandle()) : nullptr, text, caption,
              type);
}

int ShowMessageBoxOffThread(const std::string &text, const std::string &caption, unsigned type) {
  // No window is open: the box runs its own loop on the calling thread.
  return Show(nullptr, text, caption, type);
}

bool OnApplicationThread() {
  return std::this_thread::get_id() == g_applicationThread;
}

}  // namespace vf::ui::backend

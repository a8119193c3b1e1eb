// Every message box of the program goes through ShowMessageBox, with the
// window system's type flags and results. Tests replace the box with an
// interceptor that records the request and answers it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ui/window/command_ids.h"

namespace vf::ui {

class DialogWindow;

// Buttons (low four bits), icon (next four bits) and the default button.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
// The second button (No) is the default: Enter answers no.
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;

// Results: the button pressed (IDOK, or one of these); 0 when no box could be
// shown.
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

struct MessageBoxRequest {
  std::string text;  // Translated, as the user would read it.
  std::string caption;
  unsigned type = MB_OK;
  const DialogWindow *owner = nullptr;  // For comparison only: may be gone.
  bool onGuiThread = true;
};

// Texts are UTF-8 and translated here. May be called from any thread. Off
// the window's thread the box is shown on it (the owner's, or the newest open
// window's), and 0 comes back if that window starts closing first.
int ShowMessageBox(const DialogWindow *owner, std::string_view text, std::string_view caption,
                   unsigned type);

// Answers every message box instead of showing it; an empty function shows
// boxes again. The interceptor runs on the caller's thread.
using MessageBoxInterceptor = std::function<int(const MessageBoxRequest &)>;
void SetMessageBoxInterceptor(MessageBoxInterceptor interceptor);

// What each backend provides.
namespace backend {
// Shows the box on the window's thread (`owner` open, or null) until the
// user answers.
int ShowMessageBoxNow(const DialogWindow *owner, const std::string &text,
                      const std::string &caption, unsigned type);
// Shows a box owned by no window from a thread that is not a window's.
int ShowMessageBoxOffThread(const std::string &text, const std::string &caption, unsigned type);
// Whether the calling thread is the one the program's windows run on.
bool OnApplicationThread();
}  // namespace backend

}  // namespace vf::ui

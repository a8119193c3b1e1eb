// Every message box of the program goes through ShowMessageBox, with the
// window system's type flags and results. Tests replace the box with an
// interceptor that records the request and answers it.
#pragma once

#include <QString>
#include <functional>

#include "resource_ids.h"

class QWidget;

namespace vf::ui {

// Buttons (low four bits) and icon (next four bits).
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;

// Results: the button pressed; 0 when no box could be shown.
using res::IDOK;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

struct MessageBoxRequest {
  QString text;
  QString caption;
  unsigned type = MB_OK;
  const QWidget *owner = nullptr;  // For comparison only: may be gone.
  bool onGuiThread = true;
};

// May be called from any thread. Off the GUI thread the box is shown on it
// through the owner's WindowThread (or the newest open one), and 0 comes back
// if that window starts closing first.
int ShowMessageBox(QWidget *owner, const QString &text, const QString &caption, unsigned type);

// Answers every message box instead of showing it; an empty function shows
// boxes again. The interceptor runs on the caller's thread.
using MessageBoxInterceptor = std::function<int(const MessageBoxRequest &)>;
void SetMessageBoxInterceptor(MessageBoxInterceptor interceptor);

}  // namespace vf::ui

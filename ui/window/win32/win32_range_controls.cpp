#include "ui/window/win32/win32_range_controls.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>
// The common controls build on the declarations above.
#include <commctrl.h>

namespace vf::ui::win32 {
namespace {

HWND H(void *window) {
  return static_cast<HWND>(window);
}

}  // namespace

// --- Up-down control -------------------------------------------------------------

Control *Win32UpDown::SetBuddy(Control *buddy) {
  HWND spin = H(Handle());
  if (spin == nullptr) return nullptr;
  HWND window = buddy != nullptr ? H(Dialog().ControlHandle(buddy->Id())) : nullptr;
  HWND previous =
      reinterpret_cast<HWND>(SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(window), 0));
  return previous != nullptr ? Dialog().Find(GetDlgCtrlID(previous)) : nullptr;
}

Control *Win32UpDown::Buddy() const {
  HWND spin = H(Handle());
  HWND buddy =
      spin != nullptr ? reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)) : nullptr;
  return buddy != nullptr ? Dialog().Find(GetDlgCtrlID(buddy)) : nullptr;
}

void Win32UpDown::SetRange(int lower, int upper) {
  SendMessageW(H(Handle()), UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

std::pair<int, int> Win32UpDown::Range() const {
  HWND spin = H(Handle());
  int lower = 0, upper = 0;
  if (spin != nullptr) {
    SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                 reinterpret_cast<LPARAM>(&upper));
  }
  return {lower, upper};
}

int Win32UpDown::SetPos(int pos) {
  return static_cast<int>(SendMessageW(H(Handle()), UDM_SETPOS32, 0, pos));
}

int Win32UpDown::Pos() const {
  return static_cast<int>(SendMessageW(H(Handle()), UDM_GETPOS32, 0, 0));
}

bool Win32UpDown::OnNotify(NMHDR &header, std::intptr_t &result) {
  if (header.code != UDN_DELTAPOS) return false;
  Dialog().Handler().OnUpDownDelta(Id(), reinterpret_cast<const NMUPDOWN &>(header).iDelta);
  result = TRUE;  // The control changes nothing by itself.
  return true;
}

// --- Progress bar ------------------------------------------------------------------

void Win32ProgressBar::SetRange(int lower, int upper) {
  SendMessageW(H(Handle()), PBM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

std::pair<int, int> Win32ProgressBar::Range() const {
  HWND bar = H(Handle());
  PBRANGE range{};
  if (bar != nullptr) SendMessageW(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  return {range.iLow, range.iHigh};
}

int Win32ProgressBar::SetPos(int pos) {
  return static_cast<int>(SendMessageW(H(Handle()), PBM_SETPOS, static_cast<WPARAM>(pos), 0));
}

int Win32ProgressBar::Pos() const {
  return static_cast<int>(SendMessageW(H(Handle()), PBM_GETPOS, 0, 0));
}

void Win32ProgressBar::SetStep(int step) {
  SendMessageW(H(Handle()), PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

int Win32ProgressBar::StepIt() {
  return static_cast<int>(SendMessageW(H(Handle()), PBM_STEPIT, 0, 0));
}

}  // namespace vf::ui::win32

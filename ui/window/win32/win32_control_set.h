// The controls of a Win32 dialog: for every control of its template with an
// id, one object of the window layer's kind for its class, made once the
// dialog manager has made the windows. The dialog passes each control's
// notifications on to it here.
#pragma once

#include <map>
#include <memory>

#include "ui/window/dialog_template.h"

namespace vf::ui {
class Control;
}

namespace vf::ui::win32 {

class Win32DialogWindow;
class Win32Peer;

class Win32ControlSet final {
 public:
  Win32ControlSet(const DialogTemplate &dialogTemplate, Win32DialogWindow &dialog);
  ~Win32ControlSet();
  Win32ControlSet(const Win32ControlSet &) = delete;
  Win32ControlSet &operator=(const Win32ControlSet &) = delete;

  // Null for an id the dialog lacks.
  Control *Find(int id) const;
  Win32Peer *Peer(int id) const;
  // For every control.
  void DpiChanged(unsigned oldDpi, unsigned dpi);
  void Destroy();

 private:
  std::map<int, std::unique_ptr<Win32Peer>> m_controls;
};

}  // namespace vf::ui::win32

// What the window tests read of CSearchDlg beside what its controls show: its
// window, its engine session (where the tests play the cameras), the device
// store, its state flags, and the two halves of "Assign addresses..." around
// the modal dialog, which the tests run modeless. CSearchDlg names this class
// its friend; the program itself has no such reader.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/dialog/search_dlg.h"

class CSearchDlgProbe {
 public:
  static vf::ui::DialogWindow &Window(const CSearchDlg &dialog) { return *dialog.m_window; }
  static vf::core::LanSession &Lan(const CSearchDlg &dialog) { return *dialog.m_session; }
  static SearchSession *Session(const CSearchDlg &dialog) { return dialog.m_session->Engine(); }
  static const vf::core::DeviceStore &Devices(const CSearchDlg &dialog) { return dialog.m_devices; }
  static const std::vector<std::string> &LocalAddresses(const CSearchDlg &dialog) {
    return dialog.m_localAddresses;
  }
  static int DeviceSelected(const CSearchDlg &dialog) { return dialog.m_deviceSelected; }
  static bool EngineStarted(const CSearchDlg &dialog) { return dialog.m_engineStarted; }
  static int HttpPortPending(const CSearchDlg &dialog) { return dialog.m_httpPortPending.load(); }
  static short LastCommand(const CSearchDlg &dialog) { return dialog.m_lastCommand.load(); }
  static std::optional<CAssignDlg::Setup> AssignSetup(CSearchDlg &dialog) {
    return dialog.AssignSetup();
  }
};

// The "Assign addresses" dialog's window, which it names this class its friend for.
class CAssignDlgProbe {
 public:
  static vf::ui::DialogWindow &Window(const CAssignDlg &dialog) { return *dialog.m_window; }
};

namespace vf::testing {

inline ui::DialogWindow &Window(const CSearchDlg &dialog) {
  return CSearchDlgProbe::Window(dialog);
}
inline core::LanSession &Lan(const CSearchDlg &dialog) {
  return CSearchDlgProbe::Lan(dialog);
}
inline SearchSession *Session(const CSearchDlg &dialog) {
  return CSearchDlgProbe::Session(dialog);
}
inline const core::DeviceStore &Devices(const CSearchDlg &dialog) {
  return CSearchDlgProbe::Devices(dialog);
}
inline const std::vector<std::string> &LocalAddresses(const CSearchDlg &dialog) {
  return CSearchDlgProbe::LocalAddresses(dialog);
}
inline int DeviceSelected(const CSearchDlg &dialog) {
  return CSearchDlgProbe::DeviceSelected(dialog);
}
inline bool EngineStarted(const CSearchDlg &dialog) {
  return CSearchDlgProbe::EngineStarted(dialog);
}
inline int HttpPortPending(const CSearchDlg &dialog) {
  return CSearchDlgProbe::HttpPortPending(dialog);
}
inline short LastCommand(const CSearchDlg &dialog) {
  return CSearchDlgProbe::LastCommand(dialog);
}
inline ui::DialogWindow &Window(const CAssignDlg &dialog) {
  return CAssignDlgProbe::Window(dialog);
}

}  // namespace vf::testing

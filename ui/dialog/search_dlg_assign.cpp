// "Assign addresses...": the cameras of the list, in its order, handed to the dialog that plans
// and sends their new settings; a search after each batch shows where they are now.
#include "core/messages.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/dialog/assign_texts.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/message_box.h"

using namespace vf::res;

void CSearchDlg::OnAssignAddresses() {
  std::optional<CAssignDlg::Setup> setup = AssignSetup();
  if (!setup) return;
  CAssignDlg assign(std::move(*setup));
  assign.DoModal();
}

std::optional<CAssignDlg::Setup> CSearchDlg::AssignSetup() {
  // The plan is made from the list as it stands: not while a device restarts or a command
  // awaits its answer (either ends in a search that would empty it), nor while a search collects.
  if (m_restartProgress->IsVisible()) {
    Tell(LoadString(IDS_DEVICE_RESTARTING), vf::ui::MB_ICONINFORMATION);
    return std::nullopt;
  }
  if (CommandPending()) {
    Tell(vf::core::text::kCommandBusy, vf::ui::MB_ICONINFORMATION);
    return std::nullopt;
  }
  std::vector<DeviceRecord> cameras = ListedDevices();
  if (cameras.empty() || m_window->IsTimerActive(TIMER_COLLECT)) {
    Tell(assign_text::kNoCameras, vf::ui::MB_ICONINFORMATION);
    return std::nullopt;
  }
  // The plan starts at the address of the adapter shown, which it skips itself.
  return CAssignDlg::Setup{m_window.get(),
                           *m_session,
                           m_devices,
                           m_adapterSource,
                           std::move(cameras),
                           m_window->Item(IDC_LOCAL_IP).Text(),
                           m_window->Item(IDC_ACCOUNT).Text(),
                           m_window->Item(IDC_PASSWORD).Text(),
                           [this](const CAssignDlg::Sent &sent) { AfterAssign(sent); }};
}

void CSearchDlg::AfterAssign(const CAssignDlg::Sent &sent) {
  if (!sent.any) return;
  // A camera on a new port restarts first: the restart display waits for it, then searches.
  if (sent.restarting) {
    OnDeviceRestarting();
  } else {
    OnSearch();
  }
}

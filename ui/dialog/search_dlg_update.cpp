// The Update command: checks the edited settings, asks, and has the engine
// session send them to the selected device; each answer, or its absence,
// ends in a message. When the port changed too, the accepted settings are
// followed by the port command and a 45-second wait while the device
// restarts, ending in a new search.
#include "core/conflicts.h"
#include "core/display_text.h"
#include "core/messages.h"
#include "core/record_text.h"
#include "core/update_checks.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/message_box.h"
#include "ui/window/translation.h"
#include "ui/window/window_thread.h"

using namespace vf::res;

namespace {

// The restart display's bar: the 45 ticks step it from 1 to 46, short of
// the end, as the camera may take a moment longer.
constexpr int kRestartRangeLow = 1;
constexpr int kRestartRangeHigh = 47;

// The address controls and what a control with only some fields filled in
// is told.
struct AddressControl {
  int id;
  const char *message;
};
constexpr AddressControl kAddressControls[] = {
    {IDC_DEV_IP, vf::core::text::kWrongIp},           {IDC_DEV_MASK, vf::core::text::kWrongMask},
    {IDC_DEV_GATEWAY, vf::core::text::kWrongGateway}, {IDC_DEV_DNS1, vf::core::text::kWrongDns},
    {IDC_DEV_DNS2, vf::core::text::kWrongDns},
};

}  // namespace

bool CSearchDlg::MayCommand(const DeviceRecord &device) {
  // What the device reported goes into the request unchanged: only an id and
  // a MAC of their plain forms may.
  const vf::core::InputProblem problem = vf::core::CheckCommandTarget(device);
  if (problem != vf::core::InputProblem::None) {
    Tell(vf::core::ProblemText(problem), vf::ui::MB_ICONEXCLAMATION);
    return false;
  }
  // Another host claims this camera: a command could land on the wrong one.
  if (const auto refusal = vf::core::ImpostorRefusal(m_devices, device)) {
    Tell(vf::core::Compose(*refusal, vf::ui::Translated), vf::ui::MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}

void CSearchDlg::OnUpdate() {
  const int index = SelectedDevice();
  DeviceRecord copy{};
  if (index < 0 || !m_devices.CopyAt(index, copy)) {
    Tell(LoadString(IDS_SELECT_DEVICE), vf::ui::MB_ICONINFORMATION);
    return;
  }
  if (!MayCommand(copy)) return;
  if (vf::ui::ShowMessageBox(m_window.get(), LoadString(IDS_CONFIRM_UPDATE), LoadString(IDS_ASK),
                             vf::ui::MB_YESNO | vf::ui::MB_ICONQUESTION) != vf::ui::IDYES) {
    return;
  }
  vf::core::NetworkChange change;
  if (!ValidateNetworkInput(copy, change)) return;
  // Two cameras on one address reach neither; swapping two addresses is a
  // reason to go on, so the user decides, No being the default.
  if (const auto taken = vf::core::AddressTakenBy(m_devices, copy, change)) {
    const std::string question =
        vf::core::Compose({vf::core::text::kAddressTaken, *taken, nullptr}, vf::ui::Translated);
    if (vf::ui::ShowMessageBox(
            m_window.get(), question, LoadString(IDS_ASK),
            vf::ui::MB_YESNO | vf::ui::MB_ICONQUESTION | vf::ui::MB_DEFBUTTON2) != vf::ui::IDYES) {
      return;
    }
  }

  m_lastCommand = kNetworkCommand;
  m_httpPortPending = change.portCommand ? 1 : 0;
  if (SendNetworkSettings(copy, change) != kSent) m_httpPortPending = 0;
}

bool CSearchDlg::ValidateNetworkInput(const DeviceRecord &device, vf::core::NetworkChange &change) {
  // Sent with DHCP as well: a control left half filled would go out with
  // zeros in its blank fields.
  for (const AddressControl &control : kAddressControls) {
    const auto *address = m_window->Find<vf::ui::IpAddressControl>(control.id);
    if (address != nullptr && address->IsPartlyBlank()) {
      Tell(control.message, vf::ui::MB_ICONINFORMATION);
      return false;
    }
  }
  vf::core::NetworkEdits edits;
  edits.ipAddress = m_window->Item(IDC_DEV_IP).Text();
  edits.netmask = m_window->Item(IDC_DEV_MASK).Text();
  edits.gateway = m_window->Item(IDC_DEV_GATEWAY).Text();
  edits.primaryDns = m_window->Item(IDC_DEV_DNS1).Text();
  edits.secondaryDns = m_window->Item(IDC_DEV_DNS2).Text();
  edits.dhcp = m_dhcpCheck->GetCheck() != 0;
  // The port counts as changed only when it is not what the panel showed:
  // a device that announced no usable port still takes its settings.
  const std::string port = m_window->Item(IDC_HTTP_PORT).Text();
  if (port != vf::core::DisplayField(device.httpPort)) edits.httpPort = port;

  vf::core::InputProblem problem =
      vf::core::PlanNetworkChange(device, edits, m_localAddresses, change);
  if (problem == vf::core::InputProblem::None) {
    problem = vf::core::CheckAccount(m_window->Item(IDC_ACCOUNT).Text(),
                                     m_window->Item(IDC_PASSWORD).Text());
  }
  if (problem == vf::core::InputProblem::None) return true;
  Tell(vf::core::ProblemText(problem), vf::ui::MB_ICONINFORMATION);
  return false;
}

short CSearchDlg::SendNetworkSettings(const DeviceRecord &device,
                                      const vf::core::NetworkChange &change) {
  if (!m_session->IsOpen()) {
    Tell(vf::core::text::kNotSent, vf::ui::MB_ICONEXCLAMATION);
    return kNoEngine;
  }
  vf::core::LanSession::UpdateEvents events;
  events.restarting = [this] {
    m_httpPortPending = 0;
    // Refused once the window closes: nothing is left to show the wait in.
    m_window->PostUserMessage(WM_DEVICE_RESTARTING_OFFSET);
  };
  events.finished = [this](const vf::core::UpdateResult &result) {
    m_httpPortPending = 0;
    TellOutcomeLater(result.outcome, result.portStep);
  };
  const vf::core::Dispatch dispatch = m_session->StartUpdate(
      device, m_window->Item(IDC_ACCOUNT).Text(), m_window->Item(IDC_PASSWORD).Text(), change,
      vf::core::kAnswerTimeout, std::move(events));
  switch (dispatch) {
    case vf::core::Dispatch::Sent:
      return kSent;
    case vf::core::Dispatch::Busy:
      Tell(vf::core::text::kCommandBusy, vf::ui::MB_ICONINFORMATION);
      return kNothingSent;
    case vf::core::Dispatch::NotSent:
      break;
  }
  Tell(vf::core::text::kNotSent, vf::ui::MB_ICONEXCLAMATION);
  return kNothingSent;
}

bool CSearchDlg::CommandPending() const {
  return m_session->CommandPending();
}

void CSearchDlg::TellOutcomeLater(vf::core::Outcome outcome, bool portStep) {
  // Never a box on the engine's threads: they go on recording answers while
  // the user reads it.
  m_window->Thread().Post([this, outcome, portStep] { OnCommandReply(outcome, portStep); });
}

void CSearchDlg::OnCommandReply(vf::core::Outcome outcome, bool portStep) {
  const vf::core::UserMessage message =
      m_lastCommand == kDdnsCommand
          ? vf::core::OutcomeMessage(outcome, vf::core::text::kDdnsOk, vf::core::kAnswerTimeout)
          : vf::core::UpdateMessage({outcome, portStep}, vf::core::kAnswerTimeout);
  // Acceptance and the account message keep the information icon they have
  // always had; what went wrong otherwise is a warning.
  const bool told = outcome == vf::core::Outcome::Accepted ||
                    (outcome == vf::core::Outcome::Unauthorized && !portStep);
  Tell(vf::core::Compose(message, vf::ui::Translated),
       told ? vf::ui::MB_ICONINFORMATION : vf::ui::MB_ICONEXCLAMATION);
}

int CSearchDlg::OnDeviceRestarting() {
  if (m_destroyed) return 0;
  m_restartProgress->Show(true);
  m_restartText->Show(true);
  m_restartTicks = 0;
  m_window->StartTimer(TIMER_RESTART, kRestartPeriodMs);
  m_restartProgress->SetRange(kRestartRangeLow, kRestartRangeHigh);
  m_restartProgress->SetPos(kRestartRangeLow);
  m_restartProgress->SetStep(1);
  m_deviceSelected = kPanelLocked;
  EnableDevicePanel(kPanelLocked);
  return 0;
}

// The Update command: checks the edited settings, asks, sends them to the
// selected device, and turns the device's answers into messages. When the
// port changed too, the accepted settings are followed by the port command
// and a 45-second wait while the device restarts, ending in a new search.
#include <chrono>
#include <cstring>

#include "core/messages.h"
#include "core/netconf.h"
#include "core/record_text.h"
#include "core/update_checks.h"
#include "message_box.h"
#include "resource_ids.h"
#include "search_dlg.h"
#include "string_table.h"
#include "window_thread.h"

using namespace vf::res;

namespace {

constexpr int kRestartRangeLow = 1;
constexpr int kRestartRangeHigh = 47;

// The settings as the detail panel holds them.
vf::core::NetworkInput ReadNetworkInput(const vf::ui::DialogWindow &window) {
  vf::core::NetworkInput input;
  input.ipAddress = window.Text(IDC_DEV_IP);
  input.netmask = window.Text(IDC_DEV_MASK);
  input.gateway = window.Text(IDC_DEV_GATEWAY);
  input.primaryDns = window.Text(IDC_DEV_DNS1);
  input.secondaryDns = window.Text(IDC_DEV_DNS2);
  input.dhcp = window.GetCheck(IDC_DHCP) != 0;
  return input;
}

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

// How long a command counts as awaiting its answer: devices answer within a
// second, so one that has not after this will not.
constexpr std::chrono::seconds kAnswerWait{10};

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

int CSearchDlg::SelectedRow() const {
  return m_deviceList.SelectionMark();
}

bool CSearchDlg::MayCommand(const DeviceRecord &device) {
  // What the device reported goes into the request unchanged: only an id and
  // a MAC of their plain forms may.
  const char *problem = nullptr;
  if (!vf::core::IsDeviceIdText(vf::core::FieldText(device.deviceId))) {
    problem = vf::core::text::kBadDeviceId;
  } else if (!vf::core::IsMacText(vf::core::FieldText(device.network.macAddress))) {
    problem = vf::core::text::kBadMacAddress;
  }
  if (problem == nullptr) return true;
  Tell(problem, vf::ui::MB_ICONEXCLAMATION);
  return false;
}

void CSearchDlg::OnUpdate() {
  const int row = SelectedRow();
  DeviceRecord copy{};
  if (row < 0 || !m_devices.CopyAt(row, copy)) {
    Tell(LoadString(IDS_SELECT_DEVICE), vf::ui::MB_ICONINFORMATION);
    return;
  }
  if (!MayCommand(copy)) return;
  if (vf::ui::ShowMessageBox(m_window.get(), LoadString(IDS_CONFIRM_UPDATE), LoadString(IDS_ASK),
                             vf::ui::MB_YESNO | vf::ui::MB_ICONQUESTION) != vf::ui::IDYES) {
    return;
  }
  if (!ValidateNetworkInput()) return;
  // The port passed the checks: digits only, 1 to 65535.
  const int port = *vf::core::ParseHttpPort(m_window->Text(IDC_HTTP_PORT));

  m_lastCommand = 1;
  {
    // The port follows these settings, whatever is selected or typed when
    // the answer comes.
    const std::lock_guard lock(m_portCommandMutex);
    m_portCommand.device = copy;
    m_portCommand.port = std::to_string(port);
    m_portCommand.account = m_window->Text(IDC_ACCOUNT);
    m_portCommand.password = m_window->Text(IDC_PASSWORD);
  }
  m_httpPortPending =
      vf::core::PortCommandFollows(port, vf::core::FieldText(copy.httpPort)) ? 1 : 0;

  // Nothing sent: no answer will come to take the port command along.
  if (SendNetworkSettings(copy) != 1) m_httpPortPending = 0;
}

bool CSearchDlg::ValidateNetworkInput() {
  if (m_dhcpCheck.GetCheck() == 0) {
    const vf::core::InputProblem problem =
        vf::core::CheckNetworkInput(ReadNetworkInput(*m_window), m_localAddresses);
    if (problem != vf::core::InputProblem::None) {
      Tell(vf::core::ProblemText(problem), vf::ui::MB_ICONINFORMATION);
      return false;
    }
  }
  // Sent with DHCP as well: a control left half filled would go out with
  // zeros in its blank fields.
  for (const AddressControl &control : kAddressControls) {
    if (m_window->IsAddressPartlyBlank(control.id)) {
      Tell(control.message, vf::ui::MB_ICONINFORMATION);
      return false;
    }
  }
  if (!vf::core::ParseHttpPort(m_window->Text(IDC_HTTP_PORT))) {
    Tell(vf::core::text::kWrongHttpPort, vf::ui::MB_ICONINFORMATION);
    return false;
  }
  return true;
}

bool CSearchDlg::IsLocalAddress() const {
  return vf::core::IsLocalAddress(m_window->Text(IDC_DEV_IP), m_localAddresses);
}

short CSearchDlg::SendNetworkSettings(DeviceRecord &copy) {
  if (m_session == nullptr) return -1;
  const std::string account = m_window->Text(IDC_ACCOUNT);
  const std::string password = m_window->Text(IDC_PASSWORD);
  const CommandTarget target{copy.deviceId, account.c_str(), password.c_str()};

  if (vf::core::BuildNetworkSettings(copy, ReadNetworkInput(*m_window), copy.network) !=
      vf::core::NetconfBuild::Ready) {
    return 0;
  }
  if (SendCommand(m_session, target, CMD_NETCONF, &copy.network) != DEVSEARCH_OK) {
    Tell(vf::core::text::kNotSent, vf::ui::MB_ICONEXCLAMATION);
    return 0;
  }
  return 1;
}

short CSearchDlg::SendHttpPort(SearchSession *session) {
  if (session == nullptr) return -1;
  PortCommand command;
  {
    const std::lock_guard lock(m_portCommandMutex);
    command = m_portCommand;
  }
  if (command.device.deviceId[0] == '\0') return -1;
  const CommandTarget target{command.device.deviceId, command.account.c_str(),
                             command.password.c_str()};
  if (SendCommand(session, target, CMD_HTTPPORT, command.port.c_str()) != DEVSEARCH_OK) {
    Tell(vf::core::text::kNotSent, vf::ui::MB_ICONEXCLAMATION);
    return -1;
  }
  // Refused once the window closes: nothing is left to show the wait in.
  m_window->PostUserMessage(WM_DEVICE_RESTARTING_OFFSET);
  return 1;
}

int CSearchDlg::SendCommand(SearchSession *session, const CommandTarget &target, int kind,
                            const void *params) {
  const int result = DevSearch_SendCommand(session, &target, kind, params);
  if (result == DEVSEARCH_OK) {
    m_lastCommandSentMs = NowMs();
    ++m_unansweredCommands;
  }
  return result;
}

bool CSearchDlg::CommandPending() const {
  return m_unansweredCommands > 0 &&
         NowMs() - m_lastCommandSentMs < std::chrono::milliseconds(kAnswerWait).count();
}

int CSearchDlg::OnCommandReply(SearchSession *session, const char *status, const void * /*data*/,
                               void *user) {
  auto *self = static_cast<CSearchDlg *>(user);
  if (self == nullptr || session == nullptr) return -1;
  // The answer is in; a port command sent below counts on its own.
  struct Answered {
    std::atomic<int> &unanswered;
    ~Answered() {
      int count = unanswered.load();
      while (count > 0 && !unanswered.compare_exchange_weak(count, count - 1)) {
      }
    }
  } answered{self->m_unansweredCommands};
  if (status == nullptr) return 0;

  if (std::strstr(status, vf::core::kStatusAccepted) != nullptr) {
    if (self->m_httpPortPending.exchange(0) != 0) {
      self->SendHttpPort(session);
      return 0;
    }
    const short last = self->m_lastCommand;
    if (last == 1) {
      self->Tell(LoadString(IDS_UPDATE_OK), vf::ui::MB_ICONINFORMATION);
    } else if (last == 2) {
      self->Tell(vf::core::text::kDdnsOk, vf::ui::MB_ICONINFORMATION);
    }
    return 0;
  }
  if (std::strstr(status, vf::core::kStatusUnauthorized) != nullptr) {
    self->Tell(LoadString(IDS_WRONG_ACCOUNT), vf::ui::MB_ICONINFORMATION);
    return -1;
  }
  return 0;
}

int CSearchDlg::OnDeviceRestarting() {
  if (m_destroyed) return 0;
  m_restartProgress.Show(true);
  m_restartText.Show(true);
  m_restartTicks = 0;
  m_window->StartTimer(TIMER_RESTART, kRestartPeriodMs);
  m_restartProgress.SetRange(kRestartRangeLow, kRestartRangeHigh);
  m_restartProgress.SetPos(kRestartRangeLow);
  m_restartProgress.SetStep(1);
  m_deviceSelected = 0;
  EnableDevicePanel(0);
  return 0;
}

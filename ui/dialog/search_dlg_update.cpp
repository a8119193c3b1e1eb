// The Update command: checks the edited settings, asks, sends them to the
// selected device, and turns the device's answers into messages. When the
// port changed too, the accepted settings are followed by the port command
// and a 45-second wait while the device restarts, ending in a new search.
#include <cstring>

#include "core/netconf.h"
#include "core/update_checks.h"
#include "dialog_controls.h"
#include "message_box.h"
#include "report_list.h"
#include "resource_ids.h"
#include "search_dlg.h"
#include "step_progress_bar.h"
#include "string_table.h"
#include "timers.h"
#include "window_thread.h"

using namespace vf::res;

namespace {

// Ports the devices keep for themselves: never sent.
constexpr const char *kReservedPorts[] = {"8002", "55555"};
constexpr int kRestartRangeLow = 1;
constexpr int kRestartRangeHigh = 47;

std::string ControlText(const vf::ui::DialogControls &controls, int id) {
  return controls.Text(id).toLatin1().toStdString();
}

// The settings as the detail panel holds them.
vf::core::NetworkInput ReadNetworkInput(const vf::ui::DialogControls &controls) {
  vf::core::NetworkInput input;
  input.ipAddress = ControlText(controls, IDC_DEV_IP);
  input.netmask = ControlText(controls, IDC_DEV_MASK);
  input.gateway = ControlText(controls, IDC_DEV_GATEWAY);
  input.primaryDns = ControlText(controls, IDC_DEV_DNS1);
  input.secondaryDns = ControlText(controls, IDC_DEV_DNS2);
  input.dhcp = controls.GetCheck(IDC_DHCP) != 0;
  return input;
}

std::vector<std::string> ToStd(const QStringList &texts) {
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(texts.size()));
  for (const QString &text : texts) out.push_back(text.toLatin1().toStdString());
  return out;
}

void Tell(QWidget *owner, const QString &text, unsigned icon) {
  vf::ui::ShowMessageBox(owner, text, LoadString(IDS_TIPS), icon);
}

}  // namespace

int CSearchDlg::SelectedRow() const {
  return m_deviceList ? m_deviceList->SelectionMark() : -1;
}

void CSearchDlg::OnUpdate() {
  const int row = SelectedRow();
  if (row < 0 || row >= m_devices.Count()) {
    Tell(this, LoadString(IDS_SELECT_DEVICE), vf::ui::MB_ICONINFORMATION);
    return;
  }
  if (vf::ui::ShowMessageBox(this, LoadString(IDS_CONFIRM_UPDATE), LoadString(IDS_ASK),
                             vf::ui::MB_YESNO | vf::ui::MB_ICONQUESTION) != vf::ui::IDYES) {
    return;
  }
  if (!ValidateNetworkInput()) return;

  m_lastCommand = 1;
  DeviceRecord copy{};
  if (!m_devices.CopyAt(row, copy)) return;

  const QString port = m_controls->Text(IDC_HTTP_PORT);
  bool changed = port.compare(QLatin1String(copy.httpPort), Qt::CaseInsensitive) != 0;
  for (const char *reserved : kReservedPorts) {
    if (port.compare(QLatin1String(reserved), Qt::CaseInsensitive) == 0) changed = false;
  }
  {
    // The port follows these settings, whatever is selected or typed when
    // the answer comes.
    const std::lock_guard lock(m_portCommandMutex);
    m_portCommand.device = copy;
    m_portCommand.port = port.toLatin1().toStdString();
    m_portCommand.account = m_controls->Text(IDC_ACCOUNT).toLatin1().toStdString();
    m_portCommand.password = m_controls->Text(IDC_PASSWORD).toLatin1().toStdString();
  }
  m_httpPortPending = changed ? 1 : 0;

  SendNetworkSettings(copy);
}

bool CSearchDlg::ValidateNetworkInput() {
  const vf::core::InputProblem problem =
      vf::core::CheckNetworkInput(ReadNetworkInput(*m_controls), ToStd(m_localAddresses));
  if (problem == vf::core::InputProblem::None) return true;
  Tell(this, QString::fromUtf8(vf::core::ProblemText(problem)), vf::ui::MB_ICONINFORMATION);
  return false;
}

bool CSearchDlg::IsLocalAddress() const {
  return vf::core::IsLocalAddress(ControlText(*m_controls, IDC_DEV_IP), ToStd(m_localAddresses));
}

short CSearchDlg::SendNetworkSettings(DeviceRecord &copy) {
  if (m_session == nullptr) return -1;
  const QByteArray account = m_controls->Text(IDC_ACCOUNT).toLatin1();
  const QByteArray password = m_controls->Text(IDC_PASSWORD).toLatin1();
  const CommandTarget target{copy.deviceId, account.constData(), password.constData()};

  if (vf::core::BuildNetworkSettings(copy, ReadNetworkInput(*m_controls), copy.network) !=
      vf::core::NetconfBuild::Ready) {
    return 0;
  }

  DevSearch_SendCommand(m_session, &target, CMD_NETCONF, &copy.network);
  return 1;
}

short CSearchDlg::SendHttpPort() {
  if (m_session == nullptr) return -1;
  PortCommand command;
  {
    const std::lock_guard lock(m_portCommandMutex);
    command = m_portCommand;
  }
  if (command.device.deviceId[0] == '\0') return -1;
  const CommandTarget target{command.device.deviceId, command.account.c_str(),
                             command.password.c_str()};
  DevSearch_SendCommand(m_session, &target, CMD_HTTPPORT, command.port.c_str());
  // Refused once the window closes: nothing is left to show the wait in.
  Thread().Post([this] { OnDeviceRestarting(); });
  return 1;
}

int CSearchDlg::OnCommandReply(SearchSession *session, const char *status, const void * /*data*/,
                               void *user) {
  auto *self = static_cast<CSearchDlg *>(user);
  if (self == nullptr || session == nullptr) return -1;
  if (status == nullptr) return 0;

  if (std::strstr(status, "200") != nullptr) {
    if (self->m_httpPortPending.exchange(0) != 0) {
      self->SendHttpPort();
      return 0;
    }
    const short last = self->m_lastCommand;
    if (last == 1) {
      Tell(self, LoadString(IDS_UPDATE_OK), vf::ui::MB_ICONINFORMATION);
    } else if (last == 2) {
      Tell(self, QStringLiteral("DDNS is setted successfully."), vf::ui::MB_ICONINFORMATION);
    }
    return 0;
  }
  if (std::strstr(status, "401") != nullptr) {
    Tell(self, LoadString(IDS_WRONG_ACCOUNT), vf::ui::MB_ICONINFORMATION);
    return -1;
  }
  return 0;
}

int CSearchDlg::OnDeviceRestarting() {
  if (m_destroyed) return 0;
  if (m_restartProgress) m_restartProgress->show();
  if (m_restartText) m_restartText->show();
  m_restartTicks = 0;
  m_timers->StartTimer(TIMER_RESTART, kRestartPeriodMs);
  if (m_restartProgress) {
    m_restartProgress->SetRange(kRestartRangeLow, kRestartRangeHigh);
    m_restartProgress->SetPos(kRestartRangeLow);
    m_restartProgress->SetStep(1);
  }
  m_deviceSelected = 0;
  EnableDevicePanel(0);
  return 0;
}

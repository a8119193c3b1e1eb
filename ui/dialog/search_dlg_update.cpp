// The Update command: checks the edited settings, asks, sends them to the
// selected device, and turns the device's answers into messages. When the
// port changed too, the accepted settings are followed by the port command
// and a 45-second wait while the device restarts, ending in a new search.
#include <cstdio>
#include <cstring>

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

constexpr const char *kBlankAddress = "0.0.0.0";
// Ports the devices keep for themselves: never sent.
constexpr const char *kReservedPorts[] = {"8002", "55555"};
constexpr int kRestartRangeLow = 1;
constexpr int kRestartRangeHigh = 47;

template <std::size_t N>
void CopyText(char (&field)[N], const QByteArray &text) {
  std::snprintf(field, N, "%s", text.constData());
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
  if (m_controls->GetCheck(IDC_DHCP) != 0) return true;
  const struct {
    int control;
    int message;
  } blanks[] = {
      {IDC_DEV_IP, IDS_WRONG_IP},
      {IDC_DEV_MASK, IDS_WRONG_MASK},
      {IDC_DEV_GATEWAY, IDS_WRONG_GATEWAY},
  };
  for (const auto &check : blanks) {
    if (m_controls->Text(check.control) == QLatin1String(kBlankAddress)) {
      Tell(this, LoadString(check.message), vf::ui::MB_ICONINFORMATION);
      return false;
    }
  }
  if (IsLocalAddress()) {
    Tell(this, LoadString(IDS_SAME_AS_LOCAL_IP), vf::ui::MB_ICONINFORMATION);
    return false;
  }
  return true;
}

bool CSearchDlg::IsLocalAddress() const {
  const QString address = m_controls->Text(IDC_DEV_IP);
  for (const QString &local : m_localAddresses) {
    if (address == local) return true;
  }
  return false;
}

short CSearchDlg::SendNetworkSettings(DeviceRecord &copy) {
  if (m_session == nullptr) return -1;
  const QByteArray account = m_controls->Text(IDC_ACCOUNT).toLatin1();
  const QByteArray password = m_controls->Text(IDC_PASSWORD).toLatin1();
  const CommandTarget target{copy.deviceId, account.constData(), password.constData()};

  const auto address = [this](int id) {
    const QString text = m_controls->Text(id);
    return text == QLatin1String(kBlankAddress) ? QByteArray() : text.toLatin1();
  };
  CopyText(copy.network.ipAddress, address(IDC_DEV_IP));
  CopyText(copy.network.netmask, address(IDC_DEV_MASK));
  CopyText(copy.network.gateway, address(IDC_DEV_GATEWAY));
  if (copy.network.ipAddress[0] == '\0' || copy.network.netmask[0] == '\0') return 0;
  CopyText(copy.network.primaryDns, address(IDC_DEV_DNS1));
  CopyText(copy.network.secondaryDns, address(IDC_DEV_DNS2));
  const int dhcp = m_controls->GetCheck(IDC_DHCP) != 0 ? 1 : 0;
  copy.network.dhcp = dhcp;
  copy.network.dnsStat = dhcp;

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

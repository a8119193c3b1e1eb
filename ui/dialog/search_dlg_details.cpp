// The device detail panel: filled from the device clicked in the list, locked
// until a device is chosen, with the DHCP check box and the http port spin.
#include <climits>
#include <cstdlib>

#include "core/display_text.h"
#include "dialog_controls.h"
#include "report_list.h"
#include "resource_ids.h"
#include "search_dlg.h"
#include "up_down_control.h"

using namespace vf::res;

namespace {

constexpr int kPortMax = 65535;

// The five controls that DHCP makes pointless.
constexpr int kAddressControls[] = {IDC_DEV_IP, IDC_DEV_MASK, IDC_DEV_GATEWAY, IDC_DEV_DNS1,
                                    IDC_DEV_DNS2};
// The rest of the panel, in the order they are set.
constexpr int kOtherPanelControls[] = {
    IDC_HTTP_PORT, IDC_HTTP_PORT_SPIN, IDC_UPDATE,    IDC_ACCOUNT,
    IDC_PASSWORD,  IDC_SET_ROUTER,     IDC_BROWSE,    IDC_FACTORY_DEFAULTS,
    IDC_SET_DDNS,  IDC_DDNS_NAME,      IDC_DDNS_USER, IDC_DDNS_PASSWORD,
};

// The decimal integer at the start of `text` (after blanks, with a sign);
// 0 when there is none. Values beyond int are held at its bounds.
int LeadingInt(const QString &text) {
  const QByteArray bytes = text.toLatin1();
  const long value = std::strtol(bytes.constData(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

void CSearchDlg::OnDeviceListClick(int row) {
  ShowDeviceDetails(row);
  if (row < 0) {
    if (m_deviceList) m_deviceList->SetSelectionMark(-1);
    return;
  }
  m_deviceSelected = 1;
  EnableDevicePanel(1);
}

void CSearchDlg::OnDeviceListItemChanged(int row) {
  // Home, End, the page keys and typing move the selection as a click would;
  // the arrows have been handled already, and refilling is harmless.
  OnDeviceListClick(row);
}

void CSearchDlg::ShowDeviceDetails(int index) {
  DeviceRecord record{};
  if (index < 0 || !m_devices.CopyAt(index, record)) return;
  // Decoded, with anything that would steer the display made visible.
  const auto text = [](const auto &field) {
    return QString::fromStdString(vf::core::DisplayField(field));
  };
  m_controls->SetText(IDC_DEVICE_NAME, text(record.deviceName));
  m_controls->SetText(IDC_FIRMWARE_SYS_VER, text(record.softwareVersion));
  m_controls->SetText(IDC_FIRMWARE_APP_VER, text(record.webVersion));
  m_controls->SetText(IDC_DEV_IP, text(record.network.ipAddress));
  m_controls->SetText(IDC_DEV_MASK, text(record.network.netmask));
  m_controls->SetText(IDC_DEV_GATEWAY, text(record.network.gateway));
  m_controls->SetText(IDC_DEV_DNS1, text(record.network.primaryDns));
  m_controls->SetText(IDC_DEV_DNS2, text(record.network.secondaryDns));
  m_controls->SetText(IDC_HTTP_PORT, text(record.httpPort));
  m_controls->SetCheck(IDC_DHCP, record.network.dhcp > 0 ? 1 : 0);
}

void CSearchDlg::EnableControl(int id, bool enable) {
  if (m_controls->Control(id) == nullptr) return;
  // A locked edit stays focusable with its text selectable.
  if (m_controls->ClassName(id).contains(QLatin1String("Edit"))) {
    m_controls->SetReadOnly(id, !enable);
  } else {
    m_controls->Enable(id, enable);
  }
}

void CSearchDlg::EnableDevicePanel(int state) {
  if (state != 0 && state != 1) return;
  const bool open = state == 1;
  EnableControl(IDC_DHCP, open);
  const bool addressesOpen = open && m_controls->GetCheck(IDC_DHCP) == 0;
  for (int id : kAddressControls) EnableControl(id, addressesOpen);
  for (int id : kOtherPanelControls) EnableControl(id, open);
}

bool CSearchDlg::IsControlEnabled(int id) const {
  return m_controls->IsEnabled(id);
}

void CSearchDlg::OnDhcpCheck() {
  EnableDevicePanel(m_deviceSelected);
}

void CSearchDlg::OnHttpPortSpin(int delta) {
  QWidget *buddy = m_httpPortSpin ? m_httpPortSpin->Buddy() : nullptr;
  if (buddy == nullptr) return;
  const int buddyId = IDC_HTTP_PORT;
  const int value = LeadingInt(m_controls->Text(buddyId));
  if (delta == 1 && value < kPortMax) {
    m_controls->SetText(buddyId, QString::number(value + 1));
  } else if (delta == -1 && value > 1) {
    m_controls->SetText(buddyId, QString::number(value - 1));
  }
}

void CSearchDlg::OnFactoryDefaults() {}

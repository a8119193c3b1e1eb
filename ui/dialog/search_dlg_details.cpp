// The device detail panel: filled from the device clicked in the list, locked
// until a device is chosen, with the DHCP check box and the http port spin.
#include <climits>
#include <cstdlib>
#include <string>

#include "core/device_concerns.h"
#include "core/display_text.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/translation.h"

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
int LeadingInt(const std::string &text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

void CSearchDlg::OnDeviceListClick(int row) {
  // The row's device: in a sorted list, not the row's number in the store.
  ShowDeviceDetails(StoreIndexOf(row));
  if (row < 0) {
    m_deviceList->SetSelectionMark(-1);
    return;
  }
  m_deviceSelected = kPanelOpen;
  EnableDevicePanel(kPanelOpen);
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
  const auto text = [](const auto &field) { return vf::core::DisplayField(field); };
  m_window->Item(IDC_DEVICE_NAME).SetText(text(record.deviceName));
  m_window->Item(IDC_FIRMWARE_SYS_VER).SetText(text(record.softwareVersion));
  m_window->Item(IDC_FIRMWARE_APP_VER).SetText(text(record.webVersion));
  m_window->Item(IDC_DEV_IP).SetText(text(record.network.ipAddress));
  m_window->Item(IDC_DEV_MASK).SetText(text(record.network.netmask));
  m_window->Item(IDC_DEV_GATEWAY).SetText(text(record.network.gateway));
  m_window->Item(IDC_DEV_DNS1).SetText(text(record.network.primaryDns));
  m_window->Item(IDC_DEV_DNS2).SetText(text(record.network.secondaryDns));
  m_window->Item(IDC_HTTP_PORT).SetText(text(record.httpPort));
  m_dhcpCheck->SetCheck(record.network.dhcp > 0 ? 1 : 0);
  ShowConcerns(index);
}

void CSearchDlg::ShowConcerns(int index) {
  const auto at = static_cast<std::size_t>(index);
  const std::uint8_t concerns = index >= 0 && at < m_concerns.size()
                                    ? m_concerns[at]
                                    : static_cast<std::uint8_t>(vf::core::kNoConcern);
  const std::string text = vf::core::ConcernText(concerns, vf::ui::Translated);
  vf::ui::Control &label = m_window->Item(IDC_DEVICE_CONCERN);
  label.SetText(text);
  // The whole of it, should the panel's room cut it.
  label.SetToolTip(text);
}

void CSearchDlg::EnableControl(int id, bool enable) {
  // A locked edit stays focusable with its text selectable.
  if (auto *edit = m_window->Find<vf::ui::Edit>(id)) {
    edit->SetReadOnly(!enable);
  } else if (vf::ui::Control *control = m_window->Find(id)) {
    control->Enable(enable);
  }
}

void CSearchDlg::EnableDevicePanel(int state) {
  if (state != kPanelLocked && state != kPanelOpen) return;
  const bool open = state == kPanelOpen;
  EnableControl(IDC_DHCP, open);
  const bool addressesOpen = open && m_dhcpCheck->GetCheck() == 0;
  for (int id : kAddressControls) EnableControl(id, addressesOpen);
  for (int id : kOtherPanelControls) EnableControl(id, open);
}

bool CSearchDlg::IsControlEnabled(int id) const {
  return m_window->Item(id).IsEnabled();
}

void CSearchDlg::OnDhcpCheck() {
  EnableDevicePanel(m_deviceSelected);
}

void CSearchDlg::OnHttpPortSpin(int delta) {
  vf::ui::Control *buddy = m_httpPortSpin->Buddy();
  if (buddy == nullptr) return;
  const int value = LeadingInt(buddy->Text());
  if (delta == 1 && value < kPortMax) {
    buddy->SetText(std::to_string(value + 1));
  } else if (delta == -1 && value > 1) {
    buddy->SetText(std::to_string(value - 1));
  }
}

void CSearchDlg::OnFactoryDefaults() {}

// The device list and the search cycle: a search clears everything known
// about devices, the engine's worker records each distinct device, and the
// collection tick shows what was recorded.
#include "core/display_text.h"
#include "core/text_marker.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/translation.h"

using namespace vf::res;

void CSearchDlg::OnSearch() {
  RefreshLocalAddresses();
  FreeDevices();
  m_deviceList->DeleteAllItems();
  ClearDevicePanel();
  m_deviceSelected = kPanelLocked;
  EnableDevicePanel(kPanelLocked);
  m_window->StartTimer(TIMER_COLLECT, kCollectPeriodMs);
  EnableControl(IDC_SEARCH, false);
  // Without an engine or without local addresses this fails; the cycle then
  // ends with "0 pcs" like one that found nothing.
  m_session->Search();
}

void CSearchDlg::OnTimer(int id) {
  if (id == TIMER_COLLECT) {
    m_window->KillTimer(TIMER_COLLECT);
    ShowDeviceRows();
    EnableControl(IDC_SEARCH, true);
  } else if (id == TIMER_RESTART) {
    ++m_restartTicks;
    m_restartProgress->StepIt();
    if (m_restartTicks >= kRestartTickCount) {
      m_window->KillTimer(TIMER_RESTART);
      m_restartProgress->Show(false);
      m_restartText->Show(false);
      OnSearch();
    }
  }
}

void CSearchDlg::ShowDeviceRows() {
  // What arrives from now on would never be shown: it is not kept either.
  m_devices.Close();
  // The records below the count are never changed, only cleared by the next
  // search, which empties the list first: the list reads them in place, and
  // only for the rows it shows.
  const int count = m_devices.Count();
  m_window->Item(IDC_DEVICE_COUNT)
      .SetText(vf::ui::WithArgument(vf::ui::Translated(VF_TEXT("%1 pcs")), std::to_string(count)));
  m_deviceList->SetSuppliedItems(count, [this](int row, int column) {
    if (column == 0) return std::to_string(row + 1);
    DeviceRecord device{};
    if (!m_devices.CopyAt(row, device)) return std::string();
    return column == 1 ? vf::core::DisplayField(device.deviceName)
                       : vf::core::DisplayField(device.network.macAddress);
  });
}

void CSearchDlg::ClearDevicePanel() {
  static constexpr int kEmptied[] = {
      IDC_DEVICE_NAME, IDC_FIRMWARE_SYS_VER, IDC_FIRMWARE_APP_VER, IDC_DEV_IP,  IDC_DEV_MASK,
      IDC_DEV_GATEWAY, IDC_DEV_DNS1,         IDC_DEV_DNS2,         IDC_ACCOUNT, IDC_PASSWORD,
      IDC_DDNS_NAME,   IDC_DDNS_USER,        IDC_DDNS_PASSWORD,
  };
  for (int id : kEmptied) m_window->Item(id).SetText("");
  m_window->Item(IDC_HTTP_PORT).SetText("80");
}

void CSearchDlg::FreeDevices() {
  m_devices.Clear();
}

// The device list and the search cycle: a search clears everything known
// about devices, the engine's worker records each distinct device, and the
// collection tick shows what was recorded.
#include "core/display_text.h"
#include "core/text_marker.h"
#include "dialog_controls.h"
#include "report_list.h"
#include "resource_ids.h"
#include "search_dlg.h"
#include "step_progress_bar.h"
#include "timers.h"
#include "translation.h"

using namespace vf::res;

void CSearchDlg::OnSearch() {
  RefreshLocalAddresses();
  FreeDevices();
  if (m_deviceList) m_deviceList->DeleteAllItems();
  ClearDevicePanel();
  m_deviceSelected = 0;
  EnableDevicePanel(0);
  m_timers->StartTimer(TIMER_COLLECT, kCollectPeriodMs);
  EnableControl(IDC_SEARCH, false);
  // Without an engine or without local addresses this fails; the cycle then
  // ends with "0 pcs" like one that found nothing.
  DevSearch_Search(m_session);
}

int CSearchDlg::OnDeviceFound(SearchSession * /*session*/, const char * /*status*/,
                              const void *data, void *user) {
  auto *self = static_cast<CSearchDlg *>(user);
  if (self == nullptr || data == nullptr) return 0;
  self->m_devices.Record(*static_cast<const DeviceRecord *>(data));
  return 0;
}

void CSearchDlg::OnTimer(int id) {
  if (id == TIMER_COLLECT) {
    m_timers->KillTimer(TIMER_COLLECT);
    ShowDeviceRows();
    EnableControl(IDC_SEARCH, true);
  } else if (id == TIMER_RESTART) {
    ++m_restartTicks;
    if (m_restartProgress) m_restartProgress->StepIt();
    if (m_restartTicks >= kRestartTickCount) {
      m_timers->KillTimer(TIMER_RESTART);
      if (m_restartProgress) m_restartProgress->hide();
      if (m_restartText) m_restartText->hide();
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
  m_controls->SetText(IDC_DEVICE_COUNT, vf::ui::Translated(VF_TEXT("%1 pcs")).arg(count));
  if (m_deviceList == nullptr) return;
  m_deviceList->SetSuppliedItems(count, [this](int row, int column) {
    if (column == 0) return QString::number(row + 1);
    DeviceRecord device{};
    if (!m_devices.CopyAt(row, device)) return QString();
    return QString::fromStdString(column == 1 ? vf::core::DisplayField(device.deviceName)
                                              : vf::core::DisplayField(device.network.macAddress));
  });
}

void CSearchDlg::ClearDevicePanel() {
  static constexpr int kEmptied[] = {
      IDC_DEVICE_NAME, IDC_FIRMWARE_SYS_VER, IDC_FIRMWARE_APP_VER, IDC_DEV_IP,  IDC_DEV_MASK,
      IDC_DEV_GATEWAY, IDC_DEV_DNS1,         IDC_DEV_DNS2,         IDC_ACCOUNT, IDC_PASSWORD,
      IDC_DDNS_NAME,   IDC_DDNS_USER,        IDC_DDNS_PASSWORD,
  };
  for (int id : kEmptied) m_controls->SetText(id, QString());
  m_controls->SetText(IDC_HTTP_PORT, QStringLiteral("80"));
}

void CSearchDlg::FreeDevices() {
  m_devices.Clear();
}

// The device list and the search cycle: a search clears everything known
// about devices, the engine's worker records each distinct device, and the
// collection tick shows what was recorded, each device marked with what is
// wrong with its address and in bold when it is new since the search before.
// A click on a heading sorts the list; a new search returns to the order of
// arrival.
#include <algorithm>

#include "core/device_concerns.h"
#include "core/text_marker.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/translation.h"

using namespace vf::res;
namespace core = vf::core;

namespace {

// The list's columns are core::kDeviceColumns in its order: a column's index is its value.
constexpr bool ColumnsAreInOrder() {
  for (int i = 0; i < core::kDeviceColumnCount; ++i) {
    if (static_cast<int>(core::kDeviceColumns[i]) != i) return false;
  }
  return true;
}
static_assert(ColumnsAreInOrder());

}  // namespace

void CSearchDlg::OnSearch() {
  RefreshLocalAddresses();
  FreeDevices();
  m_deviceList->DeleteAllItems();
  // Back to the order of arrival.
  m_shownCount = 0;
  m_viewOrder.clear();
  m_sortColumn = -1;
  m_sortDescending = false;
  m_deviceList->SetSortIndicator(-1, vf::ui::SortIndicator::None);
  m_concerns.clear();
  m_newSinceLast.clear();
  ClearDevicePanel();
  m_deviceSelected = kPanelLocked;
  EnableDevicePanel(kPanelLocked);
  m_window->StartTimer(TIMER_COLLECT, kCollectPeriodMs);
  EnableControl(IDC_SEARCH, false);
  m_lossMeter.Start(m_session->Port());
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
  // only for the rows it shows. The marks need them all once.
  const std::vector<DeviceRecord> records = m_devices.Records();
  std::vector<vf::platform::Adapter> adapters;
  for (const core::AdapterEntry &entry : m_adapterList) adapters.push_back(entry.adapter);
  m_concerns = core::FindConcerns(records, core::AddressesOf(adapters));
  m_newSinceLast = m_history.NextList(records);
  m_shownCount = static_cast<int>(records.size());
  m_window->Item(IDC_DEVICE_COUNT)
      .SetText(vf::ui::WithArgument(vf::ui::Translated(VF_TEXT("%1 pcs")),
                                    std::to_string(m_shownCount)));
  ShowListRows();
  ShowReceiveLosses(m_lossMeter.Finish(m_session->Port()));
}

void CSearchDlg::ShowListRows() {
  m_deviceList->SetSuppliedItems(m_shownCount, [this](int row, int column) {
    const int index = StoreIndexOf(row);
    DeviceRecord device{};
    if (!m_devices.CopyAt(index, device)) return std::string();
    return core::ColumnText(device, core::ColumnAt(column), index + 1);
  });
}

vf::ui::RowLook CSearchDlg::LookOf(int row) const {
  const int index = StoreIndexOf(row);
  vf::ui::RowLook look;
  if (index < 0) return look;
  const auto at = static_cast<std::size_t>(index);
  look.bold = at < m_newSinceLast.size() && m_newSinceLast[at];
  const std::uint8_t concerns =
      at < m_concerns.size() ? m_concerns[at] : static_cast<std::uint8_t>(core::kNoConcern);
  look.warning = concerns != core::kNoConcern;
  if (look.warning) look.toolTip = core::ConcernText(concerns, vf::ui::Translated);
  return look;
}

void CSearchDlg::ShowReceiveLosses(const core::ReceiveLosses &losses) {
  // Beside the count, which keeps its text: the number of devices that did answer.
  vf::ui::Control &mark = m_window->Item(IDC_LOSS_MARK);
  if (!losses.Any()) {
    mark.Show(false);
    mark.SetToolTip("");
    return;
  }
  std::string tip = vf::ui::Translated(
      VF_TEXT("The kernel dropped answers during this search: the list may lack devices."));
  for (const std::string &warning : core::LossWarnings(losses, m_adapterSource)) {
    tip += "\n\n" + warning;
  }
  mark.SetToolTip(tip);
  mark.Show(true);
}

int CSearchDlg::StoreIndexOf(int row) const {
  if (row < 0 || row >= m_shownCount) return -1;
  if (m_viewOrder.empty()) return row;
  return row < static_cast<int>(m_viewOrder.size()) ? m_viewOrder[static_cast<std::size_t>(row)]
                                                    : -1;
}

int CSearchDlg::RowOf(int index) const {
  if (index < 0 || index >= m_shownCount) return -1;
  if (m_viewOrder.empty()) return index;
  const auto found = std::find(m_viewOrder.begin(), m_viewOrder.end(), index);
  return found != m_viewOrder.end() ? static_cast<int>(found - m_viewOrder.begin()) : -1;
}

int CSearchDlg::SelectedDevice() const {
  return StoreIndexOf(m_deviceList->SelectionMark());
}

void CSearchDlg::OnDeviceListHeaderClick(int column) {
  // While a search collects, the list is empty and the next tick shows the order of arrival.
  if (column < 0 || column >= core::kDeviceColumnCount || m_window->IsTimerActive(TIMER_COLLECT)) {
    return;
  }
  const int highlighted = SelectedDevice();
  m_sortDescending = column == m_sortColumn && !m_sortDescending;
  m_sortColumn = column;
  std::vector<DeviceRecord> records = m_devices.Records();
  records.resize(std::min(records.size(), static_cast<std::size_t>(m_shownCount)));
  m_viewOrder = core::SortOrder(records, core::ColumnAt(column), m_sortDescending);
  m_deviceList->SetSortIndicator(column, m_sortDescending ? vf::ui::SortIndicator::Descending
                                                          : vf::ui::SortIndicator::Ascending);
  ShowListRows();
  // The same device stays highlighted, and so stays the one the panel shows.
  if (highlighted >= 0) m_deviceList->SetSelectionMark(RowOf(highlighted));
}

std::vector<DeviceRecord> CSearchDlg::ListedDevices() const {
  const std::vector<DeviceRecord> records = m_devices.Records();
  std::vector<DeviceRecord> listed;
  listed.reserve(static_cast<std::size_t>(m_shownCount));
  for (int row = 0; row < m_shownCount; ++row) {
    const int index = StoreIndexOf(row);
    if (index >= 0 && index < static_cast<int>(records.size())) {
      listed.push_back(records[static_cast<std::size_t>(index)]);
    }
  }
  return listed;
}

void CSearchDlg::ClearDevicePanel() {
  static constexpr int kEmptied[] = {
      IDC_DEVICE_NAME, IDC_FIRMWARE_SYS_VER, IDC_FIRMWARE_APP_VER, IDC_DEV_IP,  IDC_DEV_MASK,
      IDC_DEV_GATEWAY, IDC_DEV_DNS1,         IDC_DEV_DNS2,         IDC_ACCOUNT, IDC_PASSWORD,
      IDC_DDNS_NAME,   IDC_DDNS_USER,        IDC_DDNS_PASSWORD,
  };
  for (int id : kEmptied) m_window->Item(id).SetText("");
  m_window->Item(IDC_HTTP_PORT).SetText("80");
  ShowConcerns(-1);
}

void CSearchDlg::FreeDevices() {
  m_devices.Clear();
}

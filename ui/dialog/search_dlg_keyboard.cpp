// The window's keys: Enter and Escape do nothing anywhere, the arrows in the
// device list keep the detail panel with the row they move to, F3, F4 and F5
// press Search, Browse and Update while those are enabled, Ctrl+C in the list
// copies the highlighted device's row and Ctrl+S exports the list.
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/virtual_keys.h"

using namespace vf::res;
namespace vk = vf::ui::vk;

bool CSearchDlg::PreTranslateMessage(int controlId, int virtualKey, unsigned modifiers) {
  if (virtualKey == vk::kEscape || virtualKey == vk::kReturn) return true;

  // Ctrl alone: Ctrl+Alt is AltGr on many keyboards, which types characters.
  const bool control = (modifiers & (vk::kModControl | vk::kModAlt)) == vk::kModControl;
  if (control && virtualKey == 'S') {
    OnExportList();
    return true;
  }
  if (control && virtualKey == 'C' && controlId == IDC_DEVICE_LIST) {
    OnCopyRow();
    return true;
  }

  if (controlId == IDC_DEVICE_LIST) {
    // Before the list moves: the panel shows the row the key leads to.
    const int mark = m_deviceList->SelectionMark();
    const int count = m_deviceList->ItemCount();
    if (virtualKey == vk::kUp) {
      const int target = mark - 1;
      OnDeviceListClick(target > 0 ? target : 0);
    } else if (virtualKey == vk::kDown) {
      const int target = mark + 1;
      OnDeviceListClick(target < count ? target : count - 1);
    }
  }

  if (virtualKey == vk::kF3) {
    if (IsControlEnabled(IDC_SEARCH)) OnSearch();
  } else if (virtualKey == vk::kF4) {
    if (IsControlEnabled(IDC_BROWSE)) OnBrowse();
  } else if (virtualKey == vk::kF5) {
    if (IsControlEnabled(IDC_UPDATE)) OnUpdate();
  }
  return false;
}

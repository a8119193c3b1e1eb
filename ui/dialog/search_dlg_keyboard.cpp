// The window's keys: Enter and Escape do nothing anywhere, the arrows in the
// device list keep the detail panel with the row they move to, and F3, F4
// and F5 press Search, Browse and Update while those are enabled.
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/virtual_keys.h"

using namespace vf::res;
namespace vk = vf::ui::vk;

bool CSearchDlg::PreTranslateMessage(int controlId, int virtualKey) {
  if (virtualKey == vk::kEscape || virtualKey == vk::kReturn) return true;

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

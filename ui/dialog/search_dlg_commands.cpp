// Closing the window (refused while a device restarts), Browse, which opens
// the selected device's web page, and the router command, which opens the
// page of the first address of the device's network.
#include <string>

#include "core/messages.h"
#include "core/web_pages.h"
#include "platform/url_opener.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/message_box.h"
#include "ui/window/translation.h"

using namespace vf::res;

void CSearchDlg::SetUrlOpener(vf::platform::UrlOpener *opener) {
  m_urlOpener = opener;
}

bool CSearchDlg::CanClose() {
  if (m_restartProgress == nullptr) return true;
  if (m_restartProgress->IsVisible()) {
    Tell(LoadString(IDS_DEVICE_RESTARTING), vf::ui::MB_ICONINFORMATION | vf::ui::MB_OK);
    return false;
  }
  return true;
}

void CSearchDlg::OnCloseButton() {
  if (CanClose()) m_window->EndDialog(vf::ui::IDCANCEL);
}

bool CSearchDlg::OnClose() {
  // Escape never gets here; what does is a close request, which then ends
  // the dialog with the cancel result.
  return CanClose();
}

// The record of the selected row, for Browse and the router command: with no
// row selected, or one beyond the store, the user is told so.
bool CSearchDlg::CopySelectedForBrowsing(DeviceRecord &device) {
  const int index = SelectedDevice();
  if (index < 0 || index >= m_devices.Count()) {
    Tell(LoadString(IDS_SELECT_DEVICE), vf::ui::MB_OK);
    return false;
  }
  return m_devices.CopyAt(index, device);
}

vf::platform::UrlOpener &CSearchDlg::Opener() const {
  return m_urlOpener ? *m_urlOpener : vf::platform::SystemUrlOpener();
}

void CSearchDlg::OnBrowse() {
  DeviceRecord device{};
  if (!CopySelectedForBrowsing(device)) return;
  // What the device announced goes to another program: only a plain
  // address and port may pass.
  const std::optional<std::string> url = vf::core::DevicePageUrl(device);
  if (!url) {
    Tell(vf::core::text::kBadBrowseAddress, vf::ui::MB_ICONEXCLAMATION);
    return;
  }
  OpenPage(*url);
}

void CSearchDlg::OnSetRouter() {
  DeviceRecord device{};
  if (!CopySelectedForBrowsing(device)) return;
  const std::optional<std::string> url = vf::core::RouterPageUrl(device);
  if (!url) {
    Tell(vf::core::text::kBadBrowseAddress, vf::ui::MB_ICONEXCLAMATION);
    return;
  }
  OpenPage(*url);
}

void CSearchDlg::OpenPage(const std::string &url) {
  if (Opener().Open(url)) return;
  // The text is translated before the address goes in.
  Tell(vf::ui::WithArgument(vf::ui::Translated(LoadString(IDS_NO_BROWSER)), url),
       vf::ui::MB_ICONINFORMATION);
}

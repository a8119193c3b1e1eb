// The DDNS group: sends the dynamic-DNS account typed in its (hidden) fields
// to the selected device. The answer is shown by OnCommandReply.
#include "core/conflicts.h"
#include "core/messages.h"
#include "core/record_text.h"
#include "core/update_checks.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/message_box.h"
#include "ui/window/translation.h"

using namespace vf::res;

namespace {

// Longer texts are cut to the field, keeping its terminating zero.
template <std::size_t N>
void CopyText(char (&field)[N], const std::string &text) {
  vf::core::CopyToField(field, text);
}

}  // namespace

void CSearchDlg::OnSetDdns() {
  if (!m_session->IsOpen()) return;
  const int index = SelectedDevice();
  if (index < 0 || index >= m_devices.Count()) {
    Tell(LoadString(IDS_SELECT_DEVICE), vf::ui::MB_ICONINFORMATION);
    return;
  }
  const std::string domain = m_window->Item(IDC_DDNS_NAME).Text();
  if (domain.empty()) {
    Tell(vf::core::text::kDdnsEmpty, vf::ui::MB_ICONEXCLAMATION);
    return;
  }
  DeviceRecord device{};
  if (!m_devices.CopyAt(index, device)) {
    Tell(vf::core::text::kDeviceDestroyed, vf::ui::MB_OK);
    return;
  }
  if (const auto refusal = vf::core::ImpostorRefusal(m_devices, device)) {
    Tell(vf::core::Compose(*refusal, vf::ui::Translated), vf::ui::MB_ICONEXCLAMATION);
    return;
  }
  m_lastCommand = kDdnsCommand;

  const std::string account = m_window->Item(IDC_ACCOUNT).Text();
  const std::string password = m_window->Item(IDC_PASSWORD).Text();
  const CommandTarget target{device.deviceId, account.c_str(), password.c_str()};
  DdnsSettings block{};
  block.enable = m_dhcpCheck->GetCheck() != 0 ? 1 : 0;
  block.port = 0;
  CopyText(block.user, m_window->Item(IDC_DDNS_USER).Text());
  CopyText(block.password, m_window->Item(IDC_DDNS_PASSWORD).Text());
  CopyText(block.domain, domain);

  // An id of any other form than its plain one is not sent, as the engine
  // does not send one of the wrong length.
  if (vf::core::IsDeviceIdText(vf::core::FieldText(device.deviceId))) {
    const vf::core::Dispatch dispatch =
        m_session->Send(target, CMD_DDNSSET, &block, vf::core::kAnswerTimeout,
                        [this](vf::core::Outcome outcome) { TellOutcomeLater(outcome, false); });
    if (dispatch == vf::core::Dispatch::Sent) return;
    if (dispatch == vf::core::Dispatch::Busy) {
      Tell(vf::core::text::kCommandBusy, vf::ui::MB_ICONINFORMATION);
      return;
    }
  }
  Tell(vf::core::text::kDdnsFailed, vf::ui::MB_ICONEXCLAMATION);
}

// The DDNS group: sends the dynamic-DNS account typed in its (hidden) fields
// to the selected device. The answer is shown by OnCommandReply.
#include "core/messages.h"
#include "core/record_text.h"
#include "core/update_checks.h"
#include "dialog_controls.h"
#include "message_box.h"
#include "resource_ids.h"
#include "search_dlg.h"
#include "string_table.h"

using namespace vf::res;

namespace {

// Longer texts are cut to the field, keeping its terminating zero.
template <std::size_t N>
void CopyText(char (&field)[N], const QString &text) {
  vf::core::CopyToField(field, text.toLatin1().toStdString());
}

}  // namespace

void CSearchDlg::OnSetDdns() {
  if (m_session == nullptr) return;
  const QString tips = LoadString(IDS_TIPS);
  const int row = SelectedRow();
  if (row < 0 || row >= m_devices.Count()) {
    vf::ui::ShowMessageBox(this, LoadString(IDS_SELECT_DEVICE), tips, vf::ui::MB_ICONINFORMATION);
    return;
  }
  const QString domain = m_controls->Text(IDC_DDNS_NAME);
  if (domain.isEmpty()) {
    vf::ui::ShowMessageBox(this, QString::fromUtf8(vf::core::text::kDdnsEmpty), tips,
                           vf::ui::MB_ICONEXCLAMATION);
    return;
  }
  DeviceRecord device{};
  if (!m_devices.CopyAt(row, device)) {
    vf::ui::ShowMessageBox(this, QString::fromUtf8(vf::core::text::kDeviceDestroyed), tips,
                           vf::ui::MB_OK);
    return;
  }
  m_lastCommand = 2;

  const QByteArray account = m_controls->Text(IDC_ACCOUNT).toLatin1();
  const QByteArray password = m_controls->Text(IDC_PASSWORD).toLatin1();
  const CommandTarget target{device.deviceId, account.constData(), password.constData()};
  DdnsSettings block{};
  block.enable = m_controls->GetCheck(IDC_DHCP) != 0 ? 1 : 0;
  block.port = 0;
  CopyText(block.user, m_controls->Text(IDC_DDNS_USER));
  CopyText(block.password, m_controls->Text(IDC_DDNS_PASSWORD));
  CopyText(block.domain, domain);

  // An id of any other form than its plain one is not sent, as the engine
  // does not send one of the wrong length.
  if (!vf::core::IsDeviceIdText(vf::core::FieldText(device.deviceId)) ||
      SendCommand(m_session, target, CMD_DDNSSET, &block) != DEVSEARCH_OK) {
    vf::ui::ShowMessageBox(this, QString::fromUtf8(vf::core::text::kDdnsFailed), tips,
                           vf::ui::MB_ICONEXCLAMATION);
  }
}

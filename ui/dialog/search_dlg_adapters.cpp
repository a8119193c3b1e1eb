// The "Local PC information:" panel: the adapter drop-down list and the
// chosen adapter's addresses, gateway and DNS servers.
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"

using namespace vf::res;

void CSearchDlg::FillAdapterPanel() {
  vf::core::AdapterPanel panel = vf::core::LoadAdapterPanel(m_adapterSource);
  m_adapterList = std::move(panel.entries);
  m_adapterDns = std::move(panel.adapterDns);
  if (m_adapterCombo == nullptr) return;

  m_adapterCombo->ResetContent();
  for (size_t k = 0; k < m_adapterList.size(); ++k) {
    const int index = m_adapterCombo->AddString(m_adapterList[k].description);
    m_adapterCombo->SetItemData(index, k);
  }
  m_adapterCombo->SetCurSel(panel.selectedIndex);
  if (m_adapterCombo->CurSel() != -1) OnAdapterSelChange();
}

void CSearchDlg::OnAdapterSelChange() {
  const int selected = m_adapterCombo->CurSel();
  if (selected < 0) return;
  const auto entry = static_cast<int>(m_adapterCombo->ItemData(selected));
  if (entry < 0 || entry >= static_cast<int>(m_adapterList.size())) return;

  vf::core::AdapterPanel panel;
  panel.entries = m_adapterList;
  panel.adapterDns = m_adapterDns;
  const vf::core::AdapterPanelTexts texts = vf::core::PanelTextsFor(panel, entry);

  m_window->Item(IDC_LOCAL_IP).SetText(texts.ip);
  m_window->Item(IDC_LOCAL_MASK).SetText(texts.mask);
  m_window->Item(IDC_LOCAL_GATEWAY).SetText(texts.gateway);
  m_window->Item(IDC_LOCAL_DNS1).SetText(texts.dns1);
  m_window->Item(IDC_LOCAL_DNS2).SetText(texts.dns2);
}

// Start-up and shutdown of the main window: its controls, the engine session,
// the system menu with the About box, and the message map that routes the
// window's notifications to the handlers.

#include <utility>

#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/dialog/search_dlg.h"
#include "ui/dialog/window_title.h"
#include "ui/window/message_box.h"
#include "ui/window/window_thread.h"

using namespace vf::res;

namespace {

constexpr int kDefaultHttpPort = 80;
constexpr int kPortMax = 65535;

// The About box: template 100, no parent, OK closes it.
class AboutBox final : public vf::ui::DialogHandler {
 public:
  void Run() { m_window->RunModal(); }
  void OnCommand(int id) override {
    if (id == IDOK) m_window->EndDialog(IDOK);
  }

 private:
  std::unique_ptr<vf::ui::DialogWindow> m_window =
      vf::ui::CreateDialogWindow(AboutDialogTemplate(), *this);
};

vf::platform::AdapterSource &SystemAdapters() {
  static const std::unique_ptr<vf::platform::AdapterSource> source =
      vf::platform::MakeSystemAdapterSource();
  return *source;
}

}  // namespace

CSearchDlg::CSearchDlg(vf::platform::AdapterSource &adapters)
    : m_adapterSource(adapters),
      m_window(vf::ui::CreateDialogWindow(SearchDialogTemplate(), m_messageMap)),
      m_hIcon(IDR_MAINFRAME),
      m_session(std::make_unique<vf::core::LanSession>(m_adapterSource, m_devices)) {}

CSearchDlg::CSearchDlg() : CSearchDlg(SystemAdapters()) {}

CSearchDlg::~CSearchDlg() {
  OnDestroy();
  // Its threads post to the window until they are joined.
  m_session.reset();
  m_window.reset();
}

bool CSearchDlg::Create() {
  return m_window->Create();
}

int CSearchDlg::DoModal() {
  return m_window->RunModal();
}

// --- Message map -------------------------------------------------------------

void CSearchDlg::MessageMap::OnInitDialog() {
  m_dialog.m_engineStarted = m_dialog.OnInitDialog();
}

void CSearchDlg::MessageMap::OnCommand(int id) {
  switch (id) {
    case IDC_SEARCH:
      m_dialog.OnSearch();
      break;
    case IDC_UPDATE:
      m_dialog.OnUpdate();
      break;
    case IDC_CLOSE:
      m_dialog.OnCloseButton();
      break;
    case IDC_DHCP:
      m_dialog.OnDhcpCheck();
      break;
    case IDC_BROWSE:
      m_dialog.OnBrowse();
      break;
    case IDC_SET_ROUTER:
      m_dialog.OnSetRouter();
      break;
    case IDC_FACTORY_DEFAULTS:
      m_dialog.OnFactoryDefaults();
      break;
    case IDC_SET_DDNS:
      m_dialog.OnSetDdns();
      break;
    default:
      break;
  }
}

void CSearchDlg::MessageMap::OnListClick(int id, int row) {
  if (id == IDC_DEVICE_LIST) m_dialog.OnDeviceListClick(row);
}

void CSearchDlg::MessageMap::OnListKeyMoved(int id, int row) {
  if (id == IDC_DEVICE_LIST) m_dialog.OnDeviceListItemChanged(row);
}

void CSearchDlg::MessageMap::OnListHeaderClick(int id, int column) {
  if (id == IDC_DEVICE_LIST) m_dialog.OnDeviceListHeaderClick(column);
}

void CSearchDlg::MessageMap::OnListContextMenu(int id, int row) {
  if (id == IDC_DEVICE_LIST) m_dialog.OnDeviceListContextMenu(row);
}

void CSearchDlg::MessageMap::OnComboSelChange(int id) {
  if (id == IDC_ADAPTER) m_dialog.OnAdapterSelChange();
}

void CSearchDlg::MessageMap::OnUpDownDelta(int id, int delta) {
  if (id == IDC_HTTP_PORT_SPIN) m_dialog.OnHttpPortSpin(delta);
}

void CSearchDlg::MessageMap::OnTimer(int id) {
  m_dialog.OnTimer(id);
}

bool CSearchDlg::MessageMap::OnKeyDown(int controlId, int virtualKey, unsigned modifiers) {
  return m_dialog.PreTranslateMessage(controlId, virtualKey, modifiers);
}

bool CSearchDlg::MessageMap::OnCloseRequest() {
  return m_dialog.OnClose();
}

bool CSearchDlg::MessageMap::OnSysCommand(unsigned id) {
  return m_dialog.OnSysCommand(id);
}

void CSearchDlg::MessageMap::OnUserMessage(unsigned offset) {
  if (offset == WM_DEVICE_RESTARTING_OFFSET) m_dialog.OnDeviceRestarting();
}

void CSearchDlg::MessageMap::OnDestroy() {
  m_dialog.OnDestroy();
}

// --- Start-up --------------------------------------------------------------

bool CSearchDlg::OnInitDialog() {
  DoDataExchange();

  // The About item stays the last, after a separator of its own.
  const std::string assignText = LoadString(IDS_ASSIGN);
  if (!assignText.empty() && m_window->AppendSystemMenuSeparator()) {
    m_window->AppendSystemMenuItem(IDM_ASSIGN, assignText);
  }
  const std::string aboutText = LoadString(IDS_ABOUTBOX);
  if (!aboutText.empty() && m_window->AppendSystemMenuSeparator()) {
    m_window->AppendSystemMenuItem(IDM_ABOUTBOX, aboutText);
  }

  m_window->SetIcon(m_hIcon);
  m_window->SetTitle(g_windowTitle);

  InitControls();

  if (StartEngine() >= 0) return true;
  Tell(LoadString(IDS_INIT_FAILED), vf::ui::MB_ICONINFORMATION | vf::ui::MB_OK);
  return false;
}

void CSearchDlg::DoDataExchange() {
  m_restartProgress = m_window->Find<vf::ui::ProgressBar>(IDC_RESTART_PROGRESS);
  m_restartText = m_window->Find(IDC_RESTART_TEXT);
  m_adapterCombo = m_window->Find<vf::ui::ComboBox>(IDC_ADAPTER);
  m_dhcpCheck = m_window->Find<vf::ui::CheckBox>(IDC_DHCP);
  m_deviceList = m_window->Find<vf::ui::ListView>(IDC_DEVICE_LIST);
  m_httpPortSpin = m_window->Find<vf::ui::UpDown>(IDC_HTTP_PORT_SPIN);
}

void CSearchDlg::InitControls() {
  m_deviceSelected = kPanelLocked;
  m_httpPortPending = 0;

  if (vf::ui::Control *httpPort = m_window->Find(IDC_HTTP_PORT)) {
    httpPort->SetText(std::to_string(kDefaultHttpPort));
    m_httpPortSpin->SetBuddy(httpPort);
  }
  m_httpPortSpin->SetPos(1);
  m_httpPortSpin->SetRange(1, kPortMax);

  // The list's columns are those of vf::core::kDeviceColumns, in its order, so a column's
  // index is its DeviceColumn's value.
  for (const vf::core::DeviceColumn column : vf::core::kDeviceColumns) {
    const vf::core::DeviceColumnInfo &info = vf::core::ColumnInfo(column);
    m_deviceList->InsertColumn(static_cast<int>(column),
                               {info.heading, info.widthPx, info.numeric});
  }
  m_deviceList->SetFullRowSelect(true);
  // Typing a name's first letters finds the camera.
  m_deviceList->SetFindColumn(static_cast<int>(vf::core::DeviceColumn::Name));
  m_deviceList->SetRowLook([this](int row) { return LookOf(row); });

  FillAdapterPanel();

  EnableDevicePanel(m_deviceSelected);

  m_restartProgress->Show(false);
  m_restartText->Show(false);
}

int CSearchDlg::StartEngine() {
  const bool ready = m_session->Open();
  m_localAddresses = m_session->PcAddresses();
  return ready ? 1 : -1;
}

void CSearchDlg::RefreshLocalAddresses() {
  const std::vector<std::string> shown = m_localAddresses;
  const vf::core::LanSession::Refresh refresh = m_session->RefreshAddresses();
  if (refresh == vf::core::LanSession::Refresh::Busy) return;
  m_localAddresses = m_session->PcAddresses();
  if (m_localAddresses != shown) FillAdapterPanel();
  if (refresh == vf::core::LanSession::Refresh::Renewed) m_engineStarted = true;
  if (refresh == vf::core::LanSession::Refresh::Failed) {
    m_engineStarted = false;
    Tell(LoadString(IDS_INIT_FAILED), vf::ui::MB_ICONINFORMATION | vf::ui::MB_OK);
  }
}

int CSearchDlg::StopEngine() {
  if (!m_session->IsOpen()) return -1;
  m_session->Close();
  return 0;
}

void CSearchDlg::OnDestroy() {
  if (m_destroyed || !m_window->IsCreated()) return;
  m_destroyed = true;
  // What the engine session's threads post from now on is dropped: nothing
  // they tell can reach a window that is going.
  m_window->Thread().BeginClosing();
  m_window->KillTimer(TIMER_COLLECT);
  m_window->KillTimer(TIMER_RESTART);
  StopEngine();
  // The list reads the records it shows from the store.
  m_deviceList->DeleteAllItems();
  FreeDevices();
  m_adapterList.clear();
}

bool CSearchDlg::OnSysCommand(unsigned id) {
  const unsigned command = id & 0xFFF0u;
  if (command == static_cast<unsigned>(IDM_ASSIGN)) {
    OnAssignAddresses();
    return true;
  }
  if (command != static_cast<unsigned>(IDM_ABOUTBOX)) return false;
  AboutBox().Run();
  return true;
}

int CSearchDlg::Tell(std::string_view text, unsigned type) {
  return vf::ui::ShowMessageBox(m_window.get(), text, LoadString(IDS_TIPS), type);
}

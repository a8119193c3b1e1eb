// Start-up and shutdown of the main window: its controls, the engine session
// and the system menu with the About box.

#include <QApplication>
#include <utility>

#include "core/engine_session.h"
#include "core/local_address_table.h"
#include "core/text_marker.h"
#include "dialog_builder.h"
#include "dialog_controls.h"
#include "dialog_templates.h"
#include "drop_down_list.h"
#include "icons.h"
#include "message_box.h"
#include "report_list.h"
#include "resource_ids.h"
#include "search_dlg.h"
#include "step_progress_bar.h"
#include "string_table.h"
#include "system_menu.h"
#include "timers.h"
#include "up_down_control.h"
#include "window_thread.h"
#include "window_title.h"

using namespace vf::res;
using vf::ui::DialogControls;

namespace {

constexpr int kDefaultHttpPort = 80;
constexpr int kPortMax = 65535;

// The About box: template 100, no parent, OK closes it.
void RunAboutBox() {
  QDialog about;
  vf::ui::BuildDialog(&about, AboutDialogTemplate());
  DialogControls controls(&about);
  QObject::connect(&controls, &DialogControls::buttonClicked, &about, [&about](int id) {
    if (id == IDOK) about.accept();
  });
  about.exec();
}

vf::platform::AdapterSource &SystemAdapters() {
  static const std::unique_ptr<vf::platform::AdapterSource> source =
      vf::platform::MakeSystemAdapterSource();
  return *source;
}

}  // namespace

CSearchDlg::CSearchDlg(vf::platform::AdapterSource &adapters, QWidget *parent)
    : QDialog(parent), m_adapterSource(adapters) {
  vf::ui::BuildDialog(this, SearchDialogTemplate());
  m_controls = std::make_unique<DialogControls>(this);
  m_timers = new vf::ui::DialogTimers(this);
  m_windowThread = new vf::ui::WindowThread(this);
  m_hIcon = LoadIcon(IDR_MAINFRAME);

  m_restartProgress = m_controls->Progress(IDC_RESTART_PROGRESS);
  m_restartText = m_controls->Control(IDC_RESTART_TEXT);
  m_adapterCombo = m_controls->Combo(IDC_ADAPTER);
  m_dhcpCheck = m_controls->Control(IDC_DHCP);
  m_deviceList = m_controls->List(IDC_DEVICE_LIST);
  m_httpPortSpin = m_controls->UpDown(IDC_HTTP_PORT_SPIN);

  ConnectHandlers();
  qApp->installEventFilter(this);
  m_engineStarted = OnInitDialog();
}

CSearchDlg::CSearchDlg(QWidget *parent) : CSearchDlg(SystemAdapters(), parent) {}

CSearchDlg::~CSearchDlg() {
  OnDestroy();
}

void CSearchDlg::ConnectHandlers() {
  connect(m_controls.get(), &DialogControls::buttonClicked, this, [this](int id) {
    switch (id) {
      case IDC_SEARCH:
        OnSearch();
        break;
      case IDC_FACTORY_DEFAULTS:
        OnFactoryDefaults();
        break;
      case IDC_UPDATE:
        OnUpdate();
        break;
      case IDC_SET_DDNS:
        OnSetDdns();
        break;
      case IDC_BROWSE:
        OnBrowse();
        break;
      case IDC_SET_ROUTER:
        OnSetRouter();
        break;
      case IDC_CLOSE:
        OnCloseButton();
        break;
      default:
        break;
    }
  });
  connect(m_controls.get(), &DialogControls::checkBoxClicked, this, [this](int id) {
    if (id == IDC_DHCP) OnDhcpCheck();
  });
  connect(m_controls.get(), &DialogControls::listClicked, this, [this](int id, int row) {
    if (id == IDC_DEVICE_LIST) OnDeviceListClick(row);
  });
  connect(m_controls.get(), &DialogControls::listKeyMoved, this, [this](int id, int row) {
    if (id == IDC_DEVICE_LIST) OnDeviceListItemChanged(row);
  });
  connect(m_controls.get(), &DialogControls::comboSelChanged, this, [this](int id) {
    if (id == IDC_ADAPTER) OnAdapterSelChange();
  });
  connect(m_controls.get(), &DialogControls::upDownDelta, this, [this](int id, int delta) {
    if (id == IDC_HTTP_PORT_SPIN) OnHttpPortSpin(delta);
  });
  connect(m_timers, &vf::ui::DialogTimers::timeout, this, [this](int id) { OnTimer(id); });
}

bool CSearchDlg::OnInitDialog() {
  const QString aboutText = LoadString(IDS_ABOUTBOX);
  m_systemMenu = new vf::ui::SystemMenu(this);
  if (!aboutText.isEmpty()) {
    m_systemMenu->AppendSeparator();
    m_systemMenu->AppendItem(IDM_ABOUTBOX, aboutText);
  }
  connect(m_systemMenu, &vf::ui::SystemMenu::commandChosen, this,
          [this](int id) { OnSysCommand(static_cast<unsigned>(id)); });

  setWindowIcon(m_hIcon);
  setWindowTitle(g_windowTitle);

  InitControls();

  if (StartEngine() >= 0) return true;
  vf::ui::ShowMessageBox(this, LoadString(IDS_INIT_FAILED), LoadString(IDS_TIPS),
                         vf::ui::MB_ICONINFORMATION | vf::ui::MB_OK);
  return false;
}

void CSearchDlg::InitControls() {
  m_deviceSelected = 0;
  m_httpPortPending = 0;

  if (QWidget *port = m_controls->Control(IDC_HTTP_PORT)) {
    m_controls->SetText(IDC_HTTP_PORT, QString::number(kDefaultHttpPort));
    if (m_httpPortSpin) m_httpPortSpin->SetBuddy(port);
  }
  if (m_httpPortSpin) {
    m_httpPortSpin->SetPos(1);
    m_httpPortSpin->SetRange(1, kPortMax);
  }

  if (m_deviceList) {
    m_deviceList->InsertColumn(0, QStringLiteral(VF_TEXT("No.")), 40);
    m_deviceList->InsertColumn(1, QStringLiteral(VF_TEXT("DeviceName")), 80);
    m_deviceList->InsertColumn(2, QStringLiteral(VF_TEXT("MAC")), 115);
    m_deviceList->SetFullRowSelect(true);
    // Typing a name's first letters finds the camera.
    m_deviceList->SetFindColumn(1);
  }

  FillAdapterPanel();

  EnableDevicePanel(m_deviceSelected);

  if (m_restartProgress) m_restartProgress->hide();
  if (m_restartText) m_restartText->hide();
}

int CSearchDlg::StartEngine() {
  const vf::core::SessionStart start = vf::core::StartSession(
      m_adapterSource, &CSearchDlg::OnDeviceFound, &CSearchDlg::OnCommandReply, this);
  // A session that started but could not be set up stays until shutdown.
  m_session = start.session;
  for (const std::string &address : start.localAddresses) {
    m_localAddresses.append(QString::fromLatin1(address.c_str()));
  }
  return start.ready ? 1 : -1;
}

void CSearchDlg::RefreshLocalAddresses() {
  // Without an engine there is no session to replace; a command awaiting its
  // answer would lose it with the session.
  if (m_session == nullptr || m_replacingSession || CommandPending()) return;
  char table[vf::core::kLocalAddressSlots][vf::core::kLocalAddressSize] = {};
  const int count = vf::core::CollectLocalAddresses(m_adapterSource, table);
  QStringList addresses;
  for (int i = 0; i < count; ++i) addresses.append(QString::fromLatin1(table[i]));
  if (addresses == m_localAddresses) return;

  FillAdapterPanel();
  // A session reads the addresses once, at its first search: a new one is
  // needed. The old one's worker may be waiting for this thread with a late
  // answer's message box, so its calls are served while it closes.
  m_replacingSession = true;
  SearchSession *old = std::exchange(m_session, nullptr);
  Thread().RunServingCalls([old] { DevSearch_Destroy(old); });
  m_unansweredCommands = 0;
  m_localAddresses.clear();
  m_engineStarted = StartEngine() >= 0;
  m_replacingSession = false;
  if (!m_engineStarted) {
    vf::ui::ShowMessageBox(this, LoadString(IDS_INIT_FAILED), LoadString(IDS_TIPS),
                           vf::ui::MB_ICONINFORMATION | vf::ui::MB_OK);
  }
}

int CSearchDlg::StopEngine() {
  if (m_session == nullptr) return -1;
  const int rc = DevSearch_Destroy(m_session);
  m_session = nullptr;
  return rc;
}

void CSearchDlg::OnDestroy() {
  if (m_destroyed) return;
  m_destroyed = true;
  qApp->removeEventFilter(this);
  // A callback waiting for this thread gives up now, so the engine's threads
  // can be joined without waiting for us.
  m_windowThread->BeginClosing();
  m_timers->KillTimer(TIMER_COLLECT);
  m_timers->KillTimer(TIMER_RESTART);
  StopEngine();
  // The list reads the records it shows from the store.
  if (m_deviceList) m_deviceList->DeleteAllItems();
  FreeDevices();
  m_adapterList.clear();
}

void CSearchDlg::OnSysCommand(unsigned id) {
  if ((id & 0xFFF0u) == static_cast<unsigned>(IDM_ABOUTBOX)) {
    RunAboutBox();
    return;
  }
  vf::ui::SystemMenu::RunDefaultCommand(this, static_cast<int>(id));
}

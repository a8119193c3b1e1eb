// The main window: finds the cameras on the LAN, lists them and shows the
// settings of the one chosen. Every handler runs on the window's thread except
// the engine's callbacks, which run on the engine's worker thread and reach the
// window only through the device store.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "core/adapter_panel.h"
#include "core/device_store.h"
#include "core/protocol.h"
#include "devsearch.h"
#include "platform/adapters.h"

namespace vf::ui {
class DialogControls;
class DialogTimers;
class DropDownList;
class ReportList;
class StepProgressBar;
class SystemMenu;
class UpDownControl;
class WindowThread;
}  // namespace vf::ui
namespace vf::platform {
class UrlOpener;
}

class CSearchDlg final : public QDialog {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(CSearchDlg)

 public:
  static constexpr int TIMER_RESTART = 51;
  static constexpr int TIMER_COLLECT = 52;
  static constexpr int kCollectPeriodMs = static_cast<int>(vf::core::kCollectPeriod.count());
  static constexpr int kRestartPeriodMs = 1000;
  // One tick a second for the whole restart wait.
  static constexpr int kRestartTickCount = static_cast<int>(vf::core::kRestartWait.count());

  // Builds the window from its template and opens it: the controls are set
  // up and the engine is started. `adapters` must outlive the window.
  explicit CSearchDlg(vf::platform::AdapterSource &adapters, QWidget *parent = nullptr);
  // Reads the PC's adapters from the system.
  explicit CSearchDlg(QWidget *parent = nullptr);
  ~CSearchDlg() override;

  // --- Start-up and shutdown ---------------------------------------------
  // True when the engine started; false after "Failed to initialize.".
  bool OnInitDialog();
  void InitControls();
  // 1 on success, -1 on failure.
  int StartEngine();
  // -1 when no engine runs, else the engine's result of closing it.
  int StopEngine();
  // Stops the engine, then frees the devices and the adapter list. Runs once.
  void OnDestroy();
  void OnSysCommand(unsigned id);
  // Reads the PC's adapters again and, when its addresses are no longer
  // those the engine was started with, shows them and starts the engine
  // over on them. Not while a command awaits its answer.
  void RefreshLocalAddresses();

  // --- Local adapter panel -----------------------------------------------
  void FillAdapterPanel();
  void OnAdapterSelChange();

  // --- Device list and search cycle --------------------------------------
  void OnSearch();
  // The engine's search callback; `user` is the window. Runs on the worker.
  static int OnDeviceFound(SearchSession *session, const char *status, const void *data,
                           void *user);
  // The engine's command callback; the answers belong to the Update command.
  static int OnCommandReply(SearchSession *session, const char *status, const void *data,
                            void *user);
  void OnTimer(int id);
  // The collection tick's view of the store: the count and one row per
  // device recorded until now, in store order.
  void ShowDeviceRows();
  void ClearDevicePanel();
  void FreeDevices();

  // --- Device detail panel -----------------------------------------------
  void OnDeviceListClick(int row);
  // A key moved the list's selection to `row`: the panel follows it.
  void OnDeviceListItemChanged(int row);
  void ShowDeviceDetails(int index);
  void EnableControl(int id, bool enable);
  void EnableDevicePanel(int state);
  bool IsControlEnabled(int id) const;
  void OnDhcpCheck();
  void OnHttpPortSpin(int delta);
  void OnFactoryDefaults();

  // --- Applying network settings -----------------------------------------
  void OnUpdate();
  // False after the message of the first check that failed.
  bool ValidateNetworkInput();
  bool IsLocalAddress() const;
  // -1 no engine; 0 nothing sent (no address or mask); 1 sent.
  short SendNetworkSettings(DeviceRecord &copy);
  // Sends the port of the Update whose settings were accepted to the device
  // they went to, through the session that brought the answer, then starts
  // the restart display. Worker thread. -1 nothing sent; 1 sent.
  short SendHttpPort(SearchSession *session);
  // Hands a command to the engine and, when it takes it, counts it as
  // awaiting its answer. The engine's result. Any thread.
  int SendCommand(SearchSession *session, const CommandTarget &target, int kind,
                  const void *params);
  // Whether a command handed to the engine a short while ago has had no
  // answer yet.
  bool CommandPending() const;
  // Shows the restart display and locks the panel; runs on the window thread.
  int OnDeviceRestarting();

  // --- DDNS settings -----------------------------------------------------
  void OnSetDdns();

  // --- Keyboard, browse, router and close --------------------------------
  // Sees every key of the window before its target does; true consumes it.
  bool PreTranslateMessage(QObject *receiver, QEvent *event);
  // False, after telling the user, while a device restarts.
  bool CanClose();
  void OnCloseButton();
  // The window's close request; true when the window may close.
  bool OnClose();
  void OnBrowse();
  void OnSetRouter();
  // Where Browse and the router command open their pages; null restores the
  // system's browser. The opener must outlive the window.
  void SetUrlOpener(vf::platform::UrlOpener *opener);
  // The dialog's cancel, which only a close request reaches: refused while
  // a device restarts.
  void reject() override;

  // --- For the other operations of the window and for tests ---------------
  vf::ui::DialogControls &Controls() const { return *m_controls; }
  vf::ui::DialogTimers &Timers() const { return *m_timers; }
  vf::ui::SystemMenu *SysMenu() const { return m_systemMenu; }
  vf::ui::WindowThread &Thread() const { return *m_windowThread; }
  SearchSession *Session() const { return m_session; }
  const vf::core::DeviceStore &Devices() const { return m_devices; }
  const QStringList &LocalAddresses() const { return m_localAddresses; }
  int DeviceSelected() const { return m_deviceSelected; }
  bool EngineStarted() const { return m_engineStarted; }
  int HttpPortPending() const { return m_httpPortPending.load(); }
  short LastCommand() const { return m_lastCommand.load(); }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

 private:
  // What the port command of an Update needs, kept from the moment the
  // Update was sent: the record its settings went to and the texts typed.
  struct PortCommand {
    DeviceRecord device{};
    std::string port;
    std::string account;
    std::string password;
  };

  void ConnectHandlers();
  int SelectedRow() const;
  // False, after telling the user, when the device's id or MAC is not of the
  // form a command may carry.
  bool MayCommand(const DeviceRecord &device);
  bool CopySelectedForBrowsing(DeviceRecord &device);
  vf::platform::UrlOpener &Opener() const;
  // Opens `url` (built from checked values only) or says why it cannot.
  void OpenPage(const std::string &url);

  vf::platform::AdapterSource &m_adapterSource;
  std::unique_ptr<vf::ui::DialogControls> m_controls;
  vf::ui::DialogTimers *m_timers = nullptr;        // Child of the window.
  vf::ui::WindowThread *m_windowThread = nullptr;  // Child of the window.
  vf::ui::SystemMenu *m_systemMenu = nullptr;      // Child of the window.

  vf::ui::StepProgressBar *m_restartProgress = nullptr;  // 1007
  QWidget *m_restartText = nullptr;                      // 1008
  vf::ui::DropDownList *m_adapterCombo = nullptr;        // 1034
  QWidget *m_dhcpCheck = nullptr;                        // 1019
  vf::ui::ReportList *m_deviceList = nullptr;            // 1006
  vf::ui::UpDownControl *m_httpPortSpin = nullptr;       // 1027
  QIcon m_hIcon;
  // The adapter list the panel shows, and each adapter's DNS servers by its
  // first address.
  std::vector<vf::core::AdapterEntry> m_adapterList;
  vf::core::AdapterDnsMap m_adapterDns;
  int m_deviceSelected = 0;
  int m_restartTicks = 0;
  // Written by the window thread before it sends, read by the worker.
  std::atomic<int> m_httpPortPending{0};
  QStringList m_localAddresses;
  std::atomic<short> m_lastCommand{0};
  // Commands handed to the engine whose answers have not come, and when the
  // last one went (steady clock, ms). Any thread.
  std::atomic<int> m_unansweredCommands{0};
  std::atomic<std::int64_t> m_lastCommandSentMs{0};
  bool m_replacingSession = false;
  std::mutex m_portCommandMutex;
  PortCommand m_portCommand;  // Guarded by m_portCommandMutex.
  vf::platform::UrlOpener *m_urlOpener = nullptr;
  SearchSession *m_session = nullptr;
  // One lock over the seen MACs and the record copies.
  vf::core::DeviceStore m_devices;

  bool m_engineStarted = false;
  bool m_destroyed = false;
};

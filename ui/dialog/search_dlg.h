// The main window: finds the cameras on the LAN, lists them and shows the
// settings of the one chosen. Every handler runs on the window's thread except
// the engine's callbacks, which run on the engine's worker thread and reach the
// window only through the device store and the window's thread calls.
//
// The window is a dialog of the toolkit-neutral window layer (dialog_window.h),
// built from template 102; its notifications reach the handlers below through
// the message map. Nothing here names a toolkit.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/adapter_panel.h"
#include "core/device_columns.h"
#include "core/device_store.h"
#include "core/lan_session.h"
#include "core/network_change.h"
#include "core/protocol.h"
#include "core/receive_losses.h"
#include "core/search_history.h"
#include "devsearch.h"
#include "platform/adapters.h"
#include "ui/dialog/assign_dlg.h"
#include "ui/window/controls.h"
#include "ui/window/dialog_window.h"
#include "ui/window/list_view.h"

namespace vf::platform {
class UrlOpener;
}

class CSearchDlg final {
 public:
  static constexpr int TIMER_RESTART = 51;
  static constexpr int TIMER_COLLECT = 52;
  static constexpr int kCollectPeriodMs = static_cast<int>(vf::core::kCollectPeriod.count());
  static constexpr int kRestartPeriodMs = 1000;
  // One tick a second for the whole restart wait.
  static constexpr int kRestartTickCount = static_cast<int>(vf::core::kRestartWait.count());
  // WM_DEVICE_RESTARTING, posted when the port command has gone out: WM_USER + 1.
  static constexpr unsigned WM_DEVICE_RESTARTING_OFFSET = 1;

  // m_lastCommand: the kind of the last command started from the window.
  static constexpr short kNoCommand = 0;
  static constexpr short kNetworkCommand = 1;
  static constexpr short kDdnsCommand = 2;
  // m_deviceSelected, and the state EnableDevicePanel sets: the detail panel locked, or open
  // for editing the chosen device.
  static constexpr int kPanelLocked = 0;
  static constexpr int kPanelOpen = 1;
  // SendNetworkSettings' results.
  static constexpr short kNoEngine = -1;
  static constexpr short kNothingSent = 0;
  static constexpr short kSent = 1;

  // The window of template 102, not yet made: Create or DoModal makes it.
  // `adapters` must outlive the window.
  explicit CSearchDlg(vf::platform::AdapterSource &adapters);
  // Reads the PC's adapters from the system.
  CSearchDlg();
  ~CSearchDlg();
  CSearchDlg(const CSearchDlg &) = delete;
  CSearchDlg &operator=(const CSearchDlg &) = delete;

  // Makes the window, hidden and not modal, and starts it up (OnInitDialog).
  // False when it exists already or could not be made.
  bool Create();
  // Runs the window modally until it is closed, making it first when needed.
  int DoModal();

  // --- Start-up and shutdown ---------------------------------------------
  // True when the engine started; false after "Failed to initialize.".
  bool OnInitDialog();
  // Binds the controls the window's code reaches most to their members.
  void DoDataExchange();
  void InitControls();
  // 1 on success, -1 on failure.
  int StartEngine();
  // -1 when no engine runs, else the engine's result of closing it.
  int StopEngine();
  // Stops the engine, then frees the devices and the adapter list. Runs once.
  void OnDestroy();
  // The About box for IDM_ABOUTBOX (any id whose low four bits are cleared
  // to it); false for the window system's own commands.
  bool OnSysCommand(unsigned id);
  // "Assign addresses..." (the system menu's IDM_ASSIGN): the cameras of the list get new
  // settings from one plan; after each batch that sent anything the window searches again
  // (after the restart wait when a camera took a new http port).
  void OnAssignAddresses();
  // Reads the PC's adapters again and, when its addresses are no longer
  // those the engine was started with, shows them and starts the engine
  // over on them. Not while a command awaits its answer.
  void RefreshLocalAddresses();

  // --- Local adapter panel -----------------------------------------------
  void FillAdapterPanel();
  void OnAdapterSelChange();

  // --- Device list and search cycle --------------------------------------
  // The engine session records the devices that answer into m_devices on
  // its worker thread; the collection tick shows them.
  void OnSearch();
  void OnTimer(int id);
  // The collection tick's view of the store: the count and one row per
  // device recorded until now, in store order, each marked with its concerns
  // and in bold when it is new since the search before; and whether the
  // kernel dropped answers meanwhile.
  void ShowDeviceRows();
  void ClearDevicePanel();
  void FreeDevices();
  // Sorts the list by `column` (a second click on it reverses), keeping the
  // highlighted device highlighted.
  void OnDeviceListHeaderClick(int column);
  // The devices the list shows, in its order.
  std::vector<DeviceRecord> ListedDevices() const;

  // --- The list's context menu, copying and export ------------------------
  // The menu over `row` (-1 beside the rows), which a right-click has
  // highlighted as a left click does.
  void OnDeviceListContextMenu(int row);
  // The highlighted device's row (every column, tab-separated, a line
  // break at the end), address or MAC, to the clipboard.
  void OnCopyRow();
  void OnCopyAddress();
  void OnCopyMac();
  // Writes the list to a CSV or JSON file the user chooses.
  void OnExportList();

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
  // Checks the panel's settings for `device` and plans the change into
  // `change`. False after the message of the first check that failed.
  bool ValidateNetworkInput(const DeviceRecord &device, vf::core::NetworkChange &change);
  // Starts the Update sequence with the panel's account. kNoEngine or
  // kNothingSent after telling why; kSent when an answer will be told.
  short SendNetworkSettings(const DeviceRecord &device, const vf::core::NetworkChange &change);
  // Whether a command awaits its answer.
  bool CommandPending() const;
  // How a command from this window ended, told on the window thread:
  // `portStep` when the outcome is the port command's, after the settings
  // were taken.
  void OnCommandReply(vf::core::Outcome outcome, bool portStep);
  // Shows the restart display and locks the panel; runs on the window thread.
  int OnDeviceRestarting();

  // --- DDNS settings -----------------------------------------------------
  void OnSetDdns();

  // --- Keyboard, browse, router and close --------------------------------
  // Sees every key of the window before the control with the focus
  // (`controlId`) does, with the modifier keys held; true consumes it.
  bool PreTranslateMessage(int controlId, int virtualKey, unsigned modifiers = 0);
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

 private:
  // The window tests read its state (tests/ui/dialog/dialog_probe.h).
  friend class CSearchDlgProbe;

  // The window's notifications, each to its handler.
  class MessageMap final : public vf::ui::DialogHandler {
   public:
    explicit MessageMap(CSearchDlg &dialog) : m_dialog(dialog) {}
    void OnInitDialog() override;
    void OnCommand(int id) override;
    void OnListClick(int id, int row) override;
    void OnListKeyMoved(int id, int row) override;
    void OnListHeaderClick(int id, int column) override;
    void OnListContextMenu(int id, int row) override;
    void OnComboSelChange(int id) override;
    void OnUpDownDelta(int id, int delta) override;
    void OnTimer(int id) override;
    bool OnKeyDown(int controlId, int virtualKey, unsigned modifiers) override;
    bool OnCloseRequest() override;
    bool OnSysCommand(unsigned id) override;
    void OnUserMessage(unsigned offset) override;
    void OnDestroy() override;

   private:
    CSearchDlg &m_dialog;
  };

  // The store index of the device in list row `row`; -1 for a row the list
  // does not show. The list's order is the store's until a sort.
  int StoreIndexOf(int row) const;
  // The list row of the device at store index `index`; -1 for none.
  int RowOf(int index) const;
  // The store index of the selected device: the one of the selection mark's
  // row; -1 for none.
  int SelectedDevice() const;
  // Gives the list its rows, in the order of m_viewOrder.
  void ShowListRows();
  vf::ui::RowLook LookOf(int row) const;
  // The concerns of the device at `index` in the panel, "" for none.
  void ShowConcerns(int index);
  void ShowReceiveLosses(const vf::core::ReceiveLosses &losses);
  void CopyToClipboard(const std::string &text);
  void CopyColumn(vf::core::DeviceColumn column);
  // What "Assign addresses..." starts from; std::nullopt, after telling the user why, while the
  // list cannot be planned from.
  std::optional<CAssignDlg::Setup> AssignSetup();
  // After a batch of the dialog: a search shows where the cameras went.
  void AfterAssign(const CAssignDlg::Sent &sent);

  // False, after telling the user, when the device's id or MAC is not of the
  // form a command may carry.
  bool MayCommand(const DeviceRecord &device);
  bool CopySelectedForBrowsing(DeviceRecord &device);
  vf::platform::UrlOpener &Opener() const;
  // Opens `url` (built from checked values only) or says why it cannot.
  void OpenPage(const std::string &url);
  // A message box owned by the window.
  int Tell(std::string_view text, unsigned type);
  // Tells the outcome of a command on the window thread, from whichever
  // thread learns it; dropped once the window closes.
  void TellOutcomeLater(vf::core::Outcome outcome, bool portStep);

  vf::platform::AdapterSource &m_adapterSource;
  MessageMap m_messageMap{*this};
  std::unique_ptr<vf::ui::DialogWindow> m_window;

  // The controls the window's code reaches most, bound by DoDataExchange
  // (every other control is reached by its id).
  vf::ui::ProgressBar *m_restartProgress = nullptr;  // 1007
  vf::ui::Control *m_restartText = nullptr;          // 1008
  vf::ui::ComboBox *m_adapterCombo = nullptr;        // 1034
  vf::ui::CheckBox *m_dhcpCheck = nullptr;           // 1019
  vf::ui::ListView *m_deviceList = nullptr;          // 1006
  vf::ui::UpDown *m_httpPortSpin = nullptr;          // 1027
  int m_hIcon;
  // The adapter list the panel shows, and each adapter's DNS servers by its
  // first address.
  std::vector<vf::core::AdapterEntry> m_adapterList;
  vf::core::AdapterDnsMap m_adapterDns;
  int m_deviceSelected = kPanelLocked;
  int m_restartTicks = 0;
  // 1 from an Update whose port changed until its port command goes out (or
  // the Update ends without it): the engine session sends it when the device
  // takes the settings. Written by the window thread, cleared by the worker.
  std::atomic<int> m_httpPortPending{0};
  // Every address of this PC, as the engine session last read them.
  std::vector<std::string> m_localAddresses;
  std::atomic<short> m_lastCommand{kNoCommand};
  vf::platform::UrlOpener *m_urlOpener = nullptr;
  // One lock over the seen MACs and the record copies.
  vf::core::DeviceStore m_devices;
  // Records into m_devices; made after it and closed before the window.
  std::unique_ptr<vf::core::LanSession> m_session;

  // The list as the collection tick showed it: its row count, the store
  // index of each row once sorted (empty: store order), the column sorted
  // by (-1: none), and by store index each device's concerns and whether it
  // is new since the search before.
  int m_shownCount = 0;
  std::vector<int> m_viewOrder;
  int m_sortColumn = -1;
  bool m_sortDescending = false;
  std::vector<std::uint8_t> m_concerns;
  std::vector<bool> m_newSinceLast;
  vf::core::SearchHistory m_history;
  // What the kernel dropped while a search collected.
  vf::core::LossMeter m_lossMeter;

  bool m_engineStarted = false;
  bool m_destroyed = false;
};

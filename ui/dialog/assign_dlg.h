// "Assign addresses": new network settings for many cameras of the main window's list at once.
// The cameras are listed in the list's order, each with a check box; the plan (consecutive
// addresses from a first one, DHCP for all, or the rows of an imported apply file) comes from the
// core, as vellafind-cli's assign and apply make it, and is shown before anything is sent. Apply
// sends one camera after the other through the engine session, each answer in the row's result
// column, until the last or a Cancel.
//
// Every handler runs on the dialog's thread; the session tells each outcome on an engine thread,
// from where it is posted here, and the next camera is started from here.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/batch_plan.h"
#include "core/device_store.h"
#include "core/lan_session.h"
#include "core/outcome.h"
#include "devsearch.h"
#include "platform/adapters.h"
#include "ui/window/controls.h"
#include "ui/window/dialog_window.h"
#include "ui/window/list_view.h"

// What a batch of the "Assign addresses" dialog did, or all its batches together.
struct CAssignDlgSent {
  bool any = false;         // a command went out: the cameras may have changed
  bool restarting = false;  // a camera took a new http port and restarts
};

class CAssignDlg final {
 public:
  // What the dialog works on. Everything referred to must outlive it.
  struct Setup {
    const vf::ui::DialogWindow *owner = nullptr;  // the main window, which waits while it runs
    vf::core::LanSession &session;
    // The search the cameras come from: what else answered, and who claimed what.
    const vf::core::DeviceStore &devices;
    vf::platform::AdapterSource &adapters;
    std::vector<DeviceRecord> cameras;  // in the list's order
    std::string firstAddress;           // proposed; "" for none
    std::string account;
    std::string password;
    // Called on the dialog's thread at the end of each batch that sent anything, with what that
    // batch did: the main window searches again (after the restart wait when a camera took a
    // new http port) while the dialog still shows the results.
    std::function<void(const CAssignDlgSent &)> afterBatch;
  };

  using Sent = CAssignDlgSent;

  // Result columns, for the tests as for the code.
  enum Column { kNumber, kName, kMac, kAddress, kNewAddress, kResult };

  explicit CAssignDlg(Setup setup);
  ~CAssignDlg();
  CAssignDlg(const CAssignDlg &) = delete;
  CAssignDlg &operator=(const CAssignDlg &) = delete;

  // Makes the window, hidden and not modal; false when it exists already.
  bool Create();
  // Runs the dialog until it is closed.
  int DoModal();
  // What every batch of this dialog did together.
  const Sent &BatchesSent() const { return m_sent; }

  // --- Handlers ----------------------------------------------------------
  void OnInitDialog();
  // Plans anew from the checked cameras and the plan's fields.
  void OnMakePlan();
  void OnDhcpCheck();
  void OnListCheck(int row);
  // Reads an apply file into the plan, in place of the cameras.
  void OnImport();
  void OnExport();
  // Asks once, then sends each checked camera of the plan its settings.
  void OnApply();
  // Sends no further camera; the one under way is still told.
  void OnCancelBatch();
  // True when the dialog may close now; during a batch it cancels and closes once the camera
  // under way has answered.
  bool OnCloseRequest();
  void OnCloseButton();

 private:
  // The tests read its window (tests/ui/dialog/assign_probe.h).
  friend class CAssignDlgProbe;

  class MessageMap final : public vf::ui::DialogHandler {
   public:
    explicit MessageMap(CAssignDlg &dialog) : m_dialog(dialog) {}
    void OnInitDialog() override;
    void OnCommand(int id) override;
    void OnListCheckChanged(int id, int row) override;
    bool OnCloseRequest() override;

   private:
    CAssignDlg &m_dialog;
  };

  // One row of the list: a camera of the main window's list, or a row of an imported file.
  struct Row {
    std::string number;  // "No.": its place in the main list, or its record in the file
    vf::core::BatchRow plan;
    bool planned = false;  // the plan covers it (a camera left unchecked is left out)
    bool accepted = false;  // a batch sent it its settings and it took them
    std::string result;     // how a batch ended for it; "" before
  };

  // --- Plan (assign_dlg_plan.cpp) --------------------------------------------
  void ShowCameraRows();
  void ShowImportedRows();
  // Shows the cells of `index` that the plan and the batches change.
  void ShowRow(std::size_t index);
  std::string NewAddressText(const Row &row) const;
  std::string ResultText(std::size_t index) const;
  // The address plan from the fields, or DHCP for all: the rows' plans and the status line.
  void MakePlan();
  std::optional<vf::core::BatchPlan> PlanFromFields(std::string &problem);
  void TakePlan(const vf::core::BatchPlan &plan);
  void ForgetPlan();
  // The rows the next Apply sends, in order.
  std::vector<std::size_t> RowsToSend() const;
  void ShowPlanStatus();

  // --- Batch (assign_dlg_apply.cpp) --------------------------------------------
  // Starts the next camera of the batch, or ends the batch.
  void SendNext();
  void OnCameraDone(std::size_t index, const vf::core::UpdateResult &result);
  void EndBatch();

  // --- Window ------------------------------------------------------------------
  // Enables what the state allows: planning until a batch has sent anything, nothing but Cancel
  // during a batch.
  void EnableControls();
  void SetStatus(const std::string &text);
  int Tell(const std::string &text, unsigned type);

  Setup m_setup;
  Sent m_sent;
  Sent m_batchSent;  // what the batch under way has done
  MessageMap m_messageMap{*this};
  std::unique_ptr<vf::ui::DialogWindow> m_window;
  vf::ui::ListView *m_list = nullptr;
  vf::ui::CheckBox *m_dhcpCheck = nullptr;
  vf::ui::ProgressBar *m_progress = nullptr;

  std::vector<Row> m_rows;
  bool m_imported = false;  // the rows are an imported file's, not the cameras
  // The mask and gateway the dialog put in their fields as the adapter's defaults: still
  // defaults, and found anew for another first address, until the user types others.
  std::string m_defaultMask;
  std::string m_defaultGateway;

  // The batch under way.
  bool m_applying = false;
  bool m_cancelling = false;
  bool m_closeWhenDone = false;
  std::vector<std::size_t> m_batch;  // the rows it sends, in order
  std::size_t m_next = 0;            // the next of them to send
  std::string m_user;
  std::string m_password;
};

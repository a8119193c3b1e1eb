// The dialog on Qt Widgets: a QDialog built from the template, its controls
// reached by id (DialogControls), the keys of the whole application seen
// before their widgets get them, and the notifications passed to the handler.
#pragma once

#include <QDialog>
#include <memory>

#include "ui/window/dialog_window.h"

namespace vf::ui {

class DialogControls;
class DialogTimers;
class DropDownList;
class ReportList;
class StepProgressBar;
class SystemMenu;
class UpDownControl;
class QtDialogWindow;

// The QDialog itself: its close request and cancel go to the handler, and it
// sees every key of the application first.
class HostDialog final : public QDialog {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(HostDialog)

 public:
  explicit HostDialog(QtDialogWindow &window);
  ~HostDialog() override;

  void reject() override;
  void accept() override {}

 protected:
  void closeEvent(QCloseEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  QtDialogWindow &m_window;
};

class QtDialogWindow final : public DialogWindow {
 public:
  QtDialogWindow(const DialogTemplate &dialogTemplate, DialogHandler &handler);
  ~QtDialogWindow() override;

  bool Create() override;
  int RunModal() override;
  void EndDialog(int result) override;
  bool Ended() const override { return m_ended; }
  bool IsCreated() const override { return m_dialog != nullptr; }
  void SetTitle(std::string_view title) override;
  std::string Title() const override;
  void SetIcon(int iconId) override;
  bool AppendSystemMenuSeparator() override;
  bool AppendSystemMenuItem(int commandId, std::string_view text) override;

  bool HasControl(int id) const override;
  bool SetText(int id, std::string_view text) override;
  std::string Text(int id) const override;
  bool Enable(int id, bool enable) override;
  bool IsEnabled(int id) const override;
  bool Show(int id, bool show) override;
  bool IsVisible(int id) const override;
  std::string ClassName(int id) const override;
  bool SetReadOnly(int id, bool readOnly) override;
  bool IsReadOnly(int id) const override;
  bool IsAddressPartlyBlank(int id) const override;
  int GetCheck(int id) const override;
  bool SetCheck(int id, int state) override;

  int InsertColumn(int id, int index, std::string_view heading, int widthPx) override;
  int ColumnCount(int id) const override;
  std::string ColumnHeading(int id, int column) const override;
  int ColumnWidth(int id, int column) const override;
  bool SetFullRowSelect(int id, bool fullRow) override;
  bool IsFullRowSelect(int id) const override;
  bool SetFindColumn(int id, int column) override;
  bool DeleteAllItems(int id) override;
  int InsertItem(int id, int row, std::string_view text) override;
  bool SetItemText(int id, int row, int column, std::string_view text) override;
  std::string ItemText(int id, int row, int column) const override;
  bool SetSuppliedItems(int id, int count, CellText text) override;
  int ItemCount(int id) const override;
  int SelectionMark(int id) const override;
  int SetSelectionMark(int id, int row) override;

  bool ResetContent(int id) override;
  int AddString(int id, std::string_view text) override;
  int ComboCount(int id) const override;
  std::string ComboText(int id, int index) const override;
  bool SetItemData(int id, int index, std::uintptr_t value) override;
  std::uintptr_t ItemData(int id, int index) const override;
  int SelectString(int id, int after, std::string_view prefix) override;
  int CurSel(int id) const override;
  bool SetCurSel(int id, int index) override;

  int SetBuddy(int id, int buddyId) override;
  int Buddy(int id) const override;
  bool SetRange(int id, int lower, int upper) override;
  std::pair<int, int> Range(int id) const override;
  int SetPos(int id, int pos) override;
  int Pos(int id) const override;

  bool SetProgressRange(int id, int lower, int upper) override;
  std::pair<int, int> ProgressRange(int id) const override;
  int SetProgressPos(int id, int pos) override;
  int ProgressPos(int id) const override;
  bool SetProgressStep(int id, int step) override;
  int StepIt(int id) override;

  bool StartTimer(int id, int periodMs) override;
  bool KillTimer(int id) override;
  bool IsTimerActive(int id) const override;
  WindowThread &Thread() const override { return *m_thread; }
  bool PostUserMessage(unsigned offset) override;
  void *NativeHandle() const override { return m_dialog.get(); }

 private:
  friend class HostDialog;

  void ConnectControls();
  // The dialog's close request: ends it when the handler agrees.
  void RequestClose();
  // The key hook: true consumes the key.
  bool PreTranslateKey(QObject *receiver, QEvent *event);
  // Shutdown, once: the handler's OnDestroy, then no more calls from threads.
  void Destroy();
  // Control `id` of that kind; null for another kind and before Create.
  ReportList *List(int id) const;
  DropDownList *Combo(int id) const;
  UpDownControl *UpDown(int id) const;
  StepProgressBar *Progress(int id) const;

  const DialogTemplate &m_template;
  DialogHandler &m_handler;
  std::unique_ptr<HostDialog> m_dialog;
  std::unique_ptr<DialogControls> m_controls;
  DialogTimers *m_timers = nullptr;    // Child of the dialog.
  SystemMenu *m_systemMenu = nullptr;  // Child of the dialog.
  QObject *m_wakeReceiver = nullptr;   // Child of the dialog.
  std::unique_ptr<WindowThread> m_thread;
  bool m_ended = false;
  bool m_destroyed = false;
};

}  // namespace vf::ui

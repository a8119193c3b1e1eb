// The dialog on Qt Widgets: a QDialog built from the template, its controls
// (QtControlSet), the keys of the whole application seen before their
// widgets get them, and the dialog's own notifications passed to the handler.
#pragma once

#include <QDialog>
#include <memory>

#include "ui/window/dialog_window.h"

namespace vf::ui {

class DialogTimers;
class QtControlSet;
class SystemMenu;
class QtDialogWindow;

// The QDialog itself: its close request and cancel go to the handler, and it
// sees every key of the application first.
class HostDialog final : public QDialog {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(HostDialog)

 public:
  // A window of its own, or one over `owner`.
  HostDialog(QtDialogWindow &window, QWidget *owner);
  ~HostDialog() override;

  void reject() override;
  void accept() override {}

  // The size the controls are placed for; a resize moves them from there.
  void SetLaidOutSize(QSize size) { m_laidOut = size; }

 protected:
  void closeEvent(QCloseEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

 private:
  QtDialogWindow &m_window;
  QSize m_laidOut;
};

class QtDialogWindow final : public DialogWindow {
 public:
  QtDialogWindow(const DialogTemplate &dialogTemplate, DialogHandler &handler,
                 const DialogWindow *owner);
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

  bool StartTimer(int id, int periodMs) override;
  bool KillTimer(int id) override;
  bool IsTimerActive(int id) const override;
  WindowThread &Thread() const override { return *m_thread; }
  bool PostUserMessage(unsigned offset) override;
  void *NativeHandle() const override { return m_dialog.get(); }

 protected:
  Control *FindControl(int id) const override;

 private:
  friend class HostDialog;

  // The timers and the system menu to the handler.
  void ConnectDialog();
  // The dialog's close request: ends it when the handler agrees.
  void RequestClose();
  // The key hook: true consumes the key.
  bool PreTranslateKey(QObject *receiver, QEvent *event);
  // Shutdown, once: the handler's OnDestroy, then no more calls from threads.
  void Destroy();

  const DialogTemplate &m_template;
  DialogHandler &m_handler;
  const DialogWindow *m_owner;
  std::unique_ptr<HostDialog> m_dialog;
  std::unique_ptr<QtControlSet> m_controls;
  DialogTimers *m_timers = nullptr;    // Child of the dialog.
  SystemMenu *m_systemMenu = nullptr;  // Child of the dialog.
  QObject *m_wakeReceiver = nullptr;   // Child of the dialog.
  std::unique_ptr<WindowThread> m_thread;
  bool m_ended = false;
  bool m_destroyed = false;
};

}  // namespace vf::ui

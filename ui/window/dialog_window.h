// A dialog of the window system, built from a template, with nothing of any
// toolkit in its interface: texts are UTF-8, its controls are objects of a
// handful of kinds found by id (control.h), notifications arrive at a
// DialogHandler. One backend per toolkit implements it (window/qt,
// window/win32); a program links exactly one, and CreateDialogWindow gives
// that one's dialog.
//
// Every operation runs on the window's thread; the only ways in from other
// threads are Thread() and PostUserMessage().
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "ui/window/command_ids.h"
#include "ui/window/control.h"
#include "ui/window/dialog_template.h"

namespace vf::ui {

class WindowThread;

// What a dialog reports to its owner. Every call comes on the window's
// thread; the defaults do nothing (or let the window system act).
class DialogHandler {
 public:
  virtual ~DialogHandler() = default;

  // The window and its controls exist, not yet shown.
  virtual void OnInitDialog() {}
  // A push button was clicked, or a check box (which has toggled already).
  virtual void OnCommand(int /*id*/) {}
  // A left click in a list view: the row hit, -1 beside the rows.
  virtual void OnListClick(int /*id*/, int /*row*/) {}
  // A key of the list's own moved its selection mark to another row (after
  // the list handled the key).
  virtual void OnListKeyMoved(int /*id*/, int /*row*/) {}
  // A click on the heading of a list's column.
  virtual void OnListHeaderClick(int /*id*/, int /*column*/) {}
  // The user asked for a list's context menu over `row` (-1 beside the rows):
  // with a right-click, which OnListClick has reported as a left click
  // first, or from the keyboard over the marked row. ListView::ShowContextMenu
  // shows one.
  virtual void OnListContextMenu(int /*id*/, int /*row*/) {}
  // The user toggled the check box of a list's row (it has toggled already).
  virtual void OnListCheckChanged(int /*id*/, int /*row*/) {}
  // The user chose another entry of a drop-down list.
  virtual void OnComboSelChange(int /*id*/) {}
  // An up-down control's arrow: +1 or -1 (the control itself changes nothing).
  virtual void OnUpDownDelta(int /*id*/, int /*delta*/) {}
  virtual void OnTimer(int /*id*/) {}
  // Every key pressed in the dialog, before the control with the focus
  // (`controlId`, 0 for none) sees it, with the modifier keys held
  // (vk::kModControl, ...); true consumes the key.
  virtual bool OnKeyDown(int /*controlId*/, int /*virtualKey*/, unsigned /*modifiers*/) {
    return false;
  }
  // The close box, Alt+F4, the system menu's Close or the dialog's cancel;
  // true lets the dialog end with IDCANCEL.
  virtual bool OnCloseRequest() { return true; }
  // A system-menu command (the window system's own ids, or one appended);
  // false leaves it to the window system.
  virtual bool OnSysCommand(unsigned /*id*/) { return false; }
  // A message posted by PostUserMessage: its number above WM_USER.
  virtual void OnUserMessage(unsigned /*offset*/) {}
  // The window is going away; its controls still answer.
  virtual void OnDestroy() {}
};

class DialogWindow {
 public:
  virtual ~DialogWindow() = default;
  DialogWindow(const DialogWindow &) = delete;
  DialogWindow &operator=(const DialogWindow &) = delete;

  // --- The dialog --------------------------------------------------------
  // Makes the window and its controls, hidden and not modal, and runs the
  // handler's OnInitDialog. False when it exists already or could not be made.
  virtual bool Create() = 0;
  // Shows the dialog and runs it modally until EndDialog; makes it first
  // (as Create does) when needed. The result EndDialog was given.
  virtual int RunModal() = 0;
  // Ends the dialog with `result`: RunModal returns it.
  virtual void EndDialog(int result) = 0;
  // Whether EndDialog has ended the dialog.
  virtual bool Ended() const = 0;
  virtual bool IsCreated() const = 0;

  virtual void SetTitle(std::string_view title) = 0;
  virtual std::string Title() const = 0;
  // The icon resource shown as the window's big and small icon.
  virtual void SetIcon(int iconId) = 0;
  // False when the window has no system menu.
  virtual bool AppendSystemMenuSeparator() = 0;
  virtual bool AppendSystemMenuItem(int commandId, std::string_view text) = 0;

  // --- Its controls --------------------------------------------------------
  // Control `id` of the template as a `Kind` (control.h, controls.h,
  // list_view.h); null for an id the template lacks (IDC_STATIC among them),
  // a control of another kind, and before Create.
  template <typename Kind = Control>
  Kind *Find(int id) const {
    return dynamic_cast<Kind *>(FindControl(id));
  }
  // Control `id` for what every control does; for an id the dialog lacks, a
  // control that does nothing (false, empty).
  Control &Item(int id) const;

  // --- Timers, threads -----------------------------------------------------
  // Starting a running id restarts it with the new period. Ticks arrive at
  // OnTimer on the window's thread until the timer is killed.
  virtual bool StartTimer(int id, int periodMs) = 0;
  // False when `id` was not running.
  virtual bool KillTimer(int id) = 0;
  virtual bool IsTimerActive(int id) const = 0;

  // Calls into the window's thread from any other.
  virtual WindowThread &Thread() const = 0;
  // From any thread: posts message WM_USER + `offset`, which arrives at
  // OnUserMessage later on the window's thread. False once the window closes.
  virtual bool PostUserMessage(unsigned offset) = 0;

  // The toolkit's own object (the QDialog, the HWND), for the backend's
  // tests; null before Create.
  virtual void *NativeHandle() const = 0;

 protected:
  DialogWindow() = default;

  // The backend's control `id`; null for none (and before Create).
  virtual Control *FindControl(int id) const = 0;
};

// A dialog of `dialogTemplate` (which must outlive it) reporting to
// `handler` (likewise); nothing is made before Create or RunModal. With an
// `owner` (made already, and outliving this one) the dialog is the owner's:
// shown over it and, while it runs modally, the only one of the two the user
// can reach.
std::unique_ptr<DialogWindow> CreateDialogWindow(const DialogTemplate &dialogTemplate,
                                                 DialogHandler &handler,
                                                 const DialogWindow *owner = nullptr);

}  // namespace vf::ui

// A dialog of the window system, built from a template and reached by control
// id, with nothing of any toolkit in its interface: texts are UTF-8, controls
// are ids, notifications arrive at a DialogHandler. One backend per toolkit
// implements it (window/qt, window/win32); a program links exactly one, and
// CreateDialogWindow gives that one's dialog.
//
// Every operation runs on the window's thread; the only ways in from other
// threads are Thread() and PostUserMessage(). Operations on a control the
// dialog does not have (or of another kind) do nothing and report false,
// -1, 0 or an empty text.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "ui/window/command_ids.h"
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
  // The user chose another entry of a drop-down list.
  virtual void OnComboSelChange(int /*id*/) {}
  // An up-down control's arrow: +1 or -1 (the control itself changes nothing).
  virtual void OnUpDownDelta(int /*id*/, int /*delta*/) {}
  virtual void OnTimer(int /*id*/) {}
  // Every key pressed in the dialog, before the control with the focus
  // (`controlId`, 0 for none) sees it; true consumes the key.
  virtual bool OnKeyDown(int /*controlId*/, int /*virtualKey*/) { return false; }
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
  // The text of a cell of a supplied list row, asked for only while the row
  // is on screen or read (0 <= row < count, 0 <= column < columns).
  using CellText = std::function<std::string(int row, int column)>;

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

  // --- Any control -------------------------------------------------------
  virtual bool HasControl(int id) const = 0;
  // Edits, statics, buttons, group boxes, IP address controls (dotted text),
  // and a drop-down list's current entry (read only).
  virtual bool SetText(int id, std::string_view text) = 0;
  virtual std::string Text(int id) const = 0;
  virtual bool Enable(int id, bool enable) = 0;
  virtual bool IsEnabled(int id) const = 0;
  virtual bool Show(int id, bool show) = 0;
  // Whether the control itself is shown, whether or not the dialog is.
  virtual bool IsVisible(int id) const = 0;
  // The window system's class name ("Edit", "Button", "SysListView32", ...).
  virtual std::string ClassName(int id) const = 0;
  // Edits only. A read-only edit stays enabled: focusable, text selectable.
  virtual bool SetReadOnly(int id, bool readOnly) = 0;
  virtual bool IsReadOnly(int id) const = 0;
  // IP address controls: some of the four fields blank, not all (Text()
  // reads a blank field as 0).
  virtual bool IsAddressPartlyBlank(int id) const = 0;
  // Check boxes: 1 checked, 0 not (also for no check box).
  virtual int GetCheck(int id) const = 0;
  virtual bool SetCheck(int id, int state) = 0;

  // --- List view (report view) -------------------------------------------
  // The new column's index, -1 for an index beyond the columns. The heading
  // is translated; the width is in pixels.
  virtual int InsertColumn(int id, int index, std::string_view heading, int widthPx) = 0;
  virtual int ColumnCount(int id) const = 0;
  virtual std::string ColumnHeading(int id, int column) const = 0;
  virtual int ColumnWidth(int id, int column) const = 0;
  virtual bool SetFullRowSelect(int id, bool fullRow) = 0;
  virtual bool IsFullRowSelect(int id) const = 0;
  // The column that typed letters are matched against; 0 unless set.
  virtual bool SetFindColumn(int id, int column) = 0;
  virtual bool DeleteAllItems(int id) = 0;
  // Inserts before `row` (appends past the end); the row's index, or -1.
  virtual int InsertItem(int id, int row, std::string_view text) = 0;
  virtual bool SetItemText(int id, int row, int column, std::string_view text) = 0;
  virtual std::string ItemText(int id, int row, int column) const = 0;
  // Replaces every row by `count` rows whose texts `text` gives when they are
  // needed; the list keeps `text`, and what it refers to, until the rows go.
  // The selection mark returns to -1.
  virtual bool SetSuppliedItems(int id, int count, CellText text) = 0;
  virtual int ItemCount(int id) const = 0;
  // The row last clicked or moved to; -1 for none. The mark, the highlighted
  // row and the row with the focus are always the same.
  virtual int SelectionMark(int id) const = 0;
  // Marks and highlights `row` (no row for -1 or one beyond the list); the
  // previous mark.
  virtual int SetSelectionMark(int id, int row) = 0;

  // --- Drop-down list ----------------------------------------------------
  virtual bool ResetContent(int id) = 0;
  // The new entry's index, -1 when it could not be added.
  virtual int AddString(int id, std::string_view text) = 0;
  virtual int ComboCount(int id) const = 0;
  virtual std::string ComboText(int id, int index) const = 0;
  virtual bool SetItemData(int id, int index, std::uintptr_t value) = 0;
  // 0 for an entry without data, or no such entry.
  virtual std::uintptr_t ItemData(int id, int index) const = 0;
  // Selects the first entry whose text begins with `prefix`, ignoring case,
  // searching after entry `after` and wrapping (-1 searches all). The entry
  // selected, or -1 leaving the selection as it was.
  virtual int SelectString(int id, int after, std::string_view prefix) = 0;
  virtual int CurSel(int id) const = 0;
  virtual bool SetCurSel(int id, int index) = 0;

  // --- Up-down control ---------------------------------------------------
  // The control `buddyId` becomes the buddy; with the align-right style the
  // up-down moves to its right edge. The previous buddy's id, 0 for none.
  virtual int SetBuddy(int id, int buddyId) = 0;
  virtual int Buddy(int id) const = 0;
  virtual bool SetRange(int id, int lower, int upper) = 0;
  // {lower, upper}; the window system's default is {100, 0}.
  virtual std::pair<int, int> Range(int id) const = 0;
  virtual int SetPos(int id, int pos) = 0;
  virtual int Pos(int id) const = 0;

  // --- Progress bar ------------------------------------------------------
  virtual bool SetProgressRange(int id, int lower, int upper) = 0;
  virtual std::pair<int, int> ProgressRange(int id) const = 0;
  // The previous position.
  virtual int SetProgressPos(int id, int pos) = 0;
  virtual int ProgressPos(int id) const = 0;
  virtual bool SetProgressStep(int id, int step) = 0;
  // Advances by the step, starting over from the bottom past the top; the
  // previous position.
  virtual int StepIt(int id) = 0;

  // --- Timers, threads ---------------------------------------------------
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
};

// A dialog of `dialogTemplate` (which must outlive it) reporting to
// `handler` (likewise); nothing is made before Create or RunModal.
std::unique_ptr<DialogWindow> CreateDialogWindow(const DialogTemplate &dialogTemplate,
                                                 DialogHandler &handler);

}  // namespace vf::ui

// The kinds of control beside the list view (list_view.h): what each does
// besides what every control does (control.h). The dialog's logic finds them
// by id and kind (DialogWindow::Find).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "ui/window/control.h"

namespace vf::ui {

class Edit : public Control {
 public:
  // A read-only edit stays enabled: focusable, its text selectable.
  virtual void SetReadOnly(bool readOnly) = 0;
  virtual bool IsReadOnly() const = 0;

 protected:
  using Control::Control;
};

// Four octet fields; its text is dotted, a blank field reading as 0, so a
// blank control reads "0.0.0.0".
class IpAddressControl : public Control {
 public:
  // Some of the four fields blank, not all.
  virtual bool IsPartlyBlank() const = 0;

 protected:
  using Control::Control;
};

class CheckBox : public Control {
 public:
  // 1 checked, 0 not.
  virtual int GetCheck() const = 0;
  virtual void SetCheck(int state) = 0;

 protected:
  using Control::Control;
};

// A drop-down list: entries the user chooses from, without typing, each with
// a value of the program's.
class ComboBox : public Control {
 public:
  virtual void ResetContent() = 0;
  // The new entry's index, -1 when it could not be added.
  virtual int AddString(std::string_view text) = 0;
  virtual int Count() const = 0;
  // Empty for no such entry.
  virtual std::string ItemText(int index) const = 0;
  virtual bool SetItemData(int index, std::uintptr_t value) = 0;
  // 0 for an entry without data, or no such entry.
  virtual std::uintptr_t ItemData(int index) const = 0;
  // Selects the first entry whose text begins with `prefix`, ignoring case,
  // searching after entry `after` and wrapping (-1 searches all). The entry
  // selected, or -1 leaving the selection as it was.
  virtual int SelectString(int after, std::string_view prefix) = 0;
  // -1 for none.
  virtual int CurSel() const = 0;
  virtual void SetCurSel(int index) = 0;

 protected:
  using Control::Control;
};

// Two arrows beside a buddy control. An arrow only reports its step (+1 or
// -1, DialogHandler::OnUpDownDelta); the control changes nothing by itself.
class UpDown : public Control {
 public:
  // `buddy` (of the same dialog) becomes the buddy; with the align-right
  // style the up-down moves to its right edge. The previous buddy, null for
  // none.
  virtual Control *SetBuddy(Control *buddy) = 0;
  virtual Control *Buddy() const = 0;
  virtual void SetRange(int lower, int upper) = 0;
  // {lower, upper}; the window system's default is {100, 0}.
  virtual std::pair<int, int> Range() const = 0;
  // The previous position.
  virtual int SetPos(int pos) = 0;
  virtual int Pos() const = 0;

 protected:
  using Control::Control;
};

class ProgressBar : public Control {
 public:
  virtual void SetRange(int lower, int upper) = 0;
  virtual std::pair<int, int> Range() const = 0;
  // The previous position.
  virtual int SetPos(int pos) = 0;
  virtual int Pos() const = 0;
  virtual void SetStep(int step) = 0;
  // Advances by the step, starting over from the bottom past the top; the
  // previous position.
  virtual int StepIt() = 0;

 protected:
  using Control::Control;
};

}  // namespace vf::ui

// The kinds of control of the Qt window beside the list view
// (qt_list_view.h), each over the widget the dialog's template made for it
// (dialog_builder.h), reporting its notifications to the dialog's handler.
#pragma once

#include "ui/window/controls.h"
#include "ui/window/qt/qt_control.h"

class QAbstractButton;
class QCheckBox;
class QLineEdit;

namespace vf::ui {

class DialogHandler;
class DropDownList;
class IpAddressEdit;
class QtControlSet;
class StepProgressBar;
class UpDownControl;

// A push button: a click is a command.
class QtButton final : public QtControl<Control> {
 public:
  QtButton(int id, QAbstractButton *button, DialogHandler &handler);
};

class QtEdit final : public QtControl<Edit> {
 public:
  QtEdit(int id, QLineEdit *edit);
  void SetReadOnly(bool readOnly) override;
  bool IsReadOnly() const override;

 private:
  QLineEdit *m_edit;
};

class QtIpAddress final : public QtControl<IpAddressControl> {
 public:
  QtIpAddress(int id, IpAddressEdit *address);
  bool IsPartlyBlank() const override;

 private:
  IpAddressEdit *m_address;
};

// A click, once the box has toggled, is a command.
class QtCheckBox final : public QtControl<CheckBox> {
 public:
  QtCheckBox(int id, QCheckBox *check, DialogHandler &handler);
  int GetCheck() const override;
  void SetCheck(int state) override;

 private:
  QCheckBox *m_check;
};

// Only the user's choice of an entry is reported.
class QtComboBox final : public QtControl<ComboBox> {
 public:
  QtComboBox(int id, DropDownList *combo, DialogHandler &handler);
  void ResetContent() override;
  int AddString(std::string_view text) override;
  int Count() const override;
  std::string ItemText(int index) const override;
  bool SetItemData(int index, std::uintptr_t value) override;
  std::uintptr_t ItemData(int index) const override;
  int SelectString(int after, std::string_view prefix) override;
  int CurSel() const override;
  void SetCurSel(int index) override;

 private:
  DropDownList *m_combo;
};

// Its buddy is another control of `controls`.
class QtUpDown final : public QtControl<UpDown> {
 public:
  QtUpDown(int id, UpDownControl *spin, const QtControlSet &controls, DialogHandler &handler);
  Control *SetBuddy(Control *buddy) override;
  Control *Buddy() const override;
  void SetRange(int lower, int upper) override;
  std::pair<int, int> Range() const override;
  int SetPos(int pos) override;
  int Pos() const override;

 private:
  UpDownControl *m_spin;
  const QtControlSet &m_controls;
};

class QtProgressBar final : public QtControl<ProgressBar> {
 public:
  QtProgressBar(int id, StepProgressBar *bar);
  void SetRange(int lower, int upper) override;
  std::pair<int, int> Range() const override;
  int SetPos(int pos) override;
  int Pos() const override;
  void SetStep(int step) override;
  int StepIt() override;

 private:
  StepProgressBar *m_bar;
};

}  // namespace vf::ui

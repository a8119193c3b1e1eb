#include "ui/window/qt/qt_controls.h"

#include <QCheckBox>
#include <QLineEdit>

#include "ui/window/dialog_window.h"
#include "ui/window/qt/control_id.h"
#include "ui/window/qt/drop_down_list.h"
#include "ui/window/qt/ip_address_edit.h"
#include "ui/window/qt/qt_control_set.h"
#include "ui/window/qt/step_progress_bar.h"
#include "ui/window/qt/up_down_control.h"

namespace vf::ui {

// --- Push button -------------------------------------------------------------

QtButton::QtButton(int id, QAbstractButton *button, DialogHandler &handler)
    : QtControl(id, button) {
  QObject::connect(button, &QAbstractButton::clicked, button,
                   [&handler, id] { handler.OnCommand(id); });
}

// --- Edit ----------------------------------------------------------------------

QtEdit::QtEdit(int id, QLineEdit *edit) : QtControl(id, edit), m_edit(edit) {}

void QtEdit::SetReadOnly(bool readOnly) {
  m_edit->setReadOnly(readOnly);
}

bool QtEdit::IsReadOnly() const {
  return m_edit->isReadOnly();
}

// --- IP address control --------------------------------------------------------

QtIpAddress::QtIpAddress(int id, IpAddressEdit *address)
    : QtControl(id, address), m_address(address) {}

bool QtIpAddress::IsPartlyBlank() const {
  return m_address->IsPartlyBlank();
}

// --- Check box -----------------------------------------------------------------

QtCheckBox::QtCheckBox(int id, QCheckBox *check, DialogHandler &handler)
    : QtControl(id, check), m_check(check) {
  QObject::connect(check, &QCheckBox::clicked, check, [&handler, id] { handler.OnCommand(id); });
}

int QtCheckBox::GetCheck() const {
  return m_check->isChecked() ? 1 : 0;
}

void QtCheckBox::SetCheck(int state) {
  m_check->setChecked(state != 0);
}

// --- Drop-down list ------------------------------------------------------------

QtComboBox::QtComboBox(int id, DropDownList *combo, DialogHandler &handler)
    : QtControl(id, combo), m_combo(combo) {
  QObject::connect(combo, &DropDownList::activated, combo,
                   [&handler, id] { handler.OnComboSelChange(id); });
}

void QtComboBox::ResetContent() {
  m_combo->ResetContent();
}

int QtComboBox::AddString(std::string_view text) {
  return m_combo->AddString(ToQt(text));
}

int QtComboBox::Count() const {
  return m_combo->Count();
}

std::string QtComboBox::ItemText(int index) const {
  return index >= 0 && index < m_combo->Count() ? m_combo->itemText(index).toStdString()
                                                : std::string();
}

bool QtComboBox::SetItemData(int index, std::uintptr_t value) {
  return m_combo->SetItemData(index, value);
}

std::uintptr_t QtComboBox::ItemData(int index) const {
  return m_combo->ItemData(index);
}

int QtComboBox::SelectString(int after, std::string_view prefix) {
  return m_combo->SelectString(after, ToQt(prefix));
}

int QtComboBox::CurSel() const {
  return m_combo->CurSel();
}

void QtComboBox::SetCurSel(int index) {
  m_combo->SetCurSel(index);
}

// --- Up-down control -------------------------------------------------------------

QtUpDown::QtUpDown(int id, UpDownControl *spin, const QtControlSet &controls,
                   DialogHandler &handler)
    : QtControl(id, spin), m_spin(spin), m_controls(controls) {
  QObject::connect(spin, &UpDownControl::deltaPos, spin,
                   [&handler, id](int delta) { handler.OnUpDownDelta(id, delta); });
}

Control *QtUpDown::SetBuddy(Control *buddy) {
  QWidget *previous = m_spin->SetBuddy(m_controls.WidgetOf(buddy));
  return m_controls.Find(ControlIdOf(previous));
}

Control *QtUpDown::Buddy() const {
  return m_controls.Find(ControlIdOf(m_spin->Buddy()));
}

void QtUpDown::SetRange(int lower, int upper) {
  m_spin->SetRange(lower, upper);
}

std::pair<int, int> QtUpDown::Range() const {
  return {m_spin->Lower(), m_spin->Upper()};
}

int QtUpDown::SetPos(int pos) {
  return m_spin->SetPos(pos);
}

int QtUpDown::Pos() const {
  return m_spin->Pos();
}

// --- Progress bar ----------------------------------------------------------------

QtProgressBar::QtProgressBar(int id, StepProgressBar *bar) : QtControl(id, bar), m_bar(bar) {}

void QtProgressBar::SetRange(int lower, int upper) {
  m_bar->SetRange(lower, upper);
}

std::pair<int, int> QtProgressBar::Range() const {
  return {m_bar->minimum(), m_bar->maximum()};
}

int QtProgressBar::SetPos(int pos) {
  return m_bar->SetPos(pos);
}

int QtProgressBar::Pos() const {
  return m_bar->Pos();
}

void QtProgressBar::SetStep(int step) {
  m_bar->SetStep(step);
}

int QtProgressBar::StepIt() {
  return m_bar->StepIt();
}

}  // namespace vf::ui

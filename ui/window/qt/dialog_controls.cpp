#include "ui/window/qt/dialog_controls.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVariant>

#include "ui/window/command_ids.h"
#include "ui/window/qt/control_id.h"
#include "ui/window/qt/drop_down_list.h"
#include "ui/window/qt/ip_address_edit.h"
#include "ui/window/qt/report_list.h"
#include "ui/window/qt/step_progress_bar.h"
#include "ui/window/qt/up_down_control.h"

namespace vf::ui {

DialogControls::DialogControls(QDialog *dialog) : QObject(dialog), m_dialog(dialog) {
  const auto children = dialog->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
  for (QWidget *widget : children) {
    const QVariant id = widget->property(kControlIdProperty);
    if (!id.isValid() || id.toInt() == IDC_STATIC) continue;
    m_controls.insert(id.toInt(), widget);
    Connect(id.toInt(), widget);
  }
}

void DialogControls::Connect(int id, QWidget *widget) {
  if (auto *check = qobject_cast<QCheckBox *>(widget)) {
    connect(check, &QCheckBox::clicked, this, [this, id] { emit checkBoxClicked(id); });
  } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
    connect(button, &QPushButton::clicked, this, [this, id] { emit buttonClicked(id); });
  } else if (auto *list = qobject_cast<ReportList *>(widget)) {
    connect(list, &ReportList::rowClicked, this,
            [this, id](int row) { emit listClicked(id, row); });
    connect(list, &ReportList::markMovedByKey, this,
            [this, id](int row) { emit listKeyMoved(id, row); });
  } else if (auto *combo = qobject_cast<DropDownList *>(widget)) {
    connect(combo, &DropDownList::activated, this, [this, id] { emit comboSelChanged(id); });
  } else if (auto *spin = qobject_cast<UpDownControl *>(widget)) {
    connect(spin, &UpDownControl::deltaPos, this,
            [this, id](int delta) { emit upDownDelta(id, delta); });
  }
}

QWidget *DialogControls::Control(int id) const {
  return m_controls.value(id, nullptr);
}

bool DialogControls::SetText(int id, const QString &text) {
  QWidget *widget = Control(id);
  if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
    edit->setText(text);
  } else if (auto *label = qobject_cast<QLabel *>(widget)) {
    label->setText(text);
  } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
    button->setText(text);
  } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
    group->setTitle(text);
  } else if (auto *ip = qobject_cast<IpAddressEdit *>(widget)) {
    ip->SetText(text);
  } else {
    return false;
  }
  return true;
}

QString DialogControls::Text(int id) const {
  QWidget *widget = Control(id);
  if (auto *edit = qobject_cast<QLineEdit *>(widget)) return edit->text();
  if (auto *label = qobject_cast<QLabel *>(widget)) return label->text();
  if (auto *button = qobject_cast<QAbstractButton *>(widget)) return button->text();
  if (auto *group = qobject_cast<QGroupBox *>(widget)) return group->title();
  if (auto *ip = qobject_cast<IpAddressEdit *>(widget)) return ip->Text();
  if (auto *combo = qobject_cast<DropDownList *>(widget)) return combo->currentText();
  return {};
}

bool DialogControls::Enable(int id, bool enable) {
  QWidget *widget = Control(id);
  if (widget == nullptr) return false;
  widget->setEnabled(enable);
  return true;
}

bool DialogControls::IsEnabled(int id) const {
  const QWidget *widget = Control(id);
  return widget != nullptr && widget->isEnabled();
}

bool DialogControls::Show(int id, bool show) {
  QWidget *widget = Control(id);
  if (widget == nullptr) return false;
  widget->setVisible(show);
  return true;
}

bool DialogControls::IsVisible(int id) const {
  const QWidget *widget = Control(id);
  return widget != nullptr && widget->isVisibleTo(m_dialog);
}

QString DialogControls::ClassName(int id) const {
  const QWidget *widget = Control(id);
  if (widget == nullptr) return {};
  return QString::fromLatin1(
      WindowsClassName(static_cast<ControlClass>(widget->property(kControlClassProperty).toInt())));
}

bool DialogControls::SetReadOnly(int id, bool readOnly) {
  auto *edit = qobject_cast<QLineEdit *>(Control(id));
  if (edit == nullptr) return false;
  edit->setReadOnly(readOnly);
  return true;
}

bool DialogControls::IsReadOnly(int id) const {
  const auto *edit = qobject_cast<QLineEdit *>(Control(id));
  return edit != nullptr && edit->isReadOnly();
}

bool DialogControls::IsAddressPartlyBlank(int id) const {
  const IpAddressEdit *address = IpAddress(id);
  return address != nullptr && address->IsPartlyBlank();
}

int DialogControls::GetCheck(int id) const {
  const auto *check = qobject_cast<QCheckBox *>(Control(id));
  return check != nullptr && check->isChecked() ? 1 : 0;
}

bool DialogControls::SetCheck(int id, int state) {
  auto *check = qobject_cast<QCheckBox *>(Control(id));
  if (check == nullptr) return false;
  check->setChecked(state != 0);
  return true;
}

ReportList *DialogControls::List(int id) const {
  return qobject_cast<ReportList *>(Control(id));
}

DropDownList *DialogControls::Combo(int id) const {
  return qobject_cast<DropDownList *>(Control(id));
}

UpDownControl *DialogControls::UpDown(int id) const {
  return qobject_cast<UpDownControl *>(Control(id));
}

StepProgressBar *DialogControls::Progress(int id) const {
  return qobject_cast<StepProgressBar *>(Control(id));
}

IpAddressEdit *DialogControls::IpAddress(int id) const {
  return qobject_cast<IpAddressEdit *>(Control(id));
}

}  // namespace vf::ui

#include "ui/window/qt/qt_control.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVariant>

#include "ui/window/dialog_template.h"
#include "ui/window/qt/control_id.h"
#include "ui/window/qt/drop_down_list.h"
#include "ui/window/qt/ip_address_edit.h"

namespace vf::ui {

QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool SetWidgetText(QWidget *widget, const QString &text) {
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

QString WidgetText(const QWidget *widget) {
  if (const auto *edit = qobject_cast<const QLineEdit *>(widget)) return edit->text();
  if (const auto *label = qobject_cast<const QLabel *>(widget)) return label->text();
  if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) return button->text();
  if (const auto *group = qobject_cast<const QGroupBox *>(widget)) return group->title();
  if (const auto *ip = qobject_cast<const IpAddressEdit *>(widget)) return ip->Text();
  if (const auto *combo = qobject_cast<const DropDownList *>(widget)) return combo->currentText();
  return {};
}

QString WidgetClassName(const QWidget *widget) {
  return QString::fromLatin1(
      WindowsClassName(static_cast<ControlClass>(widget->property(kControlClassProperty).toInt())));
}

}  // namespace vf::ui

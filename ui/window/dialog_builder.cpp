#include "dialog_builder.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <vector>

#include "control_id.h"
#include "drop_down_list.h"
#include "icons.h"
#include "ip_address_edit.h"
#include "report_list.h"
#include "step_progress_bar.h"
#include "up_down_control.h"

namespace vf::ui {
namespace {

using res::ControlClass;
using res::ControlSpec;

bool Has(const ControlSpec &spec, std::uint32_t flag) {
  return (spec.style & flag) != 0;
}

QString TextOf(const ControlSpec &spec) {
  return QString::fromUtf8(spec.text);
}

QWidget *MakeStatic(const ControlSpec &spec, QWidget *parent) {
  auto *label = new QLabel(TextOf(spec), parent);
  label->setTextFormat(Qt::PlainText);
  const Qt::Alignment horizontal =
      Has(spec, res::kStyleRightAlign) ? Qt::AlignRight : Qt::AlignLeft;
  label->setAlignment(horizontal | Qt::AlignTop);
  return label;
}

QWidget *MakeIcon(const ControlSpec &spec, QWidget *parent, const QRect &pixels) {
  auto *label = new QLabel(parent);
  const int side = qMin(32, qMin(pixels.width(), pixels.height()));
  label->setPixmap(res::LoadIcon(spec.icon).pixmap(side, side));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QWidget *MakeEdit(const ControlSpec &spec, QWidget *parent) {
  auto *edit = new QLineEdit(TextOf(spec), parent);
  edit->setReadOnly(Has(spec, res::kStyleReadOnly));
  if (Has(spec, res::kStylePassword)) edit->setEchoMode(QLineEdit::Password);
  if (Has(spec, res::kStyleDigitsOnly)) {
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
  }
  return edit;
}

QWidget *MakeButton(const ControlSpec &spec, QWidget *parent) {
  auto *button = new QPushButton(TextOf(spec), parent);
  const bool isDefault = spec.cls == ControlClass::kDefPushButton;
  // Enter presses only the default button, never whichever has the focus.
  button->setAutoDefault(isDefault);
  button->setDefault(isDefault);
  return button;
}

QWidget *MakeCheckBox(const ControlSpec &spec, QWidget *parent) {
  auto *check = new QCheckBox(TextOf(spec), parent);
  // The window system leaves a narrow gap after the box; the template's
  // widths count on it.
  check->setStyleSheet(QStringLiteral("QCheckBox { spacing: 3px; }"));
  return check;
}

QWidget *MakeDropDown(QWidget *parent, const QRect &pixels) {
  auto *combo = new DropDownList(parent);
  // The template's height is that of the open list; the closed box is one line.
  const int rowHeight = qMax(1, combo->fontMetrics().height() + 2);
  combo->setMaxVisibleItems(qMax(1, pixels.height() / rowHeight - 1));
  return combo;
}

QWidget *MakeListView(const ControlSpec &spec, QWidget *parent) {
  auto *list = new ReportList(parent);
  if (!Has(spec, res::kStyleStaticEdge)) list->setFrameShape(QFrame::NoFrame);
  return list;
}

QWidget *MakeControl(const ControlSpec &spec, QWidget *parent, const QRect &pixels) {
  switch (spec.cls) {
    case ControlClass::kStatic:
      return MakeStatic(spec, parent);
    case ControlClass::kGroupBox:
      return new QGroupBox(TextOf(spec), parent);
    case ControlClass::kEdit:
      return MakeEdit(spec, parent);
    case ControlClass::kPushButton:
    case ControlClass::kDefPushButton:
      return MakeButton(spec, parent);
    case ControlClass::kCheckBox:
      return MakeCheckBox(spec, parent);
    case ControlClass::kDropDownList:
      return MakeDropDown(parent, pixels);
    case ControlClass::kListView:
      return MakeListView(spec, parent);
    case ControlClass::kUpDown:
      return new UpDownControl(Has(spec, res::kStyleAlignRight), Has(spec, res::kStyleArrowKeys),
                               parent);
    case ControlClass::kProgressBar:
      return new StepProgressBar(parent);
    case ControlClass::kIpAddress:
      return new IpAddressEdit(parent);
    case ControlClass::kIcon:
      return MakeIcon(spec, parent, pixels);
  }
  return nullptr;
}

QRect PlacementOf(const ControlSpec &spec, QWidget *widget, const QRect &pixels) {
  if (spec.cls != ControlClass::kDropDownList) return pixels;
  const int closed = qMax(widget->sizeHint().height(), 0);
  return {pixels.x(), pixels.y(), pixels.width(), qMin(closed, pixels.height())};
}

// A label whose text carries a mnemonic moves the focus to the control that
// follows it in the template, as the dialog manager does.
void LinkMnemonics(const std::vector<std::pair<const ControlSpec *, QWidget *>> &made) {
  for (size_t i = 0; i + 1 < made.size(); ++i) {
    const ControlSpec &spec = *made[i].first;
    if (spec.cls != ControlClass::kStatic || Has(spec, res::kStyleNoPrefix)) continue;
    if (!TextOf(spec).contains(QLatin1Char('&'))) continue;
    auto *label = static_cast<QLabel *>(made[i].second);
    label->setTextFormat(Qt::AutoText);
    label->setBuddy(made[i + 1].second);
  }
}

}  // namespace

BuiltDialog BuildDialog(QDialog *dialog, const res::DialogTemplate &dialogTemplate) {
  const QFont font = DialogFont(dialogTemplate.fontFace, dialogTemplate.pointSize);
  dialog->setFont(font);
  const DialogBaseUnits units = BaseUnitsOf(font);
  const QSize client =
      DialogUnitsToPixels(QSize(dialogTemplate.width, dialogTemplate.height), units);

  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (dialogTemplate.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  dialog->setWindowFlags(flags);
  dialog->setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
  dialog->setFixedSize(client);

  std::vector<std::pair<const ControlSpec *, QWidget *>> made;
  std::vector<QWidget *> groups;
  for (const ControlSpec &spec : dialogTemplate.controls) {
    const QRect pixels = DialogUnitsToPixels(QRect(spec.x, spec.y, spec.w, spec.h), units);
    QWidget *widget = MakeControl(spec, dialog, pixels);
    if (widget == nullptr) continue;
    TagControl(widget, spec.id, spec.cls);
    widget->setObjectName(QString::fromUtf8(spec.name));
    widget->setGeometry(PlacementOf(spec, widget, pixels));
    if (Has(spec, res::kStyleDisabled)) widget->setEnabled(false);
    if (Has(spec, res::kStyleHidden)) widget->setHidden(true);
    if (spec.cls == ControlClass::kGroupBox) {
      // A frame only: the controls inside it are its siblings and get the mouse.
      widget->setAttribute(Qt::WA_TransparentForMouseEvents);
      widget->setFocusPolicy(Qt::NoFocus);
      groups.push_back(widget);
    }
    made.emplace_back(&spec, widget);
  }
  for (auto it = groups.rbegin(); it != groups.rend(); ++it) (*it)->lower();
  LinkMnemonics(made);
  return {units, client};
}

}  // namespace vf::ui

#include "ui/window/qt/dialog_builder.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <vector>

#include "ui/window/qt/control_id.h"
#include "ui/window/qt/drop_down_list.h"
#include "ui/window/qt/icons.h"
#include "ui/window/qt/ip_address_edit.h"
#include "ui/window/qt/report_list.h"
#include "ui/window/qt/step_progress_bar.h"
#include "ui/window/qt/translation_qt.h"
#include "ui/window/qt/up_down_control.h"

namespace vf::ui {
namespace {

bool Has(const DialogItem &entry, std::uint32_t flag) {
  return (entry.style & flag) != 0;
}

// The template's text in the user's language.
QString TextOf(const DialogItem &entry) {
  return TranslatedText(entry.text);
}

QWidget *MakeStatic(const DialogItem &entry, QWidget *parent) {
  auto *label = new QLabel(TextOf(entry), parent);
  label->setTextFormat(Qt::PlainText);
  const Qt::Alignment horizontal = Has(entry, kStyleRightAlign) ? Qt::AlignRight : Qt::AlignLeft;
  label->setAlignment(horizontal | Qt::AlignTop);
  label->setWordWrap(Has(entry, kStyleWordWrap));
  return label;
}

QWidget *MakeIcon(const DialogItem &entry, QWidget *parent, const QRect &pixels) {
  auto *label = new QLabel(parent);
  const int side = qMin(32, qMin(pixels.width(), pixels.height()));
  label->setPixmap(LoadIcon(entry.icon).pixmap(side, side));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QWidget *MakeEdit(const DialogItem &entry, QWidget *parent) {
  auto *edit = new QLineEdit(TextOf(entry), parent);
  edit->setReadOnly(Has(entry, kStyleReadOnly));
  if (Has(entry, kStylePassword)) edit->setEchoMode(QLineEdit::Password);
  if (Has(entry, kStyleDigitsOnly)) {
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
  }
  return edit;
}

QWidget *MakeButton(const DialogItem &entry, QWidget *parent) {
  auto *button = new QPushButton(TextOf(entry), parent);
  const bool isDefault = entry.cls == ControlClass::kDefPushButton;
  // Enter presses only the default button, never whichever has the focus.
  button->setAutoDefault(isDefault);
  button->setDefault(isDefault);
  return button;
}

QWidget *MakeCheckBox(const DialogItem &entry, QWidget *parent) {
  auto *check = new QCheckBox(TextOf(entry), parent);
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

QWidget *MakeListView(const DialogItem &entry, QWidget *parent) {
  auto *list = new ReportList(parent);
  if (!Has(entry, kStyleStaticEdge)) list->setFrameShape(QFrame::NoFrame);
  list->SetHeadingsClickable(!Has(entry, kStyleNoSortHeader));
  return list;
}

QWidget *MakeControl(const DialogItem &entry, QWidget *parent, const QRect &pixels) {
  switch (entry.cls) {
    case ControlClass::kStatic:
      return MakeStatic(entry, parent);
    case ControlClass::kGroupBox:
      return new QGroupBox(TextOf(entry), parent);
    case ControlClass::kEdit:
      return MakeEdit(entry, parent);
    case ControlClass::kPushButton:
    case ControlClass::kDefPushButton:
      return MakeButton(entry, parent);
    case ControlClass::kCheckBox:
      return MakeCheckBox(entry, parent);
    case ControlClass::kDropDownList:
      return MakeDropDown(parent, pixels);
    case ControlClass::kListView:
      return MakeListView(entry, parent);
    case ControlClass::kUpDown:
      return new UpDownControl(Has(entry, kStyleAlignRight), Has(entry, kStyleArrowKeys), parent);
    case ControlClass::kProgressBar:
      return new StepProgressBar(parent);
    case ControlClass::kIpAddress:
      return new IpAddressEdit(parent);
    case ControlClass::kIcon:
      return MakeIcon(entry, parent, pixels);
  }
  return nullptr;
}

QRect PlacementOf(const DialogItem &entry, QWidget *widget, const QRect &pixels) {
  if (entry.cls != ControlClass::kDropDownList) return pixels;
  const int closed = qMax(widget->sizeHint().height(), 0);
  return {pixels.x(), pixels.y(), pixels.width(), qMin(closed, pixels.height())};
}

// A label whose text carries a mnemonic moves the focus to the control that
// follows it in the template, as the dialog manager does.
void LinkMnemonics(const std::vector<std::pair<const DialogItem *, QWidget *>> &made) {
  for (size_t i = 0; i + 1 < made.size(); ++i) {
    const DialogItem &entry = *made[i].first;
    if (entry.cls != ControlClass::kStatic || Has(entry, kStyleNoPrefix)) continue;
    if (!TextOf(entry).contains(QLatin1Char('&'))) continue;
    auto *label = static_cast<QLabel *>(made[i].second);
    label->setTextFormat(Qt::AutoText);
    label->setBuddy(made[i + 1].second);
  }
}

}  // namespace

BuiltDialog BuildDialog(QDialog *dialog, const DialogTemplate &dialogTemplate) {
  const QFont font = DialogFont(dialogTemplate.fontFace, dialogTemplate.pointSize);
  dialog->setFont(font);
  const DialogBaseUnits units = BaseUnitsOf(font);
  const QSize client =
      DialogUnitsToPixels(QSize(dialogTemplate.width, dialogTemplate.height), units);

  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (dialogTemplate.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  if (dialogTemplate.resizable) flags |= Qt::WindowMaximizeButtonHint;
  dialog->setWindowFlags(flags);
  dialog->setWindowTitle(TranslatedText(dialogTemplate.caption));
  if (dialogTemplate.resizable) {
    dialog->setMinimumSize(client);
    dialog->resize(client);
  } else {
    dialog->setFixedSize(client);
  }

  std::vector<std::pair<const DialogItem *, QWidget *>> made;
  std::vector<QWidget *> groups;
  for (const DialogItem &entry : dialogTemplate.controls) {
    const QRect pixels = DialogUnitsToPixels(QRect(entry.x, entry.y, entry.w, entry.h), units);
    QWidget *widget = MakeControl(entry, dialog, pixels);
    if (widget == nullptr) continue;
    TagControl(widget, entry.id, entry.cls, entry.anchor);
    widget->setObjectName(QString::fromUtf8(entry.name));
    widget->setGeometry(PlacementOf(entry, widget, pixels));
    if (Has(entry, kStyleDisabled)) widget->setEnabled(false);
    if (Has(entry, kStyleHidden)) widget->setHidden(true);
    if (entry.cls == ControlClass::kGroupBox) {
      // A frame only: the controls inside it are its siblings and get the mouse.
      widget->setAttribute(Qt::WA_TransparentForMouseEvents);
      widget->setFocusPolicy(Qt::NoFocus);
      groups.push_back(widget);
    }
    made.emplace_back(&entry, widget);
  }
  for (auto it = groups.rbegin(); it != groups.rend(); ++it) (*it)->lower();
  LinkMnemonics(made);
  return {units, client};
}

}  // namespace vf::ui

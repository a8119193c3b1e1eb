// The window driver on Qt: events sent as QTest sends them, to the widgets
// the dialog's template made.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "ui/window/qt/control_id.h"
#include "ui/window/qt/ip_address_edit.h"
#include "ui/window/qt/report_list.h"
#include "ui/window/qt/system_menu.h"
#include "ui/window/virtual_keys.h"
#include "window_driver.h"

namespace vf::testing {
namespace {

QDialog *DialogOf(const ui::DialogWindow &window) {
  return static_cast<QDialog *>(window.NativeHandle());
}

QWidget *ControlOf(QWidget *dialog, int id) {
  if (dialog == nullptr) return nullptr;
  if (id == 0) return dialog;
  for (QWidget *child : dialog->findChildren<QWidget *>()) {
    const QVariant property = child->property(ui::kControlIdProperty);
    if (property.isValid() && property.toInt() == id) return child;
  }
  return nullptr;
}

Qt::Key QtKeyOf(int virtualKey) {
  namespace vk = ui::vk;
  if (virtualKey >= vk::kF1 && virtualKey < vk::kF1 + 24) {
    return static_cast<Qt::Key>(Qt::Key_F1 + (virtualKey - vk::kF1));
  }
  if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
    return static_cast<Qt::Key>(virtualKey);
  }
  switch (virtualKey) {
    case vk::kEscape:
      return Qt::Key_Escape;
    case vk::kSpace:
      return Qt::Key_Space;
    case vk::kReturn:
      return Qt::Key_Return;
    case vk::kTab:
      return Qt::Key_Tab;
    case vk::kUp:
      return Qt::Key_Up;
    case vk::kDown:
      return Qt::Key_Down;
    case vk::kLeft:
      return Qt::Key_Left;
    case vk::kRight:
      return Qt::Key_Right;
    case vk::kHome:
      return Qt::Key_Home;
    case vk::kEnd:
      return Qt::Key_End;
    case vk::kPageUp:
      return Qt::Key_PageUp;
    case vk::kPageDown:
      return Qt::Key_PageDown;
    default:
      return Qt::Key_unknown;
  }
}

Qt::KeyboardModifiers QtModifiersOf(unsigned modifiers) {
  Qt::KeyboardModifiers held;
  if (modifiers & ui::vk::kModShift) held |= Qt::ShiftModifier;
  if (modifiers & ui::vk::kModControl) held |= Qt::ControlModifier;
  if (modifiers & ui::vk::kModAlt) held |= Qt::AltModifier;
  return held;
}

std::vector<MenuItem> ItemsOf(const QMenu &menu) {
  std::vector<MenuItem> items;
  for (const QAction *action : menu.actions()) {
    if (action->isSeparator()) {
      items.push_back({0, {}});
    } else {
      const QVariant id = action->property(ui::kCommandIdProperty);
      items.push_back(
          {id.isValid() ? id.toInt() : action->data().toInt(), action->text().toStdString()});
    }
  }
  return items;
}

}  // namespace

bool PumpUntil(const std::function<bool()> &done, int ms) {
  return QTest::qWaitFor(done, ms);
}

void Pump(int ms) {
  QTest::qWait(ms);
}

void PressKey(ui::DialogWindow &window, int id, int virtualKey, unsigned modifiers) {
  QWidget *target = ControlOf(DialogOf(window), id);
  if (target == nullptr) return;
  // An IP address control hands its focus to its first field.
  if (target->focusProxy() != nullptr) target = target->focusProxy();
  target->setFocus();
  QTest::keyClick(target, QtKeyOf(virtualKey), QtModifiersOf(modifiers));
}

void ClickListHeading(ui::DialogWindow &window, int id, int column) {
  auto *list = qobject_cast<QTableView *>(ControlOf(DialogOf(window), id));
  if (list == nullptr) return;
  QHeaderView *header = list->horizontalHeader();
  // A heading beyond the list's right edge is scrolled into view first, as the user does.
  const int beyond = header->sectionViewportPosition(column) + header->sectionSize(column) -
                     header->viewport()->width();
  if (beyond > 0)
    list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->value() + beyond);
  const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                  header->sizeHint().height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

std::vector<MenuItem> RightClickRow(ui::DialogWindow &window, int id, int row, int commandId) {
  std::vector<MenuItem> items;
  auto *list = qobject_cast<QTableView *>(ControlOf(DialogOf(window), id));
  if (list == nullptr) return items;
  // Once a menu is up: its entries, and the choice made with the keys.
  QTimer chooser;
  bool chosen = false;
  QObject::connect(&chooser, &QTimer::timeout, [&] {
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    const std::vector<MenuItem> shown = ItemsOf(*menu);
    items.insert(items.end(), shown.begin(), shown.end());
    QAction *wanted = nullptr;
    for (QAction *action : menu->actions()) {
      if (!chosen && commandId != 0 && !action->isSeparator() &&
          action->data().toInt() == commandId) {
        wanted = action;
      }
    }
    chosen = true;
    menu->setActiveAction(wanted);
    QTest::keyClick(menu, wanted != nullptr ? Qt::Key_Return : Qt::Key_Escape);
  });
  chooser.start(10);
  // As the window system delivers a right click: the press, the request for
  // the context menu, the release.
  QWidget *viewport = list->viewport();
  const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
  QTest::mousePress(viewport, Qt::RightButton, {}, at);
  QContextMenuEvent request(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
  QApplication::sendEvent(viewport, &request);
  QTest::mouseRelease(viewport, Qt::RightButton, {}, at);
  return items;
}

void Click(ui::DialogWindow &window, int id) {
  if (QWidget *control = ControlOf(DialogOf(window), id)) {
    QTest::mouseClick(control, Qt::LeftButton);
  }
}

void ClickRowCheckBox(ui::DialogWindow &window, int id, int row) {
  if (auto *list = qobject_cast<ui::ReportList *>(ControlOf(DialogOf(window), id))) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->CheckBoxRect(row).center());
  }
}

bool SavePicture(const ui::DialogWindow &window, const std::string &path) {
  QDialog *dialog = DialogOf(window);
  return dialog != nullptr && dialog->grab().save(QString::fromStdString(path));
}

void ClearAddressField(ui::DialogWindow &window, int id, int field) {
  if (auto *address = qobject_cast<ui::IpAddressEdit *>(ControlOf(DialogOf(window), id))) {
    address->Field(field)->clear();
  }
}

void RequestClose(ui::DialogWindow &window) {
  if (QDialog *dialog = DialogOf(window)) dialog->close();
}

void Cancel(ui::DialogWindow &window) {
  if (QDialog *dialog = DialogOf(window)) dialog->reject();
}

std::vector<MenuItem> SystemMenuItems(const ui::DialogWindow &window) {
  QDialog *dialog = DialogOf(window);
  const auto *menu = dialog ? dialog->findChild<ui::SystemMenu *>() : nullptr;
  if (menu == nullptr) return {};
  return ItemsOf(*menu->Menu());
}

bool HasIcon(const ui::DialogWindow &window) {
  const QDialog *dialog = DialogOf(window);
  return dialog != nullptr && !dialog->windowIcon().isNull();
}

std::string CaptionOfModalOpenedBy(const std::function<void()> &action) {
  std::string caption;
  // It looks until the action returns (a command chosen from a menu opens its dialog only once
  // the menu has closed) and goes with this call: an action that opened nothing leaves no timer
  // behind to fire into a later one.
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, &look, [&caption, &look] {
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    look.stop();
    caption = modal->windowTitle().toStdString();
    if (QWidget *ok = ControlOf(modal, ui::IDOK)) {
      QTest::mouseClick(ok, Qt::LeftButton);
    } else {
      static_cast<QDialog *>(modal)->reject();
    }
  });
  look.start(10);
  action();
  return caption;
}

}  // namespace vf::testing

#include "ui/window/qt/system_menu.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>

#include "ui/window/qt/translation_qt.h"

namespace vf::ui {

SystemMenu::SystemMenu(QDialog *dialog)
    : QObject(dialog), m_dialog(dialog), m_menu(new QMenu(dialog)) {
  if (dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint)) {
    AppendItem(SC_MINIMIZE, QStringLiteral(QT_TR_NOOP("Mi&nimize")));
  }
  AppendItem(SC_CLOSE, QStringLiteral(QT_TR_NOOP("&Close\tAlt+F4")));
  connect(m_menu, &QMenu::triggered, this, [this](QAction *action) {
    emit commandChosen(action->property(kCommandIdProperty).toInt());
  });
  dialog->installEventFilter(this);
}

void SystemMenu::AppendSeparator() {
  m_menu->addSeparator();
}

void SystemMenu::AppendItem(int commandId, const QString &text) {
  QAction *action = m_menu->addAction(TranslatedText(text));
  action->setProperty(kCommandIdProperty, commandId);
}

bool SystemMenu::RunDefaultCommand(QWidget *window, int commandId) {
  switch (commandId & 0xFFF0) {
    case SC_MINIMIZE:
      window->showMinimized();
      return true;
    case SC_CLOSE:
      window->close();
      return true;
    default:
      return false;
  }
}

bool SystemMenu::eventFilter(QObject *watched, QEvent *event) {
  if (watched == m_dialog && event->type() == QEvent::ContextMenu) {
    m_menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vf::ui

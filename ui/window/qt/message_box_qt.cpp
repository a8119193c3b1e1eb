// Message boxes on Qt: a QMessageBox with the window system's buttons, owned
// by the dialog's widget.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include "ui/window/dialog_window.h"
#include "ui/window/message_box.h"
#include "ui/window/qt/translation_qt.h"

namespace vf::ui::backend {
namespace {

QMessageBox::Icon IconOf(unsigned type) {
  switch (type & 0xF0u) {
    case 0x10u:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

int ShowOnGuiThread(QWidget *owner, const std::string &text, const std::string &caption,
                    unsigned type) {
  QMessageBox box(owner);
  box.setWindowTitle(QString::fromStdString(caption));
  box.setText(QString::fromStdString(text));
  box.setIcon(IconOf(type));
  if ((type & 0x0Fu) == MB_YESNO) {
    QPushButton *yes = box.addButton(TranslatedText(QT_TR_NOOP("Yes")), QMessageBox::YesRole);
    QPushButton *no = box.addButton(TranslatedText(QT_TR_NOOP("No")), QMessageBox::NoRole);
    box.setDefaultButton((type & MB_DEFBUTTON2) != 0 ? no : yes);
    box.exec();
    return box.clickedButton() == yes ? IDYES : IDNO;
  }
  QPushButton *ok = box.addButton(TranslatedText(QT_TR_NOOP("OK")), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
  return IDOK;
}

}  // namespace

int ShowMessageBoxNow(const DialogWindow *owner, const std::string &text,
                      const std::string &caption, unsigned type) {
  if (QCoreApplication::instance() == nullptr) return 0;
  QWidget *widget = owner ? static_cast<QWidget *>(owner->NativeHandle()) : nullptr;
  return ShowOnGuiThread(widget, text, caption, type);
}

int ShowMessageBoxOffThread(const std::string &text, const std::string &caption, unsigned type) {
  QCoreApplication *app = QCoreApplication::instance();
  if (app == nullptr) return 0;
  // No window is open, so no shutdown can be waiting for this thread.
  int answer = 0;
  QMetaObject::invokeMethod(
      app, [&] { answer = ShowOnGuiThread(nullptr, text, caption, type); },
      Qt::BlockingQueuedConnection);
  return answer;
}

bool OnApplicationThread() {
  const QCoreApplication *app = QCoreApplication::instance();
  return app != nullptr && QThread::currentThread() == app->thread();
}

}  // namespace vf::ui::backend

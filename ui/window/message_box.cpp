#include "message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <memory>
#include <mutex>

#include "core/text_marker.h"
#include "translation.h"
#include "window_thread.h"

namespace vf::ui {
namespace {

std::mutex g_interceptorMutex;
MessageBoxInterceptor g_interceptor;

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

int ShowOnGuiThread(QWidget *owner, const QString &text, const QString &caption, unsigned type) {
  QMessageBox box(owner);
  box.setWindowTitle(caption);
  box.setText(text);
  box.setIcon(IconOf(type));
  if ((type & 0x0Fu) == MB_YESNO) {
    QPushButton *yes = box.addButton(Translated(VF_TEXT("Yes")), QMessageBox::YesRole);
    box.addButton(Translated(VF_TEXT("No")), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes ? IDYES : IDNO;
  }
  QPushButton *ok = box.addButton(Translated(VF_TEXT("OK")), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
  return IDOK;
}

}  // namespace

void SetMessageBoxInterceptor(MessageBoxInterceptor interceptor) {
  const std::lock_guard lock(g_interceptorMutex);
  g_interceptor = std::move(interceptor);
}

int ShowMessageBox(QWidget *owner, const QString &untranslatedText,
                   const QString &untranslatedCaption, unsigned type) {
  // Translated before anything else, so that an interceptor sees what the
  // user would read.
  const QString text = Translated(untranslatedText);
  const QString caption = Translated(untranslatedCaption);
  QCoreApplication *app = QCoreApplication::instance();
  const bool onGuiThread = app != nullptr && QThread::currentThread() == app->thread();
  MessageBoxInterceptor interceptor;
  {
    const std::lock_guard lock(g_interceptorMutex);
    interceptor = g_interceptor;
  }
  if (interceptor) return interceptor({text, caption, type, owner, onGuiThread});
  if (app == nullptr) return 0;
  if (onGuiThread) return ShowOnGuiThread(owner, text, caption, type);

  auto result = std::make_shared<int>(0);
  if (const auto channel = WindowChannel::Find(owner)) {
    // The owner is used only while its window is open, which Send guarantees.
    const bool shown =
        channel->Send([=] { *result = ShowOnGuiThread(owner, text, caption, type); });
    return shown ? *result : 0;
  }
  // No window is open, so no shutdown can be waiting for this thread.
  int answer = 0;
  QMetaObject::invokeMethod(
      app, [&] { answer = ShowOnGuiThread(owner, text, caption, type); },
      Qt::BlockingQueuedConnection);
  return answer;
}

}  // namespace vf::ui

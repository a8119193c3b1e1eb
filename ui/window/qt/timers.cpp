#include "ui/window/qt/timers.h"

#include <QTimerEvent>

namespace vf::ui {

DialogTimers::DialogTimers(QObject *parent) : QObject(parent) {}

bool DialogTimers::StartTimer(int id, int periodMs) {
  if (periodMs < 0) return false;
  KillTimer(id);
  const int qtId = startTimer(periodMs);
  if (qtId == 0) return false;
  m_qtIds.insert(id, qtId);
  return true;
}

bool DialogTimers::KillTimer(int id) {
  const auto it = m_qtIds.find(id);
  if (it == m_qtIds.end()) return false;
  killTimer(it.value());
  m_qtIds.erase(it);
  return true;
}

void DialogTimers::timerEvent(QTimerEvent *event) {
  for (auto it = m_qtIds.cbegin(); it != m_qtIds.cend(); ++it) {
    if (it.value() == event->timerId()) {
      emit timeout(it.key());
      return;
    }
  }
  QObject::timerEvent(event);
}

}  // namespace vf::ui

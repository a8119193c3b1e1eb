// Timers by id, delivered as timeout(id) on the thread that owns this object
// (the window's). A timer repeats until it is killed.
#pragma once

#include <QHash>
#include <QObject>

namespace vf::ui {

class DialogTimers final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(DialogTimers)

 public:
  explicit DialogTimers(QObject *parent = nullptr);

  // Starting a running id restarts it with the new period. False for a
  // negative period or when no timer could be had.
  bool StartTimer(int id, int periodMs);
  // False when `id` was not running.
  bool KillTimer(int id);
  bool IsActive(int id) const { return m_qtIds.contains(id); }

 signals:
  void timeout(int id);

 protected:
  void timerEvent(QTimerEvent *event) override;

 private:
  QHash<int, int> m_qtIds;  // Our id -> Qt's timer id.
};

}  // namespace vf::ui

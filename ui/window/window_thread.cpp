#include "window_thread.h"

#include <QMetaObject>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace vf::ui {
namespace {

struct Task {
  std::function<void()> fn;
  bool done = false;
};

// Open windows' channels, newest last, for callers that know only a widget.
struct Registry {
  std::mutex mutex;
  std::vector<std::pair<const QWidget *, std::weak_ptr<WindowChannel>>> entries;
};

Registry &TheRegistry() {
  static Registry registry;
  return registry;
}

void Unregister(const WindowChannel *channel) {
  Registry &registry = TheRegistry();
  const std::lock_guard lock(registry.mutex);
  std::erase_if(registry.entries, [channel](const auto &entry) {
    const auto alive = entry.second.lock();
    return alive == nullptr || alive.get() == channel;
  });
}

}  // namespace

struct WindowChannel::State {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::shared_ptr<Task>> queue;
  QObject *receiver = nullptr;  // Null once closing.
  QThread *thread = nullptr;
  bool closing = false;
};

WindowChannel::WindowChannel() : m_state(std::make_unique<State>()) {}
WindowChannel::~WindowChannel() = default;

void WindowChannel::Attach(QObject *receiver) {
  const std::lock_guard lock(m_state->mutex);
  m_state->receiver = receiver;
  m_state->thread = receiver->thread();
}

void WindowChannel::Close() {
  {
    const std::lock_guard lock(m_state->mutex);
    m_state->closing = true;
    m_state->receiver = nullptr;
    m_state->queue.clear();
  }
  m_state->changed.notify_all();
  Unregister(this);
}

bool WindowChannel::Send(std::function<void()> fn) {
  auto task = std::make_shared<Task>();
  task->fn = std::move(fn);
  std::unique_lock lock(m_state->mutex);
  if (m_state->closing) return false;
  if (QThread::currentThread() == m_state->thread) {
    lock.unlock();
    task->fn();
    return true;
  }
  m_state->queue.push_back(task);
  // Wakes a window thread that serves calls while it waits (RunServingCalls).
  m_state->changed.notify_all();
  // Posted under the lock: Close() clears the receiver under it too, so the
  // event never targets a destroyed object.
  QMetaObject::invokeMethod(
      m_state->receiver, [this] { Drain(); }, Qt::QueuedConnection);
  m_state->changed.wait(lock, [&] { return task->done || m_state->closing; });
  return task->done;
}

bool WindowChannel::Post(std::function<void()> fn) {
  const std::lock_guard lock(m_state->mutex);
  if (m_state->closing) return false;
  QMetaObject::invokeMethod(m_state->receiver, std::move(fn), Qt::QueuedConnection);
  return true;
}

void WindowChannel::Drain() {
  for (;;) {
    std::shared_ptr<Task> task;
    {
      const std::lock_guard lock(m_state->mutex);
      if (m_state->closing || m_state->queue.empty()) return;
      task = std::move(m_state->queue.front());
      m_state->queue.pop_front();
    }
    task->fn();
    {
      const std::lock_guard lock(m_state->mutex);
      task->done = true;
    }
    m_state->changed.notify_all();
  }
}

void WindowChannel::RunServingCalls(const std::function<void()> &work) {
  bool finished = false;  // Guarded by m_state->mutex.
  std::thread helper([&] {
    work();
    {
      const std::lock_guard lock(m_state->mutex);
      finished = true;
    }
    m_state->changed.notify_all();
  });
  for (;;) {
    {
      std::unique_lock lock(m_state->mutex);
      m_state->changed.wait(lock, [&] { return finished || !m_state->queue.empty(); });
      if (finished) break;
    }
    Drain();
  }
  helper.join();
}

std::shared_ptr<WindowChannel> WindowChannel::Find(const QWidget *window) {
  Registry &registry = TheRegistry();
  const std::lock_guard lock(registry.mutex);
  std::shared_ptr<WindowChannel> newest;
  for (const auto &[key, weak] : registry.entries) {
    auto channel = weak.lock();
    if (channel == nullptr) continue;
    if (window != nullptr && key == window) return channel;
    newest = std::move(channel);
  }
  return newest;
}

WindowThread::WindowThread(QWidget *window)
    : QObject(window), m_channel(std::make_shared<WindowChannel>()) {
  m_channel->Attach(this);
  Registry &registry = TheRegistry();
  const std::lock_guard lock(registry.mutex);
  registry.entries.emplace_back(window, m_channel);
}

WindowThread::~WindowThread() {
  m_channel->Close();
}

bool WindowThread::Send(std::function<void()> fn) const {
  return m_channel->Send(std::move(fn));
}

bool WindowThread::Post(std::function<void()> fn) const {
  return m_channel->Post(std::move(fn));
}

void WindowThread::RunServingCalls(const std::function<void()> &work) {
  m_channel->RunServingCalls(work);
}

void WindowThread::BeginClosing() {
  m_channel->Close();
}

bool WindowThread::IsClosing() const {
  const std::lock_guard lock(m_channel->m_state->mutex);
  return m_channel->m_state->closing;
}

int WindowThread::PendingCount() const {
  const std::lock_guard lock(m_channel->m_state->mutex);
  return static_cast<int>(m_channel->m_state->queue.size());
}

}  // namespace vf::ui

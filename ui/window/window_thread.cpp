#include "ui/window/window_thread.h"

#include <algorithm>
#include <vector>

#include "ui/window/window_channel_state.h"

namespace vf::ui {
namespace {

// Open windows' channels, newest last, for callers that know only a window.
struct Registry {
  std::mutex mutex;
  std::vector<std::pair<const void *, std::weak_ptr<WindowChannel>>> entries;
};

Registry &TheRegistry() {
  static Registry registry;
  return registry;
}

void Register(const void *window, const std::shared_ptr<WindowChannel> &channel) {
  Registry &registry = TheRegistry();
  const std::lock_guard lock(registry.mutex);
  registry.entries.emplace_back(window, channel);
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

WindowChannel::WindowChannel(std::thread::id windowThread, std::function<void()> wake)
    : m_thread(windowThread), m_state(std::make_unique<State>()) {
  m_state->wake = std::move(wake);
}

WindowChannel::~WindowChannel() = default;

void WindowChannel::Close() {
  {
    const std::lock_guard lock(m_state->mutex);
    m_state->closing = true;
    m_state->wake = nullptr;
    m_state->calls.clear();
    m_state->posted.clear();
  }
  m_state->changed.notify_all();
  Unregister(this);
}

bool WindowChannel::IsClosing() const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->closing;
}

bool WindowChannel::Send(std::function<void()> fn) {
  if (IsWindowThread()) {
    if (IsClosing()) return false;
    fn();
    return true;
  }
  auto task = std::make_shared<State::Call>();
  task->fn = std::move(fn);
  std::unique_lock lock(m_state->mutex);
  if (m_state->closing) return false;
  m_state->calls.push_back(task);
  // Wakes a window thread that serves calls while it waits (RunServingCalls).
  m_state->changed.notify_all();
  // Woken under the lock: Close() drops the waker under it too, so the window
  // is never asked to run calls once it is gone.
  m_state->wake();
  m_state->changed.wait(lock, [&] { return task->done || m_state->closing; });
  return task->done;
}

bool WindowChannel::Post(std::function<void()> fn) {
  const std::lock_guard lock(m_state->mutex);
  if (m_state->closing) return false;
  m_state->posted.push_back(std::move(fn));
  m_state->wake();
  return true;
}

bool WindowChannel::WhileOpen(const std::function<bool()> &post) {
  const std::lock_guard lock(m_state->mutex);
  return !m_state->closing && post();
}

void WindowChannel::Drain() {
  Run(true);
}

void WindowChannel::Run(bool posted) {
  for (;;) {
    std::shared_ptr<State::Call> task;
    std::function<void()> post;
    {
      const std::lock_guard lock(m_state->mutex);
      if (m_state->closing) return;
      if (!m_state->calls.empty()) {
        task = std::move(m_state->calls.front());
        m_state->calls.pop_front();
      } else if (posted && !m_state->posted.empty()) {
        post = std::move(m_state->posted.front());
        m_state->posted.pop_front();
      } else {
        return;
      }
    }
    if (post) {
      post();
      continue;
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
      m_state->changed.wait(lock, [&] { return finished || !m_state->calls.empty(); });
      if (finished) break;
    }
    Run(false);
  }
  helper.join();
}

std::shared_ptr<WindowChannel> WindowChannel::Of(const void *window) {
  if (window == nullptr) return nullptr;
  Registry &registry = TheRegistry();
  const std::lock_guard lock(registry.mutex);
  for (const auto &[key, weak] : registry.entries) {
    if (key == window) return weak.lock();
  }
  return nullptr;
}

std::shared_ptr<WindowChannel> WindowChannel::Newest() {
  Registry &registry = TheRegistry();
  const std::lock_guard lock(registry.mutex);
  for (auto it = registry.entries.rbegin(); it != registry.entries.rend(); ++it) {
    if (auto channel = it->second.lock()) return channel;
  }
  return nullptr;
}

WindowThread::WindowThread(const void *window, std::function<void()> wake)
    : m_channel(std::make_shared<WindowChannel>(std::this_thread::get_id(), std::move(wake))) {
  Register(window, m_channel);
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

void WindowThread::RunServingCalls(const std::function<void()> &work) const {
  m_channel->RunServingCalls(work);
}

void WindowThread::BeginClosing() const {
  m_channel->Close();
}

bool WindowThread::IsClosing() const {
  return m_channel->IsClosing();
}

}  // namespace vf::ui

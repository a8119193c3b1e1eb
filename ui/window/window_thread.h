// Calls into the window's thread from other threads: a synchronous call that
// waits for the result, and a posted one.
//
// A synchronous call gives up, returning "not run", as soon as the window
// starts closing. A shutdown that waits for a worker thread can therefore
// never hang on that worker waiting for the window. Since the function may
// still be running when the caller gives up, it must own what it uses
// (capture by value); Call() keeps the result in shared storage for that.
//
// The backend of the window wakes its thread when calls wait (the `wake` it
// gives WindowThread) and, woken, runs them there (WindowChannel::Drain).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>

namespace vf::ui {

class WindowChannel;

class WindowThread final {
 public:
  // Made on the window's thread, for the window `window` (a key for message
  // boxes that name it as their owner). `wake` makes the window's thread call
  // Channel().Drain() soon; it is called with a lock held, from any thread,
  // and must neither block nor call back.
  WindowThread(const void *window, std::function<void()> wake);
  // Begins closing.
  ~WindowThread();
  WindowThread(const WindowThread &) = delete;
  WindowThread &operator=(const WindowThread &) = delete;

  // Runs `fn` on the window's thread and waits for it to finish. Runs it
  // directly when called on that thread. False when it did not run, or ran
  // but the window began closing before it finished.
  bool Send(std::function<void()> fn) const;

  template <typename Fn>
  auto Call(Fn fn) const -> std::optional<std::invoke_result_t<Fn &>> {
    using R = std::invoke_result_t<Fn &>;
    auto result = std::make_shared<std::optional<R>>();
    if (!Send([fn = std::move(fn), result]() mutable { result->emplace(fn()); })) {
      return std::nullopt;
    }
    return std::move(*result);
  }

  // Queues `fn` to run later on the window's thread; false once closing.
  bool Post(std::function<void()> fn) const;

  // Runs `work` on a thread of its own and waits for it on the window's
  // thread, meanwhile running the calls other threads send here (and no
  // posted ones, nor any other event of the window). For work that waits for
  // a thread which may itself be waiting for the window, such as closing an
  // engine session. Call on the window's thread only.
  void RunServingCalls(const std::function<void()> &work) const;

  // From here on calls are refused and every waiting caller returns at once.
  // Call at the start of the window's shutdown, before joining workers.
  void BeginClosing() const;
  bool IsClosing() const;

  const std::shared_ptr<WindowChannel> &Channel() const { return m_channel; }

 private:
  std::shared_ptr<WindowChannel> m_channel;
};

// The shared part, which outlives the window while callers still hold it.
class WindowChannel final {
 public:
  WindowChannel(std::thread::id windowThread, std::function<void()> wake);
  ~WindowChannel();
  WindowChannel(const WindowChannel &) = delete;
  WindowChannel &operator=(const WindowChannel &) = delete;

  bool Send(std::function<void()> fn);
  bool Post(std::function<void()> fn);
  // Runs `post` (which posts a message of the window system to the window)
  // only while the window is open, so it never targets a window that is gone.
  bool WhileOpen(const std::function<bool()> &post);
  void RunServingCalls(const std::function<void()> &work);
  // On the window's thread: runs what was sent and posted until now.
  void Drain();
  void Close();
  bool IsClosing() const;
  bool IsWindowThread() const { return std::this_thread::get_id() == m_thread; }

  // The channel of the open window `window`; null when it is not open.
  static std::shared_ptr<WindowChannel> Of(const void *window);
  // The channel of the window opened last; null when none is open.
  static std::shared_ptr<WindowChannel> Newest();

 private:
  // The tests see what waits (tests/ui/support/window_probe.h).
  friend class WindowChannelProbe;
  struct State;
  // Runs the waiting calls, and the posted ones too when `posted`.
  void Run(bool posted);

  const std::thread::id m_thread;
  std::unique_ptr<State> m_state;
};

}  // namespace vf::ui

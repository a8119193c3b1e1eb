// Calls into the window's thread from other threads: a synchronous call that
// waits for the result, and a posted one.
//
// A synchronous call gives up, returning "not run", as soon as the window
// starts closing. A shutdown that waits for a worker thread can therefore
// never hang on that worker waiting for the window. Since the function may
// still be running when the caller gives up, it must own what it uses
// (capture by value); Call() keeps the result in shared storage for that.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

class QWidget;

namespace vf::ui {

class WindowChannel;

class WindowThread final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(WindowThread)

 public:
  // Create on the window's thread; the window owns it and its destruction
  // begins closing.
  explicit WindowThread(QWidget *window);
  ~WindowThread() override;

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
  // thread, meanwhile running the calls other threads send here (and none of
  // the window's other events). For work that waits for a thread which may
  // itself be waiting for the window, such as closing an engine session.
  // Call on the window's thread only.
  void RunServingCalls(const std::function<void()> &work);

  // From here on calls are refused and every waiting caller returns at once.
  // Call at the start of the window's shutdown, before joining workers.
  void BeginClosing();
  bool IsClosing() const;

  // Calls waiting to run, for tests.
  int PendingCount() const;

  const std::shared_ptr<WindowChannel> &Channel() const { return m_channel; }

 private:
  std::shared_ptr<WindowChannel> m_channel;
};

// The shared part, which outlives the window while callers still hold it.
class WindowChannel final {
  Q_DISABLE_COPY_MOVE(WindowChannel)

 public:
  WindowChannel();
  ~WindowChannel();

  bool Send(std::function<void()> fn);
  bool Post(std::function<void()> fn);
  void RunServingCalls(const std::function<void()> &work);

  // The channel of the window registered for `window`, else of the window
  // registered last; null when none is open.
  static std::shared_ptr<WindowChannel> Find(const QWidget *window);

 private:
  friend class WindowThread;
  struct State;

  void Attach(QObject *receiver);
  void Close();
  void Drain();

  std::unique_ptr<State> m_state;
};

}  // namespace vf::ui

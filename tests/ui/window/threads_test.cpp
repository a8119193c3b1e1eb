// Message boxes and calls into the window thread, from the window thread and
// from workers, including a worker caught waiting while the window closes.
// Runs against either backend.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "message_box_recorder.h"
#include "res/dialog_templates.h"
#include "ui/window/dialog_window.h"
#include "ui/window/message_box.h"
#include "ui/window/window_thread.h"
#include "window_driver.h"
#include "window_probe.h"

namespace vf::ui {
namespace {

using vf::testing::PumpUntil;

// A dialog made for its window thread alone.
class PlainWindow {
 public:
  PlainWindow() { EXPECT_TRUE(m_window->Create()); }
  DialogWindow &operator*() { return *m_window; }
  DialogWindow *get() { return m_window.get(); }
  const WindowThread &Thread() { return m_window->Thread(); }
  void reset() { m_window.reset(); }

 private:
  DialogHandler m_handler;
  std::unique_ptr<DialogWindow> m_window =
      CreateDialogWindow(res::AboutDialogTemplate(), m_handler);
};

template <typename T>
bool Ready(std::future<T> &result) {
  return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

template <typename T>
bool PumpUntilReady(std::future<T> &result) {
  return PumpUntil([&] { return Ready(result); }, 2000);
}

// Waits (bounded) until a call from another thread waits on the window.
bool UntilPending(const WindowThread &thread) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  const WindowChannel &channel = *thread.Channel();
  while (WindowChannelProbe::PendingCount(channel) == 0 &&
         std::chrono::steady_clock::now() < until) {
    std::this_thread::yield();
  }
  return WindowChannelProbe::PendingCount(channel) == 1;
}

TEST(MessageBox, InterceptorRecordsTheRequestAndGivesTheScriptedAnswer) {
  PlainWindow owner;
  MessageBoxRecorder recorder;
  recorder.Script({IDNO});
  EXPECT_EQ(ShowMessageBox(owner.get(), "Are you sure to update the selected device?", "Ask",
                           MB_YESNO | MB_ICONQUESTION),
            IDNO);
  // Out of script: the first button.
  EXPECT_EQ(ShowMessageBox(owner.get(), "Again?", "Ask", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(ShowMessageBox(nullptr, "Failed to initialize.", "Tips", MB_ICONINFORMATION), IDOK);

  const auto requests = recorder.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].text, "Are you sure to update the selected device?");
  EXPECT_EQ(requests[0].caption, "Ask");
  EXPECT_EQ(requests[0].type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(requests[0].owner, owner.get());
  EXPECT_TRUE(requests[0].onGuiThread);
  EXPECT_EQ(requests[2].owner, nullptr);
  EXPECT_TRUE(requests[2].onGuiThread);
  EXPECT_EQ(requests[2].type, MB_ICONINFORMATION);
}

TEST(MessageBox, WorkerThreadRequestIsInterceptedWithoutTheWindowThread) {
  MessageBoxRecorder recorder;
  recorder.Script({IDOK});
  auto answer = std::async(std::launch::async, [] {
    return ShowMessageBox(nullptr, "Device information successfully updated!", "Tips",
                          MB_ICONINFORMATION);
  });
  // The window thread pumps nothing here: the interceptor answers directly.
  ASSERT_EQ(answer.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_EQ(answer.get(), IDOK);
  const auto requests = recorder.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_FALSE(requests[0].onGuiThread);
  EXPECT_EQ(requests[0].caption, "Tips");
}

TEST(MessageBox, WorkerGetsNothingOnceItsWindowCloses) {
  // No interceptor: a real box would be shown on the window thread, but the
  // window closes before that thread gets to it.
  PlainWindow window;
  DialogWindow *owner = window.get();
  auto answer = std::async(std::launch::async, [owner] {
    return ShowMessageBox(owner, "The account or password for watching is wrong!", "Tips",
                          MB_ICONINFORMATION);
  });
  ASSERT_TRUE(UntilPending(window.Thread()));
  window.Thread().BeginClosing();
  ASSERT_EQ(answer.wait_for(std::chrono::seconds(2)), std::future_status::ready);
  EXPECT_EQ(answer.get(), 0);
}

TEST(WindowThreadCall, RunsOnTheWindowThreadAndReturnsTheValue) {
  PlainWindow window;
  const WindowThread &windowThread = window.Thread();
  const std::thread::id guiThread = std::this_thread::get_id();

  auto result = std::async(std::launch::async, [&] {
    return windowThread.Call(
        [guiThread] { return std::this_thread::get_id() == guiThread ? 42 : -1; });
  });
  ASSERT_TRUE(PumpUntilReady(result));
  const std::optional<int> value = result.get();
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(*value, 42);

  // On the window thread itself the call runs at once.
  EXPECT_EQ(windowThread.Call([] { return 7; }), std::optional<int>(7));
}

TEST(WindowThreadCall, PostedCallsRunLaterOnTheWindowThreadInOrder) {
  PlainWindow window;
  const WindowThread &windowThread = window.Thread();
  std::vector<int> ran;
  auto posted = std::async(std::launch::async, [&] {
    return windowThread.Post([&ran] { ran.push_back(1); }) &&
           windowThread.Post([&ran] { ran.push_back(2); });
  });
  ASSERT_EQ(posted.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_TRUE(posted.get());
  EXPECT_TRUE(ran.empty());
  ASSERT_TRUE(PumpUntil([&] { return ran.size() == 2; }, 2000));
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  windowThread.BeginClosing();
  EXPECT_FALSE(windowThread.Post([] {}));
}

// A message posted to the window from a worker arrives at the handler on the
// window's thread; none is taken once the window closes.
TEST(WindowThreadCall, UserMessageArrivesOnTheWindowThread) {
  struct Handler final : DialogHandler {
    void OnUserMessage(unsigned offset) override {
      offsets.push_back(offset);
      onWindowThread = std::this_thread::get_id() == thread;
    }
    std::vector<unsigned> offsets;
    std::thread::id thread = std::this_thread::get_id();
    bool onWindowThread = false;
  } handler;
  auto window = CreateDialogWindow(res::AboutDialogTemplate(), handler);
  ASSERT_TRUE(window->Create());
  std::thread worker([&] { EXPECT_TRUE(window->PostUserMessage(1)); });
  worker.join();
  ASSERT_TRUE(PumpUntil([&] { return !handler.offsets.empty(); }, 2000));
  EXPECT_EQ(handler.offsets, std::vector<unsigned>{1});
  EXPECT_TRUE(handler.onWindowThread);
  window->Thread().BeginClosing();
  EXPECT_FALSE(window->PostUserMessage(1));
}

// The shutdown case: a worker blocked in a synchronous call while the window
// thread, instead of answering, starts closing (and would then join the
// worker). The worker must come back with "not run".
TEST(WindowThreadCall, WaitingCallerReturnsNotRunWhenClosingStarts) {
  PlainWindow window;
  const WindowThread &windowThread = window.Thread();
  std::atomic<bool> ran{false};
  auto result = std::async(std::launch::async, [&] {
    return windowThread.Call([&ran] {
      ran = true;
      return 1;
    });
  });
  ASSERT_TRUE(UntilPending(windowThread));

  windowThread.BeginClosing();
  ASSERT_EQ(result.wait_for(std::chrono::seconds(2)), std::future_status::ready);
  EXPECT_FALSE(result.get().has_value());

  // The abandoned call never runs, and later calls are refused at once.
  vf::testing::Pump(10);
  EXPECT_FALSE(ran);
  EXPECT_TRUE(windowThread.IsClosing());
  auto late = std::async(std::launch::async, [&] { return windowThread.Send([] {}); });
  ASSERT_EQ(late.wait_for(std::chrono::seconds(2)), std::future_status::ready);
  EXPECT_FALSE(late.get());
}

// Work that joins a thread which waits for the window thread, as closing an
// engine session whose worker shows a message box: the call is served on the
// window thread meanwhile, so neither waits for ever.
TEST(WindowThreadCall, WorkThatJoinsAWaitingCallerServesItsCall) {
  PlainWindow window;
  const WindowThread &windowThread = window.Thread();
  std::atomic<bool> ranOnWindowThread{false};
  const std::thread::id windowThreadId = std::this_thread::get_id();
  std::thread worker([&] {
    EXPECT_TRUE(windowThread.Send(
        [&] { ranOnWindowThread = std::this_thread::get_id() == windowThreadId; }));
  });
  windowThread.RunServingCalls([&] { worker.join(); });
  EXPECT_TRUE(ranOnWindowThread);
  EXPECT_FALSE(windowThread.IsClosing()) << "calls are taken again afterwards";
}

TEST(WindowThreadCall, DestroyingTheWindowReleasesTheWaiter) {
  PlainWindow window;
  auto result = std::async(std::launch::async,
                           [channel = window.Thread().Channel()] { return channel->Send([] {}); });
  ASSERT_TRUE(UntilPending(window.Thread()));
  window.reset();
  ASSERT_EQ(result.wait_for(std::chrono::seconds(2)), std::future_status::ready);
  EXPECT_FALSE(result.get());
  vf::testing::Pump(10);  // Whatever woke the window is gone with it.
  EXPECT_EQ(WindowChannel::Newest(), nullptr);
}

}  // namespace
}  // namespace vf::ui

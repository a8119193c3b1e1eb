// Message boxes and calls into the window thread, from the window thread and
// from workers, including a worker caught waiting while the window closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "message_box.h"
#include "message_box_recorder.h"
#include "window_thread.h"

namespace vf::ui {
namespace {

// Runs the window thread's events until `ready` or two seconds pass.
template <typename T>
bool PumpUntil(std::future<T> &ready) {
  QElapsedTimer clock;
  clock.start();
  while (ready.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
    if (clock.elapsed() > 2000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

TEST(MessageBox, InterceptorRecordsTheRequestAndGivesTheScriptedAnswer) {
  QDialog owner;
  MessageBoxRecorder recorder;
  recorder.Script({IDNO});
  EXPECT_EQ(ShowMessageBox(&owner, "Are you sure to update the selected device?", "Ask",
                           MB_YESNO | MB_ICONQUESTION),
            IDNO);
  // Out of script: the first button.
  EXPECT_EQ(ShowMessageBox(&owner, "Again?", "Ask", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(ShowMessageBox(nullptr, "Failed to initialize.", "Tips", MB_ICONINFORMATION), IDOK);

  const auto requests = recorder.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].text, "Are you sure to update the selected device?");
  EXPECT_EQ(requests[0].caption, "Ask");
  EXPECT_EQ(requests[0].type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(requests[0].owner, &owner);
  EXPECT_TRUE(requests[0].onGuiThread);
  EXPECT_EQ(requests[2].owner, nullptr);
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
  QDialog window;
  WindowThread windowThread(&window);
  auto answer = std::async(std::launch::async, [&window] {
    return ShowMessageBox(&window, "The account or password for watching is wrong!", "Tips",
                          MB_ICONINFORMATION);
  });
  QElapsedTimer clock;
  clock.start();
  while (windowThread.PendingCount() == 0 && clock.elapsed() < 2000) std::this_thread::yield();
  ASSERT_EQ(windowThread.PendingCount(), 1);
  windowThread.BeginClosing();
  ASSERT_EQ(answer.wait_for(std::chrono::seconds(2)), std::future_status::ready);
  EXPECT_EQ(answer.get(), 0);
}

TEST(WindowThreadCall, RunsOnTheWindowThreadAndReturnsTheValue) {
  QDialog window;
  WindowThread windowThread(&window);
  const std::thread::id guiThread = std::this_thread::get_id();

  auto result = std::async(std::launch::async, [&] {
    return windowThread.Call(
        [guiThread] { return std::this_thread::get_id() == guiThread ? 42 : -1; });
  });
  ASSERT_TRUE(PumpUntil(result));
  const std::optional<int> value = result.get();
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(*value, 42);

  // On the window thread itself the call runs at once.
  EXPECT_EQ(windowThread.Call([] { return 7; }), std::optional<int>(7));
}

TEST(WindowThreadCall, PostedCallRunsLaterOnTheWindowThread) {
  QDialog window;
  WindowThread windowThread(&window);
  bool ran = false;
  auto posted =
      std::async(std::launch::async, [&] { return windowThread.Post([&ran] { ran = true; }); });
  ASSERT_EQ(posted.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_TRUE(posted.get());
  EXPECT_FALSE(ran);
  QCoreApplication::processEvents();
  EXPECT_TRUE(ran);
  windowThread.BeginClosing();
  EXPECT_FALSE(windowThread.Post([] {}));
}

// The shutdown case: a worker blocked in a synchronous call while the window
// thread, instead of answering, starts closing (and would then join the
// worker). The worker must come back promptly with "not run".
TEST(WindowThreadCall, WaitingCallerReturnsNotRunWhenClosingStarts) {
  QDialog window;
  WindowThread windowThread(&window);
  std::atomic<bool> ran{false};
  auto result = std::async(std::launch::async, [&] {
    return windowThread.Call([&ran] {
      ran = true;
      return 1;
    });
  });
  QElapsedTimer clock;
  clock.start();
  while (windowThread.PendingCount() == 0 && clock.elapsed() < 2000) std::this_thread::yield();
  ASSERT_EQ(windowThread.PendingCount(), 1);

  clock.restart();
  windowThread.BeginClosing();
  ASSERT_EQ(result.wait_for(std::chrono::seconds(2)), std::future_status::ready);
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_FALSE(result.get().has_value());

  // The abandoned call never runs, and later calls are refused at once.
  QCoreApplication::processEvents();
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
  QDialog window;
  WindowThread windowThread(&window);
  std::atomic<bool> ranOnWindowThread{false};
  QThread *const windowQThread = QThread::currentThread();
  std::thread worker([&] {
    EXPECT_TRUE(windowThread.Send(
        [&] { ranOnWindowThread = QThread::currentThread() == windowQThread; }));
  });
  windowThread.RunServingCalls([&] { worker.join(); });
  EXPECT_TRUE(ranOnWindowThread);
  EXPECT_FALSE(windowThread.IsClosing()) << "calls are taken again afterwards";
}

TEST(WindowThreadCall, DestroyingTheWindowReleasesTheWaiter) {
  auto window = std::make_unique<QDialog>();
  auto *windowThread = new WindowThread(window.get());
  auto result = std::async(std::launch::async,
                           [channel = windowThread->Channel()] { return channel->Send([] {}); });
  QElapsedTimer clock;
  clock.start();
  while (windowThread->PendingCount() == 0 && clock.elapsed() < 2000) std::this_thread::yield();
  window.reset();  // Deletes the WindowThread with it.
  ASSERT_EQ(result.wait_for(std::chrono::seconds(2)), std::future_status::ready);
  EXPECT_FALSE(result.get());
  QCoreApplication::processEvents();  // The posted drain is gone with its receiver.
  EXPECT_EQ(WindowChannel::Find(nullptr), nullptr);
}

}  // namespace
}  // namespace vf::ui

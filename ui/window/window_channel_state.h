// The state a window's channel keeps under its lock: what other threads sent
// (each with a caller waiting for it) and posted, and how to wake the window.
// For window_thread.cpp, and for the tests that look at what waits.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "ui/window/window_thread.h"

namespace vf::ui {

struct WindowChannel::State {
  struct Call {
    std::function<void()> fn;
    bool done = false;
  };

  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::shared_ptr<Call>> calls;  // Sent: a caller waits for each.
  std::deque<std::function<void()>> posted;
  std::function<void()> wake;  // Empty once closing.
  bool closing = false;
};

}  // namespace vf::ui

// What the window layer's tests see of a window's channel and the program
// never asks: how many calls other threads have sent and wait for.
// WindowChannel names this class its friend.
#pragma once

#include <mutex>

#include "ui/window/window_channel_state.h"

namespace vf::ui {

class WindowChannelProbe {
 public:
  static int PendingCount(const WindowChannel &channel) {
    const std::lock_guard lock(channel.m_state->mutex);
    return static_cast<int>(channel.m_state->calls.size());
  }
};

}  // namespace vf::ui

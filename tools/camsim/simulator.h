// The main loop: receive requests, decide, send answers paced and delayed.
#pragma once

#include <netinet/in.h>

#include <cstdint>

#include "camera_service.h"
#include "event_log.h"
#include "network.h"
#include "options.h"
#include "outbox.h"

namespace vf::camsim {

class Simulator {
 public:
  Simulator(const Options &options, Fleet &fleet, GroupListener &listener, GroupSender &sender,
            EventLog &log);

  // Runs until `stop_fd` becomes readable. Every wait is bounded.
  void run(int stop_fd);

  std::uint64_t requests_received() const { return requests_; }
  std::uint64_t datagrams_sent() const { return sent_; }

 private:
  void receive_waiting();
  void send_due(std::chrono::steady_clock::time_point now);

  const Options &options_;
  GroupListener &listener_;
  GroupSender &sender_;
  EventLog &log_;
  CameraService service_;
  Outbox outbox_;
  std::uint64_t requests_ = 0;
  std::uint64_t sent_ = 0;
};

}  // namespace vf::camsim

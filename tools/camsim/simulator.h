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

  std::uint64_t requests_received() const { return m_requests; }
  std::uint64_t datagrams_sent() const { return m_sent; }

 private:
  void receive_waiting();
  void send_due(std::chrono::steady_clock::time_point now);

  const Options &m_options;
  GroupListener &m_listener;
  GroupSender &m_sender;
  EventLog &m_log;
  CameraService m_service;
  Outbox m_outbox;
  std::uint64_t m_requests = 0;
  std::uint64_t m_sent = 0;
};

}  // namespace vf::camsim

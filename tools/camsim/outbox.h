// Answers waiting to be sent: due times (--delay), the announcement of every
// camera for each SEARCH, and repeats (--repeat, --repeat-camera).
//
// A SEARCH job composes announcements as it goes, so a 50,000-camera answer
// costs one job, not 50,000 stored datagrams.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "fleet.h"

namespace vf::camsim {

struct RepeatPolicy {
  int copies = 1;       // copies of each announcement
  int only_camera = 0;  // when not 0, only this camera number repeats
};

struct OutgoingBatch {
  int interface_index = 0;  // all datagrams of a batch leave through one interface
  std::vector<std::string> datagrams;
};

class Outbox {
 public:
  using Clock = std::chrono::steady_clock;

  Outbox(const Fleet &fleet, RepeatPolicy repeat) : m_fleet(fleet), m_repeat(repeat) {}

  void add_announcements(Clock::time_point due, int interface_index, std::uint32_t cseq,
                         std::string client_id);
  void add_reply(Clock::time_point due, int interface_index, std::string reply);

  bool empty() const { return m_jobs.empty(); }
  std::optional<Clock::time_point> next_due() const;

  // Up to `limit` datagrams that are due at `now`, in order, for one interface.
  OutgoingBatch take(Clock::time_point now, std::size_t limit);

 private:
  struct Job {
    Clock::time_point due;
    int interface_index = 0;
    bool announcements = false;
    std::uint32_t cseq = 0;
    std::string text;  // client id for announcements, the datagram for a reply
    std::size_t next_camera = 0;
    int copies_sent = 0;
  };
  int copies_for(const Camera &camera) const;

  const Fleet &m_fleet;
  RepeatPolicy m_repeat;
  std::deque<Job> m_jobs;  // due times only grow: one fixed delay for every request
};

}  // namespace vf::camsim

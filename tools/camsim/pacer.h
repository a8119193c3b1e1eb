// Limits outgoing datagrams to a rate, in batches rather than one sleep per
// datagram, so that even 180,000 per second are paced with millisecond timers.
#pragma once

#include <chrono>
#include <cstddef>

namespace vf::camsim {

class Pacer {
 public:
  using Clock = std::chrono::steady_clock;

  // rate_per_second 0: unpaced.
  Pacer(double rate_per_second, Clock::time_point now);

  bool unpaced() const { return m_rate <= 0; }
  // How many datagrams may leave at `now`.
  std::size_t allowance(Clock::time_point now);
  void spend(std::size_t count);
  // How long until one more datagram may leave (zero when one may now).
  Clock::duration time_to_next(Clock::time_point now);

 private:
  void refill(Clock::time_point now);

  double m_rate;
  double m_capacity;  // at most 20 ms worth of datagrams saved up
  double m_tokens;
  Clock::time_point m_last;
};

}  // namespace vf::camsim

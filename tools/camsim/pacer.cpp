#include "pacer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vf::camsim {

Pacer::Pacer(double rate_per_second, Clock::time_point now)
    : m_rate(rate_per_second),
      m_capacity(std::max(1.0, rate_per_second * 0.02)),
      m_tokens(1.0),
      m_last(now) {}

void Pacer::refill(Clock::time_point now) {
  if (now <= m_last) return;
  double seconds = std::chrono::duration<double>(now - m_last).count();
  m_tokens = std::min(m_capacity, m_tokens + seconds * m_rate);
  m_last = now;
}

std::size_t Pacer::allowance(Clock::time_point now) {
  if (unpaced()) return std::numeric_limits<std::size_t>::max();
  refill(now);
  return static_cast<std::size_t>(std::floor(m_tokens));
}

void Pacer::spend(std::size_t count) {
  if (!unpaced()) m_tokens -= static_cast<double>(count);
}

Pacer::Clock::duration Pacer::time_to_next(Clock::time_point now) {
  if (unpaced()) return Clock::duration::zero();
  refill(now);
  if (m_tokens >= 1.0) return Clock::duration::zero();
  auto wait = std::chrono::duration<double>((1.0 - m_tokens) / m_rate);
  return std::chrono::ceil<Clock::duration>(wait);
}

}  // namespace vf::camsim

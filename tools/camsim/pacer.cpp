#include "pacer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vf::camsim {

Pacer::Pacer(double rate_per_second, Clock::time_point now)
    : rate_(rate_per_second),
      capacity_(std::max(1.0, rate_per_second * 0.02)),
      tokens_(1.0),
      last_(now) {}

void Pacer::refill(Clock::time_point now) {
  if (now <= last_) return;
  double seconds = std::chrono::duration<double>(now - last_).count();
  tokens_ = std::min(capacity_, tokens_ + seconds * rate_);
  last_ = now;
}

std::size_t Pacer::allowance(Clock::time_point now) {
  if (unpaced()) return std::numeric_limits<std::size_t>::max();
  refill(now);
  return static_cast<std::size_t>(std::floor(tokens_));
}

void Pacer::spend(std::size_t count) {
  if (!unpaced()) tokens_ -= static_cast<double>(count);
}

Pacer::Clock::duration Pacer::time_to_next(Clock::time_point now) {
  if (unpaced()) return Clock::duration::zero();
  refill(now);
  if (tokens_ >= 1.0) return Clock::duration::zero();
  auto wait = std::chrono::duration<double>((1.0 - tokens_) / rate_);
  return std::chrono::ceil<Clock::duration>(wait);
}

}  // namespace vf::camsim

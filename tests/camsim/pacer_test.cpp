#include "pacer.h"

#include <gtest/gtest.h>

namespace vf::camsim {
namespace {

using Clock = Pacer::Clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;

// Sends whatever the pacer allows every millisecond for `duration`.
std::size_t sent_over(Pacer &pacer, Clock::time_point start, milliseconds duration) {
  std::size_t sent = 0;
  for (auto now = start; now <= start + duration; now += milliseconds(1)) {
    std::size_t allowed = pacer.allowance(now);
    pacer.spend(allowed);
    sent += allowed;
  }
  return sent;
}

TEST(PacerTest, UnpacedAllowsEverythingAtOnce) {
  Pacer pacer(0, Clock::now());
  EXPECT_TRUE(pacer.unpaced());
  EXPECT_GE(pacer.allowance(Clock::now()), 1'000'000u);
  EXPECT_EQ(pacer.time_to_next(Clock::now()), Clock::duration::zero());
}

TEST(PacerTest, HoldsTheRateOverASecond) {
  for (double rate : {50.0, 1000.0, 180000.0}) {
    Clock::time_point start{};
    Pacer pacer(rate, start);
    std::size_t sent = sent_over(pacer, start, milliseconds(1000));
    EXPECT_NEAR(static_cast<double>(sent), rate, rate * 0.01 + 2) << rate;
  }
}

TEST(PacerTest, IdleTimeDoesNotBuildABurst) {
  Clock::time_point start{};
  Pacer pacer(10000, start);
  // After ten idle seconds at most 20 ms worth may go at once.
  EXPECT_LE(pacer.allowance(start + std::chrono::seconds(10)), 200u);
}

TEST(PacerTest, SaysHowLongToWait) {
  Clock::time_point start{};
  Pacer pacer(100, start);  // one per 10 ms
  pacer.spend(pacer.allowance(start));
  Clock::duration wait = pacer.time_to_next(start);
  EXPECT_GT(wait, milliseconds(9));
  EXPECT_LE(wait, milliseconds(10));
  EXPECT_EQ(pacer.allowance(start + wait - microseconds(100)), 0u);
  EXPECT_EQ(pacer.allowance(start + wait), 1u);
}

}  // namespace
}  // namespace vf::camsim

#include "outbox.h"

#include <gtest/gtest.h>

namespace vf::camsim {
namespace {

using Clock = Outbox::Clock;
using std::chrono::milliseconds;

std::string device_of(const std::string &announcement) {
  std::size_t at = announcement.find("Device-ID=") + 10;
  return announcement.substr(at, 32);
}

class OutboxTest : public ::testing::Test {
 protected:
  Fleet fleet{1, 4};
  Clock::time_point start = Clock::now();

  std::vector<std::string> drain(Outbox &outbox, Clock::time_point now) {
    std::vector<std::string> all;
    for (;;) {
      OutgoingBatch batch = outbox.take(now, 3);
      if (batch.datagrams.empty()) return all;
      all.insert(all.end(), batch.datagrams.begin(), batch.datagrams.end());
    }
  }
};

TEST_F(OutboxTest, NothingLeavesBeforeItIsDue) {
  Outbox outbox(fleet, {});
  outbox.add_reply(start + milliseconds(50), 2, "late");
  EXPECT_TRUE(outbox.take(start + milliseconds(49), 10).datagrams.empty());
  EXPECT_EQ(outbox.next_due(), start + milliseconds(50));
  OutgoingBatch batch = outbox.take(start + milliseconds(50), 10);
  ASSERT_EQ(batch.datagrams.size(), 1u);
  EXPECT_EQ(batch.datagrams[0], "late");
  EXPECT_EQ(batch.interface_index, 2);
  EXPECT_TRUE(outbox.empty());
}

TEST_F(OutboxTest, OneAnnouncementPerCameraInBatchesUpToTheLimit) {
  Outbox outbox(fleet, {});
  outbox.add_announcements(start, 1, 5, "client");
  OutgoingBatch first = outbox.take(start, 3);
  EXPECT_EQ(first.datagrams.size(), 3u);
  OutgoingBatch second = outbox.take(start, 3);
  ASSERT_EQ(second.datagrams.size(), 1u);
  EXPECT_EQ(device_of(second.datagrams[0]), fleet.at(3).device_id);
  EXPECT_TRUE(outbox.empty());
}

TEST_F(OutboxTest, RepeatSendsEveryAnnouncementNTimes) {
  Outbox outbox(fleet, {3, 0});
  outbox.add_announcements(start, 1, 5, "client");
  std::vector<std::string> sent = drain(outbox, start);
  ASSERT_EQ(sent.size(), 12u);
  EXPECT_EQ(device_of(sent[2]), fleet.at(0).device_id);
  EXPECT_EQ(device_of(sent[3]), fleet.at(1).device_id);
}

TEST_F(OutboxTest, RepeatCameraRepeatsOnlyThatCamera) {
  Outbox outbox(fleet, {2, 3});
  outbox.add_announcements(start, 1, 5, "client");
  std::vector<std::string> sent = drain(outbox, start);
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(device_of(sent[2]), fleet.at(2).device_id);
  EXPECT_EQ(device_of(sent[3]), fleet.at(2).device_id);
  EXPECT_EQ(device_of(sent[4]), fleet.at(3).device_id);
}

TEST_F(OutboxTest, ABatchNeverMixesInterfaces) {
  Outbox outbox(fleet, {});
  outbox.add_reply(start, 1, "a");
  outbox.add_reply(start, 2, "b");
  outbox.add_reply(start, 2, "c");
  EXPECT_EQ(outbox.take(start, 10).datagrams, std::vector<std::string>{"a"});
  OutgoingBatch batch = outbox.take(start, 10);
  EXPECT_EQ(batch.interface_index, 2);
  EXPECT_EQ(batch.datagrams, (std::vector<std::string>{"b", "c"}));
}

TEST_F(OutboxTest, EmptyFleetQueuesNothing) {
  Fleet none(1, 0);
  Outbox outbox(none, {});
  outbox.add_announcements(start, 1, 5, "client");
  EXPECT_TRUE(outbox.empty());
}

}  // namespace
}  // namespace vf::camsim

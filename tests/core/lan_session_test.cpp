// The engine session both front ends command cameras through: every command ends in exactly one
// outcome, one command at a time, a silence renews the session before the next, and the Update
// follows accepted settings with the port command. The answers are played as the engine's worker
// would deliver them; the engine runs on the private LAN, without cameras.
#include "core/lan_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "fake_adapter_source.h"

namespace vf::core {
namespace {

using namespace std::chrono_literals;

DeviceRecord Camera() {
  DeviceRecord device{};
  std::strcpy(device.deviceId, "0123456789abcdef0123456789abcdef");
  std::strcpy(device.network.macAddress, "00:1A:3F:00:00:01");
  return device;
}

// Outcomes as they arrive, from whichever thread.
class Outcomes {
 public:
  void Add(Outcome outcome) {
    {
      const std::lock_guard lock(m_mutex);
      m_outcomes.push_back(outcome);
    }
    m_arrived.notify_all();
  }
  // The outcomes once `count` have come (bounded), then a moment more for any extra one.
  std::vector<Outcome> After(std::size_t count) {
    std::unique_lock lock(m_mutex);
    m_arrived.wait_for(lock, 10s, [&] { return m_outcomes.size() >= count; });
    m_arrived.wait_for(lock, 200ms, [&] { return m_outcomes.size() > count; });
    return m_outcomes;
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_arrived;
  std::vector<Outcome> m_outcomes;
};

class LanSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_adapters.Add("lo", 1, {{"127.0.0.1", "255.0.0.0"}});
    ASSERT_TRUE(m_session.Open());
  }
  Dispatch Send(Outcomes &outcomes, std::chrono::milliseconds timeout = 5s) {
    const DeviceRecord camera = Camera();
    const CommandTarget target{camera.deviceId, "admin", "admin"};
    return m_session.Send(target, CMD_HTTPPORT, "8080", timeout,
                          [&outcomes](Outcome outcome) { outcomes.Add(outcome); });
  }
  void Answer(const char *status) {
    std::thread worker([&] { m_session.OnCommandAnswer(status); });
    worker.join();
  }

  testing::FakeAdapterSource m_adapters;
  DeviceStore m_devices;
  LanSession m_session{m_adapters, m_devices};
};

TEST_F(LanSessionTest, EachCommandEndsInOneOutcomeAndOneAwaitsAtATime) {
  Outcomes outcomes;
  ASSERT_EQ(Send(outcomes), Dispatch::Sent);
  EXPECT_TRUE(m_session.CommandPending());
  Outcomes other;
  EXPECT_EQ(Send(other), Dispatch::Busy) << "the answer could not tell the two apart";
  Answer("MCTP/1.0 403 Forbidden");
  Answer("MCTP/1.0 200 OK");  // a second answer nothing waits for
  EXPECT_EQ(outcomes.After(1), std::vector<Outcome>{Outcome::Forbidden});
  EXPECT_FALSE(m_session.CommandPending());
}

TEST_F(LanSessionTest, SilenceIsToldOnceAndTheNextCommandGoesOutFromANewSession) {
  Outcomes outcomes;
  ASSERT_EQ(Send(outcomes, 100ms), Dispatch::Sent);
  // Only a new engine session reads the adapters again. (A freed handle's address may come back,
  // so the handle cannot tell.)
  m_adapters.Add("second", 2, {{"10.99.0.1", "255.255.255.0"}});
  EXPECT_EQ(outcomes.After(1), std::vector<Outcome>{Outcome::NoAnswer});
  Answer("MCTP/1.0 200 OK");  // too late: it must not pass for the next command's answer
  Outcomes next;
  ASSERT_EQ(Send(next), Dispatch::Sent);
  EXPECT_EQ(m_session.PcAddresses().size(), 2u) << "a new identity on the wire";
  Answer("MCTP/1.0 200 OK");
  EXPECT_EQ(next.After(1), std::vector<Outcome>{Outcome::Accepted});
}

TEST_F(LanSessionTest, TheUpdateFollowsAcceptedSettingsWithThePortCommand) {
  NetworkChange change;
  change.portCommand = HttpPort::Parse("8090");
  std::atomic<int> restarting{0};
  Outcomes finished;
  std::atomic<bool> portStep{false};
  LanSession::UpdateEvents events;
  events.restarting = [&] { ++restarting; };
  events.finished = [&](const UpdateResult &result) {
    portStep = result.portStep;
    finished.Add(result.outcome);
  };
  ASSERT_EQ(m_session.StartUpdate(Camera(), "admin", "admin", change, 5s, events), Dispatch::Sent);
  Answer("MCTP/1.0 200 OK");
  EXPECT_EQ(restarting, 1) << "the port command went out";
  EXPECT_TRUE(m_session.CommandPending()) << "and awaits its own answer";
  Answer("QNS/1.0 401 Unauthorized");
  EXPECT_EQ(finished.After(1), std::vector<Outcome>{Outcome::Unauthorized});
  EXPECT_TRUE(portStep);

  // Refused settings end the Update: no port command follows.
  Outcomes refused;
  events.finished = [&](const UpdateResult &result) { refused.Add(result.outcome); };
  ASSERT_EQ(m_session.StartUpdate(Camera(), "admin", "admin", change, 5s, events), Dispatch::Sent);
  Answer("MCTP/1.0 403 Forbidden");
  EXPECT_EQ(refused.After(1), std::vector<Outcome>{Outcome::Forbidden});
  EXPECT_EQ(restarting, 1);
  EXPECT_FALSE(m_session.CommandPending());
}

}  // namespace
}  // namespace vf::core

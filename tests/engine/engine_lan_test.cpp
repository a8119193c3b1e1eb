// The engine over real multicast on the private LAN: datagrams sent from the
// camera side, requests caught there, and simulated cameras answering.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "devsearch.h"
#include "platform/receive_stats.h"
#include "private_lan.h"
#include "session.h"
#include "test_seams.h"

namespace {

using namespace std::chrono_literals;
using vf::testing::CameraSocket;
using vf::testing::WaitFor;

constexpr int kPort = 8002;

// What the callbacks saw, filled on the worker thread.
struct Inbox {
  std::mutex mutex;
  std::vector<DeviceRecord> records;
  std::vector<std::string> statuses;
  std::atomic<int> announcements{0};
  std::atomic<int> answers{0};

  static int OnDevice(SearchSession *, const char *, const void *data, void *user) {
    auto *self = static_cast<Inbox *>(user);
    std::lock_guard lock(self->mutex);
    self->records.push_back(*static_cast<const DeviceRecord *>(data));
    self->announcements++;
    return 0;
  }
  static int OnAnswer(SearchSession *, const char *status, const void *, void *user) {
    auto *self = static_cast<Inbox *>(user);
    std::lock_guard lock(self->mutex);
    self->statuses.push_back(status);
    self->answers++;
    return 0;
  }
};

std::string Announcement(const std::string &clientId, int n, const std::string &extra = "") {
  char id[33];
  std::snprintf(id, sizeof id, "%032d", n);
  return "QNS/1.0 200 OK\r\nCSeq:1\r\nClient-ID:" + clientId + "\r\n\r\nDevice-ID=" + id +
         "\r\nMAC=00:1A:3F:00:" + std::to_string(n) + "\r\nDevice-Name=cam" + std::to_string(n) +
         "\r\n" + extra;
}

void SetLocalAddresses(const std::vector<std::string> &addresses) {
  std::vector<std::array<char, 16>> table(addresses.size());
  for (size_t i = 0; i < addresses.size(); ++i) {
    std::snprintf(table[i].data(), 16, "%s", addresses[i].c_str());
  }
  ASSERT_EQ(DEVSEARCH_OK,
            DevSearch_SetLocalAddresses(reinterpret_cast<const char(*)[16]>(table.data()),
                                        static_cast<int>(table.size())));
}

class EngineOnLan : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN of privlan.sh";
    ASSERT_EQ(DEVSEARCH_OK, DevSearch_Create(vf::testing::kGroup, kPort, 4, &session_));
    DevSearch_SetSearchCallback(session_, Inbox::OnDevice, &inbox_);
    DevSearch_SetCommandCallback(session_, Inbox::OnAnswer, &inbox_);
    SetLocalAddresses(vf::testing::PcAddresses());
  }
  void TearDown() override {
    if (session_ != nullptr) {
      EXPECT_EQ(DEVSEARCH_OK, DevSearch_Destroy(session_));
    }
  }
  std::string ClientId() const { return session_->clientId; }
  // Datagrams in the ring that the worker has not handled yet.
  int HeldRingSlots() const {
    int held = 0;
    for (const auto &slot : session_->ring) held += slot.load() != nullptr;
    return held;
  }

  SearchSession *session_ = nullptr;
  Inbox inbox_;
};

TEST_F(EngineOnLan, KeepsOnlyDatagramsWithItsOwnClientId) {
  CameraSocket camera(vf::testing::CameraAddresses()[0], 0);
  ASSERT_TRUE(camera.ok());
  std::string other = ClientId();
  other[0] = other[0] == 'a' ? 'b' : 'a';
  camera.Send(Announcement(other, 1), kPort);                                   // someone else's
  camera.Send(Announcement(std::string(1, ' ').append(ClientId()), 2), kPort);  // blank after colon
  camera.Send("Device-ID=00000000000000000000000000000003\r\n", kPort);         // no Client-ID
  camera.Send(Announcement(ClientId(), 4, "IP=\r\nMASK=10.0.0.0\r\n"), kPort);  // ours
  // One more of ours marks the end: once it has come through and no ring slot is held, every
  // datagram sent before it has been read, and either dropped or handed over.
  camera.Send(Announcement(ClientId(), 99), kPort);
  ASSERT_TRUE(WaitFor([&] { return inbox_.announcements >= 2; }));
  ASSERT_TRUE(WaitFor([&] { return HeldRingSlots() == 0; }));
  std::lock_guard lock(inbox_.mutex);
  ASSERT_EQ(2u, inbox_.records.size());
  EXPECT_STREQ("cam4", inbox_.records[0].deviceName);
  EXPECT_STREQ("0.0.0.0", inbox_.records[0].network.ipAddress);
  EXPECT_STREQ("", inbox_.records[0].network.gateway);
  EXPECT_STREQ("cam99", inbox_.records[1].deviceName) << "the marker";
}

TEST_F(EngineOnLan, LongDatagramIsCutAndNothingReadsPastIt) {
  CameraSocket camera(vf::testing::CameraAddresses()[0], 0);
  std::string text = Announcement(ClientId(), 5);
  text += "Device-Model=" + std::string(2045 - text.size() - 13 - 2, 'm') + "\r\n";
  ASSERT_EQ(2045u, text.size());
  text += "Software-Version=beyond the cut\r\n";  // Only "So" is within 2047 characters.
  text += std::string(3000, 'x');
  ASSERT_TRUE(camera.Send(text, kPort));
  ASSERT_TRUE(WaitFor([&] { return inbox_.announcements >= 1; }));
  std::lock_guard lock(inbox_.mutex);
  EXPECT_EQ(40u, std::strlen(inbox_.records[0].deviceModel)) << "cut to its field";
  EXPECT_STREQ("", inbox_.records[0].softwareVersion);
}

TEST_F(EngineOnLan, SearchGoesOutOnceOverEachLocalAddressWithTheNextNumber) {
  CameraSocket listener(vf::testing::CameraAddresses()[0], kPort);
  ASSERT_TRUE(listener.ok());
  ASSERT_EQ(DEVSEARCH_OK, DevSearch_Search(session_));
  const std::string expected = "SEARCH * QNS/1.0\r\nCSeq:1\r\nClient-ID:" + ClientId() +
                               "\r\nAccept-Type:text/QNP\r\nContent-Length:0\r\n\r\n";
  size_t copies = 0;
  for (std::string got; !(got = listener.Receive(500ms)).empty();) {
    EXPECT_EQ(expected, got);
    ++copies;
  }
  EXPECT_EQ(vf::testing::PcAddresses().size(), copies);
}

// One announcement from the camera end of every link; true once the
// session's callback has seen all of them.
bool EveryLinkHeard(SearchSession *session, Inbox &inbox) {
  auto cameras = vf::testing::CameraAddresses();
  const int before = inbox.announcements;
  for (size_t link = 0; link < cameras.size(); ++link) {
    CameraSocket camera(cameras[link], 0);
    if (!camera.Send(Announcement(session->clientId, static_cast<int>(link) + 1), kPort)) {
      return false;
    }
  }
  return WaitFor([&] { return inbox.announcements - before == static_cast<int>(cameras.size()); });
}

TEST(EngineSendSockets, AnAddressThatCannotBeBoundOrJoinedIsSkipped) {
  if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN of privlan.sh";
  auto pc = vf::testing::PcAddresses();
  ASSERT_GE(pc.size(), 2u);
  SetLocalAddresses({pc[0], "10.99.0.1", pc[1]});  // The middle one is nobody's.
  SearchSession *session = nullptr;
  ASSERT_EQ(DEVSEARCH_OK, DevSearch_Create(vf::testing::kGroup, kPort, 4, &session));
  Inbox inbox;
  DevSearch_SetSearchCallback(session, Inbox::OnDevice, &inbox);
  CameraSocket listener(vf::testing::CameraAddresses()[0], kPort);
  testing::internal::CaptureStdout();
  ASSERT_EQ(DEVSEARCH_OK, DevSearch_Search(session));
  std::string said = testing::internal::GetCapturedStdout();
  EXPECT_EQ(std::string::npos, said.find(pc[0])) << said;
#if defined(_WIN32)
  // Wine binds a datagram socket to an address that no adapter has as if to
  // the wildcard address (Windows and Linux refuse it): there only the join
  // fails.
  EXPECT_NE(std::string::npos, said.find(" 4 IP_ADD_MEMBERSHIP 10.99.0.1\n")) << said;
#else
  EXPECT_NE(std::string::npos, said.find(" 4 IP_ADD_MEMBERSHIP 10.99.0.1\n"
                                         " 3 bind failure\n<DevSearch>create socket error.\n"))
      << said;
  int copies = 0;
  while (!listener.Receive(500ms).empty()) ++copies;
  EXPECT_EQ(2, copies);
  EXPECT_EQ(2u, session->sendSocketCount);
#endif
  EXPECT_TRUE(EveryLinkHeard(session, inbox)) << "only the bad address is skipped";
  EXPECT_EQ(DEVSEARCH_OK, DevSearch_Destroy(session));
}

// The group socket's first join follows the route for the group, so before
// the first search only that link is heard; the search joins on every local
// address. With no route at all (VF_EXPECT_NO_ROUTE set, privlan.sh
// --no-multicast-route) the first join fails and the search still mends it.
TEST(EngineJoins, TheFirstSearchMakesEveryLinkHeard) {
  if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN of privlan.sh";
  ASSERT_GE(vf::testing::CameraAddresses().size(), 2u);
  SetLocalAddresses(vf::testing::PcAddresses());
  SearchSession *session = nullptr;
  testing::internal::CaptureStdout();
  ASSERT_EQ(DEVSEARCH_OK, DevSearch_Create(vf::testing::kGroup, kPort, 4, &session));
  const bool noRoute = std::getenv("VF_EXPECT_NO_ROUTE") != nullptr;
  EXPECT_EQ(noRoute ? " 4 IP_ADD_MEMBERSHIP\n" : "", testing::internal::GetCapturedStdout());
  Inbox inbox;
  DevSearch_SetSearchCallback(session, Inbox::OnDevice, &inbox);

  testing::internal::CaptureStdout();
  ASSERT_EQ(DEVSEARCH_OK, DevSearch_Search(session));
  EXPECT_EQ("", testing::internal::GetCapturedStdout()) << "every join succeeds";
  EXPECT_TRUE(EveryLinkHeard(session, inbox)) << inbox.announcements;
  std::lock_guard lock(inbox.mutex);
  EXPECT_EQ(2u, inbox.records.size()) << "each heard once";
  EXPECT_EQ(DEVSEARCH_OK, DevSearch_Destroy(session));
}

TEST(EngineCreate, BusyPortIsASocketError) {
  if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN of privlan.sh";
  vf::testing::PortHolder blocker(12109);
  ASSERT_TRUE(blocker.held());
  SearchSession *session = reinterpret_cast<SearchSession *>(0x1);
  testing::internal::CaptureStdout();
  EXPECT_EQ(DEVSEARCH_ERR_SOCKET, DevSearch_Create(vf::testing::kGroup, 12109, 4, &session));
  EXPECT_EQ(" 3 bind failure\n<DevSearch>create socket error.\n",
            testing::internal::GetCapturedStdout());
  EXPECT_EQ(reinterpret_cast<SearchSession *>(0x1), session);
}

TEST(EngineCreate, FailedJoinStillGivesASession) {
  if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN of privlan.sh";
  SearchSession *session = nullptr;
  testing::internal::CaptureStdout();
  EXPECT_EQ(DEVSEARCH_OK, DevSearch_Create("10.1.2.3", kPort, 4, &session));  // Not a group.
  EXPECT_EQ(" 4 IP_ADD_MEMBERSHIP\n", testing::internal::GetCapturedStdout());
  EXPECT_EQ(DEVSEARCH_OK, DevSearch_Destroy(session));
}

TEST(EngineCreate, AllocationAndThreadFailuresReleaseEverything) {
  if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN of privlan.sh";
  SearchSession *untouched = reinterpret_cast<SearchSession *>(0x1);
  SearchSession *session = untouched;

  devsearch::seams::failNextAllocation = true;
  testing::internal::CaptureStdout();
  EXPECT_EQ(DEVSEARCH_ERR_NO_MEMORY, DevSearch_Create(vf::testing::kGroup, kPort, 4, &session));
  EXPECT_EQ("<DevSearch>malloc error.\n", testing::internal::GetCapturedStdout());

  using devsearch::EngineThread;
  for (EngineThread which : {EngineThread::kReceive, EngineThread::kWorker}) {
    devsearch::seams::failThreadStart = which;
    EXPECT_EQ(DEVSEARCH_ERR_THREAD, DevSearch_Create(vf::testing::kGroup, kPort, 4, &session));
  }
  EXPECT_EQ(untouched, session);
  // The port is free again: nothing of the failed sessions is left open.
  EXPECT_TRUE(vf::testing::PortHolder(kPort).held());
}

// A burst far beyond the ring while the worker is held up: nothing that
// passed the Client-ID test may be lost, because the receive thread waits
// for a slot instead of dropping.
TEST(EngineRing, BurstBeyondTheRingLosesNothing) {
  if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN of privlan.sh";
  static std::atomic<bool> slowStart;
  slowStart = true;
  SearchSession *session = nullptr;
  ASSERT_EQ(DEVSEARCH_OK, DevSearch_Create(vf::testing::kGroup, kPort, 4, &session));
  std::atomic<int> seen{0};
  DevSearch_SetSearchCallback(
      session,
      [](SearchSession *, const char *, const void *, void *user) {
        // Hold the worker on the first announcement until the ring is full.
        if (slowStart.exchange(false)) std::this_thread::sleep_for(400ms);
        ++*static_cast<std::atomic<int> *>(user);
        return 0;
      },
      &seen);
  CameraSocket camera(vf::testing::CameraAddresses()[0], 0);
  constexpr int kBurst = 3000;
  std::string id = session->clientId;
  for (int i = 0; i < kBurst; ++i) {
    ASSERT_TRUE(camera.Send(Announcement(id, i), kPort));
    // Gentle enough for the virtual link itself never to drop.
    if (i % 100 == 99) std::this_thread::sleep_for(1ms);
  }
  EXPECT_TRUE(WaitFor([&] { return seen.load() == kBurst; }, 20s)) << seen.load();
  EXPECT_EQ(DEVSEARCH_OK, DevSearch_Destroy(session));
}

// Loss is never silent: with the engine's request held to a small buffer and
// the worker held up, a burst overflows the socket, and every datagram sent is
// either delivered or counted among the drops that the receive statistics
// read for the engine's port.
TEST(EngineReceiveBuffer, EveryDatagramIsDeliveredOrCountedAsDropped) {
  if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN of privlan.sh";
#if defined(_WIN32)
  GTEST_SKIP() << "Windows counts no drops per socket";
#endif
  constexpr int kCap = 16384;
  devsearch::seams::receiveBufferCap = kCap;
  SearchSession *session = nullptr;
  ASSERT_EQ(DEVSEARCH_OK, DevSearch_Create(vf::testing::kGroup, kPort, 4, &session));
  devsearch::seams::receiveBufferCap = 0;
  static std::atomic<bool> open;
  open = false;
  std::atomic<int> delivered{0};
  DevSearch_SetSearchCallback(
      session,
      [](SearchSession *, const char *, const void *, void *user) {
        ++*static_cast<std::atomic<int> *>(user);
        while (!open) std::this_thread::sleep_for(1ms);
        return 0;
      },
      &delivered);
  auto before = vf::platform::ReadReceiveStats(kPort);
  ASSERT_TRUE(before.has_value());
  EXPECT_EQ(kCap, before->bufferBytes);

  CameraSocket camera(vf::testing::CameraAddresses()[0], 0);
  constexpr int kBurst = 1500;  // Far beyond the ring and the 16 KiB.
  std::string id = session->clientId;
  for (int i = 0; i < kBurst; ++i) ASSERT_TRUE(camera.Send(Announcement(id, i), kPort));
  open = true;
  uint64_t drops = 0;
  EXPECT_TRUE(WaitFor([&] {
    auto now = vf::platform::ReadReceiveStats(kPort);
    drops = now ? now->drops - before->drops : 0;
    return delivered + static_cast<int>(drops) == kBurst;
  })) << delivered
      << " delivered, " << drops << " dropped";
  EXPECT_GT(drops, 0u);
  EXPECT_EQ(DEVSEARCH_OK, DevSearch_Destroy(session));
}

TEST(EngineDestroy, QueuedDatagramsAreDiscardedWithoutCallbacks) {
  if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN of privlan.sh";
  SetLocalAddresses(vf::testing::PcAddresses());
  SearchSession *session = nullptr;
  ASSERT_EQ(DEVSEARCH_OK, DevSearch_Create(vf::testing::kGroup, kPort, 4, &session));
  struct Gate {
    std::atomic<int> calls{0};
    std::atomic<bool> open{false};
  } gate;
  DevSearch_SetSearchCallback(
      session,
      [](SearchSession *, const char *, const void *, void *user) {
        auto *g = static_cast<Gate *>(user);
        g->calls++;
        while (!g->open) std::this_thread::sleep_for(1ms);
        return 0;
      },
      &gate);
  CameraSocket camera(vf::testing::CameraAddresses()[0], 0);
  std::string id = session->clientId;
  for (int i = 0; i < 50; ++i) camera.Send(Announcement(id, i), kPort);
  ASSERT_TRUE(WaitFor([&] { return gate.calls == 1; }));
  auto queued = [&] {
    int n = 0;
    for (auto &slot : session->ring) n += slot.load() != nullptr;
    return n;
  };
  ASSERT_TRUE(WaitFor([&] { return queued() >= 40; }));

  std::atomic<bool> destroyed{false};
  std::thread closer([&] {
    EXPECT_EQ(DEVSEARCH_OK, DevSearch_Destroy(session));
    destroyed = true;
  });
  std::this_thread::sleep_for(100ms);
  EXPECT_FALSE(destroyed) << "Destroy waits for the running callback";
  gate.open = true;
  closer.join();
  EXPECT_EQ(1, gate.calls);
}

TEST(EngineCallbacks, MayRequestButNotDestroyFromInside) {
  if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN of privlan.sh";
  SetLocalAddresses(vf::testing::PcAddresses());
  SearchSession *session = nullptr;
  ASSERT_EQ(DEVSEARCH_OK, DevSearch_Create(vf::testing::kGroup, kPort, 4, &session));
  struct Results {
    std::atomic<int> search{-1}, destroy{-1};
  } results;
  DevSearch_SetSearchCallback(
      session,
      [](SearchSession *s, const char *, const void *, void *user) {
        auto *r = static_cast<Results *>(user);
        r->destroy = DevSearch_Destroy(s);
        r->search = DevSearch_Search(s);
        return 0;
      },
      &results);
  CameraSocket camera(vf::testing::CameraAddresses()[0], 0);
  camera.Send(Announcement(session->clientId, 1), kPort);
  ASSERT_TRUE(WaitFor([&] { return results.search != -1; }));
  EXPECT_EQ(DEVSEARCH_ERR_INVALID_ARG, results.destroy.load());
  EXPECT_EQ(DEVSEARCH_OK, results.search.load());
  EXPECT_EQ(DEVSEARCH_OK, DevSearch_Destroy(session));
}

}  // namespace

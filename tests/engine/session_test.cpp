// The engine's interface without a network: result codes for every misuse,
// the record layout callers map, and the matching of command answers, driven
// on a session that has no threads and no sockets.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "devsearch.h"
#include "session.h"

namespace {

constexpr const char *kDeviceId = "0123456789abcdef0123456789ABCDEF";

// A session as Create leaves it, but with no socket and no thread: requests
// go nowhere (no send socket is open) and datagrams are handed in directly.
SearchSession *MakeOfflineSession(const char *clientId = "AbCdEfGhIjKlMnOpQrStUvWxYzAbCdEf") {
  auto *s = new SearchSession;
  s->sendSockets.fill(devsearch::net::kNoSocket);
  std::snprintf(s->clientId, sizeof s->clientId, "%s", clientId);
  return s;
}

struct Reports {
  std::vector<std::string> statuses;
  std::vector<DeviceRecord> records;
};

int Record(SearchSession *, const char *status, const void *data, void *user) {
  auto *r = static_cast<Reports *>(user);
  r->statuses.push_back(status);
  r->records.push_back(*static_cast<const DeviceRecord *>(data));
  return 0;
}

std::string Reply(const char *status, uint32_t cseq, const char *clientId) {
  return std::string(status) + "\r\nCSeq:" + std::to_string(cseq) + "\r\nClient-ID:" + clientId +
         "\r\n\r\n";
}

TEST(RecordLayout, MatchesTheWireContract) {
  EXPECT_EQ(540u, sizeof(DeviceRecord));
  EXPECT_EQ(108u, sizeof(NetworkSettings));
  EXPECT_EQ(136u, sizeof(DdnsSettings));
  EXPECT_EQ(96u, sizeof(VendorIdentity));
  EXPECT_EQ(0u, offsetof(DeviceRecord, deviceId));
  EXPECT_EQ(33u, offsetof(DeviceRecord, deviceModel));
  EXPECT_EQ(74u, offsetof(DeviceRecord, softwareVersion));
  EXPECT_EQ(107u, offsetof(DeviceRecord, webVersion));
  EXPECT_EQ(140u, offsetof(DeviceRecord, deviceName));
  EXPECT_EQ(181u, offsetof(DeviceRecord, httpPort));
  EXPECT_EQ(200u, offsetof(DeviceRecord, network));
  EXPECT_EQ(308u, offsetof(DeviceRecord, ddns));
  EXPECT_EQ(444u, offsetof(DeviceRecord, identity));
  EXPECT_EQ(68u, offsetof(NetworkSettings, dhcp));
}

TEST(Misuse, EveryEntryPointRefusesNullArguments) {
  SearchSession *out = reinterpret_cast<SearchSession *>(0x1);
  EXPECT_EQ(DEVSEARCH_ERR_INVALID_ARG, DevSearch_Create(nullptr, 8002, 4, &out));
  EXPECT_EQ(reinterpret_cast<SearchSession *>(0x1), out) << "failure leaves the out-pointer alone";
  EXPECT_EQ(DEVSEARCH_ERR_INVALID_ARG, DevSearch_Create("239.255.255.250", 8002, 4, nullptr));
  EXPECT_EQ(DEVSEARCH_ERR_INVALID_ARG, DevSearch_Destroy(nullptr));
  EXPECT_EQ(DEVSEARCH_ERR_INVALID_ARG, DevSearch_SetSearchCallback(nullptr, Record, nullptr));
  EXPECT_EQ(DEVSEARCH_ERR_INVALID_ARG, DevSearch_SetCommandCallback(nullptr, Record, nullptr));
  EXPECT_EQ(DEVSEARCH_ERR_INVALID_ARG, DevSearch_Search(nullptr));
  char port[] = "80";
  CommandTarget target{kDeviceId, "", ""};
  EXPECT_EQ(DEVSEARCH_ERR_INVALID_ARG, DevSearch_SendCommand(nullptr, &target, CMD_HTTPPORT, port));

  char table[2][16] = {"10.0.0.1", "10.0.0.2"};
  EXPECT_EQ(DEVSEARCH_ERR_INVALID_ARG, DevSearch_SetLocalAddresses(nullptr, 2));
  EXPECT_EQ(DEVSEARCH_ERR_INVALID_ARG, DevSearch_SetLocalAddresses(table, 0));
  EXPECT_EQ(DEVSEARCH_ERR_INVALID_ARG, DevSearch_SetLocalAddresses(table, -1));
}

TEST(Misuse, SessionNeverSetUpIsNotReady) {
  SearchSession *s = MakeOfflineSession("");
  char port[] = "80";
  CommandTarget target{kDeviceId, "", ""};
  EXPECT_EQ(DEVSEARCH_ERR_NOT_READY, DevSearch_SetSearchCallback(s, Record, nullptr));
  EXPECT_EQ(DEVSEARCH_ERR_NOT_READY, DevSearch_SetCommandCallback(s, Record, nullptr));
  EXPECT_EQ(DEVSEARCH_ERR_NOT_READY, DevSearch_Search(s));
  EXPECT_EQ(DEVSEARCH_ERR_NOT_READY, DevSearch_SendCommand(s, &target, CMD_HTTPPORT, port));
  EXPECT_EQ(DEVSEARCH_ERR_NOT_READY, DevSearch_Destroy(s));
  delete s;
}

TEST(SendCommand, RefusalsSendNothingAndKeepTheCounter) {
  SearchSession *s = MakeOfflineSession();
  NetworkSettings net{};
  std::strcpy(net.ipAddress, "192.168.1.20");
  char port[] = "80";
  auto refused = [&](CommandTarget target, int kind, const void *params) {
    EXPECT_EQ(DEVSEARCH_ERR_INVALID_ARG, DevSearch_SendCommand(s, &target, kind, params));
    EXPECT_EQ(0u, s->cseq.load());
  };
  refused({nullptr, "", ""}, CMD_HTTPPORT, port);                            // no device id
  refused({kDeviceId, "", ""}, CMD_HTTPPORT, nullptr);                       // no parameter
  refused({"0123456789abcdef0123456789ABCDE", "", ""}, CMD_HTTPPORT, port);  // 31 characters
  refused({"0123456789abcdef0123456789ABCDEFx", "", ""}, CMD_HTTPPORT, port);  // 33 characters
  refused({kDeviceId, "", ""}, 0, port);                                     // unknown kind
  refused({kDeviceId, "", ""}, 6, port);                                     // unknown kind
  refused({kDeviceId, "admin\r\nX-Injected:1", ""}, CMD_HTTPPORT, port);     // header in user
  refused({kDeviceId, "admin", "pw\n"}, CMD_HTTPPORT, port);                 // LF in password
  std::string longUser(1000, 'u');
  refused({kDeviceId, longUser.c_str(), ""}, CMD_NETCONF, &net);  // request beyond 1023
  std::strcpy(net.gateway, "1.1.1.1\r\n");
  refused({kDeviceId, "", ""}, CMD_NETCONF, &net);  // line break in a value
  for (auto &entry : s->pendingCseq) EXPECT_EQ(0u, entry.load());
  delete s;
}

TEST(SendCommand, BeforeTheFirstSearchGoesNowhereButCounts) {
  SearchSession *s = MakeOfflineSession();
  char port[] = "8080";
  CommandTarget target{kDeviceId, nullptr, nullptr};
  EXPECT_EQ(DEVSEARCH_OK, DevSearch_SendCommand(s, &target, CMD_HTTPPORT, port));
  EXPECT_EQ(1u, s->cseq.load());
  EXPECT_EQ(1u, s->pendingCseq[0].load());
  EXPECT_EQ(0, s->sendSocketsOpen.load());
  delete s;
}

TEST(Search, FirstSearchWithoutLocalAddressesIsNotReady) {
  SearchSession *s = MakeOfflineSession();
  // This process never hands over any address, so the table is empty.
  EXPECT_EQ(DEVSEARCH_ERR_NOT_READY, DevSearch_Search(s));
  EXPECT_EQ(0u, s->cseq.load());
  EXPECT_EQ(0, s->sendSocketsOpen.load());
  delete s;
}

TEST(Callbacks, FirstRegistrationStays) {
  SearchSession *s = MakeOfflineSession();
  Reports first, second;
  EXPECT_EQ(DEVSEARCH_OK, DevSearch_SetSearchCallback(s, nullptr, &second));  // registers nothing
  EXPECT_EQ(DEVSEARCH_OK, DevSearch_SetSearchCallback(s, Record, &first));
  EXPECT_EQ(DEVSEARCH_OK,
            DevSearch_SetSearchCallback(
                s, [](SearchSession *, const char *, const void *, void *) { return 0; }, &second));
  devsearch::HandleDatagram(s, "Device-ID=0123\r\n");
  EXPECT_EQ(1u, first.records.size());
  EXPECT_TRUE(second.records.empty());
  delete s;
}

TEST(CommandReplies, MatchedOnceByRequestNumber) {
  SearchSession *s = MakeOfflineSession();
  Reports reports;
  DevSearch_SetCommandCallback(s, Record, &reports);
  char port[] = "80";
  CommandTarget target{kDeviceId, "admin", "admin"};
  ASSERT_EQ(DEVSEARCH_OK, DevSearch_SendCommand(s, &target, CMD_HTTPPORT, port));  // CSeq 1
  ASSERT_EQ(DEVSEARCH_OK, DevSearch_SendCommand(s, &target, CMD_HTTPPORT, port));  // CSeq 2
  const char *id = s->clientId;

  devsearch::HandleDatagram(s, Reply("QNS/1.0 401 Unauthorized", 2, id));
  devsearch::HandleDatagram(s, Reply("MCTP/1.0 200 OK", 2, id));  // second copy: not reported
  devsearch::HandleDatagram(s, Reply("MCTP/1.0 200 OK", 9, id));  // never sent
  devsearch::HandleDatagram(s, Reply("MCTP/1.0 200 OK", 0, id));  // 0 matches nothing
  devsearch::HandleDatagram(s, "MCTP/1.0 200 OK\r\nCSeq:x\r\n");   // not a number
  devsearch::HandleDatagram(s, "MCTP/1.0 200 OK\r\nClient-ID:x\r\n");  // no CSeq line
  devsearch::HandleDatagram(s, "QNS/1.0 403 Forbidden\r\nCSeq: 1\r\n");  // blank is harmless
  EXPECT_EQ((std::vector<std::string>{"401", "403"}), reports.statuses);
  DeviceRecord zero{};
  EXPECT_EQ(0, std::memcmp(&zero, &reports.records[0], sizeof zero)) << "answers carry no data";
  delete s;
}

TEST(CommandReplies, OnlyTheLastFiftyCommandsAreAnswered) {
  SearchSession *s = MakeOfflineSession();
  Reports reports;
  DevSearch_SetCommandCallback(s, Record, &reports);
  char port[] = "80";
  CommandTarget target{kDeviceId, "", ""};
  for (int i = 0; i < 51; ++i) DevSearch_SendCommand(s, &target, CMD_HTTPPORT, port);
  devsearch::HandleDatagram(s, Reply("MCTP/1.0 200 OK", 1, s->clientId));  // overwritten
  devsearch::HandleDatagram(s, Reply("MCTP/1.0 200 OK", 2, s->clientId));  // oldest still held
  devsearch::HandleDatagram(s, Reply("MCTP/1.0 200 OK", 51, s->clientId));
  EXPECT_EQ(2u, reports.statuses.size());
  delete s;
}

TEST(CommandReplies, CounterWrapsPastTheLimitWithoutZero) {
  SearchSession *s = MakeOfflineSession();
  s->cseq.store(3999999998u);
  char port[] = "80";
  CommandTarget target{kDeviceId, "", ""};
  DevSearch_SendCommand(s, &target, CMD_HTTPPORT, port);
  EXPECT_EQ(3999999999u, s->cseq.load());
  DevSearch_SendCommand(s, &target, CMD_HTTPPORT, port);
  EXPECT_EQ(1u, s->cseq.load());

  Reports reports;
  DevSearch_SetCommandCallback(s, Record, &reports);
  // An echo of the number written as unsigned, and as a peer that wrote it signed.
  devsearch::HandleDatagram(s, Reply("MCTP/1.0 200 OK", 3999999999u, s->clientId));
  EXPECT_EQ(1u, reports.statuses.size());
  delete s;
}

TEST(CommandReplies, TwoThreadsSendingGetDistinctNumbersAndEntries) {
  SearchSession *s = MakeOfflineSession();
  char port[] = "80";
  CommandTarget target{kDeviceId, "", ""};
  auto send = [&] {
    for (int i = 0; i < 25; ++i) DevSearch_SendCommand(s, &target, CMD_HTTPPORT, port);
  };
  std::thread a(send), b(send);
  a.join();
  b.join();
  EXPECT_EQ(50u, s->cseq.load());
  std::set<uint32_t> entries;
  for (auto &entry : s->pendingCseq) entries.insert(entry.load());
  EXPECT_EQ(50u, entries.size());
  EXPECT_EQ(1u, *entries.begin());
  EXPECT_EQ(50u, *entries.rbegin());
  delete s;
}

TEST(Announcements, EveryOneIsReportedRepeatsIncluded) {
  SearchSession *s = MakeOfflineSession();
  Reports reports;
  DevSearch_SetSearchCallback(s, Record, &reports);
  std::string text = "QNS/1.0 200 OK\r\nDevice-ID=0123456789abcdef0123456789ABCDEF\r\nMAC=00:11\r\n";
  devsearch::HandleDatagram(s, text);
  devsearch::HandleDatagram(s, text);
  devsearch::HandleDatagram(s, "SEARCH * QNS/1.0\r\nDevice-ID:0123\r\n");  // own request back
  ASSERT_EQ(2u, reports.records.size());
  EXPECT_STREQ("00:11", reports.records[1].network.macAddress);
  EXPECT_EQ("200", reports.statuses[0]);
  delete s;
}

TEST(ClientId, ThirtyTwoLettersThatDifferBetweenSessions) {
  std::set<std::string> seen;
  for (int i = 0; i < 64; ++i) {
    char id[33];
    devsearch::MakeClientId(id);
    std::string text(id);
    ASSERT_EQ(32u, text.size());
    for (char c : text) ASSERT_TRUE((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) << text;
    seen.insert(text);
  }
  EXPECT_EQ(64u, seen.size()) << "ids made within the same second must differ";
}

}  // namespace

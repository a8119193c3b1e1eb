#include "platform/receive_stats.h"

#include <gtest/gtest.h>

namespace vf::platform {
namespace {

TEST(ReceiveStats, FindsTheWildcardSocketsOfThePortWithTheirDrops) {
  const char *table =
      "   sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  "
      "timeout inode ref pointer drops\n"
      "  571: 00000000:1F42 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        "
      "0 4011 2 0000000000000000 17\n"
      "  572: 01004D0A:1F42 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        "
      "0 4012 2 0000000000000000 5\n"
      "  573: 00000000:2F4D 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        "
      "0 4013 2 0000000000000000 9\n"
      "  574: 00000000:1F42 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        "
      "0 4014 2 0000000000000000 0\n"
      "  575: 00000000:1F42 truncated line\n";
  const std::vector<UdpSocketLine> sockets = ParseWildcardUdpSockets(table, 8002);
  ASSERT_EQ(sockets.size(), 2u) << "a send socket bound to 10.77.0.1 does not count";
  EXPECT_EQ(sockets[0].inode, 4011u);
  EXPECT_EQ(sockets[0].drops, 17u);
  EXPECT_EQ(sockets[1].inode, 4014u);
  EXPECT_EQ(ParseWildcardUdpSockets(table, 12109).size(), 1u);
}

TEST(ReceiveStats, ReadsTheReversePathFilterCounter) {
  EXPECT_EQ(ParseReversePathFilterDrops("TcpExt: SyncookiesSent IPReversePathFilter TW\n"
                                        "TcpExt: 0 42 7\n"
                                        "IpExt: InNoRoutes\n"
                                        "IpExt: 3\n"),
            42u);
  EXPECT_FALSE(ParseReversePathFilterDrops("TcpExt: SyncookiesSent\nTcpExt: 0\n"));
  EXPECT_FALSE(ParseReversePathFilterDrops("TcpExt: IPReversePathFilter\nTcpExt: x\n"));
  EXPECT_FALSE(ParseReversePathFilterDrops(""));
}

}  // namespace
}  // namespace vf::platform

#include "platform/adapter_parsers.h"

#include <gtest/gtest.h>

#include <bit>

namespace vf::platform {
namespace {

using Addresses = std::vector<AdapterAddress>;
using Texts = std::vector<std::string>;

InterfaceEntry Link(std::string name, bool loopback = false) {
  InterfaceEntry entry;
  entry.name = std::move(name);
  entry.is_loopback = loopback;
  return entry;
}

InterfaceEntry Ipv4(std::string name, std::string address, std::string mask,
                    bool loopback = false) {
  InterfaceEntry entry = Link(std::move(name), loopback);
  entry.is_ipv4 = true;
  entry.address = std::move(address);
  entry.mask = std::move(mask);
  return entry;
}

Adapter Named(std::string description) {
  Adapter adapter;
  adapter.description = std::move(description);
  return adapter;
}

// getifaddrs() lists every link first, then the IPv4 addresses, then IPv6 (non-IPv4 entries
// look like links here).
TEST(GroupInterfaceEntries, KeepsKernelOrderAndDropsLoopback) {
  std::vector<InterfaceEntry> entries = {
      Link("lo", true),
      Link("eth0"),
      Link("wlan0"),
      Link("docker0"),
      Ipv4("lo", "127.0.0.1", "255.0.0.0", true),
      Ipv4("wlan0", "10.0.0.7", "255.255.255.0"),
      Ipv4("eth0", "192.168.1.10", "255.255.255.0"),
      Ipv4("eth0", "192.168.5.1", "255.255.0.0"),
      Link("eth0"),  // its IPv6 entry
  };
  std::vector<Adapter> adapters = GroupInterfaceEntries(entries);

  ASSERT_EQ(adapters.size(), 3u);
  EXPECT_EQ(adapters[0].description, "eth0");
  EXPECT_EQ(adapters[0].addresses,
            (Addresses{{"192.168.1.10", "255.255.255.0"}, {"192.168.5.1", "255.255.0.0"}}));
  EXPECT_EQ(adapters[1].description, "wlan0");
  EXPECT_EQ(adapters[1].addresses, (Addresses{{"10.0.0.7", "255.255.255.0"}}));
  EXPECT_EQ(adapters[2].description, "docker0");
  EXPECT_EQ(adapters[2].addresses, (Addresses{{"0.0.0.0", "0.0.0.0"}}));
  EXPECT_TRUE(adapters[2].gateways.empty());
}

TEST(GroupInterfaceEntries, FoldsAliasLabelsIntoTheirInterface) {
  std::vector<Adapter> adapters = GroupInterfaceEntries({
      Link("eth0"),
      Ipv4("eth0", "192.168.1.10", "255.255.255.0"),
      Ipv4("eth0:cam", "192.168.0.10", "255.255.255.0"),
  });
  ASSERT_EQ(adapters.size(), 1u);
  EXPECT_EQ(adapters[0].addresses,
            (Addresses{{"192.168.1.10", "255.255.255.0"}, {"192.168.0.10", "255.255.255.0"}}));
}

TEST(GroupInterfaceEntries, NoEntriesOrOnlyLoopbackGiveNoAdapters) {
  EXPECT_TRUE(GroupInterfaceEntries({}).empty());
  EXPECT_TRUE(GroupInterfaceEntries({Link("lo", true), Ipv4("lo", "127.0.0.1", "255.0.0.0", true)})
                  .empty());
}

// As the kernel writes it: padded header, tab-separated hex columns, trailing blanks.
constexpr std::string_view kRouteTable =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT"
    "                                                       \n"
    "wlan0\t00000000\tFE00000A\t0003\t0\t0\t600\t00000000\t0\t0\t0"
    "                                                                               \n"
    "eth0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0"
    "                                                                               \n"
    "eth0\t0001A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0"
    "                                                                               \n"
    "eth0\t0000000A\t0A01A8C0\t0003\t0\t0\t100\t000000FF\t0\t0\t0"
    "                                                                               \n"
    "tun0\t00000000\t00000000\t0001\t0\t0\t50\t00000000\t0\t0\t0"
    "                                                                               \n"
    "eth1\t00000000\t00000000\t0201\t0\t0\t0\t00000000\t0\t0\t0"
    "                                                                               \n";

TEST(ParseProcNetRoute, KeepsOnlyDefaultRoutesWithAGatewayLowestMetricFirst) {
  if constexpr (std::endian::native != std::endian::little) {
    GTEST_SKIP() << "fixture was written by a little-endian kernel";
  }
  // Not kept: the subnet route, the route to 10/8 via a gateway, the device-only default route
  // through the tunnel and the unreachable default route.
  EXPECT_EQ(
      ParseProcNetRoute(kRouteTable),
      (std::vector<DefaultGateway>{{"eth0", "192.168.1.1", 100}, {"wlan0", "10.0.0.254", 600}}));
}

TEST(ParseProcNetRoute, DecodesGatewayBytesInMemoryOrder) {
  if constexpr (std::endian::native != std::endian::little) {
    GTEST_SKIP() << "fixture was written by a little-endian kernel";
  }
  // An asymmetric address catches a reversed decode that 192.168.1.1-style fixtures can hide.
  auto gateways =
      ParseProcNetRoute("eth0\t00000000\t0A01A8C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\r\n");
  ASSERT_EQ(gateways.size(), 1u);
  EXPECT_EQ(gateways[0].gateway, "192.168.1.10");
}

TEST(ParseProcNetRoute, SurvivesMalformedText) {
  EXPECT_TRUE(ParseProcNetRoute("").empty());
  EXPECT_TRUE(ParseProcNetRoute("Iface\tDestination\tGateway\n").empty());
  EXPECT_TRUE(ParseProcNetRoute("eth0\t00000000\tZZZZZZZZ\t0003\t0\t0\t0\t00000000\n").empty());
  EXPECT_TRUE(ParseProcNetRoute("eth0\t00000000\t0101A8C0\t0003\t0\t0\t-1\t00000000\n").empty());
  EXPECT_TRUE(ParseProcNetRoute("eth0\t00000000\t0101A8C0FF\t0003\t0\t0\t0\t00000000\n").empty());
  EXPECT_TRUE(ParseProcNetRoute("eth0\t00000000\t0101A8C0\t0003").empty());  // cut short
}

TEST(AttachGateways, MatchesByInterfaceNameWithoutRepeats) {
  std::vector<Adapter> adapters = {Named("eth0"), Named("wlan0")};
  AttachGateways({{"eth0", "192.168.1.1", 100},
                  {"eth0", "192.168.1.1", 200},
                  {"eth0", "192.168.1.2", 300},
                  {"ppp0", "10.64.0.1", 0}},
                 adapters);
  EXPECT_EQ(adapters[0].gateways, (Texts{"192.168.1.1", "192.168.1.2"}));
  EXPECT_TRUE(adapters[1].gateways.empty());
}

TEST(ParseResolvConf, ReadsIpv4NameserversInOrder) {
  constexpr std::string_view kResolvConf =
      "# Generated by NetworkManager\r\n"
      "search lan example.com\r\n"
      "nameserver 192.168.1.1\r\n"
      "; nameserver 9.9.9.9\r\n"
      "#nameserver 8.8.4.4\r\n"
      "nameserver   \t 1.1.1.1   # upstream\r\n"
      "nameserver fe80::1%eth0\r\n"
      "nameserver 2001:4860:4860::8888\r\n"
      "nameservers 7.7.7.7\r\n"
      "nameserver\r\n"
      "nameserver 300.1.1.1\r\n"
      "options edns0 trust-ad\r\n"
      "  nameserver 8.8.8.8";  // indented, and no final newline
  EXPECT_EQ(ParseResolvConf(kResolvConf), (Texts{"192.168.1.1", "1.1.1.1", "8.8.8.8"}));
  EXPECT_TRUE(ParseResolvConf("").empty());
}

TEST(IsOnlyResolvedStub, RecognisesTheLocalStubListeners) {
  EXPECT_TRUE(IsOnlyResolvedStub({"127.0.0.53"}));
  EXPECT_TRUE(IsOnlyResolvedStub({"127.0.0.54", "127.0.0.53"}));
  EXPECT_FALSE(IsOnlyResolvedStub({}));
  EXPECT_FALSE(IsOnlyResolvedStub({"127.0.0.53", "192.168.1.1"}));
  EXPECT_FALSE(IsOnlyResolvedStub({"127.0.0.1"}));
}

}  // namespace
}  // namespace vf::platform

// The Windows adapter source: records of the IP Helper's chains turned into adapters, and the
// real GetAdaptersInfo/GetPerAdapterInfo on the private LAN.
#include "platform/windows_adapter_source.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace vf::platform {
namespace {

void SetAddress(IP_ADDR_STRING &item, const char *address, const char *mask = "") {
  std::strncpy(item.IpAddress.String, address, sizeof item.IpAddress.String - 1);
  std::strncpy(item.IpMask.String, mask, sizeof item.IpMask.String - 1);
}

IP_ADAPTER_INFO MakeAdapter(const char *description, DWORD index,
                            UINT type = MIB_IF_TYPE_ETHERNET) {
  IP_ADAPTER_INFO info{};
  std::strncpy(info.Description, description, sizeof info.Description - 1);
  info.Index = index;
  info.Type = type;
  return info;
}

TEST(WindowsAdapterChain, AdaptersKeepTheirOrderAddressesAndGateways) {
  IP_ADAPTER_INFO first = MakeAdapter("Intel(R) Ethernet Connection", 7);
  IP_ADDR_STRING second_address{};
  SetAddress(first.IpAddressList, "192.168.1.10", "255.255.255.0");
  SetAddress(second_address, "10.0.0.5", "255.0.0.0");
  first.IpAddressList.Next = &second_address;
  SetAddress(first.GatewayList, "192.168.1.1");

  IP_ADAPTER_INFO loopback = MakeAdapter("Loopback", 1, MIB_IF_TYPE_LOOPBACK);
  SetAddress(loopback.IpAddressList, "127.0.0.1", "255.0.0.0");

  // Windows lists an adapter without IPv4 with "0.0.0.0" and no gateway as "0.0.0.0" or "".
  IP_ADAPTER_INFO unconfigured = MakeAdapter("Wi-Fi", 12);
  SetAddress(unconfigured.IpAddressList, "0.0.0.0", "0.0.0.0");
  SetAddress(unconfigured.GatewayList, "0.0.0.0");
  IP_ADAPTER_INFO blank = MakeAdapter("VPN", 13);

  first.Next = &loopback;
  loopback.Next = &unconfigured;
  unconfigured.Next = &blank;

  const std::vector<Adapter> adapters = AdaptersFromChain(&first);
  ASSERT_EQ(adapters.size(), 3u);
  EXPECT_EQ(adapters[0], (Adapter{"Intel(R) Ethernet Connection",
                                  7,
                                  {{"192.168.1.10", "255.255.255.0"}, {"10.0.0.5", "255.0.0.0"}},
                                  {"192.168.1.1"}}));
  EXPECT_EQ(adapters[1], (Adapter{"Wi-Fi", 12, {{"0.0.0.0", "0.0.0.0"}}, {}}));
  EXPECT_EQ(adapters[2], (Adapter{"VPN", 13, {{"0.0.0.0", "0.0.0.0"}}, {}}));
  EXPECT_TRUE(AdaptersFromChain(nullptr).empty());
}

TEST(WindowsAdapterChain, DnsServersInOrderWithoutEmptyEntries) {
  IP_PER_ADAPTER_INFO record{};
  IP_ADDR_STRING second{};
  IP_ADDR_STRING third{};
  IP_ADDR_STRING fourth{};
  SetAddress(record.DnsServerList, "192.168.1.1");
  SetAddress(second, "8.8.8.8");
  SetAddress(fourth, "1.1.1.1");
  record.DnsServerList.Next = &second;
  second.Next = &third;  // empty text
  third.Next = &fourth;
  EXPECT_EQ(DnsServersFromRecord(record),
            (std::vector<std::string>{"192.168.1.1", "8.8.8.8", "1.1.1.1"}));
  EXPECT_TRUE(DnsServersFromRecord(IP_PER_ADAPTER_INFO{}).empty());
}

TEST(WindowsAdapterChain, FullLengthTextsAreReadUpToTheirField) {
  IP_ADAPTER_INFO info = MakeAdapter("", 3);
  std::memset(info.Description, 'd', sizeof info.Description);  // no NUL at all
  std::memset(info.IpAddressList.IpAddress.String, '1', sizeof info.IpAddressList.IpAddress.String);
  const std::vector<Adapter> adapters = AdaptersFromChain(&info);
  ASSERT_EQ(adapters.size(), 1u);
  EXPECT_EQ(adapters[0].description, std::string(sizeof info.Description, 'd'));
  EXPECT_EQ(adapters[0].addresses[0].address, std::string(16, '1'));
}

std::vector<std::string> PcAddresses() {
  std::vector<std::string> words;
  const char *value = std::getenv("VF_PC_ADDRESSES");
  std::istringstream in(value != nullptr ? value : "");
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

TEST(WindowsAdapterSystem, ListsThePrivateLansAdaptersWithoutLoopback) {
  const std::vector<std::string> pc = PcAddresses();
  if (pc.empty()) GTEST_SKIP() << "needs the private LAN of scripts/test-windows.sh";
  WindowsAdapterSource source;
  std::optional<std::vector<Adapter>> adapters = source.ReadAdapters();
  ASSERT_TRUE(adapters.has_value());
  for (const std::string &address : pc) {
    bool listed = false;
    for (const Adapter &adapter : *adapters) {
      if (adapter.addresses.front().address != address) continue;
      listed = true;
      EXPECT_EQ(adapter.addresses.front().mask, "255.255.255.0") << address;
      EXPECT_FALSE(adapter.description.empty()) << address;
      EXPECT_TRUE(source.ReadDnsServers(adapter.index).has_value()) << address;
    }
    EXPECT_TRUE(listed) << address;
  }
  for (const Adapter &adapter : *adapters) {
    EXPECT_NE(adapter.addresses.front().address, "127.0.0.1") << adapter.description;
  }
}

}  // namespace
}  // namespace vf::platform

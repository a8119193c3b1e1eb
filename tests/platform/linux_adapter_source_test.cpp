#include "platform/linux_adapter_source.h"

#include <gtest/gtest.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "platform/ipv4_text.h"

namespace vf::platform {
namespace {

using Texts = std::vector<std::string>;

// Fixture files by path; a path that is not listed is unreadable.
TextFileReader FakeFiles(std::map<std::string, std::string> files) {
  return [files = std::move(files)](const std::string &path) -> std::optional<std::string> {
    auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  };
}

const LinuxSystemFiles kPaths = {
    .route_table = "route", .resolv_conf = "resolv.conf", .resolved_upstream = "upstream.conf"};

constexpr const char *kStubResolvConf =
    "# This is /run/systemd/resolve/stub-resolv.conf managed by man:systemd-resolved(8).\n"
    "nameserver 127.0.0.53\n"
    "options edns0 trust-ad\n"
    "search lan\n";

TEST(LinuxDnsServers, GivesTheSameGlobalListForEveryAdapter) {
  LinuxAdapterSource source(
      FakeFiles({{"resolv.conf", "nameserver 192.168.1.1\nnameserver 8.8.8.8\n"},
                 {"upstream.conf", "nameserver 9.9.9.9\n"}}),
      kPaths);
  EXPECT_EQ(source.ReadDnsServers(2), (Texts{"192.168.1.1", "8.8.8.8"}));
  EXPECT_EQ(source.ReadDnsServers(7), (Texts{"192.168.1.1", "8.8.8.8"}));
}

TEST(LinuxDnsServers, LooksBehindTheResolvedStub) {
  LinuxAdapterSource source(
      FakeFiles({{"resolv.conf", kStubResolvConf},
                 {"upstream.conf", "nameserver 192.168.1.1\nnameserver 1.1.1.1\n"}}),
      kPaths);
  EXPECT_EQ(source.ReadDnsServers(2), (Texts{"192.168.1.1", "1.1.1.1"}));

  // resolved running with no upstream server configured: there is nothing to show.
  LinuxAdapterSource no_upstream(
      FakeFiles({{"resolv.conf", kStubResolvConf}, {"upstream.conf", "search lan\n"}}), kPaths);
  EXPECT_EQ(no_upstream.ReadDnsServers(2), Texts{});

  // Without the upstream file the stub is still the server the PC uses.
  LinuxAdapterSource stub_only(FakeFiles({{"resolv.conf", kStubResolvConf}}), kPaths);
  EXPECT_EQ(stub_only.ReadDnsServers(2), Texts{"127.0.0.53"});
}

TEST(LinuxDnsServers, UnreadableOrEmptyConfiguration) {
  LinuxAdapterSource unreadable(FakeFiles({{"upstream.conf", "nameserver 9.9.9.9\n"}}), kPaths);
  EXPECT_EQ(unreadable.ReadDnsServers(2), std::nullopt);

  LinuxAdapterSource empty(FakeFiles({{"resolv.conf", ""}}), kPaths);
  EXPECT_EQ(empty.ReadDnsServers(2), Texts{});
}

std::set<std::string> LoopbackInterfaceNames() {
  std::set<std::string> names;
  ifaddrs *list = nullptr;
  if (getifaddrs(&list) != 0) return names;
  for (ifaddrs *item = list; item != nullptr; item = item->ifa_next) {
    if ((item->ifa_flags & IFF_LOOPBACK) != 0) names.insert(item->ifa_name);
  }
  freeifaddrs(list);
  return names;
}

// Runs against whatever this machine has; only reads, never sends.
TEST(SystemAdapterSource, ReadsThisMachineWithoutLoopback) {
  std::unique_ptr<AdapterSource> source = MakeSystemAdapterSource();
  std::optional<std::vector<Adapter>> adapters = source->ReadAdapters();
  ASSERT_TRUE(adapters.has_value());

  std::set<std::string> loopback = LoopbackInterfaceNames();
  for (const Adapter &adapter : *adapters) {
    SCOPED_TRACE(adapter.description);
    EXPECT_EQ(loopback.count(adapter.description), 0u);
    EXPECT_NE(adapter.index, 0u);
    ASSERT_FALSE(adapter.addresses.empty());
    for (const AdapterAddress &address : adapter.addresses) {
      EXPECT_EQ(NormalizeIpv4(address.address), address.address);
      EXPECT_EQ(NormalizeIpv4(address.mask), address.mask);
      EXPECT_NE(address.address.rfind("127.", 0), 0u);
    }
    for (const std::string &gateway : adapter.gateways) {
      EXPECT_EQ(NormalizeIpv4(gateway), gateway);
    }
    std::optional<Texts> dns = source->ReadDnsServers(adapter.index);
    if (dns) {
      for (const std::string &server : *dns) EXPECT_EQ(NormalizeIpv4(server), server);
    }
  }
}

TEST(SystemAdapterSource, MissingRouteTableOnlyDropsGateways) {
  LinuxAdapterSource source(FakeFiles({}), kPaths);
  std::optional<std::vector<Adapter>> adapters = source.ReadAdapters();
  ASSERT_TRUE(adapters.has_value());
  for (const Adapter &adapter : *adapters) EXPECT_TRUE(adapter.gateways.empty());
}

TEST(ReadTextFile, ReadsFilesAndRefusesWhatIsNotOne) {
  std::filesystem::path path = std::filesystem::temp_directory_path() /
                               ("vf_platform_text_file_" + std::to_string(::getpid()));
  {
    std::FILE *file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("nameserver 10.0.0.1\r\n", file);
    std::fclose(file);
  }
  EXPECT_EQ(ReadTextFile(path.string()), "nameserver 10.0.0.1\r\n");
  std::filesystem::remove(path);

  EXPECT_EQ(ReadTextFile(path.string()), std::nullopt);
  EXPECT_EQ(ReadTextFile(std::filesystem::temp_directory_path().string()), std::nullopt);
  // /proc files claim a size of zero but have content.
  std::optional<std::string> status = ReadTextFile("/proc/self/status");
  ASSERT_TRUE(status.has_value());
  EXPECT_NE(status->find("Name:"), std::string::npos);
}

}  // namespace
}  // namespace vf::platform

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <memory>
#include <new>
#include <utility>

#include "platform/adapter_parsers.h"
#include "platform/linux_adapter_source.h"

namespace vf::platform {
namespace {

struct IfaddrsFreer {
  void operator()(ifaddrs *list) const { freeifaddrs(list); }
};

std::string DottedText(const sockaddr *address) {
  if (address == nullptr || address->sa_family != AF_INET) return kUnconfiguredAddress;
  char text[INET_ADDRSTRLEN] = {};
  const auto *ipv4 = reinterpret_cast<const sockaddr_in *>(address);
  if (inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof(text)) == nullptr) {
    return kUnconfiguredAddress;
  }
  return text;
}

std::optional<std::vector<InterfaceEntry>> ReadInterfaceEntries() {
  ifaddrs *raw = nullptr;
  if (getifaddrs(&raw) != 0) return std::nullopt;
  std::unique_ptr<ifaddrs, IfaddrsFreer> list(raw);

  std::vector<InterfaceEntry> entries;
  for (const ifaddrs *item = list.get(); item != nullptr; item = item->ifa_next) {
    if (item->ifa_name == nullptr) continue;
    InterfaceEntry entry;
    entry.name = item->ifa_name;
    entry.is_loopback = (item->ifa_flags & IFF_LOOPBACK) != 0;
    entry.is_ipv4 = item->ifa_addr != nullptr && item->ifa_addr->sa_family == AF_INET;
    if (entry.is_ipv4) {
      entry.address = DottedText(item->ifa_addr);
      entry.mask = DottedText(item->ifa_netmask);
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace

LinuxAdapterSource::LinuxAdapterSource(TextFileReader read_file, LinuxSystemFiles files)
    : m_readFile(std::move(read_file)), m_files(std::move(files)) {}

std::optional<std::vector<Adapter>> LinuxAdapterSource::ReadAdapters() {
  try {
    std::optional<std::vector<InterfaceEntry>> entries = ReadInterfaceEntries();
    if (!entries) return std::nullopt;
    std::vector<Adapter> adapters = GroupInterfaceEntries(*entries);
    for (Adapter &adapter : adapters) {
      // 0 when the interface vanished since getifaddrs(); it then simply has no DNS record.
      adapter.index = if_nametoindex(adapter.description.c_str());
    }
    if (std::optional<std::string> routes = m_readFile(m_files.route_table)) {
      AttachGateways(ParseProcNetRoute(*routes), adapters);
    }
    return adapters;
  } catch (const std::bad_alloc &) {
    return std::nullopt;
  }
}

std::optional<std::vector<std::string>> LinuxAdapterSource::ReadDnsServers(uint32_t /*index*/) {
  try {
    std::optional<std::string> resolv_conf = m_readFile(m_files.resolv_conf);
    if (!resolv_conf) return std::nullopt;
    std::vector<std::string> servers = ParseResolvConf(*resolv_conf);
    if (IsOnlyResolvedStub(servers)) {
      if (std::optional<std::string> upstream = m_readFile(m_files.resolved_upstream)) {
        return ParseResolvConf(*upstream);
      }
    }
    return servers;
  } catch (const std::bad_alloc &) {
    return std::nullopt;
  }
}

}  // namespace vf::platform

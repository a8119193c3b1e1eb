#include "platform/adapter_parsers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>

#include "platform/ipv4_text.h"

namespace vf::platform {
namespace {

// Route flag bits as the kernel prints them (linux/route.h); spelled out so this file stays
// portable and testable anywhere.
constexpr uint32_t kRouteFlagGateway = 0x0002;
constexpr uint32_t kRouteFlagReject = 0x0200;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Calls `visit` with each line of `text`; a CR before the LF is dropped with the LF.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    visit(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    size_t start = pos;
    while (pos < line.size() && !IsBlank(line[pos])) ++pos;
    if (pos > start) fields.push_back(line.substr(start, pos - start));
  }
  return fields;
}

std::optional<uint32_t> ParseNumber(std::string_view text, int base) {
  uint32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The kernel prints each address as the 32-bit word it keeps in network byte order, formatted
// as a host integer; so the word's bytes in this host's memory order are the address bytes.
// This holds for text written by this machine's kernel, which is the only text we read.
std::optional<std::string> DecodeRouteAddress(std::string_view hex) {
  if (hex.size() != 8) return std::nullopt;
  std::optional<uint32_t> word = ParseNumber(hex, 16);
  if (!word) return std::nullopt;
  std::array<uint8_t, 4> bytes{};
  std::memcpy(bytes.data(), &*word, bytes.size());
  return Ipv4FromBytes(bytes);
}

std::string_view InterfaceOfLabel(std::string_view name) {
  // Linux interface names cannot contain ':', so whatever follows one is an address label.
  return name.substr(0, name.find(':'));
}

}  // namespace

std::vector<Adapter> GroupInterfaceEntries(const std::vector<InterfaceEntry> &entries) {
  std::vector<Adapter> adapters;
  for (const InterfaceEntry &entry : entries) {
    if (entry.is_loopback) continue;
    std::string_view name = InterfaceOfLabel(entry.name);
    if (name.empty()) continue;
    auto found = std::find_if(adapters.begin(), adapters.end(),
                              [&](const Adapter &a) { return a.description == name; });
    if (found == adapters.end()) {
      found = adapters.emplace(adapters.end());
      found->description = name;
    }
    if (entry.is_ipv4) found->addresses.push_back({entry.address, entry.mask});
  }
  for (Adapter &adapter : adapters) {
    if (adapter.addresses.empty()) {
      adapter.addresses.push_back({kUnconfiguredAddress, kUnconfiguredAddress});
    }
  }
  return adapters;
}

std::vector<DefaultGateway> ParseProcNetRoute(std::string_view text) {
  enum Column { kIface, kDestination, kGateway, kFlags, kRefCnt, kUse, kMetric, kMask, kCount };
  std::vector<DefaultGateway> gateways;
  ForEachLine(text, [&](std::string_view line) {
    std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() < kCount) return;  // also skips the header, whose columns are words
    std::optional<uint32_t> destination = ParseNumber(fields[kDestination], 16);
    std::optional<uint32_t> mask = ParseNumber(fields[kMask], 16);
    std::optional<uint32_t> flags = ParseNumber(fields[kFlags], 16);
    std::optional<uint32_t> metric = ParseNumber(fields[kMetric], 10);
    if (!destination || !mask || !flags || !metric) return;
    if (*destination != 0 || *mask != 0) return;
    if ((*flags & kRouteFlagGateway) == 0 || (*flags & kRouteFlagReject) != 0) return;
    std::optional<std::string> gateway = DecodeRouteAddress(fields[kGateway]);
    if (!gateway) return;
    gateways.push_back({std::string(fields[kIface]), *gateway, *metric});
  });
  // The kernel prefers the lowest metric, so that gateway is the one to show first.
  std::stable_sort(
      gateways.begin(), gateways.end(),
      [](const DefaultGateway &a, const DefaultGateway &b) { return a.metric < b.metric; });
  return gateways;
}

void AttachGateways(const std::vector<DefaultGateway> &gateways, std::vector<Adapter> &adapters) {
  for (const DefaultGateway &route : gateways) {
    for (Adapter &adapter : adapters) {
      if (adapter.description != route.interface_name) continue;
      std::vector<std::string> &list = adapter.gateways;
      if (std::find(list.begin(), list.end(), route.gateway) == list.end()) {
        list.push_back(route.gateway);
      }
    }
  }
}

std::vector<std::string> ParseResolvConf(std::string_view text) {
  constexpr std::string_view kKeyword = "nameserver";
  std::vector<std::string> servers;
  ForEachLine(text, [&](std::string_view line) {
    std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() < 2 || fields[0] != kKeyword) return;  // comments never start with it
    // IPv6 servers and anything malformed fail here; so does "1.2.3.4#x", as for the resolver.
    if (std::optional<std::string> server = NormalizeIpv4(fields[1])) {
      servers.push_back(*server);
    }
  });
  return servers;
}

bool IsOnlyResolvedStub(const std::vector<std::string> &servers) {
  if (servers.empty()) return false;
  return std::all_of(servers.begin(), servers.end(), [](const std::string &server) {
    return server == "127.0.0.53" || server == "127.0.0.54";
  });
}

}  // namespace vf::platform

// Pure functions that turn the Linux system's raw adapter data into Adapter records. They take
// text or plain records, never touch the system, and so are tested on fixtures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/adapters.h"

namespace vf::platform {

// One getifaddrs() entry, reduced to what the adapter list needs.
struct InterfaceEntry {
  std::string name;          // ifa_name; may carry an alias label such as "eth0:1"
  bool is_loopback = false;  // IFF_LOOPBACK
  bool is_ipv4 = false;      // AF_INET; other families only show that the interface exists
  std::string address;       // dotted text when is_ipv4
  std::string mask;          // dotted text when is_ipv4; "0.0.0.0" when the entry had none
};

// Groups entries into adapters by interface name, in first-seen order. Loopback interfaces are
// left out; alias labels ("eth0:1") join their interface; an interface without IPv4 gets the
// single address {"0.0.0.0", "0.0.0.0"}. Index and gateways are left for the caller.
std::vector<Adapter> GroupInterfaceEntries(const std::vector<InterfaceEntry> &entries);

struct DefaultGateway {
  std::string interface_name;
  std::string gateway;  // dotted text
  uint32_t metric = 0;

  bool operator==(const DefaultGateway &) const = default;
};

// The default routes with a gateway in /proc/net/route text, lowest metric first (file order
// among equals). Malformed lines and rejecting routes are skipped.
std::vector<DefaultGateway> ParseProcNetRoute(std::string_view text);

// Appends to each adapter the gateways whose interface name is its description, in the order
// given and without repeats.
void AttachGateways(const std::vector<DefaultGateway> &gateways, std::vector<Adapter> &adapters);

// The IPv4 "nameserver" addresses of resolv.conf text, in file order.
std::vector<std::string> ParseResolvConf(std::string_view text);

// True when `servers` is non-empty and names only systemd-resolved's local stub listeners:
// then the real servers are in resolved's upstream file.
bool IsOnlyResolvedStub(const std::vector<std::string> &servers);

}  // namespace vf::platform

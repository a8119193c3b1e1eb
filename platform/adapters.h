// The PC's own network adapters, as the adapter panel and the command-line tool see them.
//
// The shape follows the platforms we target: one query reads the whole adapter chain, and a
// second, per-adapter query (by interface index) reads its DNS servers and may fail on its own.
// A caller that gets no DNS list for one adapter still shows the others.
//
// Every address is IPv4 dotted text ("192.168.1.10"); IPv6 is out of scope because the cameras
// only speak IPv4 multicast.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vf::platform {

// Placeholder for an adapter that has no IPv4 address: it is still listed (as unconfigured).
inline constexpr const char *kUnconfiguredAddress = "0.0.0.0";

struct AdapterAddress {
  std::string address;
  std::string mask;

  bool operator==(const AdapterAddress &) const = default;
};

struct Adapter {
  // Text of the adapter's drop-down entry. Linux: the interface name, e.g. "eth0".
  std::string description;
  // The platform's interface index; the key for ReadDnsServers().
  uint32_t index = 0;
  // In the platform's order. Never empty: {"0.0.0.0", "0.0.0.0"} when the adapter has no IPv4
  // address. The first one is the adapter's key and the PC's local address on that adapter.
  std::vector<AdapterAddress> addresses;
  // Default gateways reached through this adapter, preferred one first.
  std::vector<std::string> gateways;

  bool operator==(const Adapter &) const = default;
};

// The platform's adapter data. Abstract so that the window can be tested with a fake.
// Implementations never throw; an unreadable source gives std::nullopt.
class AdapterSource {
 public:
  virtual ~AdapterSource() = default;

  // The adapter chain in platform order, loopback left out. std::nullopt when it cannot be read;
  // an empty vector when there are no adapters.
  virtual std::optional<std::vector<Adapter>> ReadAdapters() = 0;

  // DNS servers of the adapter with this index, in the order the resolver tries them.
  // std::nullopt when they cannot be read; an empty vector when the adapter has none.
  virtual std::optional<std::vector<std::string>> ReadDnsServers(uint32_t index) = 0;
};

// The backend for the platform this program was built for. This is the one selection point:
// a Windows backend is added beside the Linux one and chosen here.
std::unique_ptr<AdapterSource> MakeSystemAdapterSource();

}  // namespace vf::platform

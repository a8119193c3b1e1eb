// Adapters and device records made up for the window tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "devsearch.h"
#include "platform/adapters.h"

namespace vf::testing {

class FakeAdapters final : public platform::AdapterSource {
 public:
  std::optional<std::vector<platform::Adapter>> ReadAdapters() override { return adapters; }
  std::optional<std::vector<std::string>> ReadDnsServers(uint32_t index) override {
    const auto found = dns.find(index);
    if (found == dns.end()) return std::nullopt;
    return found->second;
  }

  std::optional<std::vector<platform::Adapter>> adapters = std::vector<platform::Adapter>{};
  std::map<uint32_t, std::vector<std::string>> dns;
};

inline platform::Adapter MakeAdapter(const std::string &name, uint32_t index,
                                     std::vector<platform::AdapterAddress> addresses,
                                     std::vector<std::string> gateways = {}) {
  platform::Adapter adapter;
  adapter.description = name;
  adapter.index = index;
  adapter.addresses = std::move(addresses);
  adapter.gateways = std::move(gateways);
  return adapter;
}

template <std::size_t N>
void CopyField(char (&field)[N], const std::string &text) {
  std::snprintf(field, N, "%s", text.c_str());
}

// A device id of its own for each MAC: 32 hexadecimal digits of the MAC's hash.
inline std::string DeviceIdFor(const std::string &mac) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const unsigned char c : mac) hash = (hash ^ c) * 1099511628211ull;
  char id[33];
  std::snprintf(id, sizeof id, "%016llx%016llx", static_cast<unsigned long long>(hash),
                static_cast<unsigned long long>(hash * 31 + 7));
  return id;
}

inline DeviceRecord MakeDevice(const std::string &name, const std::string &mac) {
  DeviceRecord record{};
  CopyField(record.deviceName, name);
  CopyField(record.network.macAddress, mac);
  CopyField(record.deviceId, DeviceIdFor(mac));
  CopyField(record.softwareVersion, "V2.1.0");
  CopyField(record.webVersion, "W1.4");
  CopyField(record.httpPort, "8080");
  CopyField(record.network.ipAddress, "192.168.1.20");
  CopyField(record.network.netmask, "255.255.255.0");
  CopyField(record.network.gateway, "192.168.1.1");
  CopyField(record.network.primaryDns, "8.8.8.8");
  CopyField(record.network.secondaryDns, "8.8.4.4");
  return record;
}

}  // namespace vf::testing

// An adapter source that answers from memory, for the panel and address-table tests.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/adapters.h"

namespace vf::testing {

class FakeAdapterSource : public platform::AdapterSource {
 public:
  // std::nullopt makes ReadAdapters() fail.
  std::optional<std::vector<platform::Adapter>> adapters = std::vector<platform::Adapter>{};
  // By adapter index; an index without an entry fails its DNS query.
  std::map<uint32_t, std::vector<std::string>> dns;

  std::optional<std::vector<platform::Adapter>> ReadAdapters() override { return adapters; }

  std::optional<std::vector<std::string>> ReadDnsServers(uint32_t index) override {
    const auto found = dns.find(index);
    if (found == dns.end()) return std::nullopt;
    return found->second;
  }

  // Adds an adapter with one address (or more, as {address, mask} pairs) and the given gateways.
  platform::Adapter &Add(std::string description, uint32_t index,
                         std::vector<platform::AdapterAddress> addresses,
                         std::vector<std::string> gateways = {}) {
    adapters->push_back({std::move(description), index, std::move(addresses), std::move(gateways)});
    return adapters->back();
  }
};

inline const platform::AdapterAddress kUnconfigured{"0.0.0.0", "0.0.0.0"};

}  // namespace vf::testing

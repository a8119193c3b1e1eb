#include "core/device_concerns.h"

#include <optional>
#include <unordered_map>

#include "core/ipv4.h"
#include "core/record_text.h"
#include "core/text_marker.h"

namespace vf::core {
namespace {

struct Subnet {
  std::uint32_t network;
  std::uint32_t mask;
};

}  // namespace

std::vector<platform::AdapterAddress> AddressesOf(const std::vector<platform::Adapter> &adapters) {
  std::vector<platform::AdapterAddress> addresses;
  for (const platform::Adapter &adapter : adapters) {
    for (const platform::AdapterAddress &address : adapter.addresses) {
      if (address.address != platform::kUnconfiguredAddress) addresses.push_back(address);
    }
  }
  return addresses;
}

std::vector<std::uint8_t> FindConcerns(const std::vector<DeviceRecord> &devices,
                                       const std::vector<platform::AdapterAddress> &pcAddresses) {
  std::vector<std::uint32_t> pcValues;
  std::vector<Subnet> subnets;
  for (const platform::AdapterAddress &own : pcAddresses) {
    const auto address = Ipv4::Parse(own.address);
    const auto mask = Ipv4::Parse(own.mask);
    if (!address) continue;
    pcValues.push_back(address->Value());
    if (mask) subnets.push_back({address->Value() & mask->Value(), mask->Value()});
  }

  std::vector<std::optional<Ipv4>> addresses;
  addresses.reserve(devices.size());
  std::unordered_map<std::uint32_t, int> announced;
  announced.reserve(devices.size());
  for (const DeviceRecord &device : devices) {
    std::optional<Ipv4> address = Ipv4::Parse(FieldText(device.network.ipAddress));
    if (address && address->IsUnspecified()) address.reset();
    if (address) ++announced[address->Value()];
    addresses.push_back(address);
  }

  std::vector<std::uint8_t> concerns(devices.size(), kNoConcern);
  for (std::size_t i = 0; i < devices.size(); ++i) {
    if (!addresses[i]) {
      concerns[i] = kOutsideSubnets;
      continue;
    }
    const std::uint32_t value = addresses[i]->Value();
    std::uint8_t found = kNoConcern;
    if (announced[value] > 1) found |= kSharedAddress;
    bool inSubnet = false;
    for (const std::uint32_t own : pcValues) {
      if (own == value) found |= kPcAddress;
    }
    for (const Subnet &subnet : subnets) {
      if ((value & subnet.mask) == subnet.network) inSubnet = true;
    }
    if (!inSubnet) found |= kOutsideSubnets;
    concerns[i] = found;
  }
  return concerns;
}

std::string ConcernText(std::uint8_t concerns, std::string (*translate)(std::string_view)) {
  static constexpr struct {
    DeviceConcern concern;
    const char *text;
  } kTexts[] = {
      {kSharedAddress, VF_TEXT("Another device in the list announces the same IP address.")},
      {kPcAddress, VF_TEXT("The IP address is one of this PC's.")},
      {kOutsideSubnets, VF_TEXT("The IP address is outside this PC's subnets: reachable by this "
                                "tool, not by a browser.")},
  };
  std::string text;
  for (const auto &entry : kTexts) {
    if ((concerns & entry.concern) == 0) continue;
    if (!text.empty()) text += "\n";
    text += translate != nullptr ? translate(entry.text) : std::string(entry.text);
  }
  return text;
}

}  // namespace vf::core

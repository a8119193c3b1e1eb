// What the list marks about a device at a glance: an address it shares with another listed
// device, one of this PC's, or one outside every subnet of this PC's adapters (which this tool
// reaches by multicast, but a browser does not).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "devsearch.h"
#include "platform/adapters.h"

namespace vf::core {

// A set of concerns, one bit each.
enum DeviceConcern : std::uint8_t {
  kNoConcern = 0,
  kSharedAddress = 1,   // another listed device announces the same address
  kPcAddress = 2,       // the address is one of this PC's
  kOutsideSubnets = 4,  // no adapter of this PC has the address in its subnet
};

// The concerns of each of `devices`, in their order. `pcAddresses` are this PC's addresses with
// their masks. A device without a plain address ("", "0.0.0.0", no address at all) shares it
// with nobody, and is outside every subnet. Linear in the number of devices.
std::vector<std::uint8_t> FindConcerns(const std::vector<DeviceRecord> &devices,
                                       const std::vector<platform::AdapterAddress> &pcAddresses);

// Every address with its mask of `adapters`, the unconfigured ones left out.
std::vector<platform::AdapterAddress> AddressesOf(const std::vector<platform::Adapter> &adapters);

// One sentence per concern of `concerns`, each on a line of its own, translated through
// `translate` when given; "" for none.
std::string ConcernText(std::uint8_t concerns,
                        std::string (*translate)(std::string_view) = nullptr);

}  // namespace vf::core

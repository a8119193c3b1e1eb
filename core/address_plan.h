// Consecutive addresses for a batch of cameras: one per camera from a first address upward,
// within the subnet, past every address that something else on the LAN already uses.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/ipv4.h"
#include "platform/adapters.h"

namespace vf::core {

struct AddressPlanRequest {
  Ipv4 first;
  Ipv4 mask;
  // The current address of each camera to be given one, in the order they get theirs.
  std::vector<std::string> cameraAddresses;
  // The address every device that answered announced, the cameras above included.
  std::vector<std::string> announcedAddresses;
  // This PC's addresses.
  std::vector<std::string> pcAddresses;
  // Addresses the plan itself gives to something else: its gateway and DNS servers.
  std::vector<std::string> reservedAddresses;
};

// One new address per camera, from `first` upward: never the subnet's own address or its
// broadcast address, never an address the PC holds or the plan reserves, one announced by a
// device other than the camera itself, or one given to an earlier camera. std::nullopt, with
// `error` set, when the subnet of `first` runs out first.
std::optional<std::vector<Ipv4>> PlanAddresses(const AddressPlanRequest &request,
                                               std::string &error);

// The mask and gateway of this PC's adapter address whose subnet holds `address`: the defaults of
// a plan that starts there. The gateway is empty when the adapter has none; std::nullopt when no
// adapter of the PC is in that subnet.
struct PcSubnet {
  std::string mask;
  std::string gateway;
};
std::optional<PcSubnet> PcSubnetOf(platform::AdapterSource &adapters, Ipv4 address);

}  // namespace vf::core

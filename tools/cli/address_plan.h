// Consecutive addresses for "assign": one per camera from a first address upward, within the
// subnet, past every address that something else on the LAN already uses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vf::cli {

// The value of a dotted IPv4 text (core::IsIpv4Text form); std::nullopt for any other text.
std::optional<std::uint32_t> Ipv4Value(const std::string &text);
std::string Ipv4Text(std::uint32_t value);

// True for a mask whose ones all come before its zeros (255.255.254.0, not 255.0.255.0).
bool IsContiguousMask(std::uint32_t mask);

struct AddressPlanRequest {
  std::uint32_t first = 0;
  std::uint32_t mask = 0;
  // The current address of each camera to be given one, in the order they get theirs.
  std::vector<std::string> cameraAddresses;
  // The address every device that answered announced, the cameras above included.
  std::vector<std::string> announcedAddresses;
  // This PC's addresses.
  std::vector<std::string> pcAddresses;
};

// One new address per camera, from `first` upward: never the subnet's own address or its
// broadcast address, never an address the PC holds, one announced by a device other than the
// camera itself, or one given to an earlier camera. std::nullopt, with `error` set, when the
// subnet of `first` runs out first.
std::optional<std::vector<std::string>> PlanAddresses(const AddressPlanRequest &request,
                                                      std::string &error);

}  // namespace vf::cli

// A change of a camera's network settings, as the window's Update and the command line's
// set-network, assign and apply make it: planned from what the camera reported and what the user
// changed, checked once, and carried out as the network-settings command followed, when the HTTP
// port changed, by the port command.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/http_port.h"
#include "core/update_checks.h"
#include "devsearch.h"

namespace vf::core {

// What the user changed, as typed. A value left out keeps what the device reported; an address
// given as "" or "0.0.0.0" is a value left blank.
struct NetworkEdits {
  std::optional<std::string> ipAddress;
  std::optional<std::string> netmask;
  std::optional<std::string> gateway;
  std::optional<std::string> primaryDns;
  std::optional<std::string> secondaryDns;
  std::optional<bool> dhcp;
  // Counts as a change of port only when it differs, as a number, from the reported port.
  std::optional<std::string> httpPort;
};

struct NetworkChange {
  NetworkSettings settings{};           // the network-settings command's values
  std::optional<HttpPort> portCommand;  // the port the port command carries, when one follows
};

// Starts from what `device` reported, puts the edits in and checks the result, first failure
// first:
//   1. the device can be sent a command (CheckCommandTarget);
//   2. each address is blank or an address (WrongIp, WrongMask, WrongGateway, WrongDns);
//   3. with DHCP off: address, mask and gateway set, in that order, and the address none of
//      `pcAddresses` (SameAsLocal);
//   4. with DHCP off: an address a camera can hold (UnusableIp; SubnetEdgeIp under the mask of a
//      subnet with room for both ends), a mask of ones then zeros (WrongMask), a gateway and DNS
//      servers that are no loopback, multicast or broadcast address (WrongGateway, WrongDns);
//   5. with DHCP on: an address and a mask all the same, since they are sent (NoAddress);
//   6. a changed HTTP port of 1 to 65535 (WrongHttpPort) that the devices do not keep
//      (ReservedHttpPort).
// Returns None with `out` filled, or the problem, leaving `out` alone. In the settings a blank
// value is the empty text, DHCP and the DNS state flag both follow the DHCP choice, and the MAC
// stays the device's own.
InputProblem PlanNetworkChange(const DeviceRecord &device, const NetworkEdits &edits,
                               const std::vector<std::string> &pcAddresses, NetworkChange &out);

}  // namespace vf::core

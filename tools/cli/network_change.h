// A change of one camera's network settings, as set-network, assign and apply make it: planned
// from the camera's reported values and the edits, checked by the window's rules, then sent as
// the network-settings command and, when the HTTP port changed, the port command.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "devsearch.h"
#include "lan.h"

namespace vf::cli {

struct NetworkChange {
  NetworkSettings settings{};      // the network-settings command's values
  std::optional<int> portCommand;  // the port the port command carries, when one follows
};

// Starts from what `device` reported, puts the edits in and checks the result: the form of
// every value, the Update checks against `pcAddresses`, the device's MAC, the HTTP port.
// Returns "" with `out` filled, or the message that says why nothing may be sent.
std::string PlanNetworkChange(const DeviceRecord &device, const NetworkEdits &edits,
                              const std::vector<std::string> &pcAddresses, NetworkChange &out);

// One line per value that changes, "IP address: 192.168.1.2 -> 10.0.0.5".
std::vector<std::string> DescribeChange(const DeviceRecord &device, const NetworkChange &change);

struct ChangeResult {
  Outcome outcome = Outcome::NotSent;
  std::string message;      // in the window's words
  bool restarting = false;  // the port command was accepted: the camera restarts
};

// Sends the settings and, once they are accepted, the port command, each waiting up to
// `timeout` for its answer.
ChangeResult SendNetworkChange(Lan &lan, const CommandTarget &target, const NetworkChange &change,
                               std::chrono::milliseconds timeout);

}  // namespace vf::cli

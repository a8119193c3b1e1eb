// A change of one camera's network settings as set-network, assign and apply show and send it.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "core/network_change.h"
#include "core/outcome.h"
#include "devsearch.h"
#include "lan.h"

namespace vf::cli {

// One line per value that changes, "IP address: 192.168.1.2 -> 10.0.0.5".
std::vector<std::string> DescribeChange(const DeviceRecord &device,
                                        const core::NetworkChange &change);

struct ChangeResult {
  core::Outcome outcome = core::Outcome::NotSent;
  std::string message;      // in the window's words
  bool restarting = false;  // the port command was accepted: the camera restarts
};

// The Update: the settings and, once they are accepted, the port command, each waiting up to
// `timeout` for its answer.
ChangeResult SendNetworkChange(Lan &lan, const DeviceRecord &device, const std::string &user,
                               const std::string &password, const core::NetworkChange &change,
                               std::chrono::milliseconds timeout);

}  // namespace vf::cli

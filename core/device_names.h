// How a user names a device (by its MAC address in any letter case, its IPv4 address or its
// device id), and what to tell the user when a name fits more than one.
#pragma once

#include <string>
#include <vector>

#include "devsearch.h"

namespace vf::core {

// The devices `name` names: a MAC address (letter case ignored), an IPv4 address or a device id.
std::vector<DeviceRecord> MatchDevices(const std::vector<DeviceRecord> &devices,
                                       const std::string &name);

// How the devices' texts go into a message: escaped, for the terminal; or exact, for a cell of a
// table, which each output format escapes as it needs.
enum class TextForm { kEscaped, kExact };

// Names each device of `matches` (two or more that `name` fits) by MAC, device id and address,
// and says what sets them apart: two MACs that differ only in letter case are two devices, told
// apart by their device ids.
std::string AmbiguousNameText(const std::vector<DeviceRecord> &matches, const std::string &name,
                              TextForm form);

}  // namespace vf::core

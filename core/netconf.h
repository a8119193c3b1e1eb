// The values of the network-settings command, built from what the user edited.
#pragma once

#include "core/update_checks.h"
#include "devsearch.h"

namespace vf::core {

enum class NetconfBuild {
  Ready,      // `out` holds the command's values
  NoAddress,  // the address or the mask is blank: nothing is sent, nothing is said
  BadMac,     // the device's MAC text is no MAC address (IsMacText): nothing may be sent
};

// The device's reported settings with the edited values put in: a blank ("" or "0.0.0.0")
// address, mask, gateway or DNS server becomes the empty text, each text is cut to its field,
// DHCP and the DNS state flag both follow `input.dhcp`, and the MAC stays the device's own.
// `out` is written only when the result is Ready; it may be `device.network` itself.
NetconfBuild BuildNetworkSettings(const DeviceRecord &device, const NetworkInput &input,
                                  NetworkSettings &out);

}  // namespace vf::core

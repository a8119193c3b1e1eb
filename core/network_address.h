// Network address of a dotted IPv4 address under its mask, and the router address derived from it.
#pragma once

#include <optional>
#include <string>

namespace vf::core {

// Writes the network address of `ip` under `mask` (each part ANDed) as dotted text to `out` and
// returns true. Returns false with `out` empty when either text has fewer than 4 or more than 6
// parts, the part counts differ, or a part is not 1 to 3 decimal digits with a value of 0..255
// (signs, spaces and empty parts included). `out` is replaced, not appended to.
bool ComputeNetworkAddress(const std::string &ip, const std::string &mask, std::string &out);

// The address after `networkAddress`: its last number increased by one ("192.168.1.128" gives
// "192.168.1.129"). std::nullopt when the text is empty or its last number is 255 or not a
// decimal number of 0..255; the numbers before it are kept as they stand.
std::optional<std::string> RouterAddress(const std::string &networkAddress);

}  // namespace vf::core

// Dotted IPv4 text: the one form in which this layer hands addresses out.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vf::platform {

// The canonical dotted form of `text`, or std::nullopt unless it is exactly four decimal parts
// 0..255. Shorthands such as "10.1" or hex parts are refused: a camera setting must be explicit.
std::optional<std::string> NormalizeIpv4(std::string_view text);

// Dotted text of an address given as its four bytes in network order.
std::string Ipv4FromBytes(const std::array<uint8_t, 4> &bytes);

}  // namespace vf::platform

// An IPv4 address as a value: read once from its dotted text where it enters the program, and
// written back as text only where a record or a command carries it.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vf::core {

class Ipv4 {
 public:
  constexpr Ipv4() = default;
  constexpr explicit Ipv4(std::uint32_t value) : m_value(value) {}

  // Four decimal numbers of 0..255 between dots, without signs, blanks or leading zeros
  // ("10.0.0.1"; not "10.0.0.01", "10.1" or " 10.0.0.1"). std::nullopt for any other text.
  static std::optional<Ipv4> Parse(std::string_view text);

  constexpr std::uint32_t Value() const { return m_value; }
  std::string Text() const;

  constexpr bool IsUnspecified() const { return m_value == 0; }
  constexpr bool IsLoopback() const { return (m_value >> 24) == 127; }
  // 224.0.0.0/4, the search's own group among them.
  constexpr bool IsMulticast() const { return (m_value >> 28) == 0xE; }
  constexpr bool IsLimitedBroadcast() const { return m_value == 0xFFFFFFFFu; }

  friend constexpr auto operator<=>(Ipv4, Ipv4) = default;

 private:
  std::uint32_t m_value = 0;
};

// True for a subnet mask: ones, then zeros (255.255.254.0, not 255.0.255.0). 0.0.0.0 is one too;
// callers that need a mask at all refuse it as blank.
constexpr bool IsSubnetMask(Ipv4 mask) {
  const std::uint32_t hosts = ~mask.Value();
  return (hosts & (hosts + 1)) == 0;
}

constexpr Ipv4 NetworkOf(Ipv4 address, Ipv4 mask) {
  return Ipv4(address.Value() & mask.Value());
}

constexpr Ipv4 BroadcastOf(Ipv4 address, Ipv4 mask) {
  return Ipv4(address.Value() | ~mask.Value());
}

// Whether a subnet keeps its first and last address for the network and its broadcast: every
// subnet but /31 and /32, which have no room for them.
constexpr bool ReservesEnds(Ipv4 mask) {
  return ~mask.Value() > 1;
}

// The text of a setting left blank: an address control with no field filled reads so.
inline constexpr std::string_view kBlankAddressText = "0.0.0.0";

// True for "" and "0.0.0.0", the texts of an address left blank.
constexpr bool IsBlankAddress(std::string_view text) {
  return text.empty() || text == kBlankAddressText;
}

}  // namespace vf::core

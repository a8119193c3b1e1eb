// A camera's HTTP port as a value, read once from the text it was typed or announced as.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace vf::core {

class HttpPort {
 public:
  // Decimal digits only, 1 to 65535 ("00080" is 80); std::nullopt for any other text, blanks
  // and signs included.
  static std::optional<HttpPort> Parse(std::string_view text);

  constexpr int Value() const { return m_value; }
  std::string Text() const { return std::to_string(m_value); }

  // 8002 and 55555: the devices keep them for themselves (the search's port and their own
  // service), so a port command never carries them.
  constexpr bool IsReserved() const { return m_value == 8002 || m_value == 55555; }

  friend constexpr auto operator<=>(HttpPort, HttpPort) = default;

 private:
  constexpr explicit HttpPort(int value) : m_value(value) {}
  int m_value;
};

}  // namespace vf::core

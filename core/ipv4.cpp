#include "core/ipv4.h"

namespace vf::core {

std::optional<Ipv4> Ipv4::Parse(std::string_view text) {
  std::uint32_t value = 0;
  std::size_t pos = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (pos == text.size() || text[pos] != '.') return std::nullopt;
      ++pos;
    }
    const std::size_t start = pos;
    std::uint32_t number = 0;
    while (pos < text.size() && pos - start < 3 && text[pos] >= '0' && text[pos] <= '9') {
      number = number * 10 + static_cast<std::uint32_t>(text[pos] - '0');
      ++pos;
    }
    const std::size_t digits = pos - start;
    if (digits == 0 || number > 255 || (digits > 1 && text[start] == '0')) return std::nullopt;
    value = (value << 8) | number;
  }
  if (pos != text.size()) return std::nullopt;
  return Ipv4(value);
}

std::string Ipv4::Text() const {
  return std::to_string(m_value >> 24) + "." + std::to_string((m_value >> 16) & 0xFF) + "." +
         std::to_string((m_value >> 8) & 0xFF) + "." + std::to_string(m_value & 0xFF);
}

}  // namespace vf::core

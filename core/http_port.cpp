#include "core/http_port.h"

namespace vf::core {

std::optional<HttpPort> HttpPort::Parse(std::string_view text) {
  if (text.empty()) return std::nullopt;
  long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 65535) return std::nullopt;  // also keeps a long run of digits from overflowing
  }
  if (value < 1) return std::nullopt;
  return HttpPort(static_cast<int>(value));
}

}  // namespace vf::core

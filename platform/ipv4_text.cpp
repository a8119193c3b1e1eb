#include "platform/ipv4_text.h"

#if defined(_WIN32)
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#endif

#include <cstring>

namespace vf::platform {

std::optional<std::string> NormalizeIpv4(std::string_view text) {
  // inet_pton needs a terminated string; anything longer than "255.255.255.255" is invalid anyway.
  char terminated[16];
  if (text.empty() || text.size() >= sizeof(terminated)) return std::nullopt;
  std::memcpy(terminated, text.data(), text.size());
  terminated[text.size()] = '\0';

  std::array<uint8_t, 4> bytes{};
  if (inet_pton(AF_INET, terminated, bytes.data()) != 1) return std::nullopt;
  return Ipv4FromBytes(bytes);
}

std::string Ipv4FromBytes(const std::array<uint8_t, 4> &bytes) {
  std::string text;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i != 0) text += '.';
    text += std::to_string(bytes[i]);
  }
  return text;
}

}  // namespace vf::platform

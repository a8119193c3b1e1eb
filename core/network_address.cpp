#include "core/network_address.h"

#include <cstddef>
#include <utility>
#include <vector>

#include "core/split_string.h"

namespace vf::core {
namespace {

// Four parts make an IPv4 address; up to six are taken, as many as the window ever stored.
constexpr std::size_t kMinParts = 4;
constexpr std::size_t kMaxParts = 6;

// The value of a part of 1 to 3 decimal digits up to 255; -1 for anything else. Stricter than
// reading with "%d", which would take " 7", "+7" or "7x" and leave garbage for "x".
int ParseOctet(const std::string &part) {
  if (part.empty() || part.size() > 3) return -1;
  int value = 0;
  for (char c : part) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value <= 255 ? value : -1;
}

}  // namespace

bool ComputeNetworkAddress(const std::string &ip, const std::string &mask, std::string &out) {
  out.clear();
  std::vector<std::string> ipParts;
  std::vector<std::string> maskParts;
  SplitString(ip, ipParts, '.');
  SplitString(mask, maskParts, '.');
  if (ipParts.size() < kMinParts || ipParts.size() > kMaxParts ||
      ipParts.size() != maskParts.size()) {
    return false;
  }

  std::string result;
  for (std::size_t i = 0; i < ipParts.size(); ++i) {
    const int ipValue = ParseOctet(ipParts[i]);
    const int maskValue = ParseOctet(maskParts[i]);
    if (ipValue < 0 || maskValue < 0) return false;
    if (i > 0) result += '.';
    result += std::to_string(ipValue & maskValue);
  }
  out = std::move(result);
  return true;
}

std::optional<std::string> RouterAddress(const std::string &networkAddress) {
  const std::string::size_type lastDot = networkAddress.rfind('.');
  const std::string::size_type start = lastDot == std::string::npos ? 0 : lastDot + 1;
  const int last = ParseOctet(networkAddress.substr(start));
  if (last < 0 || last == 255) return std::nullopt;
  return networkAddress.substr(0, start) + std::to_string(last + 1);
}

}  // namespace vf::core

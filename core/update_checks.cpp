#include "core/update_checks.h"

#include "core/messages.h"
#include "core/protocol.h"

namespace vf::core {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsBlankOrIpv4(std::string_view text) {
  return IsBlankAddress(text) || IsIpv4Text(text);
}

}  // namespace

const char *ProblemText(InputProblem problem) {
  switch (problem) {
    case InputProblem::None:
      return "";
    case InputProblem::WrongIp:
      return text::kWrongIp;
    case InputProblem::WrongMask:
      return text::kWrongMask;
    case InputProblem::WrongGateway:
      return text::kWrongGateway;
    case InputProblem::SameAsLocal:
      return text::kSameAsLocalIp;
    case InputProblem::WrongDns:
      return text::kWrongDns;
  }
  return "";
}

bool IsBlankAddress(std::string_view text) {
  return text.empty() || text == kBlankAddress;
}

bool IsIpv4Text(std::string_view text) {
  int parts = 0;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t start = pos;
    int value = 0;
    while (pos < text.size() && IsDigit(text[pos]) && pos - start < 3) {
      value = value * 10 + (text[pos] - '0');
      ++pos;
    }
    const std::size_t digits = pos - start;
    if (digits == 0 || value > 255 || (digits > 1 && text[start] == '0')) return false;
    if (++parts == 4) return pos == text.size();
    if (pos == text.size() || text[pos] != '.') return false;
    ++pos;
  }
}

bool IsLocalAddress(std::string_view address, const std::vector<std::string> &localAddresses) {
  for (const std::string &local : localAddresses) {
    if (address == local) return true;
  }
  return false;
}

InputProblem CheckNetworkInput(const NetworkInput &input,
                               const std::vector<std::string> &localAddresses) {
  if (input.dhcp) return InputProblem::None;
  if (IsBlankAddress(input.ipAddress)) return InputProblem::WrongIp;
  if (IsBlankAddress(input.netmask)) return InputProblem::WrongMask;
  if (IsBlankAddress(input.gateway)) return InputProblem::WrongGateway;
  if (IsLocalAddress(input.ipAddress, localAddresses)) return InputProblem::SameAsLocal;
  return InputProblem::None;
}

InputProblem CheckAddressForms(const NetworkInput &input) {
  if (!IsBlankOrIpv4(input.ipAddress)) return InputProblem::WrongIp;
  if (!IsBlankOrIpv4(input.netmask)) return InputProblem::WrongMask;
  if (!IsBlankOrIpv4(input.gateway)) return InputProblem::WrongGateway;
  if (!IsBlankOrIpv4(input.primaryDns) || !IsBlankOrIpv4(input.secondaryDns)) {
    return InputProblem::WrongDns;
  }
  return InputProblem::None;
}

std::optional<int> ParseHttpPort(std::string_view text) {
  if (text.empty()) return std::nullopt;
  long value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 65535) return std::nullopt;  // also keeps a long run of digits from overflowing
  }
  if (value < 1) return std::nullopt;
  return static_cast<int>(value);
}

bool PortCommandFollows(int newPort, std::string_view reportedPort) {
  for (const int reserved : kReservedHttpPorts) {
    if (newPort == reserved) return false;
  }
  const std::optional<int> reported = ParseHttpPort(reportedPort);
  return !reported || *reported != newPort;
}

bool IsMacText(std::string_view text) {
  constexpr std::size_t kLength = 17;  // "00:11:22:33:44:55"
  if (text.size() != kLength) return false;
  for (std::size_t i = 0; i < kLength; ++i) {
    const bool colonPlace = i % 3 == 2;
    if (colonPlace ? text[i] != ':' : !IsHexDigit(text[i])) return false;
  }
  return true;
}

bool IsDeviceIdText(std::string_view text) {
  constexpr std::size_t kLength = 32;
  if (text.size() != kLength) return false;
  for (char c : text) {
    const bool letterOrDigit =
        (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letterOrDigit) return false;
  }
  return true;
}

bool IsCommandValue(std::string_view text) {
  for (char c : text) {
    if (c <= ' ' || c > '~') return false;
  }
  return true;
}

}  // namespace vf::core

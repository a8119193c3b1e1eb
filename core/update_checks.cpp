#include "core/update_checks.h"

#include "core/messages.h"
#include "core/record_text.h"

namespace vf::core {
namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
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
    case InputProblem::UnusableIp:
      return text::kUnusableIp;
    case InputProblem::SubnetEdgeIp:
      return text::kSubnetEdgeIp;
    case InputProblem::NoAddress:
      return text::kNoAddress;
    case InputProblem::WrongHttpPort:
      return text::kWrongHttpPort;
    case InputProblem::ReservedHttpPort:
      return text::kReservedHttpPort;
    case InputProblem::BadDeviceId:
      return text::kBadDeviceId;
    case InputProblem::BadMacAddress:
      return text::kBadMacAddress;
    case InputProblem::BadAccount:
      return text::kBadAccount;
    case InputProblem::AccountColon:
      return text::kAccountColon;
    case InputProblem::AccountTooLong:
      return text::kAccountTooLong;
  }
  return "";
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
  for (const char c : text) {
    const bool letterOrDigit =
        (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letterOrDigit) return false;
  }
  return true;
}

bool IsCommandValue(std::string_view text) {
  for (const char c : text) {
    if (c <= ' ' || c > '~') return false;
  }
  return true;
}

InputProblem CheckCommandTarget(const DeviceRecord &device) {
  if (!IsDeviceIdText(FieldText(device.deviceId))) return InputProblem::BadDeviceId;
  if (!IsMacText(FieldText(device.network.macAddress))) return InputProblem::BadMacAddress;
  return InputProblem::None;
}

InputProblem CheckAccount(std::string_view user, std::string_view password) {
  for (const std::string_view text : {user, password}) {
    for (const char c : text) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return InputProblem::BadAccount;
    }
  }
  if (user.find(':') != std::string_view::npos) return InputProblem::AccountColon;
  if (user.size() > kMaxAccountLength || password.size() > kMaxAccountLength) {
    return InputProblem::AccountTooLong;
  }
  return InputProblem::None;
}

}  // namespace vf::core

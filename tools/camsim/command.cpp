#include "command.h"

#include <array>
#include <charconv>
#include <optional>
#include <span>

namespace vf::camsim {
namespace {

enum class ValueType { kText, kInteger, kOnOff, kDeviceId };

struct FlagRule {
  std::string_view flag;
  ValueType type;
  std::string Camera::*text = nullptr;
  int Camera::*integer = nullptr;
};

constexpr FlagRule text_flag(std::string_view flag, std::string Camera::*field) {
  return {flag, ValueType::kText, field, nullptr};
}
constexpr FlagRule int_flag(std::string_view flag, int Camera::*field, ValueType type) {
  return {flag, type, nullptr, field};
}

const std::array kNetconf = {
    text_flag("-ipaddr", &Camera::ip),
    text_flag("-netmask", &Camera::netmask),
    text_flag("-gateway", &Camera::gateway),
    int_flag("-dhcp", &Camera::dhcp, ValueType::kOnOff),
    text_flag("-fdnsip", &Camera::primary_dns),
    text_flag("-sdnsip", &Camera::secondary_dns),
    int_flag("-dnsstat", &Camera::dns_stat, ValueType::kInteger),
    text_flag("-hwaddr", &Camera::mac),
};
const std::array kHttpPort = {text_flag("-httpport", &Camera::http_port)};
const std::array kDdnsSet = {
    int_flag("-our_enable", &Camera::ddns_enable, ValueType::kInteger),
    text_flag("-our_server", &Camera::ddns_host),
    int_flag("-our_port", &Camera::ddns_port, ValueType::kInteger),
    text_flag("-our_uname", &Camera::ddns_user),
    text_flag("-our_passwd", &Camera::ddns_password),
    text_flag("-our_domain", &Camera::ddns_domain),
};
const std::array kDevIdSet = {FlagRule{"-devid", ValueType::kDeviceId}};
const std::array kIdentifySet = {
    text_flag("-cvendor", &Camera::vendor),
    text_flag("-cproduct", &Camera::product),
    text_flag("-product", &Camera::device_type),
};

struct CommandForm {
  std::string_view verb;
  std::span<const FlagRule> flags;
};
const std::array<CommandForm, 5> kCommands = {{
    {"netconf", kNetconf},
    {"httpport", kHttpPort},
    {"ddnsset", kDdnsSet},
    {"devidset", kDevIdSet},
    {"identifyset", kIdentifySet},
}};

std::optional<int> parse_int(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Stores one value; false when it does not parse or cannot be taken.
bool store(Fleet &fleet, std::size_t index, const FlagRule &rule, std::string_view value) {
  Camera &camera = fleet.at(index);
  switch (rule.type) {
    case ValueType::kText:
      camera.*rule.text = value;
      return true;
    case ValueType::kInteger:
      if (auto number = parse_int(value)) {
        camera.*rule.integer = *number;
        return true;
      }
      return false;
    case ValueType::kOnOff:
      if (value != "on" && value != "off") return false;
      camera.*rule.integer = value == "on" ? 1 : 0;
      return true;
    case ValueType::kDeviceId:
      return !value.empty() && fleet.change_device_id(index, std::string(value));
  }
  return false;
}

}  // namespace

std::vector<std::string_view> split_at_blanks(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t start = 0;
  for (;;) {
    std::size_t blank = line.find(' ', start);
    if (blank == std::string_view::npos) {
      tokens.push_back(line.substr(start));
      return tokens;
    }
    tokens.push_back(line.substr(start, blank - start));
    start = blank + 1;
  }
}

ApplyResult apply_command(Fleet &fleet, std::size_t index, std::string_view line) {
  ApplyResult result;
  std::vector<std::string_view> tokens = split_at_blanks(line);
  const CommandForm *command = nullptr;
  for (const CommandForm &candidate : kCommands)
    if (tokens[0] == candidate.verb) command = &candidate;
  if (!command || tokens.size() < 2 || tokens[1] != "set") return result;
  result.recognised = true;
  result.verb = command->verb;

  std::vector<bool> seen(command->flags.size(), false);
  for (std::size_t i = 2; i < tokens.size(); i += 2) {
    std::string flag(tokens[i]);
    std::size_t which = 0;
    while (which < command->flags.size() && command->flags[which].flag != flag) ++which;
    if (which == command->flags.size()) {
      result.problems.push_back("unknown token '" + flag + "'");
      continue;
    }
    if (i + 1 >= tokens.size()) {
      result.problems.push_back(flag + " without value");
      seen[which] = true;
      continue;
    }
    std::string_view value = tokens[i + 1];
    seen[which] = true;
    if (store(fleet, index, command->flags[which], value))
      result.applied.push_back(flag.substr(1) + "=" + std::string(value));
    else
      result.problems.push_back(flag + " value '" + std::string(value) + "' not taken");
  }
  for (std::size_t which = 0; which < seen.size(); ++which)
    if (!seen[which])
      result.problems.push_back("missing " + std::string(command->flags[which].flag));
  return result;
}

}  // namespace vf::camsim

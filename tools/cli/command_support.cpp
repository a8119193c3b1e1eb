#include "command_support.h"

#include <charconv>
#include <cstring>

#include "core/display_text.h"
#include "core/record_text.h"
#include "core/update_checks.h"
#include "exit_codes.h"

namespace vf::cli {
namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameMac(const std::string &a, const std::string &b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string ReadLine(std::FILE *input) {
  std::string line;
  for (int c = std::fgetc(input); c != EOF && c != '\n'; c = std::fgetc(input)) {
    line += static_cast<char>(c);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void WarnOfConflicts(const Context &context, const Lan &lan) {
  for (const core::MacConflict &conflict : lan.Conflicts()) {
    Say(context, "warning: " + core::DisplayText(conflict.mac) + " answered as device " +
                     core::DisplayText(conflict.firstDeviceId) + " at " +
                     core::DisplayText(conflict.firstAddress) + " and as device " +
                     core::DisplayText(conflict.otherDeviceId) + " at " +
                     core::DisplayText(conflict.otherAddress) +
                     ": another host on the LAN may be impersonating this camera (the protocol "
                     "has no authentication).");
  }
}

}  // namespace

void Say(const Context &context, const std::string &line) {
  std::fputs(line.c_str(), context.messages);
  std::fputc('\n', context.messages);
  std::fflush(context.messages);
}

std::chrono::milliseconds Duration(double seconds) {
  return std::chrono::milliseconds(static_cast<long long>(seconds * 1000.0 + 0.5));
}

int SearchLan(const Context &context, const SearchOptions &options, std::unique_ptr<Lan> &lan) {
  std::string error;
  lan = Lan::Start(*context.adapters, options.interfaceAddress, error);
  if (!lan) {
    Say(context, error);
    return options.interfaceAddress.empty() ? kExitFailure : kExitUsage;
  }
  SearchSettings settings;
  settings.wait = Duration(options.waitSeconds);
  settings.repeat = options.repeat;
  const int result = lan->Search(settings);
  if (result != DEVSEARCH_OK) {
    Say(context,
        "The search could not be sent: this PC has no IPv4 address to search from "
        "(engine code " +
            std::to_string(result) + ").");
    return kExitFailure;
  }
  WarnOfConflicts(context, *lan);
  return kExitSuccess;
}

std::vector<DeviceRecord> MatchDevices(const std::vector<DeviceRecord> &devices,
                                       const std::string &name) {
  std::vector<DeviceRecord> matches;
  for (const DeviceRecord &device : devices) {
    bool match = false;
    if (core::IsMacText(name)) {
      match = SameMac(core::FieldText(device.network.macAddress), name);
    } else if (core::IsIpv4Text(name)) {
      match = core::FieldText(device.network.ipAddress) == name;
    } else {
      match = core::FieldText(device.deviceId) == name;
    }
    if (match) matches.push_back(device);
  }
  return matches;
}

int FindDevice(const Context &context, const std::vector<DeviceRecord> &devices,
               const std::string &name, DeviceRecord &out) {
  const std::vector<DeviceRecord> matches = MatchDevices(devices, name);
  if (matches.empty()) {
    Say(context, "No device answered as " + core::DisplayText(name) + " (" +
                     std::to_string(devices.size()) + " answered the search).");
    return kExitNotFound;
  }
  if (matches.size() > 1) {
    Say(context, std::to_string(matches.size()) + " devices answered as " +
                     core::DisplayText(name) + "; name one by its MAC address or device id.");
    return kExitUsage;
  }
  out = matches.front();
  return kExitSuccess;
}

int ReadAccount(const Context &context, const Account &account, std::string &password) {
  if (account.passwordFromStdin) {
    password = ReadLine(context.input);
  } else if (account.password) {
    password = *account.password;
  }
  for (const std::string *text : {&account.user, static_cast<const std::string *>(&password)}) {
    if (text->find_first_of("\r\n") != std::string::npos) {
      Say(context, "An account or password cannot hold a line break.");
      return kExitUsage;
    }
  }
  return kExitSuccess;
}

int Confirm(const Context &context, const CommandOptions &options, const std::string &question) {
  if (options.yes) return kExitSuccess;
  if (!context.inputIsTerminal || options.account.passwordFromStdin) {
    Say(context, question + " Not asked: there is no terminal to answer on. Add --yes to go on.");
    return kExitUsage;
  }
  std::fprintf(context.messages, "%s [y/N] ", question.c_str());
  std::fflush(context.messages);
  const std::string answer = ReadLine(context.input);
  if (answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes") return kExitSuccess;
  Say(context, "Nothing was sent.");
  return kExitDeclined;
}

int SearchForDevice(const Context &context, const SearchOptions &options, const std::string &name,
                    std::unique_ptr<Lan> &lan, DeviceRecord &device) {
  if (const int status = SearchLan(context, options, lan); status != kExitSuccess) return status;
  return FindDevice(context, lan->Devices(), name, device);
}

Target::Target(const DeviceRecord &device, std::string user, std::string password)
    : m_deviceId(core::FieldText(device.deviceId)),
      m_user(std::move(user)),
      m_password(std::move(password)) {
  m_target.deviceId = m_deviceId.c_str();
  m_target.user = m_user.c_str();
  m_target.password = m_password.c_str();
}

void WriteData(const Context &context, const std::string &text) {
  std::fwrite(text.data(), 1, text.size(), context.data);
  std::fflush(context.data);
}

std::optional<int> WholeNumber(const std::string &text) {
  int value = 0;
  const char *end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace vf::cli

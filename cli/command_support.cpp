#include "command_support.h"

#include <cstring>

#include "core/conflicts.h"
#include "core/device_names.h"
#include "core/display_text.h"
#include "core/ipv4.h"
#include "core/messages.h"
#include "core/receive_losses.h"
#include "core/record_text.h"
#include "core/update_checks.h"
#include "exit_codes.h"

namespace vf::cli {
namespace {

std::string ReadLine(std::FILE *input) {
  std::string line;
  for (int c = std::fgetc(input); c != EOF && c != '\n'; c = std::fgetc(input)) {
    line += static_cast<char>(c);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void WarnOfConflicts(const Context &context, const Lan &lan) {
  for (const core::IdentityConflict &conflict : lan.devices.Conflicts()) {
    if (!conflict.Forbids()) {
      Say(context, "warning: " + core::DisplayText(conflict.first.mac) +
                       " answered from two addresses (" + core::DescribeConflict(conflict) +
                       "): the camera may have moved, or another host is speaking for it.");
      continue;
    }
    Say(context, "warning: two answers claim one camera (" + core::DescribeConflict(conflict) +
                     "): another host on the LAN may be impersonating it (the protocol has no "
                     "authentication). Commands to it are refused unless --force is given.");
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

core::SearchSettings CollectSettings(const SearchOptions &options) {
  core::SearchSettings settings;
  settings.wait = Duration(options.waitSeconds);
  settings.repeat = options.repeat;
  return settings;
}

int SearchLan(const Context &context, const SearchOptions &options, std::unique_ptr<Lan> &lan,
              core::ReceiveLosses *losses) {
  lan = std::make_unique<Lan>(*context.adapters, options.interfaceAddress);
  if (!lan->session.Open()) {
    if (!lan->session.InterfaceIsLocal()) {
      Say(context, options.interfaceAddress + " is not an address of this PC.");
      return kExitUsage;
    }
    Say(context, core::text::kInitFailed);
    return kExitFailure;
  }
  core::LossMeter meter;
  meter.Start(lan->session.Port());
  const int result = lan->session.Collect(CollectSettings(options));
  if (result != DEVSEARCH_OK) {
    Say(context,
        "The search could not be sent: this PC has no IPv4 address to search from "
        "(engine code " +
            std::to_string(result) + ").");
    return kExitFailure;
  }
  WarnOfConflicts(context, *lan);
  const core::ReceiveLosses seen = meter.Finish(lan->session.Port());
  for (const std::string &warning : core::LossWarnings(seen, *context.adapters)) {
    Say(context, "warning: " + warning);
  }
  if (losses != nullptr) *losses = seen;
  return kExitSuccess;
}

int FindDevice(const Context &context, const std::vector<DeviceRecord> &devices,
               const std::string &name, DeviceRecord &out) {
  const std::vector<DeviceRecord> matches = core::MatchDevices(devices, name);
  if (matches.empty()) {
    Say(context, "No device answered as " + core::DisplayText(name) + " (" +
                     std::to_string(devices.size()) + " answered the search).");
    return kExitNotFound;
  }
  if (matches.size() > 1) {
    Say(context, core::AmbiguousNameText(matches, name, core::TextForm::kEscaped));
    return kExitUsage;
  }
  out = matches.front();
  return kExitSuccess;
}

int MayCommand(const Context &context, const CommandOptions &options, const Lan &lan,
               const DeviceRecord &device) {
  if (const core::InputProblem problem = core::CheckCommandTarget(device);
      problem != core::InputProblem::None) {
    Say(context, core::ProblemText(problem));
    return kExitUsage;
  }
  if (const auto refusal = core::ImpostorRefusal(lan.devices, device)) {
    if (!options.force) {
      Say(context, core::Compose(*refusal) + " Give --force to send it all the same.");
      return kExitUsage;
    }
    Say(context, "warning: two answers claim this camera (" + refusal->argument +
                     "); sent all the same (--force).");
  }
  return kExitSuccess;
}

int ReadAccount(const Context &context, const Account &account, std::string &password) {
  if (account.passwordFromStdin) {
    password = ReadLine(context.input);
    if (password.empty()) {
      Say(context,
          "No password came on standard input; an empty password is given as --password ''.");
      return kExitUsage;
    }
  } else if (account.password) {
    password = *account.password;
  }
  if (const core::InputProblem problem = core::CheckAccount(account.user, password);
      problem != core::InputProblem::None) {
    Say(context, core::ProblemText(problem));
    return kExitUsage;
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

int StartCommand(const Context &context, const CommandOptions &options, std::string &password,
                 std::unique_ptr<Lan> &lan) {
  if (const int status = ReadAccount(context, options.account, password); status != kExitSuccess) {
    return status;
  }
  return SearchLan(context, options.search, lan);
}

int StartOnDevice(const Context &context, const CommandOptions &options, const std::string &name,
                  std::string &password, std::unique_ptr<Lan> &lan, DeviceRecord &device) {
  if (const int status = StartCommand(context, options, password, lan); status != kExitSuccess) {
    return status;
  }
  if (const int status = FindDevice(context, lan->devices.Records(), name, device);
      status != kExitSuccess) {
    return status;
  }
  return MayCommand(context, options, *lan, device);
}

std::string DeviceLabel(const DeviceRecord &device) {
  return core::DisplayField(device.deviceName) + " (" +
         core::DisplayField(device.network.macAddress) + ")";
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

}  // namespace vf::cli

#include "command_support.h"

#include <cstring>

#include "ambiguous_name.h"
#include "core/conflicts.h"
#include "core/display_text.h"
#include "core/ipv4.h"
#include "core/messages.h"
#include "core/record_text.h"
#include "core/update_checks.h"
#include "exit_codes.h"
#include "platform/receive_stats.h"

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

// Interface names that may stand in a shell command as they are.
bool IsPlainName(const std::string &name) {
  if (name.empty()) return false;
  for (char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '_' || c == '-' || c == '.';
    if (!plain) return false;
  }
  return true;
}

struct KernelCounters {
  std::optional<platform::ReceiveStats> receive;
  std::optional<std::uint64_t> reversePath;
};

KernelCounters ReadCounters(int port) {
  return {platform::ReadReceiveStats(port), platform::ReadReversePathFilterDrops()};
}

std::string Kibibytes(int bytes) {
  return std::to_string((bytes + 512) / 1024) + " KiB";
}

// Says what the kernel threw away between `before` and `after`, and how to stop it.
SearchLosses ReportLosses(const Context &context, const KernelCounters &before,
                          const KernelCounters &after) {
  SearchLosses losses;
  if (after.receive) {
    losses.bufferBytes = after.receive->bufferBytes;
    losses.drops = after.receive->drops - (before.receive ? before.receive->drops : 0);
    if (*losses.drops > 0) {
      // The engine asks for 8 MiB; only a smaller buffer is the system's limit at work.
      constexpr int kEngineRequestBytes = 8 * 1024 * 1024;
      const std::string remedy =
          *losses.bufferBytes < kEngineRequestBytes
              ? "Raise the system's limit to the 8 MiB the engine asks for (sudo sysctl -w "
                "net.core.rmem_max=8388608), or search with --repeat 3."
              : "The buffer has the full size the engine asks for, so a higher "
                "net.core.rmem_max does not help: search with --repeat 3, which merges three "
                "searches 300 ms apart, and give the PC less other work while it searches.";
      Say(context, "warning: the kernel dropped " + std::to_string(*losses.drops) +
                       " datagrams on the engine's socket during the search: its receive "
                       "buffer of " +
                       Kibibytes(*losses.bufferBytes) + " was full, and answers are missing. " +
                       remedy);
    }
  }
  if (before.reversePath && after.reversePath && *after.reversePath > *before.reversePath) {
    std::string settings = "net.ipv4.conf.all.rp_filter=0";
    if (const auto adapters = context.adapters->ReadAdapters()) {
      for (const platform::Adapter &adapter : *adapters) {
        if (IsPlainName(adapter.description)) {
          settings += " net.ipv4.conf." + adapter.description + ".rp_filter=0";
        }
      }
    }
    Say(context, "warning: the kernel's reverse-path filter dropped " +
                     std::to_string(*after.reversePath - *before.reversePath) +
                     " packets during the search: cameras outside this PC's subnets (at a factory "
                     "address, say) may have answered, and the PC has no route back to them. To "
                     "let their answers in, give the PC an address or a route in their subnet, or "
                     "switch the filter off: sudo sysctl -w " +
                     settings);
  }
  return losses;
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
              SearchLosses *losses) {
  lan = std::make_unique<Lan>(*context.adapters, options.interfaceAddress);
  if (!lan->session.Open()) {
    if (!lan->session.InterfaceIsLocal()) {
      Say(context, options.interfaceAddress + " is not an address of this PC.");
      return kExitUsage;
    }
    Say(context, core::text::kInitFailed);
    return kExitFailure;
  }
  const KernelCounters before = ReadCounters(lan->session.Port());
  const int result = lan->session.Collect(CollectSettings(options));
  if (result != DEVSEARCH_OK) {
    Say(context,
        "The search could not be sent: this PC has no IPv4 address to search from "
        "(engine code " +
            std::to_string(result) + ").");
    return kExitFailure;
  }
  WarnOfConflicts(context, *lan);
  const SearchLosses seen = ReportLosses(context, before, ReadCounters(lan->session.Port()));
  if (losses != nullptr) *losses = seen;
  return kExitSuccess;
}

std::vector<DeviceRecord> MatchDevices(const std::vector<DeviceRecord> &devices,
                                       const std::string &name) {
  std::vector<DeviceRecord> matches;
  for (const DeviceRecord &device : devices) {
    bool match = false;
    if (core::IsMacText(name)) {
      match = SameMac(core::FieldText(device.network.macAddress), name);
    } else if (core::Ipv4::Parse(name)) {
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
    Say(context, AmbiguousNameText(matches, name, TextForm::kEscaped));
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

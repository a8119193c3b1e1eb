// "set-ddns", "set-id" and "set-identity": the engine's other commands, for one camera each.
#include <functional>

#include "command_support.h"
#include "commands.h"
#include "core/display_text.h"
#include "core/messages.h"
#include "core/outcome.h"
#include "core/record_text.h"
#include "core/update_checks.h"
#include "device_tables.h"
#include "exit_codes.h"

namespace vf::cli {
namespace {

// Fills the command's parameter from the device found (and the others that answered); returns ""
// or why nothing may be sent.
using ParameterBuilder =
    std::function<std::string(const DeviceRecord &device, const std::vector<DeviceRecord> &all)>;

// One text value of a command: what the option gave, or what the device reported. It must fit its
// field whole and stand as one word of the command line.
template <std::size_t N>
std::string PutValue(char (&field)[N], const char *name, const std::optional<std::string> &given,
                     const char (&reported)[N]) {
  const std::string value = given ? *given : core::FieldText(reported);
  // The command line has no quoting: an empty value would let the next flag pass for it.
  if (value.empty()) {
    return std::string(name) + (given ? " is empty" : " is empty on the camera") +
           ": give it a value, since an empty one would be read as the next flag.";
  }
  if (!core::FitsField(field, value)) {
    return std::string(name) + " is longer than " + std::to_string(N - 1) + " characters.";
  }
  if (!core::IsCommandValue(value)) {
    return std::string(name) + " " + core::DisplayText(value) +
           " cannot be sent: a value is one word of printable ASCII characters.";
  }
  core::CopyToField(field, value);
  return {};
}

// Searches, finds the device, builds the parameter and sends it; reports the answer.
int SendToDevice(Context &context, const CommandOptions &options, const std::string &deviceName,
                 int kind, const void *params, const ParameterBuilder &build,
                 const char *acceptedText) {
  std::string password;
  std::unique_ptr<Lan> lan;
  DeviceRecord device{};
  if (const int status = StartCommand(context, options, password, lan); status != kExitSuccess) {
    return status;
  }
  if (const int status = FindDevice(context, lan->devices.Records(), deviceName, device);
      status != kExitSuccess) {
    return status;
  }
  if (const int status = MayCommand(context, options, *lan, device); status != kExitSuccess) {
    return status;
  }
  if (const std::string problem = build(device, lan->devices.Records()); !problem.empty()) {
    Say(context, problem);
    return kExitUsage;
  }
  const Target target(device, options.account.user, password);
  const std::chrono::milliseconds timeout = Duration(options.timeoutSeconds);
  const core::Outcome outcome = lan->session.SendAndWait(target.get(), kind, params, timeout);
  Say(context, core::Compose(core::OutcomeMessage(outcome, acceptedText, timeout)));
  return OutcomeExitCode(outcome);
}

}  // namespace

int RunSetDdns(Context &context, const SetDdnsOptions &options) {
  DdnsSettings block{};
  const auto build = [&](const DeviceRecord &device, const std::vector<DeviceRecord> &) {
    const DdnsSettings &reported = device.ddns;
    block.enable = options.enable ? (*options.enable ? 1 : 0) : reported.enable;
    block.port = options.port.value_or(reported.port);
    for (const std::string &problem :
         {PutValue(block.server, "--server", options.server, reported.server),
          PutValue(block.user, "--ddns-user", options.ddnsUser, reported.user),
          PutValue(block.password, "--ddns-password", options.ddnsPassword, reported.password),
          PutValue(block.domain, "--domain", options.domain, reported.domain)}) {
      if (!problem.empty()) return problem;
    }
    return std::string();
  };
  return SendToDevice(context, options.command, options.device, CMD_DDNSSET, &block, build,
                      core::text::kDdnsOk);
}

int RunSetId(Context &context, const SetIdOptions &options) {
  // Commands find a device by its id, and only an id of the form every command accepts keeps it
  // reachable.
  if (!core::IsDeviceIdText(options.newId)) {
    Say(context, "A device id is 32 letters and digits (A-Z, a-z, 0-9).");
    return kExitUsage;
  }
  const auto build = [&](const DeviceRecord &, const std::vector<DeviceRecord> &all) {
    for (const DeviceRecord &other : all) {
      if (core::FieldText(other.deviceId) == options.newId) {
        return "Device " + DeviceLabel(other) + " already answers as " + options.newId + ".";
      }
    }
    return std::string();
  };
  return SendToDevice(context, options.command, options.device, CMD_DEVIDSET, options.newId.c_str(),
                      build, "The device id was changed.");
}

int RunSetIdentity(Context &context, const SetIdentityOptions &options) {
  VendorIdentity identity{};
  const auto build = [&](const DeviceRecord &device, const std::vector<DeviceRecord> &) {
    const VendorIdentity &reported = device.identity;
    for (const std::string &problem :
         {PutValue(identity.vendor, "--vendor", options.vendor, reported.vendor),
          PutValue(identity.product, "--product", options.product, reported.product),
          PutValue(identity.deviceType, "--type", options.type, reported.deviceType)}) {
      if (!problem.empty()) return problem;
    }
    return std::string();
  };
  return SendToDevice(context, options.command, options.device, CMD_IDENTIFYSET, &identity, build,
                      "The device's identity was changed.");
}

}  // namespace vf::cli

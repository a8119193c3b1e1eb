// "set-ddns", "set-id" and "set-identity": the engine's other commands, for one camera each.
#include <functional>

#include "command.h"
#include "command_support.h"
#include "core/display_text.h"
#include "core/messages.h"
#include "core/outcome.h"
#include "core/record_text.h"
#include "core/update_checks.h"
#include "exit_codes.h"

namespace vf::cli {
namespace {

struct SetDdnsOptions {
  CommandOptions command;
  std::string device;
  std::optional<std::string> domain;
  std::optional<std::string> ddnsUser;
  std::optional<std::string> ddnsPassword;
  std::optional<std::string> server;
  std::optional<int> port;
  std::optional<bool> enable;
};

struct SetIdOptions {
  CommandOptions command;
  std::string device;
  std::string newId;
};

struct SetIdentityOptions {
  CommandOptions command;
  std::string device;
  std::string vendor;
  std::string product;
  std::string type;
};

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
  if (const int status = StartOnDevice(context, options, deviceName, password, lan, device);
      status != kExitSuccess) {
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

// A command to one camera, named by its first argument.
template <typename Options, int (*Runner)(Context &, const Options &)>
class DeviceCommand : public ChangingCommand<Options, Runner> {
 protected:
  void AddDevice(CLI::App &app) {
    app.add_option("DEVICE", this->m_options.device, kDeviceHelp)->required();
  }
};

class SetDdnsCommand final : public DeviceCommand<SetDdnsOptions, RunSetDdns> {
 public:
  std::string Name() const override { return "set-ddns"; }
  std::string Help() const override {
    return "Change a camera's dynamic-DNS account; values not given stay as it reports them.";
  }
  void AddOptions(CLI::App &app) override {
    AddDevice(app);
    Optional(app, "--domain", m_options.domain, "the DDNS name (must not end up empty)")
        ->type_name("NAME");
    Optional(app, "--ddns-user", m_options.ddnsUser, "the DDNS account")->type_name("USER");
    Optional(app, "--ddns-password", m_options.ddnsPassword, "the DDNS account's password")
        ->type_name("PASSWORD");
    Optional(app, "--server", m_options.server, "the DDNS server")->type_name("HOST");
    NumberOption(
        app, "--port", {0, 65535, true},
        [this](double port) { m_options.port = static_cast<int>(port); }, "the DDNS server's port")
        ->type_name("PORT");
    Switch(app, "--enable", m_options.enable, "switch DDNS on or off");
    AddCommandOptions(app, m_options.command, false);
  }
};

class SetIdCommand final : public DeviceCommand<SetIdOptions, RunSetId> {
 public:
  std::string Name() const override { return "set-id"; }
  std::string Help() const override {
    return "Give a camera a new device id (32 letters and digits); commands then address it by "
           "that.";
  }
  void AddOptions(CLI::App &app) override {
    AddDevice(app);
    app.add_option("NEW_ID", m_options.newId, "the new device id")->required();
    AddCommandOptions(app, m_options.command, false);
  }
};

class SetIdentityCommand final : public DeviceCommand<SetIdentityOptions, RunSetIdentity> {
 public:
  std::string Name() const override { return "set-identity"; }
  std::string Help() const override { return "Change a camera's vendor, product and device type."; }
  void AddOptions(CLI::App &app) override {
    AddDevice(app);
    app.add_option("--vendor", m_options.vendor, "the vendor")->required();
    app.add_option("--product", m_options.product, "the product")->required();
    app.add_option("--type", m_options.type, "the device type")->required();
    AddCommandOptions(app, m_options.command, false);
  }
};

}  // namespace

std::unique_ptr<Command> MakeSetDdnsCommand() {
  return std::make_unique<SetDdnsCommand>();
}

std::unique_ptr<Command> MakeSetIdCommand() {
  return std::make_unique<SetIdCommand>();
}

std::unique_ptr<Command> MakeSetIdentityCommand() {
  return std::make_unique<SetIdentityCommand>();
}

}  // namespace vf::cli

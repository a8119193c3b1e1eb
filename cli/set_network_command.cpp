// "set-network": the window's Update for one camera named on the command line.
#include <thread>

#include "command.h"
#include "command_support.h"
#include "core/conflicts.h"
#include "core/device_names.h"
#include "core/device_tables.h"
#include "core/display_text.h"
#include "core/messages.h"
#include "core/record_text.h"
#include "exit_codes.h"
#include "network_change.h"

namespace vf::cli {
namespace {

struct SetNetworkOptions {
  CommandOptions command;
  std::string device;
  core::NetworkEdits edits;
  bool noWait = false;
  double restartWaitSeconds = SecondsOf(core::kRestartWait);
};

// Searches again and shows the device with the settings it now announces.
int ShowNewSettings(const Context &context, const SearchOptions &search, Lan &lan,
                    const DeviceRecord &device) {
  if (lan.session.Collect(CollectSettings(search)) != DEVSEARCH_OK) {
    Say(context, "The search could not be sent again.");
    return kExitFailure;
  }
  // The MAC stays when everything else changes.
  const std::vector<DeviceRecord> found =
      core::MatchDevices(lan.devices.Records(), core::FieldText(device.network.macAddress));
  if (found.empty()) {
    Say(context, "warning: " + DeviceLabel(device) + " did not answer the new search.");
    return kExitSuccess;
  }
  const core::Table table = search.format == Format::Table ? core::DeviceSummaryTable(found)
                                                           : core::DeviceFieldTable(found);
  WriteData(context, core::Render(table, search.format));
  return kExitSuccess;
}

int RunSetNetwork(Context &context, const SetNetworkOptions &options) {
  const CommandOptions &command = options.command;
  std::string password;
  std::unique_ptr<Lan> lan;
  DeviceRecord device{};
  if (const int status = StartOnDevice(context, command, options.device, password, lan, device);
      status != kExitSuccess) {
    return status;
  }

  core::NetworkChange change;
  if (const core::InputProblem problem =
          core::PlanNetworkChange(device, options.edits, lan->session.PcAddresses(), change);
      problem != core::InputProblem::None) {
    Say(context, core::ProblemText(problem));
    return kExitUsage;
  }
  if (const auto taken = core::AddressTakenBy(lan->devices, device, change)) {
    if (!command.force) {
      Say(context, "The IP address " + *taken +
                       " is announced by another device; give --force to send it all the same.");
      return kExitUsage;
    }
    Say(context, "warning: the IP address " + *taken + " is announced by another device.");
  }
  Say(context,
      "Device " + DeviceLabel(device) + ", id " + core::DisplayField(device.deviceId) + ":");
  for (const std::string &line : DescribeChange(device, change)) Say(context, "  " + line);
  if (const int status = Confirm(context, command, core::text::kConfirmUpdate);
      status != kExitSuccess) {
    return status;
  }

  const ChangeResult result = SendNetworkChange(*lan, device, command.account.user, password,
                                                change, Duration(command.timeoutSeconds));
  Say(context, result.message);
  if (result.outcome != core::Outcome::Accepted) return OutcomeExitCode(result.outcome);

  if (result.restarting) {
    if (options.noWait) {
      Say(context, "The device restarts for its new port; search again in " +
                       std::to_string(static_cast<int>(options.restartWaitSeconds)) +
                       " s to see its new settings.");
      return kExitSuccess;
    }
    Say(context, "Device restarting... waiting " +
                     std::to_string(static_cast<int>(options.restartWaitSeconds + 0.5)) +
                     " s before searching again.");
    std::this_thread::sleep_for(Duration(options.restartWaitSeconds));
  }
  return ShowNewSettings(context, command.search, *lan, device);
}

class SetNetworkCommand final : public ChangingCommand<SetNetworkOptions, RunSetNetwork> {
 public:
  std::string Name() const override { return "set-network"; }
  std::string Help() const override {
    return "Change a camera's address, mask, gateway, DNS servers, DHCP or HTTP port. Starts from "
           "the values the camera reports, checks them as the window does, asks, sends them, "
           "and after a port change waits " +
           Number(SecondsOf(core::kRestartWait)) +
           " s for the camera to restart before searching again.";
  }
  void AddOptions(CLI::App &app) override {
    app.add_option("DEVICE", m_options.device, kDeviceHelp)->required();
    AddNetworkEdits(app, m_options.edits);
    AddCommandOptions(app, m_options.command, true);
    app.add_flag("--no-wait", m_options.noWait, "do not wait for the restart after a port change");
    // For the tests: a shorter restart wait.
    SecondsOption(app, "--restart-wait", m_options.restartWaitSeconds, "")->group("");
  }
};

}  // namespace

std::unique_ptr<Command> MakeSetNetworkCommand() {
  return std::make_unique<SetNetworkCommand>();
}

}  // namespace vf::cli

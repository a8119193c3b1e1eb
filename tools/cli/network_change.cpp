#include "network_change.h"

#include "core/display_text.h"
#include "core/messages.h"
#include "core/netconf.h"
#include "core/record_text.h"
#include "core/update_checks.h"

namespace vf::cli {
namespace {

std::string Shown(const std::string &text) {
  return text.empty() ? "(none)" : core::DisplayText(text);
}

}  // namespace

std::string PlanNetworkChange(const DeviceRecord &device, const NetworkEdits &edits,
                              const std::vector<std::string> &pcAddresses, NetworkChange &out) {
  // The device id heads the command's own lines: one that could end a line or start an option
  // is never sent.
  if (!core::IsDeviceIdText(core::FieldText(device.deviceId))) return core::text::kBadDeviceId;
  const NetworkSettings &reported = device.network;
  core::NetworkInput input;
  input.ipAddress = edits.ip.value_or(core::FieldText(reported.ipAddress));
  input.netmask = edits.mask.value_or(core::FieldText(reported.netmask));
  input.gateway = edits.gateway.value_or(core::FieldText(reported.gateway));
  input.primaryDns = edits.dns1.value_or(core::FieldText(reported.primaryDns));
  input.secondaryDns = edits.dns2.value_or(core::FieldText(reported.secondaryDns));
  input.dhcp = edits.dhcp.value_or(reported.dhcp > 0);

  // What the device reported goes back in the command unless an edit replaces it, so it passes
  // the same checks as what was typed.
  if (const core::InputProblem problem = core::CheckAddressForms(input);
      problem != core::InputProblem::None) {
    return core::ProblemText(problem);
  }
  if (const core::InputProblem problem = core::CheckNetworkInput(input, pcAddresses);
      problem != core::InputProblem::None) {
    return core::ProblemText(problem);
  }

  NetworkChange change;
  if (edits.httpPort) {
    const std::optional<int> port = core::ParseHttpPort(*edits.httpPort);
    if (!port) return core::text::kWrongHttpPort;
    if (core::PortCommandFollows(*port, core::FieldText(device.httpPort))) {
      change.portCommand = port;
    } else if (*port != core::ParseHttpPort(core::FieldText(device.httpPort)).value_or(0)) {
      return "The http port " + std::to_string(*port) +
             " is kept by the devices and is never sent.";
    }
  }

  switch (core::BuildNetworkSettings(device, input, change.settings)) {
    case core::NetconfBuild::Ready:
      break;
    case core::NetconfBuild::BadMac:
      return core::text::kBadMacAddress;
    case core::NetconfBuild::NoAddress:
      return "An IP address and a subnet mask are needed, also with DHCP on.";
  }
  out = change;
  return {};
}

std::vector<std::string> DescribeChange(const DeviceRecord &device, const NetworkChange &change) {
  std::vector<std::string> lines;
  const auto compare = [&lines](const char *label, const std::string &before,
                                const std::string &after) {
    if (before != after)
      lines.push_back(std::string(label) + ": " + Shown(before) + " -> " + Shown(after));
  };
  const NetworkSettings &was = device.network;
  const NetworkSettings &will = change.settings;
  compare("IP address", core::FieldText(was.ipAddress), core::FieldText(will.ipAddress));
  compare("Subnet mask", core::FieldText(was.netmask), core::FieldText(will.netmask));
  compare("Gateway", core::FieldText(was.gateway), core::FieldText(will.gateway));
  compare("DNS1", core::FieldText(was.primaryDns), core::FieldText(will.primaryDns));
  compare("DNS2", core::FieldText(was.secondaryDns), core::FieldText(will.secondaryDns));
  compare("Set IP automatically", was.dhcp > 0 ? "on" : "off", will.dhcp > 0 ? "on" : "off");
  if (change.portCommand) {
    compare("Http port", core::FieldText(device.httpPort), std::to_string(*change.portCommand));
  }
  if (lines.empty()) lines.push_back("No value changes; the settings are sent as they are.");
  return lines;
}

ChangeResult SendNetworkChange(Lan &lan, const CommandTarget &target, const NetworkChange &change,
                               std::chrono::milliseconds timeout) {
  ChangeResult result;
  result.outcome = lan.Send(target, CMD_NETCONF, &change.settings, timeout);
  result.message = OutcomeText(result.outcome, core::text::kUpdateOk, timeout);
  if (result.outcome != Outcome::Accepted || !change.portCommand) return result;

  // The port follows only settings the device took.
  const std::string port = std::to_string(*change.portCommand);
  result.outcome = lan.Send(target, CMD_HTTPPORT, port.c_str(), timeout);
  result.restarting = result.outcome == Outcome::Accepted;
  if (!result.restarting) {
    result.message = "The network settings were taken, the http port was not: " +
                     OutcomeText(result.outcome, "", timeout);
  }
  return result;
}

}  // namespace vf::cli

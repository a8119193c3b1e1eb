#include "network_change.h"

#include "core/display_text.h"
#include "core/record_text.h"

namespace vf::cli {
namespace {

std::string Shown(const std::string &text) {
  return text.empty() ? "(none)" : core::DisplayText(text);
}

}  // namespace

std::vector<std::string> DescribeChange(const DeviceRecord &device,
                                        const core::NetworkChange &change) {
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
    compare("Http port", core::FieldText(device.httpPort), change.portCommand->Text());
  }
  if (lines.empty()) lines.push_back("No value changes; the settings are sent as they are.");
  return lines;
}

ChangeResult SendNetworkChange(Lan &lan, const DeviceRecord &device, const std::string &user,
                               const std::string &password, const core::NetworkChange &change,
                               std::chrono::milliseconds timeout) {
  const core::UpdateResult update = lan.session.RunUpdate(device, user, password, change, timeout);
  ChangeResult result;
  result.outcome = update.outcome;
  result.message = core::Compose(core::UpdateMessage(update, timeout));
  result.restarting = update.portStep && update.outcome == core::Outcome::Accepted;
  return result;
}

}  // namespace vf::cli

#include "core/netconf.h"

#include <string>

#include "core/record_text.h"

namespace vf::core {
namespace {

std::string_view Setting(const std::string &text) {
  return IsBlankAddress(text) ? std::string_view() : std::string_view(text);
}

}  // namespace

NetconfBuild BuildNetworkSettings(const DeviceRecord &device, const NetworkInput &input,
                                  NetworkSettings &out) {
  if (!IsMacText(FieldText(device.network.macAddress))) return NetconfBuild::BadMac;
  NetworkSettings settings = device.network;
  CopyToField(settings.ipAddress, Setting(input.ipAddress));
  CopyToField(settings.netmask, Setting(input.netmask));
  CopyToField(settings.gateway, Setting(input.gateway));
  // An empty gateway goes out empty; without an address or a mask the command is not sent.
  if (settings.ipAddress[0] == '\0' || settings.netmask[0] == '\0') return NetconfBuild::NoAddress;
  CopyToField(settings.primaryDns, Setting(input.primaryDns));
  CopyToField(settings.secondaryDns, Setting(input.secondaryDns));
  settings.dhcp = input.dhcp ? 1 : 0;
  settings.dnsStat = settings.dhcp;
  out = settings;
  return NetconfBuild::Ready;
}

}  // namespace vf::core

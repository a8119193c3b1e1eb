#include "core/network_change.h"

#include "core/ipv4.h"
#include "core/record_text.h"

namespace vf::core {
namespace {

// One address setting: blank (no value), an address, or a text that is neither.
struct Setting {
  bool valid = true;
  std::optional<Ipv4> address;
};

Setting ReadSetting(const std::optional<std::string> &edit, const std::string &reported) {
  const std::string &text = edit ? *edit : reported;
  if (IsBlankAddress(text)) return {};
  const std::optional<Ipv4> address = Ipv4::Parse(text);
  return {address.has_value(), address};
}

// Loopback, multicast and the limited broadcast reach no other host.
bool ReachesNoHost(Ipv4 address) {
  return address.IsLoopback() || address.IsMulticast() || address.IsLimitedBroadcast();
}

bool IsUnusableServer(const Setting &setting) {
  return setting.address && ReachesNoHost(*setting.address);
}

InputProblem CheckFixedAddress(const Setting &ip, const Setting &mask, const Setting &gateway,
                               const Setting &dns1, const Setting &dns2,
                               const std::vector<std::string> &pcAddresses) {
  if (!ip.address) return InputProblem::WrongIp;
  if (!mask.address) return InputProblem::WrongMask;
  if (!gateway.address) return InputProblem::WrongGateway;
  for (const std::string &local : pcAddresses) {
    if (Ipv4::Parse(local) == ip.address) return InputProblem::SameAsLocal;
  }
  if (ReachesNoHost(*ip.address)) return InputProblem::UnusableIp;
  if (!IsSubnetMask(*mask.address)) return InputProblem::WrongMask;
  if (ReservesEnds(*mask.address) && (*ip.address == NetworkOf(*ip.address, *mask.address) ||
                                      *ip.address == BroadcastOf(*ip.address, *mask.address))) {
    return InputProblem::SubnetEdgeIp;
  }
  if (IsUnusableServer(gateway)) return InputProblem::WrongGateway;
  if (IsUnusableServer(dns1) || IsUnusableServer(dns2)) return InputProblem::WrongDns;
  return InputProblem::None;
}

void PutSetting(char (&field)[16], const Setting &setting) {
  CopyToField(field, setting.address ? setting.address->Text() : std::string());
}

}  // namespace

InputProblem PlanNetworkChange(const DeviceRecord &device, const NetworkEdits &edits,
                               const std::vector<std::string> &pcAddresses, NetworkChange &out) {
  if (const InputProblem problem = CheckCommandTarget(device); problem != InputProblem::None) {
    return problem;
  }
  const NetworkSettings &reported = device.network;
  const Setting ip = ReadSetting(edits.ipAddress, FieldText(reported.ipAddress));
  const Setting mask = ReadSetting(edits.netmask, FieldText(reported.netmask));
  const Setting gateway = ReadSetting(edits.gateway, FieldText(reported.gateway));
  const Setting dns1 = ReadSetting(edits.primaryDns, FieldText(reported.primaryDns));
  const Setting dns2 = ReadSetting(edits.secondaryDns, FieldText(reported.secondaryDns));
  const bool dhcp = edits.dhcp.value_or(reported.dhcp > 0);

  // What the device reported goes back in the command unless an edit replaces it, so it passes
  // the same checks as what was typed.
  if (!ip.valid) return InputProblem::WrongIp;
  if (!mask.valid) return InputProblem::WrongMask;
  if (!gateway.valid) return InputProblem::WrongGateway;
  if (!dns1.valid || !dns2.valid) return InputProblem::WrongDns;
  if (!dhcp) {
    if (const InputProblem problem = CheckFixedAddress(ip, mask, gateway, dns1, dns2, pcAddresses);
        problem != InputProblem::None) {
      return problem;
    }
  } else if (!ip.address || !mask.address) {
    return InputProblem::NoAddress;
  }

  NetworkChange change;
  if (edits.httpPort) {
    const std::optional<HttpPort> port = HttpPort::Parse(*edits.httpPort);
    if (!port) return InputProblem::WrongHttpPort;
    if (*port != HttpPort::Parse(FieldText(device.httpPort))) {
      if (port->IsReserved()) return InputProblem::ReservedHttpPort;
      change.portCommand = port;
    }
  }

  change.settings = reported;
  PutSetting(change.settings.ipAddress, ip);
  PutSetting(change.settings.netmask, mask);
  PutSetting(change.settings.gateway, gateway);
  PutSetting(change.settings.primaryDns, dns1);
  PutSetting(change.settings.secondaryDns, dns2);
  change.settings.dhcp = dhcp ? 1 : 0;
  change.settings.dnsStat = change.settings.dhcp;
  out = change;
  return InputProblem::None;
}

}  // namespace vf::core

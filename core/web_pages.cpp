#include "core/web_pages.h"

#include "core/http_port.h"
#include "core/ipv4.h"
#include "core/network_address.h"
#include "core/record_text.h"

namespace vf::core {
namespace {

constexpr int kRouterPort = 80;

}  // namespace

std::optional<std::string> DevicePageUrl(const DeviceRecord &device) {
  const std::optional<Ipv4> address = Ipv4::Parse(FieldText(device.network.ipAddress));
  if (!address) return std::nullopt;
  const std::string reportedPort = FieldText(device.httpPort);
  std::string port;
  if (!reportedPort.empty()) {
    const std::optional<HttpPort> parsed = HttpPort::Parse(reportedPort);
    if (!parsed) return std::nullopt;
    port = parsed->Text();
  }
  return "http://" + address->Text() + ":" + port;
}

std::optional<std::string> RouterPageUrl(const DeviceRecord &device) {
  std::string network;
  if (!ComputeNetworkAddress(FieldText(device.network.ipAddress), FieldText(device.network.netmask),
                             network)) {
    return std::nullopt;
  }
  const std::optional<std::string> router = RouterAddress(network);
  // Only a plain address goes into the URL; the network address may have had up to six parts.
  if (!router || !Ipv4::Parse(*router)) return std::nullopt;
  return "http://" + *router + ":" + std::to_string(kRouterPort);
}

}  // namespace vf::core

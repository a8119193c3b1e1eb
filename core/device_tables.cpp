#include "core/device_tables.h"

#include <string>

#include "core/display_text.h"

namespace vf::core {
namespace {

Cell Text(std::string text) {
  return {std::move(text), CellKind::Text};
}
Cell Number(int value) {
  return {std::to_string(value), CellKind::Number};
}

}  // namespace

Table DeviceFieldTable(const std::vector<DeviceRecord> &devices) {
  Table table;
  for (const char *key : {"deviceId",           "deviceModel",
                          "softwareVersion",    "webVersion",
                          "deviceName",         "httpPort",
                          "network.ipAddress",  "network.netmask",
                          "network.macAddress", "network.gateway",
                          "network.dhcp",       "network.dnsStat",
                          "network.primaryDns", "network.secondaryDns",
                          "ddns.enable",        "ddns.server",
                          "ddns.port",          "ddns.user",
                          "ddns.password",      "ddns.domain",
                          "identity.vendor",    "identity.product",
                          "identity.deviceType"}) {
    table.columns.push_back({key, key, 0});
  }
  table.rows.reserve(devices.size());
  for (const DeviceRecord &d : devices) {
    const NetworkSettings &n = d.network;
    table.rows.push_back({
        Text(DecodedField(d.deviceId)),
        Text(DecodedField(d.deviceModel)),
        Text(DecodedField(d.softwareVersion)),
        Text(DecodedField(d.webVersion)),
        Text(DecodedField(d.deviceName)),
        Text(DecodedField(d.httpPort)),
        Text(DecodedField(n.ipAddress)),
        Text(DecodedField(n.netmask)),
        Text(DecodedField(n.macAddress)),
        Text(DecodedField(n.gateway)),
        Number(n.dhcp),
        Number(n.dnsStat),
        Text(DecodedField(n.primaryDns)),
        Text(DecodedField(n.secondaryDns)),
        Number(d.ddns.enable),
        Text(DecodedField(d.ddns.server)),
        Number(d.ddns.port),
        Text(DecodedField(d.ddns.user)),
        Text(DecodedField(d.ddns.password)),
        Text(DecodedField(d.ddns.domain)),
        Text(DecodedField(d.identity.vendor)),
        Text(DecodedField(d.identity.product)),
        Text(DecodedField(d.identity.deviceType)),
    });
  }
  return table;
}

Table DeviceSummaryTable(const std::vector<DeviceRecord> &devices) {
  // 5 + 20 + 17 + 15 + 5 + 12 + 10 cells and two between columns: 96 at the widest.
  Table table;
  table.columns = {
      {"no", "No.", 5},    {"name", "Name", 20},   {"mac", "MAC", 17},          {"ip", "IP", 15},
      {"port", "Port", 5}, {"model", "Model", 12}, {"firmware", "Firmware", 10}};
  table.rows.reserve(devices.size());
  for (std::size_t i = 0; i < devices.size(); ++i) {
    const DeviceRecord &d = devices[i];
    table.rows.push_back({Number(static_cast<int>(i + 1)), Text(DecodedField(d.deviceName)),
                          Text(DecodedField(d.network.macAddress)),
                          Text(DecodedField(d.network.ipAddress)), Text(DecodedField(d.httpPort)),
                          Text(DecodedField(d.deviceModel)),
                          Text(DecodedField(d.softwareVersion))});
  }
  return table;
}

}  // namespace vf::core

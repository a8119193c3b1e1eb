#include "device_tables.h"

#include <string>

#include "core/display_text.h"

namespace vf::cli {
namespace {

using core::DisplayField;

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
        Text(DisplayField(d.deviceId)),
        Text(DisplayField(d.deviceModel)),
        Text(DisplayField(d.softwareVersion)),
        Text(DisplayField(d.webVersion)),
        Text(DisplayField(d.deviceName)),
        Text(DisplayField(d.httpPort)),
        Text(DisplayField(n.ipAddress)),
        Text(DisplayField(n.netmask)),
        Text(DisplayField(n.macAddress)),
        Text(DisplayField(n.gateway)),
        Number(n.dhcp),
        Number(n.dnsStat),
        Text(DisplayField(n.primaryDns)),
        Text(DisplayField(n.secondaryDns)),
        Number(d.ddns.enable),
        Text(DisplayField(d.ddns.server)),
        Number(d.ddns.port),
        Text(DisplayField(d.ddns.user)),
        Text(DisplayField(d.ddns.password)),
        Text(DisplayField(d.ddns.domain)),
        Text(DisplayField(d.identity.vendor)),
        Text(DisplayField(d.identity.product)),
        Text(DisplayField(d.identity.deviceType)),
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
    table.rows.push_back({Number(static_cast<int>(i + 1)), Text(DisplayField(d.deviceName)),
                          Text(DisplayField(d.network.macAddress)),
                          Text(DisplayField(d.network.ipAddress)), Text(DisplayField(d.httpPort)),
                          Text(DisplayField(d.deviceModel)),
                          Text(DisplayField(d.softwareVersion))});
  }
  return table;
}

std::string DeviceLabel(const DeviceRecord &device) {
  return core::DisplayField(device.deviceName) + " (" +
         core::DisplayField(device.network.macAddress) + ")";
}

}  // namespace vf::cli

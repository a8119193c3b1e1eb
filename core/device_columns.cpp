#include "core/device_columns.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>

#include "core/display_text.h"
#include "core/http_port.h"
#include "core/ipv4.h"
#include "core/record_text.h"
#include "core/text_marker.h"

namespace vf::core {
namespace {

// The first three are the list's of old, left-aligned as they always were (the window system
// keeps a list's first column so anyway). No. is wider than it was, 40, so that the mark of a
// concern beside the number leaves room for three digits.
constexpr DeviceColumnInfo kInfo[] = {
    {VF_TEXT("No."), 58, false},
    {VF_TEXT("DeviceName"), 80, false},
    {VF_TEXT("MAC"), 115, false},
    {VF_TEXT("IP address"), 95, true},
    {VF_TEXT("HTTP port"), 65, true},
    {VF_TEXT("Model"), 90, false},
    {VF_TEXT("Firmware version"), 110, false},
};
static_assert(std::size(kInfo) == std::size(kDeviceColumns));

// What a column sorts by: a number (an address, a port, the MAC's 48 bits), or a folded text.
struct SortKey {
  bool valid = false;  // the value is what the column holds
  std::uint64_t number = 0;
  std::string text;
};

std::optional<std::uint64_t> MacBits(const std::string &mac) {
  if (mac.size() != 17) return std::nullopt;
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < mac.size(); ++i) {
    const char c = mac[i];
    if (i % 3 == 2) {
      if (c != ':') return std::nullopt;
      continue;
    }
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    bits = (bits << 4) | static_cast<std::uint64_t>(digit);
  }
  return bits;
}

std::string Folded(std::string text) {
  for (char &c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

SortKey KeyOf(const DeviceRecord &device, DeviceColumn column, int index) {
  SortKey key;
  switch (column) {
    case DeviceColumn::Number:
      return {true, static_cast<std::uint64_t>(index), {}};
    case DeviceColumn::Address:
      if (const auto address = Ipv4::Parse(FieldText(device.network.ipAddress))) {
        return {true, address->Value(), {}};
      }
      key.text = FieldText(device.network.ipAddress);
      return key;
    case DeviceColumn::HttpPort:
      if (const auto port = HttpPort::Parse(FieldText(device.httpPort))) {
        return {true, static_cast<std::uint64_t>(port->Value()), {}};
      }
      key.text = FieldText(device.httpPort);
      return key;
    case DeviceColumn::Mac:
      if (const auto bits = MacBits(FieldText(device.network.macAddress))) {
        return {true, *bits, {}};
      }
      key.text = FieldText(device.network.macAddress);
      return key;
    case DeviceColumn::Name:
      return {true, 0, Folded(DecodedField(device.deviceName))};
    case DeviceColumn::Model:
      return {true, 0, Folded(DecodedField(device.deviceModel))};
    case DeviceColumn::Firmware:
      return {true, 0, Folded(DecodedField(device.softwareVersion))};
  }
  return key;
}

}  // namespace

const DeviceColumnInfo &ColumnInfo(DeviceColumn column) {
  return kInfo[static_cast<int>(column)];
}

DeviceColumn ColumnAt(int index) {
  if (index < 0 || index >= kDeviceColumnCount) return DeviceColumn::Number;
  return kDeviceColumns[index];
}

std::string ColumnText(const DeviceRecord &device, DeviceColumn column, int number) {
  switch (column) {
    case DeviceColumn::Number:
      return std::to_string(number);
    case DeviceColumn::Name:
      return DisplayField(device.deviceName);
    case DeviceColumn::Mac:
      return DisplayField(device.network.macAddress);
    case DeviceColumn::Address:
      return DisplayField(device.network.ipAddress);
    case DeviceColumn::HttpPort:
      return DisplayField(device.httpPort);
    case DeviceColumn::Model:
      return DisplayField(device.deviceModel);
    case DeviceColumn::Firmware:
      return DisplayField(device.softwareVersion);
  }
  return {};
}

std::vector<int> SortOrder(const std::vector<DeviceRecord> &devices, DeviceColumn column,
                           bool descending) {
  std::vector<SortKey> keys;
  keys.reserve(devices.size());
  for (std::size_t i = 0; i < devices.size(); ++i) {
    keys.push_back(KeyOf(devices[i], column, static_cast<int>(i)));
  }
  std::vector<int> order(devices.size());
  std::iota(order.begin(), order.end(), 0);
  const auto before = [&](int a, int b) {
    const SortKey &x = keys[static_cast<std::size_t>(a)];
    const SortKey &y = keys[static_cast<std::size_t>(b)];
    if (x.valid != y.valid) return x.valid;  // what the column holds comes first, either way
    const int compared =
        x.number != y.number ? (x.number < y.number ? -1 : 1) : x.text.compare(y.text);
    if (compared == 0) return false;
    return descending ? compared > 0 : compared < 0;
  };
  std::stable_sort(order.begin(), order.end(), before);
  return order;
}

}  // namespace vf::core

#include "device_table.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vf::cli {
namespace {

template <size_t N>
std::string Field(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

}  // namespace

std::string FormatDeviceTable(const std::vector<DeviceRecord> &devices) {
  constexpr size_t kColumns = 7;
  using Row = std::array<std::string, kColumns>;
  std::vector<Row> rows = {{"No.", "Name", "MAC", "IP", "HTTP port", "Model", "Firmware"}};
  for (size_t i = 0; i < devices.size(); ++i) {
    const DeviceRecord &d = devices[i];
    rows.push_back({std::to_string(i + 1), Field(d.deviceName), Field(d.network.macAddress),
                    Field(d.network.ipAddress), Field(d.httpPort), Field(d.deviceModel),
                    Field(d.softwareVersion)});
  }
  std::array<size_t, kColumns> width{};
  for (const Row &row : rows) {
    for (size_t c = 0; c < kColumns; ++c) width[c] = std::max(width[c], row[c].size());
  }
  std::string out;
  for (const Row &row : rows) {
    std::string line;
    for (size_t c = 0; c < kColumns; ++c) {
      line += row[c];
      if (c + 1 < kColumns) line += std::string(width[c] - row[c].size() + 2, ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

}  // namespace vf::cli

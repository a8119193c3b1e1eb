// The devices of one search as an aligned text table.
#pragma once

#include <string>
#include <vector>

#include "devsearch.h"

namespace vf::cli {

// The devices as an aligned text table: No., name, MAC, IP, HTTP port,
// model and firmware, one line each under a heading.
std::string FormatDeviceTable(const std::vector<DeviceRecord> &devices);

}  // namespace vf::cli

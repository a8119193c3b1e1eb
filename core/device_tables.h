// The devices of a search as tables: every field for scripts and exports, the main ones for
// people.
#pragma once

#include <vector>

#include "core/table_output.h"
#include "devsearch.h"

namespace vf::core {

// One row per device with every field of its record, keyed by the record's field names
// (network.*, ddns.* and identity.* for the parts), device strings escaped for display.
Table DeviceFieldTable(const std::vector<DeviceRecord> &devices);

// No., name, MAC, IP, port, model and firmware, narrow enough for 100 columns.
Table DeviceSummaryTable(const std::vector<DeviceRecord> &devices);

}  // namespace vf::core

// What to tell the user when the name of a device fits more than one device.
#pragma once

#include <string>
#include <vector>

#include "devsearch.h"

namespace vf::cli {

// How the devices' texts go into a message: escaped, for the terminal; or exact, for a cell of a
// table, which each output format escapes as it needs.
enum class TextForm { kEscaped, kExact };

// Names each device of `matches` (two or more that `name` fits) by MAC, device id and address,
// and says what sets them apart: two MACs that differ only in letter case are two devices, told
// apart by their device ids.
std::string AmbiguousNameText(const std::vector<DeviceRecord> &matches, const std::string &name,
                              TextForm form);

}  // namespace vf::cli

// The devices one search found, kept as the window keeps them: the first
// announcement of each MAC text, in order of arrival.
#pragma once

#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "devsearch.h"

namespace vf::cli {

class DeviceTable {
 public:
  // Records `record` unless its MAC text was seen before. Any thread.
  void Add(const DeviceRecord &record);
  // A copy of what is recorded so far. Any thread.
  std::vector<DeviceRecord> Snapshot() const;

 private:
  mutable std::mutex mutex_;
  std::set<std::string> seenMacs_;
  std::vector<DeviceRecord> devices_;
};

// The devices as an aligned text table: No., name, MAC, IP, HTTP port,
// model and firmware, one line each under a heading.
std::string FormatDeviceTable(const std::vector<DeviceRecord> &devices);

}  // namespace vf::cli

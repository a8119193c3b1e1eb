// The devices recorded by the current search, one per distinct MAC text, in order of first reply.
// The engine's worker thread records into it while the window thread clears and reads it; every
// operation takes the one lock, and none holds it while waiting for anything else.
#pragma once

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "devsearch.h"

namespace vf::ui {

// What a list row shows of a device.
struct DeviceRow {
  std::string name;
  std::string mac;
};

class DeviceStore {
 public:
  DeviceStore() = default;
  DeviceStore(const DeviceStore &) = delete;
  DeviceStore &operator=(const DeviceStore &) = delete;

  // Keeps a copy of `record` unless its MAC text was seen since the last Clear(). The test and
  // both inserts are one step under the lock. Returns whether the record was kept; a record
  // whose copy cannot be allocated is dropped.
  bool Record(const DeviceRecord &record);

  // Forgets every MAC and frees every copy: the start of a search.
  void Clear();

  int Count() const;

  // Copies the record of `row` into `out`; false, leaving `out` alone, when 0 <= row < Count()
  // does not hold.
  bool CopyAt(int row, DeviceRecord &out) const;

  // Name and MAC of every record, in store order, read in one pass under the lock.
  std::vector<DeviceRow> Snapshot() const;

 private:
  // Both expect m_mutex to be held.
  bool IsDeviceSeen(const std::string &mac) const;
  void FreeDevices();

  mutable std::mutex m_mutex;
  // Records are never changed once appended; readers take copies.
  std::vector<std::unique_ptr<DeviceRecord>> m_devices;
  std::set<std::string> m_seenMacs;
};

}  // namespace vf::ui

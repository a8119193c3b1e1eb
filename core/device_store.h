// The devices recorded by the current search, one per distinct MAC text, in order of first reply.
// The engine's worker thread records into it while the front end's thread clears and reads it;
// every operation takes the one lock, and none holds it while waiting for anything else.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "devsearch.h"

namespace vf::core {

// What a list row shows of a device.
struct DeviceRow {
  std::string name;
  std::string mac;
};

// A MAC that answered twice during one search with a different device id or address. The
// protocol has no authentication, so this may be another host speaking for the camera.
struct MacConflict {
  std::string mac;
  std::string firstDeviceId;
  std::string firstAddress;
  std::string otherDeviceId;
  std::string otherAddress;
};

class DeviceStore {
 public:
  DeviceStore() = default;
  DeviceStore(const DeviceStore &) = delete;
  DeviceStore &operator=(const DeviceStore &) = delete;

  // Keeps a copy of `record` unless the store is closed or its MAC text was seen since the last
  // Clear(). The test and both inserts are one step under the lock. Returns whether the record
  // was kept; a record whose copy cannot be allocated is dropped. A repeat whose device id or
  // address differs from the kept record is noted once per MAC (see Conflicts()).
  bool Record(const DeviceRecord &record);

  // Forgets every MAC and frees every copy, and records again: the start of a search.
  void Clear();

  // Records nothing more until the next Clear(): the end of a collection cycle, after which no
  // announcement is shown, so none is kept either. A new store records.
  void Close();
  bool IsClosed() const;

  int Count() const;

  // Copies the record of `row` into `out`; false, leaving `out` alone, when 0 <= row < Count()
  // does not hold.
  bool CopyAt(int row, DeviceRecord &out) const;

  // Name and MAC of every record, in store order, read in one pass under the lock.
  std::vector<DeviceRow> Snapshot() const;

  // Every record, in store order, read in one pass under the lock.
  std::vector<DeviceRecord> Records() const;

  // The MACs that answered with two identities since the last Clear(), in order of discovery.
  std::vector<MacConflict> Conflicts() const;

 private:
  // All three expect m_mutex to be held.
  void NoteConflict(const DeviceRecord &kept, const DeviceRecord &repeat);
  // The slot of m_macIndex that holds `mac`, or the empty slot where it would go.
  std::size_t MacSlot(std::string_view mac) const;
  // Doubles the table and indexes every record again; false when there is no memory for it.
  bool GrowMacIndex();

  mutable std::mutex m_mutex;
  bool m_closed = false;
  // Records are never changed once appended; readers take copies.
  std::vector<std::unique_ptr<DeviceRecord>> m_devices;
  // The MACs seen, as an open-addressing table of indices into m_devices (each plus one; 0 is an
  // empty slot), its size a power of two kept at most half full. One allocation however many
  // devices answer, so a search of 100,000 cameras is forgotten at once by the next.
  std::unique_ptr<std::uint32_t[]> m_macIndex;
  std::size_t m_macIndexSize = 0;
  std::vector<MacConflict> m_conflicts;
  std::unordered_set<std::string> m_conflictingMacs;
};

}  // namespace vf::core

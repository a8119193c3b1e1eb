// The devices recorded by the current search, one per distinct MAC text, in order of first reply.
// The engine's worker thread records into it while the front end's thread clears and reads it;
// every operation takes the one lock, and none holds it while waiting for anything else.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "devsearch.h"

namespace vf::core {

// Who an answer said it was.
struct AnswerIdentity {
  std::string deviceId;
  std::string mac;
  std::string address;
};

// Two answers of one search that claim one camera: one MAC with two device ids or addresses, or
// one device id with two MACs. The protocol has no authentication, so one of them may be another
// host speaking for the camera.
struct IdentityConflict {
  AnswerIdentity first;  // the answer recorded first
  AnswerIdentity other;
  // Whether it forbids commands to the camera: two device ids for one MAC, or two MACs for one
  // device id. One MAC at two addresses under one id is a camera that moved.
  bool Forbids() const { return first.deviceId != other.deviceId || first.mac != other.mac; }
};

class DeviceStore {
 public:
  DeviceStore();
  ~DeviceStore();
  DeviceStore(const DeviceStore &) = delete;
  DeviceStore &operator=(const DeviceStore &) = delete;

  // Keeps a copy of `record` unless the store is closed or its MAC text was seen since the last
  // Clear(). The test and both inserts are one step under the lock. Returns whether the record
  // was kept; a record whose copy cannot be allocated is dropped. A repeat whose device id or
  // address differs from the kept record, and an answer whose device id a kept record of another
  // MAC carries, are noted once per MAC and per id (see Conflicts()).
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

  // Every record, in store order, read in one pass under the lock.
  std::vector<DeviceRecord> Records() const;

  // The answers that claimed one camera twice since the last Clear(), in order of discovery.
  std::vector<IdentityConflict> Conflicts() const;

  // Why no command may go to `device`: its MAC answered with two device ids, or its device id
  // with two MACs. std::nullopt when neither happened.
  std::optional<IdentityConflict> ConflictOf(const DeviceRecord &device) const;

  // A recorded device with another MAC than `device` that announced `address`; std::nullopt when
  // there is none.
  std::optional<DeviceRecord> OtherAt(std::string_view address, const DeviceRecord &device) const;

 private:
  class Index;

  // All expect m_mutex to be held.
  void NoteRepeat(const DeviceRecord &kept, const DeviceRecord &repeat);
  void NoteSharedId(const DeviceRecord &answer);

  mutable std::mutex m_mutex;
  bool m_closed = false;
  // Records are never changed once appended; readers take copies.
  std::vector<std::unique_ptr<DeviceRecord>> m_devices;
  // The records by MAC, and by device id (the first record of each id that may be commanded).
  std::unique_ptr<Index> m_byMac;
  std::unique_ptr<Index> m_byId;
  std::vector<IdentityConflict> m_conflicts;
  std::unordered_set<std::string> m_conflictingMacs;
  std::unordered_set<std::string> m_conflictingIds;
};

}  // namespace vf::core

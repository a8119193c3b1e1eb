#include "core/device_store.h"

#include <new>

#include "core/record_text.h"

namespace vf::core {

bool DeviceStore::Record(const DeviceRecord &record) {
  std::string key = FieldText(record.network.macAddress);
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_closed) return false;
  const auto seen = m_seenMacs.find(key);
  if (seen != m_seenMacs.end()) {
    NoteConflict(*m_devices[seen->second], record);
    return false;
  }
  std::unique_ptr<DeviceRecord> copy(new (std::nothrow) DeviceRecord(record));
  if (!copy) return false;
  m_devices.push_back(std::move(copy));
  m_seenMacs.emplace(std::move(key), m_devices.size() - 1);
  return true;
}

void DeviceStore::NoteConflict(const DeviceRecord &kept, const DeviceRecord &repeat) {
  const std::string keptId = FieldText(kept.deviceId);
  const std::string keptAddress = FieldText(kept.network.ipAddress);
  std::string otherId = FieldText(repeat.deviceId);
  std::string otherAddress = FieldText(repeat.network.ipAddress);
  if (keptId == otherId && keptAddress == otherAddress) return;
  // One note per MAC: a flood of repeats costs no more memory than the store itself.
  std::string mac = FieldText(kept.network.macAddress);
  if (!m_conflictingMacs.insert(mac).second) return;
  m_conflicts.push_back(
      {std::move(mac), keptId, keptAddress, std::move(otherId), std::move(otherAddress)});
}

void DeviceStore::Clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_seenMacs.clear();
  m_devices.clear();
  m_conflicts.clear();
  m_conflictingMacs.clear();
  m_closed = false;
}

void DeviceStore::Close() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_closed = true;
}

bool DeviceStore::IsClosed() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_closed;
}

int DeviceStore::Count() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return static_cast<int>(m_devices.size());
}

bool DeviceStore::CopyAt(int row, DeviceRecord &out) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (row < 0 || row >= static_cast<int>(m_devices.size())) return false;
  out = *m_devices[static_cast<std::size_t>(row)];
  return true;
}

std::vector<DeviceRow> DeviceStore::Snapshot() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::vector<DeviceRow> rows;
  rows.reserve(m_devices.size());
  for (const auto &device : m_devices) {
    rows.push_back({FieldText(device->deviceName), FieldText(device->network.macAddress)});
  }
  return rows;
}

std::vector<DeviceRecord> DeviceStore::Records() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::vector<DeviceRecord> records;
  records.reserve(m_devices.size());
  for (const auto &device : m_devices) records.push_back(*device);
  return records;
}

std::vector<MacConflict> DeviceStore::Conflicts() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_conflicts;
}

}  // namespace vf::core

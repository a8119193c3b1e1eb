#include "core/device_store.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "core/record_text.h"

namespace vf::core {
namespace {

constexpr std::size_t kFirstIndexSize = 1024;

std::string_view MacOf(const DeviceRecord &record) {
  const char *mac = record.network.macAddress;
  return std::string_view(mac, strnlen(mac, sizeof(record.network.macAddress)));
}

// FNV-1a: the MAC texts of one search differ in their last characters.
std::size_t HashMac(std::string_view mac) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : mac) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return static_cast<std::size_t>(hash);
}

}  // namespace

bool DeviceStore::Record(const DeviceRecord &record) {
  const std::string_view mac = MacOf(record);
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_closed) return false;
  if (m_macIndexSize != 0) {
    if (const std::uint32_t seen = m_macIndex[MacSlot(mac)]; seen != 0) {
      NoteConflict(*m_devices[seen - 1], record);
      return false;
    }
  }
  if (m_devices.size() >= UINT32_MAX - 1) return false;
  std::unique_ptr<DeviceRecord> copy(new (std::nothrow) DeviceRecord(record));
  if (!copy) return false;
  if ((m_devices.size() + 1) * 2 > m_macIndexSize && !GrowMacIndex()) return false;
  m_devices.push_back(std::move(copy));
  m_macIndex[MacSlot(mac)] = static_cast<std::uint32_t>(m_devices.size());
  return true;
}

std::size_t DeviceStore::MacSlot(std::string_view mac) const {
  const std::size_t mask = m_macIndexSize - 1;
  for (std::size_t slot = HashMac(mac) & mask;; slot = (slot + 1) & mask) {
    const std::uint32_t entry = m_macIndex[slot];
    if (entry == 0 || MacOf(*m_devices[entry - 1]) == mac) return slot;
  }
}

bool DeviceStore::GrowMacIndex() {
  const std::size_t size = std::max(kFirstIndexSize, m_macIndexSize * 2);
  std::unique_ptr<std::uint32_t[]> grown(new (std::nothrow) std::uint32_t[size]());
  if (!grown) return false;  // The record is dropped; those kept stay indexed.
  m_macIndex = std::move(grown);
  m_macIndexSize = size;
  for (std::size_t i = 0; i < m_devices.size(); ++i) {
    m_macIndex[MacSlot(MacOf(*m_devices[i]))] = static_cast<std::uint32_t>(i + 1);
  }
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
  m_macIndex.reset();
  m_macIndexSize = 0;
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

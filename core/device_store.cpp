#include "core/device_store.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "core/record_text.h"
#include "core/update_checks.h"

namespace vf::core {
namespace {

constexpr std::size_t kFirstIndexSize = 1024;

std::string_view MacOf(const DeviceRecord &record) {
  const char *mac = record.network.macAddress;
  return std::string_view(mac, strnlen(mac, sizeof(record.network.macAddress)));
}

std::string_view IdOf(const DeviceRecord &record) {
  return std::string_view(record.deviceId, strnlen(record.deviceId, sizeof(record.deviceId)));
}

// FNV-1a: the MAC texts of one search differ in their last characters.
std::size_t Hash(std::string_view key) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : key) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return static_cast<std::size_t>(hash);
}

AnswerIdentity IdentityOf(const DeviceRecord &record) {
  return {FieldText(record.deviceId), FieldText(record.network.macAddress),
          FieldText(record.network.ipAddress)};
}

}  // namespace

// The records by one of their texts, as an open-addressing table of row numbers (each plus one;
// 0 is an empty slot), its size a power of two kept at most half full. One allocation however
// many devices answer, so a search of 100,000 cameras is forgotten at once by the next.
class DeviceStore::Index {
 public:
  using Key = std::string_view (*)(const DeviceRecord &);
  explicit Index(Key key) : m_key(key) {}

  // The row of the record whose key is `key`; -1 for none.
  long Find(const std::vector<std::unique_ptr<DeviceRecord>> &rows, std::string_view key) const {
    if (m_size == 0) return -1;
    const std::uint32_t entry = m_slots[Slot(rows, key)];
    return entry == 0 ? -1 : static_cast<long>(entry) - 1;
  }

  // Indexes `row`, whose key is not in the table yet; false when there is no memory to grow.
  bool Add(const std::vector<std::unique_ptr<DeviceRecord>> &rows, std::size_t row) {
    if ((m_count + 1) * 2 > m_size && !Grow(rows)) return false;
    m_slots[Slot(rows, m_key(*rows[row]))] = static_cast<std::uint32_t>(row + 1);
    ++m_count;
    return true;
  }

  void Clear() {
    m_slots.reset();
    m_size = 0;
    m_count = 0;
  }

 private:
  // The slot that holds `key`, or the empty slot where it would go.
  std::size_t Slot(const std::vector<std::unique_ptr<DeviceRecord>> &rows,
                   std::string_view key) const {
    const std::size_t mask = m_size - 1;
    for (std::size_t slot = Hash(key) & mask;; slot = (slot + 1) & mask) {
      const std::uint32_t entry = m_slots[slot];
      if (entry == 0 || m_key(*rows[entry - 1]) == key) return slot;
    }
  }

  bool Grow(const std::vector<std::unique_ptr<DeviceRecord>> &rows) {
    const std::size_t size = std::max(kFirstIndexSize, m_size * 2);
    std::unique_ptr<std::uint32_t[]> grown(new (std::nothrow) std::uint32_t[size]());
    if (!grown) return false;  // The record is dropped; those kept stay indexed.
    std::unique_ptr<std::uint32_t[]> old = std::exchange(m_slots, std::move(grown));
    const std::size_t oldSize = std::exchange(m_size, size);
    for (std::size_t i = 0; i < oldSize; ++i) {
      if (old[i] != 0) m_slots[Slot(rows, m_key(*rows[old[i] - 1]))] = old[i];
    }
    return true;
  }

  Key m_key;
  std::unique_ptr<std::uint32_t[]> m_slots;
  std::size_t m_size = 0;
  std::size_t m_count = 0;
};

DeviceStore::DeviceStore()
    : m_byMac(std::make_unique<Index>(&MacOf)), m_byId(std::make_unique<Index>(&IdOf)) {}

DeviceStore::~DeviceStore() = default;

bool DeviceStore::Record(const DeviceRecord &record) {
  const std::string_view mac = MacOf(record);
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_closed) return false;
  NoteSharedId(record);
  if (const long seen = m_byMac->Find(m_devices, mac); seen >= 0) {
    NoteRepeat(*m_devices[static_cast<std::size_t>(seen)], record);
    return false;
  }
  if (m_devices.size() >= UINT32_MAX - 1) return false;
  std::unique_ptr<DeviceRecord> copy(new (std::nothrow) DeviceRecord(record));
  if (!copy) return false;
  m_devices.push_back(std::move(copy));
  const std::size_t row = m_devices.size() - 1;
  if (!m_byMac->Add(m_devices, row)) {
    m_devices.pop_back();
    return false;
  }
  // Only an id a command could name is looked after; the first record with it stays its owner.
  if (IsDeviceIdText(IdOf(record)) && m_byId->Find(m_devices, IdOf(record)) < 0) {
    m_byId->Add(m_devices, row);
  }
  return true;
}

void DeviceStore::NoteRepeat(const DeviceRecord &kept, const DeviceRecord &repeat) {
  AnswerIdentity first = IdentityOf(kept);
  AnswerIdentity other = IdentityOf(repeat);
  const bool otherId = first.deviceId != other.deviceId;
  if (!otherId && first.address == other.address) return;
  // One note per MAC and kind: a flood of repeats costs no more memory than the store itself,
  // and a camera that moved does not hide an impostor of it.
  if (!m_conflictingMacs.insert(first.mac + (otherId ? "/id" : "/address")).second) return;
  m_conflicts.push_back({std::move(first), std::move(other)});
}

void DeviceStore::NoteSharedId(const DeviceRecord &answer) {
  const long owner = m_byId->Find(m_devices, IdOf(answer));
  if (owner < 0) return;
  const DeviceRecord &kept = *m_devices[static_cast<std::size_t>(owner)];
  if (MacOf(kept) == MacOf(answer)) return;
  AnswerIdentity first = IdentityOf(kept);
  if (!m_conflictingIds.insert(first.deviceId).second) return;
  m_conflicts.push_back({std::move(first), IdentityOf(answer)});
}

void DeviceStore::Clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_byMac->Clear();
  m_byId->Clear();
  m_devices.clear();
  m_conflicts.clear();
  m_conflictingMacs.clear();
  m_conflictingIds.clear();
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

std::vector<DeviceRecord> DeviceStore::Records() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::vector<DeviceRecord> records;
  records.reserve(m_devices.size());
  for (const auto &device : m_devices) records.push_back(*device);
  return records;
}

std::vector<IdentityConflict> DeviceStore::Conflicts() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_conflicts;
}

std::optional<IdentityConflict> DeviceStore::ConflictOf(const DeviceRecord &device) const {
  const std::string mac = FieldText(device.network.macAddress);
  const std::string id = FieldText(device.deviceId);
  std::lock_guard<std::mutex> lock(m_mutex);
  for (const IdentityConflict &conflict : m_conflicts) {
    if (!conflict.Forbids()) continue;
    const bool sameMac = conflict.first.mac == conflict.other.mac;
    if (sameMac ? conflict.first.mac == mac : conflict.first.deviceId == id) return conflict;
  }
  return std::nullopt;
}

std::optional<DeviceRecord> DeviceStore::OtherAt(std::string_view address,
                                                 const DeviceRecord &device) const {
  const std::string_view mac = MacOf(device);
  std::lock_guard<std::mutex> lock(m_mutex);
  for (const auto &record : m_devices) {
    if (MacOf(*record) != mac && FieldText(record->network.ipAddress) == address) return *record;
  }
  return std::nullopt;
}

}  // namespace vf::core

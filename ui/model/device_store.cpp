#include "ui/model/device_store.h"

#include <cstring>
#include <new>

namespace vf::ui {
namespace {

// The text of a fixed-size field, never read past the field even when it lacks its NUL.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

}  // namespace

bool DeviceStore::Record(const DeviceRecord &record) {
  std::string key = FieldText(record.network.macAddress);
  std::lock_guard<std::mutex> lock(m_mutex);
  if (IsDeviceSeen(key)) return false;
  std::unique_ptr<DeviceRecord> copy(new (std::nothrow) DeviceRecord(record));
  if (!copy) return false;
  m_devices.push_back(std::move(copy));
  m_seenMacs.insert(std::move(key));
  return true;
}

void DeviceStore::Clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_seenMacs.clear();
  FreeDevices();
}

int DeviceStore::Count() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return static_cast<int>(m_devices.size());
}

bool DeviceStore::CopyAt(int row, DeviceRecord &out) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (row < 0 || row >= static_cast<int>(m_devices.size())) return false;
  out = *m_devices[row];
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

bool DeviceStore::IsDeviceSeen(const std::string &mac) const {
  return m_seenMacs.count(mac) != 0;
}

void DeviceStore::FreeDevices() {
  m_devices.clear();
}

}  // namespace vf::ui

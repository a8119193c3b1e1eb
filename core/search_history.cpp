#include "core/search_history.h"

#include "core/record_text.h"

namespace vf::core {

std::vector<bool> SearchHistory::NextList(const std::vector<DeviceRecord> &devices) {
  std::vector<bool> fresh(devices.size(), false);
  std::unordered_map<std::string, std::string> current;
  current.reserve(devices.size());
  for (std::size_t i = 0; i < devices.size(); ++i) {
    std::string mac = FieldText(devices[i].network.macAddress);
    std::string address = FieldText(devices[i].network.ipAddress);
    if (m_any) {
      const auto before = m_addressOfMac.find(mac);
      fresh[i] = before == m_addressOfMac.end() || before->second != address;
    }
    current.emplace(std::move(mac), std::move(address));
  }
  m_addressOfMac = std::move(current);
  m_any = true;
  return fresh;
}

void SearchHistory::Forget() {
  m_addressOfMac.clear();
  m_any = false;
}

}  // namespace vf::core

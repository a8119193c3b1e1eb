#include "recent_commands.h"

namespace vf::camsim {

std::string RecentCommands::key(std::string_view client_id, std::uint32_t cseq) {
  return std::string(client_id) + '\n' + std::to_string(cseq);
}

const RecentCommands::Entry *RecentCommands::find(std::string_view client_id,
                                                  std::uint32_t cseq) const {
  auto it = m_entries.find(key(client_id, cseq));
  return it == m_entries.end() ? nullptr : &it->second;
}

void RecentCommands::remember(std::string_view client_id, std::uint32_t cseq, Entry entry) {
  std::string k = key(client_id, cseq);
  if (m_entries.insert_or_assign(k, std::move(entry)).second) m_order.push_back(std::move(k));
  while (m_order.size() > m_capacity) {
    m_entries.erase(m_order.front());
    m_order.pop_front();
  }
}

}  // namespace vf::camsim

#include "recent_commands.h"

namespace vf::camsim {

std::string RecentCommands::key(std::string_view client_id, std::uint32_t cseq) {
  return std::string(client_id) + '\n' + std::to_string(cseq);
}

const RecentCommands::Entry *RecentCommands::find(std::string_view client_id,
                                                  std::uint32_t cseq) const {
  auto it = entries_.find(key(client_id, cseq));
  return it == entries_.end() ? nullptr : &it->second;
}

void RecentCommands::remember(std::string_view client_id, std::uint32_t cseq, Entry entry) {
  std::string k = key(client_id, cseq);
  if (entries_.insert_or_assign(k, std::move(entry)).second) order_.push_back(std::move(k));
  while (order_.size() > capacity_) {
    entries_.erase(order_.front());
    order_.pop_front();
  }
}

}  // namespace vf::camsim

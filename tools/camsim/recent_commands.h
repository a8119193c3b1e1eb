// Memory of recently handled CMD requests.
//
// A PC with several addresses sends the same CMD once from each, with the same
// CSeq and Client-ID. The first copy is applied; later copies get the same
// answer again without being applied a second time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vf::camsim {

class RecentCommands {
 public:
  explicit RecentCommands(std::size_t capacity = 4096) : m_capacity(capacity) {}

  struct Entry {
    std::string request;  // the whole datagram, to notice a CSeq reused for another command
    std::string reply;    // empty when the command went unanswered
  };

  const Entry *find(std::string_view client_id, std::uint32_t cseq) const;
  // Remembers a command; the oldest is forgotten once `capacity` are held.
  void remember(std::string_view client_id, std::uint32_t cseq, Entry entry);

 private:
  static std::string key(std::string_view client_id, std::uint32_t cseq);

  std::size_t m_capacity;
  std::unordered_map<std::string, Entry> m_entries;
  std::deque<std::string> m_order;
};

}  // namespace vf::camsim

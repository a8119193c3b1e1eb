// What changed since the search before: a device whose MAC was not in its list, or whose address
// differs from the one it had there, is new.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "devsearch.h"

namespace vf::core {

class SearchHistory {
 public:
  // Which of `devices` are new since the last list remembered, in their order; none for the
  // first list. Then remembers `devices` as the last list.
  std::vector<bool> NextList(const std::vector<DeviceRecord> &devices);

  // Forgets the last list: the next one is the first again.
  void Forget();

 private:
  bool m_any = false;
  std::unordered_map<std::string, std::string> m_addressOfMac;
};

}  // namespace vf::core

#include "core/split_string.h"

namespace vf::core {

void SplitString(const std::string &text, std::vector<std::string> &parts, char separator) {
  if (text.empty()) return;
  std::string::size_type start = 0;
  while (start < text.size()) {
    std::string::size_type end = text.find(separator, start);
    // A text without its trailing separator ends the last piece at its end.
    if (end == std::string::npos) end = text.size();
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace vf::core

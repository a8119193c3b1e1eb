// What tools/privlan.sh tells the command it runs, the same on every platform.
#include <cstdlib>
#include <sstream>

#include "private_lan.h"

namespace vf::testing {
namespace {

std::vector<std::string> Words(const char *variable) {
  std::vector<std::string> words;
  const char *value = std::getenv(variable);
  if (value == nullptr) return words;
  std::istringstream in(value);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

}  // namespace

bool InPrivateLan() {
  return std::getenv("VF_CAM_NETNS") != nullptr;
}
std::vector<std::string> PcAddresses() {
  return Words("VF_PC_ADDRESSES");
}
std::vector<std::string> CameraAddresses() {
  return Words("VF_CAM_ADDRESSES");
}

}  // namespace vf::testing

#include "platform/receive_stats.h"

namespace vf::platform {

// Windows keeps no per-socket drop counter that a program can read, and has no reverse-path
// filter of this kind: the search says nothing of either there.
std::optional<ReceiveStats> ReadReceiveStats(int) {
  return std::nullopt;
}

std::optional<std::uint64_t> ReadReversePathFilterDrops() {
  return std::nullopt;
}

}  // namespace vf::platform

// What the kernel threw away while a search collected its answers, read before and after it, and
// what the user can do about it. Both front ends tell it: the command line in warnings, the
// window beside its count.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/adapters.h"
#include "platform/receive_stats.h"

namespace vf::core {

struct ReceiveLosses {
  // The receive buffer of the engine's socket, and the datagrams the kernel dropped on it during
  // the search; std::nullopt where the platform cannot tell.
  std::optional<int> bufferBytes;
  std::optional<std::uint64_t> drops;
  // Packets the reverse-path filter dropped meanwhile: answers from outside the PC's subnets.
  std::uint64_t reversePathDrops = 0;

  bool Any() const { return drops.value_or(0) > 0 || reversePathDrops > 0; }
};

class LossMeter {
 public:
  // Reads the counters as a search begins; `port` is the engine's.
  void Start(int port);
  // Reads them again: what was lost since Start().
  ReceiveLosses Finish(int port) const;

 private:
  std::optional<platform::ReceiveStats> m_receive;
  std::optional<std::uint64_t> m_reversePath;
};

// One text per kind of loss, saying what was lost and what to do; none when nothing was.
// `adapters` name the interfaces whose reverse-path filter the advice switches off.
std::vector<std::string> LossWarnings(const ReceiveLosses &losses,
                                      platform::AdapterSource &adapters);

}  // namespace vf::core

// What the kernel did with incoming datagrams: the drops on this program's own UDP sockets and
// the receive buffer they got, and the packets the reverse-path filter threw away. A search
// reads them before and after, so that lost answers are never lost in silence.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vf::platform {

struct ReceiveStats {
  // Datagrams dropped so far (a full receive buffer, mostly), summed over the sockets.
  std::uint64_t drops = 0;
  // The receive buffer the first socket has, in bytes, as it was asked for (not the kernel's
  // doubled bookkeeping figure).
  int bufferBytes = 0;
};

// This process's UDP sockets bound to the wildcard address and `port`: the engine's group
// socket. std::nullopt where the platform cannot tell, or no such socket is open.
std::optional<ReceiveStats> ReadReceiveStats(int port);

// Packets the reverse-path filter dropped so far in this network namespace. std::nullopt where
// the platform has no such filter or counter.
std::optional<std::uint64_t> ReadReversePathFilterDrops();

// --- The readers' parsers, for tests ---------------------------------------------------------

struct UdpSocketLine {
  std::uint64_t inode = 0;
  std::uint64_t drops = 0;
};

// The sockets of a /proc/net/udp table bound to 0.0.0.0 and `port`.
std::vector<UdpSocketLine> ParseWildcardUdpSockets(std::string_view table, int port);

// The IPReversePathFilter counter of a /proc/net/netstat text.
std::optional<std::uint64_t> ParseReversePathFilterDrops(std::string_view netstat);

}  // namespace vf::platform

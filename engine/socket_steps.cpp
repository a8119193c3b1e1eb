// The steps of opening the engine's sockets and of sending, the same on every
// platform; what differs between them is in socket_platform.h and each
// platform's shim. Every step writes its diagnostic line itself.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "socket_platform.h"
#include "socket_shim.h"

namespace devsearch::net {
namespace {

void Say(const char *line) {
  std::fputs(line, stdout);
  std::fflush(stdout);
}

// The socket address of `address` (already in network order) and `port`.
sockaddr_in Ipv4(std::uint32_t address, uint16_t port) {
  sockaddr_in ipv4{};
  ipv4.sin_family = AF_INET;
  ipv4.sin_port = htons(port);
  ipv4.sin_addr.s_addr = address;
  return ipv4;
}

// Steps 1 to 3 of opening any of the engine's sockets.
Socket OpenBound(std::uint32_t address, uint16_t port) {
  Socket s = platform::StartSockets() ? socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP) : kNoSocket;
  if (s == kNoSocket) {
    Say(" 1 Socket create failure\n");
    return kNoSocket;
  }
  if (!platform::SetOption(s, SOL_SOCKET, SO_REUSEADDR, 1)) {
    Say(" 2 SO_REUSEADDR\n");
    Close(s);
    return kNoSocket;
  }
  const sockaddr_in local = Ipv4(address, port);
  if (bind(s, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0) {
    Say(" 3 bind failure\n");
    Close(s);
    return kNoSocket;
  }
  return s;
}

}  // namespace

Socket OpenGroupSocket(const char *group, uint16_t port) {
  Socket s = OpenBound(htonl(INADDR_ANY), port);
  if (s == kNoSocket) return kNoSocket;

  ip_mreq membership{};
  membership.imr_multiaddr.s_addr = inet_addr(group);
  membership.imr_interface.s_addr = htonl(INADDR_ANY);
  if (!platform::SetOption(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, membership)) {
    // Still usable for sending; it just hears nothing sent to the group.
    Say(" 4 IP_ADD_MEMBERSHIP\n");
  }
  if (!platform::SetOption(s, IPPROTO_IP, IP_MULTICAST_LOOP, 0)) {
    Say(" 5 SO_BROADCAST\n");
    Close(s);
    return kNoSocket;
  }
  if (!platform::AttachGroupSocket(s)) {
    Close(s);
    return kNoSocket;
  }
  return s;
}

bool JoinGroupOn(Socket s, const char *group, const char *localAddress) {
  ip_mreq membership{};
  membership.imr_multiaddr.s_addr = inet_addr(group);
  membership.imr_interface.s_addr = inet_addr(localAddress);
  if (platform::SetOption(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, membership)) return true;
  // Two addresses of one adapter, or the adapter the wildcard join chose.
  if (platform::LastError() == platform::kAddressInUse) return true;
  char line[64];
  std::snprintf(line, sizeof line, " 4 IP_ADD_MEMBERSHIP %.15s\n", localAddress);
  Say(line);
  return false;
}

Socket OpenSendSocket(const char *localAddress, uint16_t port) {
  return OpenBound(inet_addr(localAddress), port);
}

bool SendTo(Socket s, std::string_view message, const char *group, uint16_t port, int timeoutSec) {
  const sockaddr_in to = Ipv4(inet_addr(group), port);

  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::seconds(timeoutSec < 0 ? 0 : timeoutSec);
  size_t sent = 0;
  while (sent < message.size()) {
    const auto left =
        std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
    const long n = platform::SendWhenWritable(s, message.data() + sent, message.size() - sent, to,
                                              std::max(left, std::chrono::microseconds::zero()));
    if (n == platform::kTryAgain) continue;
    if (n < 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace devsearch::net

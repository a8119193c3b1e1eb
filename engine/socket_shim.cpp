#include "socket_shim.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>

namespace devsearch::net {
namespace {

void Say(const char *line) {
  std::fputs(line, stdout);
  std::fflush(stdout);
}

bool SetInt(Socket s, int level, int option, int value) {
  return setsockopt(s, level, option, &value, sizeof value) == 0;
}

// Steps 1 to 3 of opening any of the engine's sockets.
Socket OpenBound(in_addr_t address, uint16_t port) {
  Socket s = socket(AF_INET, SOCK_DGRAM, 0);
  if (s < 0) {
    Say(" 1 Socket create failure\n");
    return kNoSocket;
  }
  if (!SetInt(s, SOL_SOCKET, SO_REUSEADDR, 1)) {
    Say(" 2 SO_REUSEADDR\n");
    close(s);
    return kNoSocket;
  }
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  local.sin_addr.s_addr = address;
  if (bind(s, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0) {
    Say(" 3 bind failure\n");
    close(s);
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
  if (setsockopt(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) != 0) {
    // Still usable for sending; it just hears nothing sent to the group.
    Say(" 4 IP_ADD_MEMBERSHIP\n");
  }
  if (!SetInt(s, IPPROTO_IP, IP_MULTICAST_LOOP, 0)) {
    Say(" 5 SO_BROADCAST\n");
    close(s);
    return kNoSocket;
  }
  return s;
}

bool JoinGroupOn(Socket s, const char *group, const char *localAddress) {
  ip_mreq membership{};
  membership.imr_multiaddr.s_addr = inet_addr(group);
  membership.imr_interface.s_addr = inet_addr(localAddress);
  if (setsockopt(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) == 0)
    return true;
  // Two addresses of one adapter, or the adapter the wildcard join chose.
  if (errno == EADDRINUSE) return true;
  char line[64];
  std::snprintf(line, sizeof line, " 4 IP_ADD_MEMBERSHIP %.15s\n", localAddress);
  Say(line);
  return false;
}

Socket OpenSendSocket(const char *localAddress, uint16_t port) {
  return OpenBound(inet_addr(localAddress), port);
}

bool SendTo(Socket s, std::string_view message, const char *group, uint16_t port, int timeoutSec) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = inet_addr(group);

  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::seconds(timeoutSec < 0 ? 0 : timeoutSec);
  size_t sent = 0;
  while (sent < message.size()) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd p{s, POLLOUT, 0};
    int ready = poll(&p, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0 || !(p.revents & POLLOUT)) return false;
    ssize_t n = sendto(s, message.data() + sent, message.size() - sent, MSG_DONTWAIT | MSG_NOSIGNAL,
                       reinterpret_cast<sockaddr *>(&to), sizeof to);
    if (n < 0) {
      if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) continue;
      return false;
    }
    sent += static_cast<size_t>(n);
  }
  return true;
}

int ReceiveBatch(Socket s, char *const *buffers, size_t capacity, size_t *sizes, int count) {
  constexpr int kMost = 64;
  if (count > kMost) count = kMost;
  iovec parts[kMost];
  mmsghdr messages[kMost];
  for (int i = 0; i < count; ++i) {
    parts[i] = {buffers[i], capacity};
    messages[i] = {};
    messages[i].msg_hdr.msg_iov = &parts[i];
    messages[i].msg_hdr.msg_iovlen = 1;
  }
  // Waits for the first datagram only; the others are those already queued.
  int n = recvmmsg(s, messages, static_cast<unsigned>(count), MSG_WAITFORONE, nullptr);
  for (int i = 0; i < n; ++i) sizes[i] = messages[i].msg_len;
  return n;
}

int RequestReceiveBuffer(Socket s, int bytes) {
  // SO_RCVBUFFORCE passes the system-wide limit but needs CAP_NET_ADMIN;
  // without it SO_RCVBUF still grows the buffer up to that limit.
  if (!SetInt(s, SOL_SOCKET, SO_RCVBUFFORCE, bytes)) SetInt(s, SOL_SOCKET, SO_RCVBUF, bytes);
  int granted = 0;
  socklen_t length = sizeof granted;
  getsockopt(s, SOL_SOCKET, SO_RCVBUF, &granted, &length);
  return granted;
}

void WakeReceiver(Socket s) {
  // On Linux closing a descriptor does not release a thread blocked on it;
  // shutting it down does, and every later receive returns at once.
  shutdown(s, SHUT_RDWR);
}

void Close(Socket s) {
  if (s != kNoSocket) close(s);
}

}  // namespace devsearch::net

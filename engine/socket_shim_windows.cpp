// The socket operations on Winsock. Winsock is started once per process, at
// the first socket the engine opens, and left running until the process ends,
// so that a caller that never starts it itself still gets working sessions.
//
// A thread blocked in recvfrom() is not released by shutdown() here (nor, under
// Wine, by closing the socket), so a receiving socket never blocks in recvfrom:
// it is switched to event notification, and ReceiveBatch() waits on two
// events, the socket's "datagram waiting" and a wake-up event that
// WakeReceiver() signals.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <type_traits>

#include "socket_shim.h"

static_assert(std::is_same_v<SOCKET, devsearch::net::Socket> &&
              INVALID_SOCKET == devsearch::net::kNoSocket);

namespace devsearch::net {
namespace {

void Say(const char *line) {
  std::fputs(line, stdout);
  std::fflush(stdout);
}

bool StartWinsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

bool SetInt(Socket s, int level, int option, int value) {
  return setsockopt(s, level, option, reinterpret_cast<const char *>(&value), sizeof value) == 0;
}

// The two events a receiving socket waits on.
struct ReceiveEvents {
  WSAEVENT datagram = WSA_INVALID_EVENT;  // Reset by WSAEnumNetworkEvents.
  WSAEVENT wake = WSA_INVALID_EVENT;      // Manual reset, never reset: once woken, always woken.
};

// The receiving sockets and their events. Entries are added when a group
// socket opens and removed when it closes, both on the caller's thread; the
// receive thread and WakeReceiver() only look entries up.
std::mutex g_eventsMutex;
std::map<Socket, ReceiveEvents> g_events;

bool AttachReceiveEvents(Socket s) {
  ReceiveEvents events{WSACreateEvent(), WSACreateEvent()};
  if (events.datagram == WSA_INVALID_EVENT || events.wake == WSA_INVALID_EVENT ||
      WSAEventSelect(s, events.datagram, FD_READ) != 0) {
    if (events.datagram != WSA_INVALID_EVENT) WSACloseEvent(events.datagram);
    if (events.wake != WSA_INVALID_EVENT) WSACloseEvent(events.wake);
    return false;
  }
  std::lock_guard lock(g_eventsMutex);
  g_events[s] = events;
  return true;
}

std::optional<ReceiveEvents> FindReceiveEvents(Socket s) {
  std::lock_guard lock(g_eventsMutex);
  auto found = g_events.find(s);
  if (found == g_events.end()) return std::nullopt;
  return found->second;
}

void DetachReceiveEvents(Socket s) {
  ReceiveEvents events;
  {
    std::lock_guard lock(g_eventsMutex);
    auto found = g_events.find(s);
    if (found == g_events.end()) return;
    events = found->second;
    g_events.erase(found);
  }
  WSACloseEvent(events.datagram);
  WSACloseEvent(events.wake);
}

// Steps 1 to 3 of opening any of the engine's sockets.
Socket OpenBound(unsigned long address, uint16_t port) {
  if (!StartWinsock()) {
    Say(" 1 Socket create failure\n");
    return kNoSocket;
  }
  Socket s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (s == INVALID_SOCKET) {
    Say(" 1 Socket create failure\n");
    return kNoSocket;
  }
  if (!SetInt(s, SOL_SOCKET, SO_REUSEADDR, 1)) {
    Say(" 2 SO_REUSEADDR\n");
    closesocket(s);
    return kNoSocket;
  }
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  local.sin_addr.s_addr = address;
  if (bind(s, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0) {
    Say(" 3 bind failure\n");
    closesocket(s);
    return kNoSocket;
  }
  return s;
}

// One recvfrom() that does not block (the socket is in event mode): the
// length, 0 for an empty datagram, -1 when nothing is waiting or on an error
// (`wouldBlock` tells which).
long ReceiveNow(Socket s, char *buffer, size_t capacity, bool *wouldBlock) {
  *wouldBlock = false;
  const int size = capacity > 0x7fffffff ? 0x7fffffff : static_cast<int>(capacity);
  const int n = recvfrom(s, buffer, size, 0, nullptr, nullptr);
  if (n != SOCKET_ERROR) return n;
  switch (WSAGetLastError()) {
    case WSAEMSGSIZE:
      // Winsock reports a datagram longer than the buffer as an error, with
      // the buffer filled; POSIX returns the cut length. Keep the POSIX rule.
      return size;
    case WSAEWOULDBLOCK:
      *wouldBlock = true;
      return -1;
    default:
      return -1;
  }
}

}  // namespace

Socket OpenGroupSocket(const char *group, uint16_t port) {
  Socket s = OpenBound(htonl(INADDR_ANY), port);
  if (s == kNoSocket) return kNoSocket;

  ip_mreq membership{};
  membership.imr_multiaddr.s_addr = inet_addr(group);
  membership.imr_interface.s_addr = htonl(INADDR_ANY);
  if (setsockopt(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char *>(&membership),
                 sizeof membership) != 0) {
    // Still usable for sending; it just hears nothing sent to the group.
    Say(" 4 IP_ADD_MEMBERSHIP\n");
  }
  if (!SetInt(s, IPPROTO_IP, IP_MULTICAST_LOOP, 0)) {
    Say(" 5 SO_BROADCAST\n");
    closesocket(s);
    return kNoSocket;
  }
  if (!AttachReceiveEvents(s)) {
    closesocket(s);
    return kNoSocket;
  }
  return s;
}

bool JoinGroupOn(Socket s, const char *group, const char *localAddress) {
  ip_mreq membership{};
  membership.imr_multiaddr.s_addr = inet_addr(group);
  membership.imr_interface.s_addr = inet_addr(localAddress);
  if (setsockopt(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char *>(&membership),
                 sizeof membership) == 0)
    return true;
  // Two addresses of one adapter, or the adapter the wildcard join chose.
  if (WSAGetLastError() == WSAEADDRINUSE) return true;
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
    const auto left =
        std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
    const long long micros = left.count() > 0 ? left.count() : 0;
    timeval limit{static_cast<long>(micros / 1000000), static_cast<long>(micros % 1000000)};
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(s, &writable);
    if (select(0, nullptr, &writable, nullptr, &limit) <= 0) return false;
    const size_t rest = message.size() - sent;
    const int n = sendto(s, message.data() + sent, static_cast<int>(rest), 0,
                         reinterpret_cast<sockaddr *>(&to), sizeof to);
    if (n == SOCKET_ERROR) {
      const int error = WSAGetLastError();
      if (error == WSAEWOULDBLOCK || error == WSAEINTR) continue;
      return false;
    }
    sent += static_cast<size_t>(n);
  }
  return true;
}

int ReceiveBatch(Socket s, char *const *buffers, size_t capacity, size_t *sizes, int count) {
  std::optional<ReceiveEvents> events = FindReceiveEvents(s);
  if (!events || count <= 0) return -1;  // Only the group socket receives.
  const WSAEVENT both[2] = {events->wake, events->datagram};
  for (;;) {
    // The wake-up wins over waiting datagrams, as a shut-down socket does.
    if (WSAWaitForMultipleEvents(1, &events->wake, FALSE, 0, FALSE) == WSA_WAIT_EVENT_0) return 0;
    int taken = 0;
    while (taken < count) {
      bool wouldBlock = false;
      const long n = ReceiveNow(s, buffers[taken], capacity, &wouldBlock);
      if (wouldBlock) break;
      if (n < 0) return taken > 0 ? taken : -1;
      sizes[taken++] = static_cast<size_t>(n);
    }
    if (taken > 0) return taken;
    const DWORD which = WSAWaitForMultipleEvents(2, both, FALSE, WSA_INFINITE, FALSE);
    if (which == WSA_WAIT_EVENT_0) return 0;
    if (which != WSA_WAIT_EVENT_0 + 1) return -1;
    // Resets the datagram event; a datagram that arrives after this sets it again.
    WSANETWORKEVENTS happened;
    WSAEnumNetworkEvents(s, events->datagram, &happened);
  }
}

int RequestReceiveBuffer(Socket s, int bytes) {
  SetInt(s, SOL_SOCKET, SO_RCVBUF, bytes);
  int granted = 0;
  int length = sizeof granted;
  getsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char *>(&granted), &length);
  return granted;
}

void WakeReceiver(Socket s) {
  if (std::optional<ReceiveEvents> events = FindReceiveEvents(s)) WSASetEvent(events->wake);
}

void Close(Socket s) {
  if (s == kNoSocket) return;
  DetachReceiveEvents(s);
  closesocket(s);
}

}  // namespace devsearch::net

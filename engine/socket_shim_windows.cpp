// The socket operations on Winsock: the platform's part of the steps in
// socket_steps.cpp, and the receive side. Winsock is started once per process,
// at the first socket the engine opens, and left running until the process ends,
// so that a caller that never starts it itself still gets working sessions.
//
// A thread blocked in recvfrom() is not released by shutdown() here (nor, under
// Wine, by closing the socket), so a receiving socket never blocks in recvfrom:
// it is switched to event notification, and ReceiveBatch() waits on two
// events, the socket's "datagram waiting" and a wake-up event that
// WakeReceiver() signals.
#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <type_traits>

#include "socket_platform.h"
#include "socket_shim.h"

static_assert(std::is_same_v<SOCKET, devsearch::net::Socket> &&
              INVALID_SOCKET == devsearch::net::kNoSocket);

namespace devsearch::net {
namespace {

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

namespace platform {

bool StartSockets() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

bool AttachGroupSocket(Socket s) {
  return AttachReceiveEvents(s);
}

long SendWhenWritable(Socket s, const char *data, size_t size, const sockaddr_in &to,
                      std::chrono::microseconds left) {
  const long long micros = left.count();
  timeval limit{static_cast<long>(micros / 1000000), static_cast<long>(micros % 1000000)};
  fd_set writable;
  FD_ZERO(&writable);
  FD_SET(s, &writable);
  if (select(0, nullptr, &writable, nullptr, &limit) <= 0) return kSendFailed;
  const int n = sendto(s, data, static_cast<int>(size), 0, reinterpret_cast<const sockaddr *>(&to),
                       sizeof to);
  if (n != SOCKET_ERROR) return n;
  const int error = WSAGetLastError();
  return error == WSAEWOULDBLOCK || error == WSAEINTR ? kTryAgain : kSendFailed;
}

}  // namespace platform

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
  platform::SetOption(s, SOL_SOCKET, SO_RCVBUF, bytes);
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

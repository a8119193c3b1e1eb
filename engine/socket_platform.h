// What the socket steps in socket_steps.cpp need from the platform, where
// Winsock and POSIX sockets differ. Only the engine's socket files include it;
// each platform's shim defines the hooks declared at the end.
#pragma once

#if defined(_WIN32)
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>
#endif

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "socket_shim.h"

namespace devsearch::net::platform {

#if defined(_WIN32)
inline int LastError() {
  return WSAGetLastError();
}
inline constexpr int kAddressInUse = WSAEADDRINUSE;
// Winsock takes option values as a char pointer.
template <typename T>
const char *OptionValue(const T &value) {
  return reinterpret_cast<const char *>(&value);
}
#else
inline int LastError() {
  return errno;
}
inline constexpr int kAddressInUse = EADDRINUSE;
template <typename T>
const T *OptionValue(const T &value) {
  return &value;
}
#endif

template <typename T>
bool SetOption(Socket s, int level, int option, const T &value) {
  return setsockopt(s, level, option, OptionValue(value), sizeof value) == 0;
}

// Readies the platform's sockets before the first one opens (Winsock's
// start). False when there are none to be had.
bool StartSockets();

// Whatever a group socket needs beyond its options before it can receive
// (Winsock's receive events). False when the socket is unusable.
bool AttachGroupSocket(Socket s);

// One try at sending: waits at most `left` until the socket can take data,
// then sends what it takes of `size` bytes to `to`. The bytes sent, or one of
// the two results below.
inline constexpr long kTryAgain = -1;    // Interrupted, or the socket was full after all.
inline constexpr long kSendFailed = -2;  // No room in time, or an error.
long SendWhenWritable(Socket s, const char *data, size_t size, const sockaddr_in &to,
                      std::chrono::microseconds left);

}  // namespace devsearch::net::platform

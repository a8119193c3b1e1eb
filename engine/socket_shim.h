// The few socket operations the engine needs, in one place, so that a Winsock
// version can stand beside the POSIX one. Every function writes the engine's
// diagnostic step lines itself and reports failure by its result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace devsearch::net {

#if defined(_WIN32)
// A Winsock SOCKET (an unsigned handle); kNoSocket is INVALID_SOCKET.
using Socket = std::uintptr_t;
inline constexpr Socket kNoSocket = ~Socket{0};
#else
using Socket = int;
inline constexpr Socket kNoSocket = -1;
#endif

// The group socket: bound to the wildcard address and `port`, member of
// `group`, multicast loop off. A failed join is written out and tolerated.
// Returns kNoSocket when the socket cannot be created, set up or bound.
Socket OpenGroupSocket(const char *group, uint16_t port);

// Makes the group socket a member of `group` on the adapter that owns
// `localAddress` as well, so that what arrives there for the group reaches
// it. Being a member there already counts as success. A failure writes
// " 4 IP_ADD_MEMBERSHIP <address>" and returns false.
bool JoinGroupOn(Socket socket, const char *group, const char *localAddress);

// A send socket bound to `localAddress` and `port`. kNoSocket on failure.
Socket OpenSendSocket(const char *localAddress, uint16_t port);

// Sends one datagram to group:port, waiting at most `timeoutSec` seconds in
// all for the socket to take it. False when it could not be sent.
bool SendTo(Socket socket, std::string_view message, const char *group, uint16_t port,
            int timeoutSec);

// Blocks until a datagram arrives, then takes it and whatever else has
// arrived, up to `count` datagrams: datagram i goes to buffers[i], at most
// `capacity` bytes of it (a longer one is cut), and its length to sizes[i].
// Returns how many were taken, -1 on an error. Once WakeReceiver() was called
// it returns at once: with empty datagrams (POSIX) or none (Winsock). Where
// the platform reads one datagram per call, taking one is enough.
int ReceiveBatch(Socket socket, char *const *buffers, size_t capacity, size_t *sizes, int count);

// Asks the kernel for a receive buffer of `bytes`, beyond the ordinary user's
// limit where the process may. Returns the size the kernel granted.
int RequestReceiveBuffer(Socket socket, int bytes);

// Makes a receive that is blocked on the socket return, and every later one
// return at once, without closing the socket.
void WakeReceiver(Socket socket);

void Close(Socket socket);

}  // namespace devsearch::net

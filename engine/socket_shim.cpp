// The socket operations on POSIX sockets (Linux): the platform's part of the
// steps in socket_steps.cpp, and the receive side.
#include "socket_shim.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "socket_platform.h"

namespace devsearch::net {

namespace platform {

bool StartSockets() {
  return true;
}

bool AttachGroupSocket(Socket) {
  return true;
}

long SendWhenWritable(Socket s, const char *data, size_t size, const sockaddr_in &to,
                      std::chrono::microseconds left) {
  pollfd p{s, POLLOUT, 0};
  const auto waitMs = std::chrono::duration_cast<std::chrono::milliseconds>(left).count();
  const int ready = poll(&p, 1, static_cast<int>(waitMs));
  if (ready < 0 && errno == EINTR) return kTryAgain;
  if (ready <= 0 || !(p.revents & POLLOUT)) return kSendFailed;
  const ssize_t n = sendto(s, data, size, MSG_DONTWAIT | MSG_NOSIGNAL,
                           reinterpret_cast<const sockaddr *>(&to), sizeof to);
  if (n >= 0) return static_cast<long>(n);
  return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? kTryAgain : kSendFailed;
}

}  // namespace platform

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
  if (!platform::SetOption(s, SOL_SOCKET, SO_RCVBUFFORCE, bytes))
    platform::SetOption(s, SOL_SOCKET, SO_RCVBUF, bytes);
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

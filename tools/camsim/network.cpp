#include "network.h"

#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <stdexcept>

namespace vf::camsim {
namespace {

[[noreturn]] void fail(const std::string &what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

void set_option(int fd, int level, int name, const void *value, socklen_t size, const char *what) {
  if (setsockopt(fd, level, name, value, size) != 0) fail(what);
}

void set_int_option(int fd, int level, int name, int value, const char *what) {
  set_option(fd, level, name, &value, sizeof value, what);
}

UniqueFd open_udp_socket() {
  UniqueFd fd(socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (fd.get() < 0) fail("socket");
  return fd;
}

// Big buffers absorb a burst of tens of thousands of announcements; the
// kernel caps the value at its own limit, which is fine.
constexpr int kBurstBufferBytes = 8 * 1024 * 1024;

}  // namespace

UniqueFd &UniqueFd::operator=(UniqueFd &&other) noexcept {
  if (this != &other) {
    if (m_fd >= 0) close(m_fd);
    m_fd = other.release();
  }
  return *this;
}

UniqueFd::~UniqueFd() {
  if (m_fd >= 0) close(m_fd);
}

std::vector<NetInterface> multicast_interfaces() {
  std::vector<NetInterface> found;
  ifaddrs *list = nullptr;
  if (getifaddrs(&list) != 0) fail("getifaddrs");
  std::set<int> seen;
  for (ifaddrs *entry = list; entry; entry = entry->ifa_next) {
    if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET) continue;
    if ((entry->ifa_flags & IFF_LOOPBACK) || !(entry->ifa_flags & IFF_UP)) continue;
    int index = static_cast<int>(if_nametoindex(entry->ifa_name));
    if (index == 0 || !seen.insert(index).second) continue;
    NetInterface interface;
    interface.index = index;
    interface.name = entry->ifa_name;
    interface.address = reinterpret_cast<const sockaddr_in *>(entry->ifa_addr)->sin_addr;
    found.push_back(interface);
  }
  freeifaddrs(list);
  return found;
}

GroupListener::GroupListener(in_addr group, int port, const std::vector<NetInterface> &interfaces)
    : m_socket(open_udp_socket()) {
  int fd = m_socket.get();
  set_int_option(fd, SOL_SOCKET, SO_REUSEADDR, 1, "SO_REUSEADDR");
  set_int_option(fd, IPPROTO_IP, IP_PKTINFO, 1, "IP_PKTINFO");
  setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &kBurstBufferBytes, sizeof kBurstBufferBytes);

  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = htons(static_cast<uint16_t>(port));
  if (bind(fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0)
    fail("bind to port " + std::to_string(port));

  int joined = 0;
  for (const NetInterface &interface : interfaces) {
    ip_mreqn membership{};
    membership.imr_multiaddr = group;
    membership.imr_address = interface.address;
    membership.imr_ifindex = interface.index;
    if (setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) == 0)
      ++joined;
  }
  if (joined == 0) fail("joining the group on any interface");
}

std::optional<Received> GroupListener::receive(std::span<char> buffer) {
  iovec data{buffer.data(), buffer.size()};
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
  msghdr message{};
  message.msg_iov = &data;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  ssize_t size = recvmsg(m_socket.get(), &message, MSG_DONTWAIT);
  if (size < 0) return std::nullopt;

  Received received;
  received.size = static_cast<std::size_t>(size);
  received.truncated = (message.msg_flags & MSG_TRUNC) != 0;
  for (cmsghdr *header = CMSG_FIRSTHDR(&message); header; header = CMSG_NXTHDR(&message, header)) {
    if (header->cmsg_level == IPPROTO_IP && header->cmsg_type == IP_PKTINFO) {
      in_pktinfo info;
      std::memcpy(&info, CMSG_DATA(header), sizeof info);
      received.interface_index = info.ipi_ifindex;
    }
  }
  return received;
}

int GroupSender::socket_for(int interface_index) {
  auto it = m_sockets.find(interface_index);
  if (it != m_sockets.end()) return it->second.get();
  UniqueFd socket = open_udp_socket();
  int fd = socket.get();
  ip_mreqn out{};
  out.imr_ifindex = interface_index;
  set_option(fd, IPPROTO_IP, IP_MULTICAST_IF, &out, sizeof out, "IP_MULTICAST_IF");
  set_int_option(fd, IPPROTO_IP, IP_MULTICAST_LOOP, 0, "IP_MULTICAST_LOOP");
  setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &kBurstBufferBytes, sizeof kBurstBufferBytes);
  m_sockets.emplace(interface_index, std::move(socket));
  return fd;
}

int GroupSender::send(int interface_index, std::span<const std::string> datagrams) {
  int fd = socket_for(interface_index);
  sockaddr_in destination{};
  destination.sin_family = AF_INET;
  destination.sin_addr = m_group;
  destination.sin_port = htons(static_cast<uint16_t>(m_port));

  constexpr std::size_t kChunk = 256;
  mmsghdr messages[kChunk];
  iovec parts[kChunk];
  std::size_t sent = 0;
  while (sent < datagrams.size()) {
    std::size_t count = std::min(kChunk, datagrams.size() - sent);
    for (std::size_t i = 0; i < count; ++i) {
      const std::string &datagram = datagrams[sent + i];
      parts[i] = {const_cast<char *>(datagram.data()), datagram.size()};
      messages[i] = {};
      messages[i].msg_hdr.msg_name = &destination;
      messages[i].msg_hdr.msg_namelen = sizeof destination;
      messages[i].msg_hdr.msg_iov = &parts[i];
      messages[i].msg_hdr.msg_iovlen = 1;
    }
    int result = sendmmsg(fd, messages, static_cast<unsigned>(count), MSG_DONTWAIT);
    if (result < 0) {
      if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ENOBUFS) break;
      return -1;
    }
    sent += static_cast<std::size_t>(result);
    if (static_cast<std::size_t>(result) < count) break;
  }
  return static_cast<int>(sent);
}

}  // namespace vf::camsim

// The sockets of the simulated cameras: one listening on the group, joined on
// every interface, and one sending socket per interface so that answers leave
// through the interface their request came in on.
#pragma once

#include <netinet/in.h>

#include <cstddef>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vf::camsim {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : m_fd(fd) {}
  UniqueFd(UniqueFd &&other) noexcept : m_fd(other.release()) {}
  UniqueFd &operator=(UniqueFd &&other) noexcept;
  UniqueFd(const UniqueFd &) = delete;
  UniqueFd &operator=(const UniqueFd &) = delete;
  ~UniqueFd();

  int get() const { return m_fd; }
  int release() {
    int fd = m_fd;
    m_fd = -1;
    return fd;
  }

 private:
  int m_fd = -1;
};

struct NetInterface {
  int index = 0;
  std::string name;
  in_addr address{};
};

// Up, non-loopback interfaces with an IPv4 address, one entry per interface
// (its first address).
std::vector<NetInterface> multicast_interfaces();

struct Received {
  std::size_t size = 0;
  int interface_index = 0;
  bool truncated = false;
};

class GroupListener {
 public:
  // Binds INADDR_ANY:port with SO_REUSEADDR and joins the group on each
  // interface. Throws std::runtime_error when the socket cannot be set up or
  // no interface could join.
  GroupListener(in_addr group, int port, const std::vector<NetInterface> &interfaces);

  int fd() const { return m_socket.get(); }
  // One datagram if one is waiting; never blocks.
  std::optional<Received> receive(std::span<char> buffer);

 private:
  UniqueFd m_socket;
};

class GroupSender {
 public:
  GroupSender(in_addr group, int port) : m_group(group), m_port(port) {}

  // Sends datagrams to the group out of the given interface, as many as the
  // socket takes without blocking. Returns how many went; -1 on a hard error.
  int send(int interface_index, std::span<const std::string> datagrams);

 private:
  int socket_for(int interface_index);

  in_addr m_group;
  int m_port;
  std::map<int, UniqueFd> m_sockets;  // by interface index, opened on first use
};

}  // namespace vf::camsim

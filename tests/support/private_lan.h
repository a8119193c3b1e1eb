// Test helpers for the private LAN that tools/privlan.sh builds: its
// addresses, sockets on the camera side of it, and simulated cameras.
// Everything here only works inside that LAN; outside it the helpers refuse.
//
// A Windows test program (under Wine) cannot enter the camera side's network
// namespace: there a camera socket stands in for the camera from the PC side
// of its link (see CameraSocket), and camsim is started by the test script.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace vf::testing {

inline constexpr const char *kGroup = "239.255.255.250";

// True when the process runs inside privlan.sh (its variables are set).
bool InPrivateLan();
std::vector<std::string> PcAddresses();
std::vector<std::string> CameraAddresses();

// A UDP socket of the camera side. Sends to the group out of the camera
// address given, and, if `listenPort` is not 0, listens on the group and that
// port on every camera address. Closed by the destructor.
//
// On Windows the socket lives on the PC side: it sends out of the PC address
// of the camera's link with multicast loopback on, so that the PC's own
// sockets get each datagram as if it had come over that link, and it listens
// on the group on every PC address, where the PC's requests loop back.
class CameraSocket {
 public:
  CameraSocket(const std::string &cameraAddress, int listenPort);
  ~CameraSocket();
  CameraSocket(const CameraSocket &) = delete;
  CameraSocket &operator=(const CameraSocket &) = delete;

  bool ok() const { return m_fd != -1; }
  // One datagram to the group and port.
  bool Send(const std::string &text, int port);
  // The next datagram, or an empty text once `timeout` has passed.
  std::string Receive(std::chrono::milliseconds timeout);

 private:
  std::intptr_t m_fd = -1;  // A descriptor, or a Winsock SOCKET.
};

// Holds a UDP port on the wildcard address for its lifetime, without address
// reuse, so that nobody else can bind it.
class PortHolder {
 public:
  explicit PortHolder(int port);
  ~PortHolder();
  PortHolder(const PortHolder &) = delete;
  PortHolder &operator=(const PortHolder &) = delete;

  // Whether the port was free and is now held.
  bool held() const { return m_held; }

 private:
  std::intptr_t m_fd = -1;
  bool m_held = false;
};

#if !defined(_WIN32)
// A camsim process on the camera side, started with `arguments` and ended by
// the destructor. Waits (bounded) for its ready line.
class Camsim {
 public:
  explicit Camsim(const std::vector<std::string> &arguments);
  ~Camsim();
  Camsim(const Camsim &) = delete;
  Camsim &operator=(const Camsim &) = delete;

  bool ready() const { return m_ready; }

 private:
  int m_pid = -1;
  bool m_ready = false;
};
#endif

// Polls `done` every few milliseconds until it holds or `limit` passes.
template <typename Predicate>
bool WaitFor(Predicate done, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  auto until = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

}  // namespace vf::testing

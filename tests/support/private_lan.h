// Test helpers for the private LAN that tools/privlan.sh builds: its
// addresses, sockets on the camera side of it, and simulated cameras.
// Everything here only works inside that LAN; outside it the helpers refuse.
#pragma once

#include <chrono>
#include <string>
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
class CameraSocket {
 public:
  CameraSocket(const std::string &cameraAddress, int listenPort);
  ~CameraSocket();
  CameraSocket(const CameraSocket &) = delete;
  CameraSocket &operator=(const CameraSocket &) = delete;

  bool ok() const { return fd_ >= 0; }
  // One datagram to the group and port.
  bool Send(const std::string &text, int port);
  // The next datagram, or an empty text once `timeout` has passed.
  std::string Receive(std::chrono::milliseconds timeout);

 private:
  int fd_ = -1;
};

// A camsim process on the camera side, started with `arguments` and ended by
// the destructor. Waits (bounded) for its ready line.
class Camsim {
 public:
  explicit Camsim(const std::vector<std::string> &arguments);
  ~Camsim();
  Camsim(const Camsim &) = delete;
  Camsim &operator=(const Camsim &) = delete;

  bool ready() const { return ready_; }

 private:
  int pid_ = -1;
  bool ready_ = false;
};

// Polls `done` every few milliseconds until it holds or `limit` passes.
template <typename Predicate>
bool WaitFor(Predicate done, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  auto until = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    struct timespec pause{0, 2000000};
    nanosleep(&pause, nullptr);
  }
  return true;
}

}  // namespace vf::testing

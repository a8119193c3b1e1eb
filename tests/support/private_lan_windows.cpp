// The private LAN's helpers for a Windows test program under Wine. Its sockets
// are made by the wineserver, in the PC namespace of the LAN; the camera side
// is out of reach, so a camera socket works from the PC end of its link.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdlib>

#include "private_lan.h"

namespace vf::testing {
namespace {

bool StartWinsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

// The PC address on the link of a camera address (10.77.N.2 -> 10.77.N.1).
std::string PcAddressOnLinkOf(const std::string &cameraAddress) {
  const std::vector<std::string> cameras = CameraAddresses();
  const std::vector<std::string> pcs = PcAddresses();
  for (size_t i = 0; i < cameras.size() && i < pcs.size(); ++i) {
    if (cameras[i] == cameraAddress) return pcs[i];
  }
  return {};
}

in_addr Ipv4(const std::string &text) {
  in_addr address{};
  inet_pton(AF_INET, text.c_str(), &address);
  return address;
}

template <typename T>
void SetOption(SOCKET s, int level, int option, const T &value) {
  setsockopt(s, level, option, reinterpret_cast<const char *>(&value), sizeof value);
}

}  // namespace

CameraSocket::CameraSocket(const std::string &cameraAddress, int listenPort) {
  const std::string pcAddress = PcAddressOnLinkOf(cameraAddress);
  if (pcAddress.empty() || !StartWinsock()) return;
  SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (s == INVALID_SOCKET) return;
  SetOption(s, SOL_SOCKET, SO_REUSEADDR, 1);
  SetOption(s, SOL_SOCKET, SO_RCVBUF, 8 << 20);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(static_cast<u_short>(listenPort));
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  if (bind(s, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0) {
    closesocket(s);
    return;
  }
  SetOption(s, IPPROTO_IP, IP_MULTICAST_IF, Ipv4(pcAddress));
  SetOption(s, IPPROTO_IP, IP_MULTICAST_LOOP, 1);
  if (listenPort != 0) {
    for (const std::string &address : PcAddresses()) {
      ip_mreq join{};
      join.imr_multiaddr = Ipv4(kGroup);
      join.imr_interface = Ipv4(address);
      SetOption(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, join);
    }
  }
  m_fd = static_cast<std::intptr_t>(s);
}

CameraSocket::~CameraSocket() {
  if (ok()) closesocket(static_cast<SOCKET>(m_fd));
}

bool CameraSocket::Send(const std::string &text, int port) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<u_short>(port));
  to.sin_addr = Ipv4(kGroup);
  return sendto(static_cast<SOCKET>(m_fd), text.data(), static_cast<int>(text.size()), 0,
                reinterpret_cast<sockaddr *>(&to), sizeof to) == static_cast<int>(text.size());
}

std::string CameraSocket::Receive(std::chrono::milliseconds timeout) {
  const auto s = static_cast<SOCKET>(m_fd);
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(s, &readable);
  const long long ms = timeout.count();
  timeval limit{static_cast<long>(ms / 1000), static_cast<long>(ms % 1000 * 1000)};
  if (select(0, &readable, nullptr, nullptr, &limit) <= 0) return {};
  char buffer[4096];
  const int n = recv(s, buffer, sizeof buffer, 0);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

PortHolder::PortHolder(int port) {
  if (!StartWinsock()) return;
  SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (s == INVALID_SOCKET) return;
  // Exclusive use, as a program that owns the port would hold it.
  SetOption(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, 1);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(static_cast<u_short>(port));
  m_fd = static_cast<std::intptr_t>(s);
  m_held = bind(s, reinterpret_cast<sockaddr *>(&local), sizeof local) == 0;
}

PortHolder::~PortHolder() {
  if (m_fd != -1) closesocket(static_cast<SOCKET>(m_fd));
}

}  // namespace vf::testing

#include "private_lan.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <thread>

namespace vf::testing {
namespace {

// Runs `make` on a thread that has entered the camera namespace; network
// namespaces are per thread, and a socket keeps the one it was made in.
template <typename Make>
int InCameraNamespace(Make make) {
  const char *path = std::getenv("VF_CAM_NETNS");
  if (path == nullptr) return -1;
  int result = -1;
  std::thread worker([&] {
    int ns = open(path, O_RDONLY | O_CLOEXEC);
    if (ns < 0) return;
    if (setns(ns, CLONE_NEWNET) == 0) result = make();
    close(ns);
  });
  worker.join();
  return result;
}

}  // namespace

CameraSocket::CameraSocket(const std::string &cameraAddress, int listenPort) {
  m_fd = InCameraNamespace([&] {
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    int big = 8 << 20;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &big, sizeof big);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<uint16_t>(listenPort));
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(fd, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0) {
      close(fd);
      return -1;
    }
    in_addr out{};
    inet_pton(AF_INET, cameraAddress.c_str(), &out);
    setsockopt(fd, IPPROTO_IP, IP_MULTICAST_IF, &out, sizeof out);
    int loop = 0;
    setsockopt(fd, IPPROTO_IP, IP_MULTICAST_LOOP, &loop, sizeof loop);
    if (listenPort != 0) {
      for (const auto &address : CameraAddresses()) {
        ip_mreq join{};
        inet_pton(AF_INET, kGroup, &join.imr_multiaddr);
        inet_pton(AF_INET, address.c_str(), &join.imr_interface);
        setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &join, sizeof join);
      }
    }
    return fd;
  });
}

CameraSocket::~CameraSocket() {
  if (m_fd >= 0) close(static_cast<int>(m_fd));
}

PortHolder::PortHolder(int port) {
  m_fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(static_cast<uint16_t>(port));
  m_held = m_fd >= 0 &&
           bind(static_cast<int>(m_fd), reinterpret_cast<sockaddr *>(&local), sizeof local) == 0;
}

PortHolder::~PortHolder() {
  if (m_fd >= 0) close(static_cast<int>(m_fd));
}

bool CameraSocket::Send(const std::string &text, int port) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<uint16_t>(port));
  inet_pton(AF_INET, kGroup, &to.sin_addr);
  return sendto(static_cast<int>(m_fd), text.data(), text.size(), 0,
                reinterpret_cast<sockaddr *>(&to), sizeof to) == static_cast<ssize_t>(text.size());
}

std::string CameraSocket::Receive(std::chrono::milliseconds timeout) {
  pollfd p{static_cast<int>(m_fd), POLLIN, 0};
  if (poll(&p, 1, static_cast<int>(timeout.count())) <= 0) return {};
  char buffer[4096];
  ssize_t n = recv(static_cast<int>(m_fd), buffer, sizeof buffer, 0);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

Camsim::Camsim(const std::vector<std::string> &arguments) {
  const char *ns = std::getenv("VF_CAM_NETNS");
  if (ns == nullptr) return;
  // Its output goes to a file, so that it can write as much as it likes
  // after the ready line without anyone reading a pipe.
  char path[] = "/tmp/camsim-out-XXXXXX";
  int out = mkstemp(path);
  if (out < 0) return;
  unlink(path);
  std::vector<std::string> words = {"nsenter", std::string("--net=") + ns, "--", VF_CAMSIM_PATH};
  words.insert(words.end(), arguments.begin(), arguments.end());
  m_pid = fork();
  if (m_pid == 0) {
    dup2(out, STDOUT_FILENO);
    // A bench may keep the cameras off the CPUs it measures on.
    if (const char *cpu = std::getenv("VF_CAMSIM_CPU")) {
      cpu_set_t set;
      CPU_ZERO(&set);
      CPU_SET(std::atoi(cpu), &set);
      sched_setaffinity(0, sizeof set, &set);
    }
    std::vector<char *> argv;
    for (auto &word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  m_ready = WaitFor(
      [&] {
        char buffer[512] = {};
        ssize_t n = pread(out, buffer, sizeof buffer - 1, 0);
        return n > 0 && std::strstr(buffer, "camsim ready") != nullptr;
      },
      std::chrono::seconds(10));
  close(out);
}

Camsim::~Camsim() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGTERM);
  int status = 0;
  waitpid(m_pid, &status, 0);
}

}  // namespace vf::testing

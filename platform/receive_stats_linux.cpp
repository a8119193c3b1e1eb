#include <dirent.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/receive_stats.h"
#include "platform/text_file.h"

namespace vf::platform {
namespace {

// The descriptor of this process that holds the socket `inode`, or -1.
int DescriptorOfSocket(std::uint64_t inode) {
  DIR *fds = opendir("/proc/self/fd");
  if (fds == nullptr) return -1;
  const std::string wanted = "socket:[" + std::to_string(inode) + "]";
  int found = -1;
  while (const dirent *entry = readdir(fds)) {
    char target[64] = {};
    const std::string path = std::string("/proc/self/fd/") + entry->d_name;
    const ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
    if (length > 0 && wanted == target) {
      found = std::atoi(entry->d_name);
      break;
    }
  }
  closedir(fds);
  return found;
}

}  // namespace

std::optional<ReceiveStats> ReadReceiveStats(int port) {
  const std::optional<std::string> table = ReadTextFile("/proc/net/udp");
  if (!table) return std::nullopt;
  ReceiveStats stats;
  bool ours = false;
  // Every process's sockets are listed; only those whose descriptor this process holds count.
  for (const UdpSocketLine &socket : ParseWildcardUdpSockets(*table, port)) {
    const int fd = DescriptorOfSocket(socket.inode);
    if (fd < 0) continue;
    if (!ours) {
      int granted = 0;
      socklen_t length = sizeof granted;
      // The kernel reports twice what it grants, the other half being its bookkeeping.
      if (getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &granted, &length) == 0) {
        stats.bufferBytes = granted / 2;
      }
    }
    ours = true;
    stats.drops += socket.drops;
  }
  if (!ours) return std::nullopt;
  return stats;
}

std::optional<std::uint64_t> ReadReversePathFilterDrops() {
  const std::optional<std::string> netstat = ReadTextFile("/proc/net/netstat");
  if (!netstat) return std::nullopt;
  return ParseReversePathFilterDrops(*netstat);
}

}  // namespace vf::platform

#include "stop_signal.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace vf::camsim {
namespace {

int g_stop_write_fd = -1;

void on_stop_signal(int) {
  int saved = errno;
  char byte = 1;
  [[maybe_unused]] ssize_t ignored = write(g_stop_write_fd, &byte, 1);
  errno = saved;
}

}  // namespace

int install_stop_signals() {
  int ends[2];
  if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0) return -1;
  g_stop_write_fd = ends[1];
  struct sigaction action {};
  action.sa_handler = on_stop_signal;
  sigemptyset(&action.sa_mask);
  if (sigaction(SIGINT, &action, nullptr) != 0 || sigaction(SIGTERM, &action, nullptr) != 0)
    return -1;
  return ends[0];
}

}  // namespace vf::camsim

// Opens pages with xdg-open, started directly (no shell sees the URL). The
// children are reaped without waiting: each call collects those that ended.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <mutex>
#include <vector>

#include "platform/url_opener.h"

extern char **environ;

namespace vf::platform {
namespace {

class XdgUrlOpener final : public UrlOpener {
 public:
  bool Open(const std::string &url) override {
    const std::lock_guard lock(m_mutex);
    ReapEnded();
    std::string program = "xdg-open";
    std::string argument = url;
    char *argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
    m_children.push_back(pid);
    return true;
  }

 private:
  void ReapEnded() {
    std::vector<pid_t> running;
    for (pid_t pid : m_children) {
      if (waitpid(pid, nullptr, WNOHANG) == 0) running.push_back(pid);
    }
    m_children.swap(running);
  }

  std::mutex m_mutex;
  std::vector<pid_t> m_children;
};

}  // namespace

UrlOpener &SystemUrlOpener() {
  static XdgUrlOpener opener;
  return opener;
}

}  // namespace vf::platform

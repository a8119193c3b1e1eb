// Starts without a display: one line on stderr that names the command-line
// tool, exit status 1, no abort, whatever the reason the display is missing.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <string>

#include "display_check.h"

namespace {

struct Outcome {
  int status = -1;  // Exit status; 128 + signal when it was killed.
  std::string standardError;
};

// The program with these variables set (empty value: unset) and every other
// display variable unset.
Outcome RunProgram(const std::map<std::string, std::string> &variables) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) unsetenv(name);
    for (const auto &[name, value] : variables) {
      if (!value.empty()) setenv(name.c_str(), value.c_str(), 1);
    }
    dup2(pipeFds[1], STDERR_FILENO);
    close(pipeFds[0]);
    execl(VF_PROGRAM_PATH, VF_PROGRAM_PATH, static_cast<char *>(nullptr));
    _exit(127);
  }
  close(pipeFds[1]);
  Outcome outcome;
  char buffer[4096];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
    outcome.standardError.append(buffer, static_cast<size_t>(n));
  }
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return outcome;
}

TEST(NoDisplay, OneLineNamingTheCommandLineToolAndStatusOne) {
  char runtime[] = "/tmp/vf-no-display-XXXXXX";
  ASSERT_NE(mkdtemp(runtime), nullptr);
  const std::map<std::string, std::string> cases[] = {
      {},                               // Nothing set at all.
      {{"DISPLAY", ":97"}},             // An X server that is not there.
      {{"QT_QPA_PLATFORM", "xcb"}},     // X asked for, none named.
      {{"QT_QPA_PLATFORM", "wayland"},  // A Wayland socket that is missing.
       {"WAYLAND_DISPLAY", "wayland-7"},
       {"XDG_RUNTIME_DIR", runtime}},
      {{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":97"}},
      {{"QT_QPA_PLATFORM", "no-such-platform"}},  // Qt itself finds nothing.
  };
  for (const auto &variables : cases) {
    std::string name;
    for (const auto &[variable, value] : variables) name += variable + "=" + value + " ";
    SCOPED_TRACE(name);
    const Outcome outcome = RunProgram(variables);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.standardError, std::string(vf::app::kNoDisplayMessage) + "\n");
  }
  rmdir(runtime);
}

}  // namespace

#include "cli_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vf::testing {

CliRun RunCli(const std::vector<std::string> &arguments, const std::string &input,
              std::chrono::seconds limit) {
  std::vector<std::string> command = {VF_CLI_PATH};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return RunProgram(command, input, limit);
}

CliRun RunProgram(const std::vector<std::string> &command, const std::string &input,
                  std::chrono::seconds limit) {
  CliRun run;
  int in[2], out[2], err[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
    return run;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    std::vector<char *> argv;
    for (const std::string &word : command) argv.push_back(const_cast<char *>(word.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  // The input is small: it fits the pipe, and closing it ends the program's reading.
  if (!input.empty()) {
    [[maybe_unused]] const ssize_t written = write(in[1], input.data(), input.size());
  }
  close(in[1]);

  const auto until = std::chrono::steady_clock::now() + limit;
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string *sinks[2] = {&run.out, &run.err};
  int open = 2;
  bool late = false;
  while (open > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        until - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      late = true;
      kill(pid, SIGKILL);
      break;
    }
    if (poll(fds, 2, static_cast<int>(left.count())) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[65536];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (const pollfd &fd : fds) {
    if (fd.fd >= 0) close(fd.fd);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  run.status = (!late && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace vf::testing

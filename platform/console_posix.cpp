#include <unistd.h>

#include "platform/console.h"

namespace vf::platform {

std::FILE *DivertStdoutToStderr() {
  std::fflush(stdout);
  const int data = dup(STDOUT_FILENO);
  if (data < 0) return stdout;
  std::FILE *stream = fdopen(data, "w");
  if (stream == nullptr) {
    close(data);
    return stdout;
  }
  if (dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
    std::fclose(stream);
    return stdout;
  }
  return stream;
}

bool StdinIsTerminal() {
  return isatty(STDIN_FILENO) == 1;
}

}  // namespace vf::platform

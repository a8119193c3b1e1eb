#include <io.h>

#include "platform/console.h"

namespace vf::platform {

std::FILE *DivertStdoutToStderr() {
  std::fflush(stdout);
  const int data = _dup(_fileno(stdout));
  if (data < 0) return stdout;
  std::FILE *stream = _fdopen(data, "w");
  if (stream == nullptr) {
    _close(data);
    return stdout;
  }
  if (_dup2(_fileno(stderr), _fileno(stdout)) < 0) {
    std::fclose(stream);
    return stdout;
  }
  return stream;
}

bool StdinIsTerminal() {
  return _isatty(_fileno(stdin)) != 0;
}

}  // namespace vf::platform

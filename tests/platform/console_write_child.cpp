// What console_windows_test.cpp starts: a program that writes as vellafind-cli does, data to the
// stream DivertStdoutToStderr gives, messages to standard error, a line of "the engine" to
// standard output, each flushed so that their order is fixed.
#include <cstdio>

#include "platform/console.h"

int main() {
  std::FILE *data = vf::platform::DivertStdoutToStderr();
  std::fputs("Kamera-B\xC3\xBCro\n", data);
  std::fflush(data);
  std::fputs("Caf\xC3\xA9 \xE2\x98\x83\n", stderr);
  std::fputs("a,b\r\n", data);
  std::fflush(data);
  std::fputs("<engine> line\n", stdout);
  std::fflush(stdout);
  return 0;
}

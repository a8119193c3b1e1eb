#include <fcntl.h>
#include <io.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "platform/console.h"
#include "platform/console_relay_windows.h"
#include "platform/console_text_windows.h"

namespace vf::platform {
namespace {

constexpr int kStdout = 1;
constexpr int kStderr = 2;

// Set up once by DivertStdoutToStderr when a console takes part, ended at exit.
struct Diverted {
  std::unique_ptr<ConsoleRelay> relay;
  std::FILE *data = nullptr;
  bool stderrRelayed = false;
};
Diverted *g_diverted = nullptr;

// At exit: everything written so far reaches the console before the process ends. Whatever is
// written later still does, as bytes.
void FinishDiverted() {
  std::fflush(nullptr);
  if (g_diverted->stderrRelayed) {
    const int console = g_diverted->relay->ConsoleDescriptor();
    _dup2(console, kStderr);
    _dup2(console, kStdout);
  }
  std::fclose(g_diverted->data);
  g_diverted->relay->Finish(std::chrono::seconds(5));
}

}  // namespace

// The data stream is binary: the program writes its own line ends ("\r\n" in CSV, "\n"
// elsewhere), and a text-mode stream would turn every "\n" into "\r\n" ("\r\r\n" in CSV). Files
// and pipes get UTF-8 as it is; a console gets it as UTF-16, through a relay, so that it shows
// every character whatever its code page. The messages on standard error are text as before.
std::FILE *DivertStdoutToStderr() {
  std::fflush(stdout);
  std::fflush(stderr);
  const bool stdoutConsole = IsConsoleDescriptor(kStdout);
  const bool stderrConsole = IsConsoleDescriptor(kStderr);
  std::unique_ptr<ConsoleRelay> relay;
  if (stdoutConsole || stderrConsole) {
    relay = ConsoleRelay::Start(stderrConsole ? kStderr : kStdout);
  }

  int data = relay && stdoutConsole ? relay->NewDescriptor() : _dup(kStdout);
  if (data < 0) return stdout;
  _setmode(data, _O_BINARY);
  std::FILE *stream = _fdopen(data, "wb");
  if (stream == nullptr) {
    _close(data);
    return stdout;
  }
  bool stderrRelayed = false;
  if (relay && stderrConsole) {
    const int messages = relay->NewDescriptor();
    stderrRelayed = messages >= 0 && _dup2(messages, kStderr) == 0;
    if (messages >= 0) _close(messages);
    // A pipe would make both streams wait for a full buffer: a message, a question or a line of
    // the engine appears when it is written, as it did on the console itself.
    std::setvbuf(stderr, nullptr, _IONBF, 0);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
  }
  // Should this fail, the engine's lines share the data's destination, as without a diversion.
  _dup2(kStderr, kStdout);
  if (relay) {
    g_diverted = new Diverted{std::move(relay), stream, stderrRelayed};
    // The relay's own end closes now, so that the end of the last stream ends the relay.
    g_diverted->relay->Finish(std::chrono::milliseconds(0));
    std::atexit(FinishDiverted);
  }
  return stream;
}

bool StdinIsTerminal() {
  return _isatty(_fileno(stdin)) != 0;
}

}  // namespace vf::platform

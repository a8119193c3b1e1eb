#include "platform/console_relay_windows.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform/console_text_windows.h"

namespace vf::platform {
namespace {

struct PumpArguments {
  HANDLE read;
  HANDLE console;
};

DWORD WINAPI Pump(void *parameter) {
  const auto *arguments = static_cast<const PumpArguments *>(parameter);
  ConsoleTextWriter writer(arguments->console);
  char buffer[4096];
  DWORD got = 0;
  // Ends when the last writing end is closed (ERROR_BROKEN_PIPE).
  while (ReadFile(arguments->read, buffer, sizeof buffer, &got, nullptr) != 0 && got > 0) {
    writer.Write(std::string_view(buffer, got));
  }
  writer.Flush();
  delete arguments;
  return 0;
}

}  // namespace

std::unique_ptr<ConsoleRelay> ConsoleRelay::Start(int consoleFd) {
  std::unique_ptr<ConsoleRelay> relay(new ConsoleRelay());
  relay->m_consoleFd = _dup(consoleFd);
  if (relay->m_consoleFd < 0) return nullptr;
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  // Not inherited: a child process holding the writing end would keep the relay from ending.
  if (CreatePipe(&read, &write, nullptr, 64 * 1024) == 0) return nullptr;
  relay->m_read = read;
  relay->m_writeFd = _open_osfhandle(reinterpret_cast<intptr_t>(write), _O_TEXT | _O_WRONLY);
  if (relay->m_writeFd < 0) {
    CloseHandle(write);
    return nullptr;
  }
  auto *arguments =
      new PumpArguments{read, reinterpret_cast<HANDLE>(_get_osfhandle(relay->m_consoleFd))};
  relay->m_thread = CreateThread(nullptr, 0, Pump, arguments, 0, nullptr);
  if (relay->m_thread == nullptr) {
    delete arguments;
    return nullptr;
  }
  return relay;
}

ConsoleRelay::~ConsoleRelay() {
  const bool ended = Finish(m_finished ? std::chrono::milliseconds(0) : std::chrono::seconds(5));
  if (m_thread != nullptr) CloseHandle(m_thread);
  // A thread that did not end still reads the pipe and writes to the console: both stay open.
  if (ended) {
    if (m_read != nullptr) CloseHandle(m_read);
    if (m_consoleFd >= 0) _close(m_consoleFd);
  }
}

int ConsoleRelay::NewDescriptor() const {
  return m_writeFd >= 0 ? _dup(m_writeFd) : -1;
}

bool ConsoleRelay::Finish(std::chrono::milliseconds limit) {
  m_finished = true;
  if (m_writeFd >= 0) {
    _close(m_writeFd);
    m_writeFd = -1;
  }
  if (m_thread == nullptr) return true;
  return WaitForSingleObject(m_thread, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

}  // namespace vf::platform

#include "platform/console_text_windows.h"

#include <io.h>
#include <windows.h>

#include <algorithm>

#include "platform/windows_text.h"

namespace vf::platform {
namespace {

// Older consoles refuse a single WriteConsoleW of more than about 26,000 characters.
constexpr std::size_t kWideChunk = 8192;

}  // namespace

bool IsConsoleDescriptor(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode) != 0;
}

std::size_t WholeUtf8Length(std::string_view bytes) {
  const std::size_t size = bytes.size();
  for (std::size_t back = 1; back <= 4 && back <= size; ++back) {
    const auto byte = static_cast<unsigned char>(bytes[size - back]);
    if ((byte & 0xC0) == 0x80) continue;  // A continuation byte: its lead byte is further back.
    const std::size_t length = byte >= 0xF8   ? 1
                               : byte >= 0xF0 ? 4
                               : byte >= 0xE0 ? 3
                               : byte >= 0xC0 ? 2
                                              : 1;
    return length > back ? size - back : size;
  }
  return size;
}

bool ConsoleTextWriter::Write(std::string_view utf8) {
  m_pending.append(utf8);
  const std::size_t whole = WholeUtf8Length(m_pending);
  if (whole == 0) return true;
  const bool written = WriteWide(WideFromUtf8(std::string_view(m_pending).substr(0, whole)));
  m_pending.erase(0, whole);
  return written;
}

bool ConsoleTextWriter::Flush() {
  if (m_pending.empty()) return true;
  const bool written = WriteWide(WideFromUtf8(m_pending));
  m_pending.clear();
  return written;
}

bool ConsoleTextWriter::WriteWide(const std::wstring &text) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t length = std::min(kWideChunk, text.size() - at);
    // A surrogate pair stays in one piece.
    if (at + length < text.size() && IS_HIGH_SURROGATE(text[at + length - 1])) --length;
    DWORD written = 0;
    const BOOL wrote =
        WriteConsoleW(m_console, text.data() + at, static_cast<DWORD>(length), &written, nullptr);
    if (wrote == 0 || written == 0) return false;
    at += written;
  }
  return true;
}

}  // namespace vf::platform

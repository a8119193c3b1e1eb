#include <cstring>

#include "platform/windows_text.h"
#include "ui/window/clipboard.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>

namespace vf::ui {
namespace {

// The clipboard is one for the whole desktop: another program may hold it for a moment.
bool OpenTheClipboard() {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(nullptr) != FALSE) return true;
    Sleep(20);
  }
  return false;
}

}  // namespace

bool SetClipboardText(std::string_view text) {
  // Windows' programs break their lines with CR LF.
  std::string lines;
  for (const char c : text) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  const std::wstring wide = platform::WideFromUtf8(lines);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return false;
  void *at = GlobalLock(memory);
  if (at == nullptr) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(at, wide.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenTheClipboard()) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // Once set, the memory is the clipboard's.
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!set) GlobalFree(memory);
  return set;
}

std::string ClipboardText() {
  if (!OpenTheClipboard()) return {};
  std::wstring wide;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto *text = static_cast<const wchar_t *>(GlobalLock(data))) {
      wide = text;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  std::string lines;
  for (const char c : platform::Utf8FromWide(wide)) {
    if (c != '\r') lines += c;
  }
  return lines;
}

}  // namespace vf::ui

// UTF-8 text to a Windows console. A console shows the bytes a program writes in its output code
// page (437 or 850 on most Western systems), so UTF-8 written as bytes comes out garbled ("Büro"
// as "B├╝ro"); written as UTF-16 with WriteConsoleW it shows as it is, whatever the code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vf::platform {

// Whether the C runtime's file descriptor `fd` writes to a console (not a file or a pipe).
bool IsConsoleDescriptor(int fd);

// How much of `bytes` ends on a whole UTF-8 character: the bytes of a character that the end
// cuts off are left out. Invalid bytes count as whole (they show as U+FFFD).
std::size_t WholeUtf8Length(std::string_view bytes);

// Writes UTF-8 to one console as UTF-16. The bytes of a character that arrive in two writes are
// held back until the character is whole; an invalid sequence shows as U+FFFD.
class ConsoleTextWriter {
 public:
  explicit ConsoleTextWriter(void *console) : m_console(console) {}  // a console HANDLE

  // False when the console refused the text.
  bool Write(std::string_view utf8);
  // Writes what still waits for the rest of its character.
  bool Flush();

 private:
  bool WriteWide(const std::wstring &text);

  void *m_console;
  std::string m_pending;
};

}  // namespace vf::platform

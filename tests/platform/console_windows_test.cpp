// Text to a Windows console: UTF-8 written as UTF-16, a character split between two writes kept
// whole, and the streams of a command-line program (console_write_child.exe): a console shows
// every character whatever its code page, a file gets the data's bytes as the program wrote them.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/console_text_windows.h"
#include "platform/windows_text.h"

namespace vf::platform {
namespace {

TEST(ConsoleText, WholeCharactersEndBeforeACutOne) {
  EXPECT_EQ(WholeUtf8Length(""), 0u);
  EXPECT_EQ(WholeUtf8Length("abc"), 3u);
  EXPECT_EQ(WholeUtf8Length("B\xC3"), 1u);  // ü cut after its first byte
  EXPECT_EQ(WholeUtf8Length("B\xC3\xBC"), 3u);
  EXPECT_EQ(WholeUtf8Length("x\xE2\x98"), 1u);      // ☃ cut after two of three
  EXPECT_EQ(WholeUtf8Length("x\xF0\x9F\x93"), 1u);  // four bytes, cut after three
  EXPECT_EQ(WholeUtf8Length("x\xF0\x9F\x93\xB7"), 5u);
  EXPECT_EQ(WholeUtf8Length("x\xBC"), 2u) << "a stray continuation byte waits for nothing";
  EXPECT_EQ(WholeUtf8Length("x\xFF"), 2u) << "nor does an invalid byte";
}

// A console screen buffer of this process (a console of its own when it has none).
class ConsoleBuffer {
 public:
  ConsoleBuffer() {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    m_buffer = Create(inherited);
    // Wine gives a program started without a terminal a console without screen buffers.
    if (m_buffer == INVALID_HANDLE_VALUE) {
      FreeConsole();
      if (AllocConsole() != 0) m_buffer = Create(inherited);
    }
  }
  ~ConsoleBuffer() {
    if (Valid()) CloseHandle(m_buffer);
  }
  ConsoleBuffer(const ConsoleBuffer &) = delete;
  ConsoleBuffer &operator=(const ConsoleBuffer &) = delete;

  bool Valid() const { return m_buffer != INVALID_HANDLE_VALUE; }
  HANDLE Handle() const { return m_buffer; }
  // Line `row` as the console holds it, without its trailing blanks.
  std::wstring Line(int row) const {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(m_buffer, &info);
    std::wstring text(static_cast<std::size_t>(info.dwSize.X), L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(m_buffer, text.data(), static_cast<DWORD>(text.size()),
                                COORD{0, static_cast<SHORT>(row)}, &read);
    text.resize(read);
    text.erase(text.find_last_not_of(L' ') + 1);
    return text;
  }

 private:
  static HANDLE Create(SECURITY_ATTRIBUTES &attributes) {
    return CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes,
                                     CONSOLE_TEXTMODE_BUFFER, nullptr);
  }

  HANDLE m_buffer = INVALID_HANDLE_VALUE;
};

TEST(ConsoleText, WriterShowsUtf8AsItIsEvenSplitBetweenWrites) {
  ConsoleBuffer console;
  ASSERT_TRUE(console.Valid()) << "no console: " << GetLastError();
  ConsoleTextWriter writer(console.Handle());
  EXPECT_TRUE(writer.Write("Kamera-B\xC3"));
  EXPECT_TRUE(writer.Write("\xBCro Caf\xC3\xA9 \xE2\x98"));
  EXPECT_TRUE(writer.Write("\x83"));
  EXPECT_TRUE(writer.Flush());
  EXPECT_EQ(console.Line(0), L"Kamera-B\u00FCro Caf\u00E9 \u2603");
}

// Runs console_write_child.exe, which sits beside this program, with the given standard
// output and error; its exit code.
DWORD RunChild(HANDLE output, HANDLE error) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.erase(path.find_last_of(L'\\') + 1);
  path += L"console_write_child.exe";
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = output;
  startup.hStdError = error;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &process) == 0) {
    return 1000 + GetLastError();
  }
  DWORD code = 1;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

TEST(ConsoleStreams, ConsoleShowsEveryCharacterInTheOrderWritten) {
  ConsoleBuffer console;
  ASSERT_TRUE(console.Valid()) << "no console: " << GetLastError();
  ASSERT_EQ(RunChild(console.Handle(), console.Handle()), 0u);
  EXPECT_EQ(console.Line(0), L"Kamera-B\u00FCro");
  EXPECT_EQ(console.Line(1), L"Caf\u00E9 \u2603");
  EXPECT_EQ(console.Line(2), L"a,b");
  EXPECT_EQ(console.Line(3), L"<engine> line");
  EXPECT_EQ(console.Line(4), L"");
}

TEST(ConsoleStreams, FileGetsTheDataAsWrittenAndTheConsoleTheRest) {
  ConsoleBuffer console;
  ASSERT_TRUE(console.Valid()) << "no console: " << GetLastError();
  const std::string path =
      ::testing::TempDir() + "vf_console_data_" + std::to_string(GetCurrentProcessId()) + ".csv";
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const DWORD code = RunChild(file, console.Handle());
  CloseHandle(file);
  ASSERT_EQ(code, 0u);
  std::ifstream in(WideFromUtf8(path).c_str(), std::ios::binary);
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  DeleteFileW(WideFromUtf8(path).c_str());
  EXPECT_EQ(data, "Kamera-B\xC3\xBCro\na,b\r\n") << "UTF-8 and the program's own line ends";
  EXPECT_EQ(console.Line(0), L"Caf\u00E9 \u2603");
  EXPECT_EQ(console.Line(1), L"<engine> line");
}

}  // namespace
}  // namespace vf::platform

// Stands in for a program the Windows installer runs (netsh.exe in windows_installer_test.sh):
// appends its command line, in UTF-8, to the file that VF_COMMAND_LOG names, and succeeds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/windows_text.h"

int main() {
  const char *log = std::getenv("VF_COMMAND_LOG");
  if (log == nullptr) return 2;
  std::FILE *out = _wfopen(vf::platform::WideFromUtf8(log).c_str(), L"ab");
  if (out == nullptr) return 2;
  const std::string line = vf::platform::Utf8FromWide(GetCommandLineW()) + "\n";
  std::fwrite(line.data(), 1, line.size(), out);
  return std::fclose(out) == 0 ? 0 : 2;
}

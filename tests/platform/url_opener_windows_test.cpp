// The Windows page opener: ShellExecuteW with "open" for web addresses only. Under the Wine stage
// the browser is a recorder (scripts/test-windows.sh), so the test sees what a real open hands it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/url_opener.h"
#include "platform/windows_text.h"

namespace vf::platform {
namespace {

std::string ReadAll(const char *path) {
  std::ifstream in(WideFromUtf8(path).c_str());
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(WindowsUrlOpener, OnlyWebAddressesReachTheShell) {
  const char *record = std::getenv("VF_BROWSED_URLS");
  const std::string before = record != nullptr ? ReadAll(record) : std::string();
  // What ShellExecute would start or open as readily as a page.
  for (const char *other : {"C:\\Windows\\notepad.exe", "notepad", "file:///C:/Windows/win.ini",
                            "\\\\server\\share\\setup.exe", "", " http://192.168.1.20"}) {
    EXPECT_FALSE(SystemUrlOpener().Open(other)) << other;
  }
  if (record != nullptr) {
    EXPECT_EQ(ReadAll(record), before) << "nothing reached the browser";
  }
}

TEST(WindowsUrlOpener, HandsTheAddressToTheBrowser) {
  const char *record = std::getenv("VF_BROWSED_URLS");
  if (record == nullptr) GTEST_SKIP() << "needs the recording browser of scripts/test-windows.sh";
  ASSERT_TRUE(SystemUrlOpener().Open("http://192.168.1.20:8080"));
  // The browser runs on its own; Wine adds the root path's slash.
  const auto arrived = [&] {
    return ReadAll(record).find("[http://192.168.1.20:8080/]\n") != std::string::npos;
  };
  for (int i = 0; i < 500 && !arrived(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(arrived()) << ReadAll(record);
}

}  // namespace
}  // namespace vf::platform

// Opens pages with ShellExecuteW and the "open" verb, which hands an http URL to the user's
// browser. No command line is built, so no shell parses the URL.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "platform/url_opener.h"
#include "platform/windows_text.h"

namespace vf::platform {
namespace {

// ShellExecute opens documents and starts programs as readily as it opens URLs; only a web
// address may reach it.
bool IsWebAddress(const std::string &url) {
  return url.rfind("http://", 0) == 0;
}

class ShellUrlOpener final : public UrlOpener {
 public:
  bool Open(const std::string &url) override {
    if (!IsWebAddress(url)) return false;
    const std::wstring wide = WideFromUtf8(url);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // Values above 32 mean the browser was started.
    return result > 32;
  }
};

}  // namespace

UrlOpener &SystemUrlOpener() {
  static ShellUrlOpener opener;
  return opener;
}

}  // namespace vf::platform

#include "platform/text_file.h"

#include <cstdio>
#include <memory>
#include <new>

namespace vf::platform {
namespace {

// Far above any real resolv.conf or routing table; stops a runaway read of a wrong path.
constexpr size_t kMaxFileSize = 4 * 1024 * 1024;

struct FileCloser {
  void operator()(std::FILE *file) const { std::fclose(file); }
};

}  // namespace

std::optional<std::string> ReadTextFile(const std::string &path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  try {
    std::string content;
    char chunk[4096];
    size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0) {
      content.append(chunk, count);
      if (content.size() > kMaxFileSize) return std::nullopt;
    }
    // A directory opens fine but fails on read; that is unreadable, not empty.
    if (std::ferror(file.get())) return std::nullopt;
    return content;
  } catch (const std::bad_alloc &) {
    return std::nullopt;
  }
}

}  // namespace vf::platform

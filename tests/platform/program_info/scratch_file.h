// A file with given content in the test's temporary directory, removed when the object goes.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

namespace vf::program_info {

class ScratchFile {
 public:
  // `suffix` ends the name (".exe" where the system judges a file by it).
  explicit ScratchFile(const std::string &content, const std::string &suffix = "") {
#if defined(_WIN32)
    const int process = _getpid();
#else
    const int process = ::getpid();
#endif
    path_ = ::testing::TempDir() + "vf_program_info_" + std::to_string(process) + "_" +
            std::to_string(counter_++) + suffix;
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~ScratchFile() {
    std::remove(path_.c_str());
  }
  ScratchFile(const ScratchFile &) = delete;
  ScratchFile &operator=(const ScratchFile &) = delete;

  const std::string &path() const {
    return path_;
  }

 private:
  static inline int counter_ = 0;
  std::string path_;
};

}  // namespace vf::program_info

// The Linux side: the executable from /proc/self/exe, the version from its ELF section, and
// sockets that need no start.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/program_info/program_info.h"
#include "scratch_file.h"

namespace vf::program_info {
namespace {

std::string ReadAll(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ModuleLocation, DirectoryAndImagePathNameThisTestProgram) {
  std::string directory = "stale";
  GetModuleDirectory(directory);
  EXPECT_EQ(directory, std::string(VF_TEST_BINARY_DIR) + "/");
  EXPECT_EQ(GetProgramName(), "program_info_tests");
  EXPECT_EQ(MakeImagePath(directory, GetProgramName()), VF_TEST_BINARY_FILE);
}

TEST(ProductVersion, FileWithoutVersionLeavesTextUnchanged) {
  const std::string self = ReadAll("/proc/self/exe");
  ASSERT_GT(self.size(), 4096u);
  ScratchFile text("VF_PRODUCT_VERSION=1.2.3.4\n");  // a record outside the section is not one
  ScratchFile headerOnly(self.substr(0, 64));
  ScratchFile firstHalf(self.substr(0, self.size() / 2));
  ScratchFile empty("");
  for (const std::string &path :
       {text.path(), headerOnly.path(), firstHalf.path(), empty.path(),
        std::string("/nonexistent/vf"), std::string("/proc/self/status")}) {
    std::string version = "keep";
    EXPECT_FALSE(ReadProductVersionText(path, version)) << path;
    EXPECT_EQ(version, "keep") << path;
  }
}

// The version comes from the file's section, not from the running program's memory: a copy whose
// record is changed reads as changed, and a damaged record as none.
TEST(ProductVersion, ReadsTheRecordInTheFilesSection) {
  const std::string self = ReadAll("/proc/self/exe");
  const std::string record = std::string("VF_PRODUCT_VERSION=") + VF_EXPECTED_VERSION;
  const std::size_t at = self.find(record + '\0');
  ASSERT_NE(at, std::string::npos);
  const std::size_t digits = at + record.size() - std::string(VF_EXPECTED_VERSION).size();

  std::string other = VF_EXPECTED_VERSION;  // same length, every digit a 9
  for (char &c : other)
    if (c != '.') c = '9';
  std::string changed = self;
  changed.replace(digits, other.size(), other);
  ScratchFile changedFile(changed);
  std::string version;
  EXPECT_TRUE(ReadProductVersionText(changedFile.path(), version));
  EXPECT_EQ(version, other);

  std::string damaged = self;
  damaged[digits] = 'x';
  ScratchFile damagedFile(damaged);
  version = "keep";
  EXPECT_FALSE(ReadProductVersionText(damagedFile.path(), version));
  EXPECT_EQ(version, "keep");
}

}  // namespace
}  // namespace vf::program_info

#include "platform/program_info/program_info.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace vf::program_info {
namespace {

std::string ReadAll(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A scratch file in the test's temporary directory, removed afterwards.
class ScratchFile {
 public:
  explicit ScratchFile(const std::string &content) {
    path_ = ::testing::TempDir() + "vf_program_info_" + std::to_string(::getpid()) + "_" +
            std::to_string(counter_++);
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~ScratchFile() { std::remove(path_.c_str()); }
  const std::string &path() const { return path_; }

 private:
  static inline int counter_ = 0;
  std::string path_;
};

TEST(ModuleLocation, DirectoryAndImagePathNameThisTestProgram) {
  std::string directory = "stale";
  GetModuleDirectory(directory);
  EXPECT_EQ(directory, std::string(VF_TEST_BINARY_DIR) + "/");
  EXPECT_EQ(GetProgramName(), "program_info_tests");
  EXPECT_EQ(MakeImagePath(directory, GetProgramName()), VF_TEST_BINARY_FILE);
}

TEST(ModuleLocation, DirectoryOfPathKeepsTheLastSeparator) {
  EXPECT_EQ(DirectoryOfPath("/usr/bin/vellafind"), "/usr/bin/");
  EXPECT_EQ(DirectoryOfPath("C:\\Program Files\\Vellafind\\vf.exe"), "C:\\Program Files\\Vellafind\\");
  EXPECT_EQ(DirectoryOfPath("/"), "/");
  EXPECT_EQ(DirectoryOfPath("vellafind"), "");
  EXPECT_EQ(DirectoryOfPath(""), "");
}

TEST(ModuleLocation, ImagePathAddsThePlatformSuffix) {
  EXPECT_EQ(MakeImagePath("/opt/vf/", "vellafind"), "/opt/vf/vellafind" + std::string(kExecutableSuffix));
  EXPECT_EQ(kExecutableSuffix, "");
}

TEST(ProductVersion, ReadFromThisExecutable) {
  std::string text;
  GetProductVersionText(text);
  EXPECT_EQ(text, VF_EXPECTED_VERSION);
}

TEST(ProductVersion, FileWithoutVersionLeavesTextUnchanged) {
  const std::string self = ReadAll("/proc/self/exe");
  ASSERT_GT(self.size(), 4096u);
  ScratchFile text("VF_PRODUCT_VERSION=1.2.3.4\n");  // a record outside the section is not one
  ScratchFile headerOnly(self.substr(0, 64));
  ScratchFile firstHalf(self.substr(0, self.size() / 2));
  ScratchFile empty("");
  for (const std::string &path : {text.path(), headerOnly.path(), firstHalf.path(), empty.path(),
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

TEST(ProductVersion, RecordHoldsFourSixteenBitParts) {
  std::uint32_t ms = 0;
  std::uint32_t ls = 0;
  ASSERT_TRUE(ParseVersionRecord("VF_PRODUCT_VERSION=13.0.1.4", ms, ls));
  EXPECT_EQ(ms, 0x000D0000u);
  EXPECT_EQ(ls, 0x00010004u);
  EXPECT_EQ(FormatProductVersion(ms, ls), "13.0.1.4");
  ASSERT_TRUE(ParseVersionRecord(std::string_view("VF_PRODUCT_VERSION=65535.65535.65535.65535\0junk", 48), ms, ls));
  EXPECT_EQ(FormatProductVersion(ms, ls), "65535.65535.65535.65535");
  for (const char *bad : {"VF_PRODUCT_VERSION=65536.0.0.0", "VF_PRODUCT_VERSION=1.0.0",
                          "VF_PRODUCT_VERSION=1.0.0.1.5", "VF_PRODUCT_VERSION=1..0.1",
                          "VF_PRODUCT_VERSION=-1.0.0.1", "VF_PRODUCT_VERSION=", "1.0.0.1",
                          "VF_PRODUCT_VERSION=1.0.0.1 "}) {
    EXPECT_FALSE(ParseVersionRecord(bad, ms, ls)) << bad;
  }
}

TEST(Sockets, StartAndStopPair) {
  EXPECT_EQ(StartSockets(), 1);
  StopSockets();
  EXPECT_EQ(StartSockets(), 1) << "a stop does not keep a later start from working";
  StopSockets();
}

}  // namespace
}  // namespace vf::program_info

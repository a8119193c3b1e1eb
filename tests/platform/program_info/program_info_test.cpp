// What the program knows of its own file, the parts that are the same everywhere: paths and the
// four-part version. The platform's own ways of reading them are tested beside this file.
#include "platform/program_info/program_info.h"

#include <gtest/gtest.h>

#include <string>

namespace vf::program_info {
namespace {

TEST(ModuleLocation, DirectoryOfPathKeepsTheLastSeparator) {
  EXPECT_EQ(DirectoryOfPath("/usr/bin/vellafind"), "/usr/bin/");
  EXPECT_EQ(DirectoryOfPath("C:\\Program Files\\Vellafind\\vf.exe"),
            "C:\\Program Files\\Vellafind\\");
  EXPECT_EQ(DirectoryOfPath("/"), "/");
  EXPECT_EQ(DirectoryOfPath("vellafind"), "");
  EXPECT_EQ(DirectoryOfPath(""), "");
}

TEST(ProductVersion, RecordHoldsFourSixteenBitParts) {
  std::uint32_t ms = 0;
  std::uint32_t ls = 0;
  ASSERT_TRUE(ParseVersionRecord("VF_PRODUCT_VERSION=13.0.1.4", ms, ls));
  EXPECT_EQ(ms, 0x000D0000u);
  EXPECT_EQ(ls, 0x00010004u);
  EXPECT_EQ(FormatProductVersion(ms, ls), "13.0.1.4");
  ASSERT_TRUE(ParseVersionRecord(
      std::string_view("VF_PRODUCT_VERSION=65535.65535.65535.65535\0junk", 48), ms, ls));
  EXPECT_EQ(FormatProductVersion(ms, ls), "65535.65535.65535.65535");
  for (const char *bad :
       {"VF_PRODUCT_VERSION=65536.0.0.0", "VF_PRODUCT_VERSION=1.0.0",
        "VF_PRODUCT_VERSION=1.0.0.1.5", "VF_PRODUCT_VERSION=1..0.1", "VF_PRODUCT_VERSION=-1.0.0.1",
        "VF_PRODUCT_VERSION=", "1.0.0.1", "VF_PRODUCT_VERSION=1.0.0.1 "}) {
    EXPECT_FALSE(ParseVersionRecord(bad, ms, ls)) << bad;
  }
}

TEST(ModuleLocation, ImagePathAddsThePlatformSuffix) {
  EXPECT_EQ(MakeImagePath("/opt/vf/", "vellafind"),
            "/opt/vf/vellafind" + std::string(kExecutableSuffix));
#if defined(_WIN32)
  EXPECT_EQ(kExecutableSuffix, ".exe");
#else
  EXPECT_EQ(kExecutableSuffix, "");
#endif
}

TEST(ModuleLocation, ProgramNameLosesDirectoryAndSuffix) {
  EXPECT_EQ(ProgramNameOfPath("/usr/bin/vellafind"), "vellafind");
  EXPECT_EQ(ProgramNameOfPath("vellafind"), "vellafind");
#if defined(_WIN32)
  EXPECT_EQ(ProgramNameOfPath("C:\\Apps\\vellafind.exe"), "vellafind");
  EXPECT_EQ(ProgramNameOfPath("C:\\APPS\\VELLAFIND.EXE"), "VELLAFIND");
  EXPECT_EQ(ProgramNameOfPath("C:\\Apps\\vellafind.exe.bak"), "vellafind.exe.bak");
  EXPECT_EQ(ProgramNameOfPath("C:\\Apps\\.exe"), ".exe");
#else
  EXPECT_EQ(ProgramNameOfPath("/opt/VELLAFIND.EXE"), "VELLAFIND.EXE");
#endif
}

TEST(ProductVersion, ReadFromThisExecutable) {
  std::string text;
  GetProductVersionText(text);
  EXPECT_EQ(text, VF_EXPECTED_VERSION);
}

TEST(Sockets, StartAndStopPair) {
  EXPECT_EQ(StartSockets(), 1);
  StopSockets();
  EXPECT_EQ(StartSockets(), 1) << "a stop does not keep a later start from working";
  StopSockets();
}

}  // namespace
}  // namespace vf::program_info

// The Windows side: the executable from GetModuleFileNameW, the product version from its
// VERSIONINFO resource, and Winsock's start and end.
#include <gtest/gtest.h>
#include <windows.h>
#include <winsock2.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/program_info/program_info.h"
#include "platform/windows_text.h"
#include "scratch_file.h"

namespace vf::program_info {
namespace {

std::string ReadAll(const std::string &path) {
  std::ifstream in(vf::platform::WideFromUtf8(path).c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Where the fixed part of this program's version resource starts: its signature, after the
// resource's UTF-16 key "VS_VERSION_INFO" (the code holds the signature's bytes too).
std::size_t FixedInfoOffset(const std::string &image) {
  const std::wstring key = L"VS_VERSION_INFO";
  const std::string keyBytes(reinterpret_cast<const char *>(key.c_str()), (key.size() + 1) * 2);
  const std::size_t at = image.find(keyBytes);
  if (at == std::string::npos) return std::string::npos;
  const char signature[] = {'\xBD', '\x04', '\xEF', '\xFE'};
  return image.find(std::string(signature, 4), at);
}

void PutWord(std::string &image, std::size_t at, DWORD value) {
  std::memcpy(image.data() + at, &value, sizeof value);
}

TEST(ModuleLocation, DirectoryAndImagePathNameThisTestProgram) {
  std::string directory = "stale";
  GetModuleDirectory(directory);
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '\\');
  EXPECT_EQ(GetProgramName(), "program_info_tests");
  const std::string image = MakeImagePath(directory, GetProgramName());
  EXPECT_EQ(image, GetModulePath());
  EXPECT_NE(GetFileAttributesW(vf::platform::WideFromUtf8(image).c_str()), INVALID_FILE_ATTRIBUTES);
}

// What ships carries the project version too: the command-line program and the engine's DLL,
// built beside this test.
TEST(ProductVersion, ShippedProgramAndLibraryCarryIt) {
  std::string directory;
  GetModuleDirectory(directory);
  for (const char *file : {"vellafind-cli.exe", "devsearch.dll"}) {
    std::string version;
    EXPECT_TRUE(ReadProductVersionText(directory + file, version)) << file;
    EXPECT_EQ(version, VF_EXPECTED_VERSION) << file;
  }
}

// A text of a file's version resource (US English, UTF-16); empty when it has none.
std::string VersionString(const std::string &path, const wchar_t *name) {
  const std::wstring file = vf::platform::WideFromUtf8(path);
  DWORD ignored = 0;
  std::string block(GetFileVersionInfoSizeW(file.c_str(), &ignored), '\0');
  if (block.empty() ||
      !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) {
    return {};
  }
  void *value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || length == 0) return {};
  return vf::platform::Utf8FromWide(static_cast<const wchar_t *>(value));
}

// Explorer's Details tab shows the product and its rights notice for every file that ships.
TEST(ProductVersion, ShippedFilesNameTheProductAndItsRights) {
  std::string directory;
  GetModuleDirectory(directory);
  for (const char *file : {"vellafind.exe", "vellafind-cli.exe", "devsearch.dll"}) {
    const std::string path = directory + file;
    if (std::string(file) == "vellafind.exe" &&
        GetFileAttributesW(vf::platform::WideFromUtf8(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
      continue;  // Built without the window.
    }
    SCOPED_TRACE(file);
    EXPECT_EQ(VersionString(path, L"ProductName"), "Vellafind");
    const std::string rights = VersionString(path, L"LegalCopyright");
    EXPECT_EQ(rights.rfind("Copyright (c) ", 0), 0u) << rights;
    EXPECT_NE(rights.find("The Vellafind developers"), std::string::npos) << rights;
  }
}

TEST(ProductVersion, FileWithoutVersionLeavesTextUnchanged) {
  const std::string self = ReadAll(GetModulePath());
  ASSERT_GT(self.size(), 4096u);
  ScratchFile text("VS_VERSION_INFO 1.2.3.4\n", ".exe");
  ScratchFile headerOnly(self.substr(0, 64), ".exe");
  ScratchFile empty("", ".exe");
  for (const std::string &path :
       {text.path(), headerOnly.path(), empty.path(), std::string("C:\\nonexistent\\vf.exe")}) {
    std::string version = "keep";
    EXPECT_FALSE(ReadProductVersionText(path, version)) << path;
    EXPECT_EQ(version, "keep") << path;
  }
}

// The version is the product version of the file's resource, not the file version and not
// anything in the running program's memory: a copy with other values reads as changed.
TEST(ProductVersion, ReadsTheProductVersionOfTheFilesResource) {
  const std::string self = ReadAll(GetModulePath());
  const std::size_t fixed = FixedInfoOffset(self);
  ASSERT_NE(fixed, std::string::npos);

  std::string otherProduct = self;
  PutWord(otherProduct, fixed + 16, MAKELONG(8, 65535));  // 65535.8
  PutWord(otherProduct, fixed + 20, MAKELONG(6, 7));      // 7.6
  ScratchFile otherProductFile(otherProduct, ".exe");
  std::string version;
  EXPECT_TRUE(ReadProductVersionText(otherProductFile.path(), version));
  EXPECT_EQ(version, "65535.8.7.6");

  std::string otherFileVersion = self;
  PutWord(otherFileVersion, fixed + 8, MAKELONG(5, 5));
  PutWord(otherFileVersion, fixed + 12, MAKELONG(5, 5));
  ScratchFile otherFileVersionFile(otherFileVersion, ".exe");
  version.clear();
  EXPECT_TRUE(ReadProductVersionText(otherFileVersionFile.path(), version));
  EXPECT_EQ(version, VF_EXPECTED_VERSION);

  std::string noSignature = self;
  PutWord(noSignature, fixed, 0);
  ScratchFile noSignatureFile(noSignature, ".exe");
  version = "keep";
  EXPECT_FALSE(ReadProductVersionText(noSignatureFile.path(), version));
  EXPECT_EQ(version, "keep");
}

TEST(Sockets, StartAndStopAreWinsocksOwn) {
  ASSERT_EQ(StartSockets(), 1);
  SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  EXPECT_NE(s, INVALID_SOCKET);
  closesocket(s);
  StopSockets();
  // Nothing else in this program started Winsock, so it is down again.
  EXPECT_EQ(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

}  // namespace
}  // namespace vf::program_info

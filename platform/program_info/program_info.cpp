#include "platform/program_info/program_info.h"

#include <cstdio>

namespace vf::program_info {
namespace {

constexpr std::string_view kRecordPrefix = "VF_PRODUCT_VERSION=";

bool ParsePart(std::string_view &rest, char terminator, std::uint32_t &part) {
  std::size_t digits = 0;
  part = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
    part = part * 10 + static_cast<std::uint32_t>(rest[digits] - '0');
    if (part > 0xFFFF) return false;
    ++digits;
  }
  if (digits == 0) return false;
  rest.remove_prefix(digits);
  if (terminator == '\0') return rest.empty();
  if (rest.empty() || rest.front() != terminator) return false;
  rest.remove_prefix(1);
  return true;
}

}  // namespace

std::string DirectoryOfPath(std::string_view path) {
  const std::size_t cut = path.find_last_of("/\\");
  if (cut == std::string_view::npos) return {};
  return std::string(path.substr(0, cut + 1));
}

void GetModuleDirectory(std::string &directory) {
  directory = DirectoryOfPath(GetModulePath());
}

std::string ProgramNameOfPath(std::string_view path) {
  std::string name(path.substr(DirectoryOfPath(path).size()));
  if (kExecutableSuffix.empty() || name.size() <= kExecutableSuffix.size()) return name;
  // Windows file names ignore case: "VELLAFIND.EXE" is a program too.
  const std::size_t at = name.size() - kExecutableSuffix.size();
  for (std::size_t i = 0; i < kExecutableSuffix.size(); ++i) {
    const char c = name[at + i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != kExecutableSuffix[i]) return name;
  }
  name.resize(at);
  return name;
}

std::string GetProgramName() {
  return ProgramNameOfPath(GetModulePath());
}

std::string MakeImagePath(std::string_view directory, std::string_view programName) {
  std::string path(directory);
  path.append(programName);
  path.append(kExecutableSuffix);
  return path;
}

bool ParseVersionRecord(std::string_view record, std::uint32_t &versionMs,
                        std::uint32_t &versionLs) {
  const std::size_t end = record.find('\0');
  if (end != std::string_view::npos) record = record.substr(0, end);
  if (record.substr(0, kRecordPrefix.size()) != kRecordPrefix) return false;
  std::string_view rest = record.substr(kRecordPrefix.size());
  std::uint32_t parts[4];
  if (!ParsePart(rest, '.', parts[0]) || !ParsePart(rest, '.', parts[1]) ||
      !ParsePart(rest, '.', parts[2]) || !ParsePart(rest, '\0', parts[3]))
    return false;
  versionMs = (parts[0] << 16) | parts[1];
  versionLs = (parts[2] << 16) | parts[3];
  return true;
}

std::string FormatProductVersion(std::uint32_t versionMs, std::uint32_t versionLs) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", static_cast<int>(versionMs >> 16),
                static_cast<int>(versionMs & 0xFFFF), static_cast<int>(versionLs >> 16),
                static_cast<int>(versionLs & 0xFFFF));
  return text;
}

void GetProductVersionText(std::string &text) {
  const std::string self = GetModulePath();
  if (!self.empty()) ReadProductVersionText(self, text);
}

}  // namespace vf::program_info

#include "platform/program_info/program_info.h"

#include <elf.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

namespace vf::program_info {

// The product version record, kept in a section of its own so that it is read back from the file
// the way a version resource is, and not confused with any other text of the program.
#if defined(VF_PRODUCT_VERSION_TEXT)
extern "C" {
__attribute__((section(".vf_version"), used, aligned(1)))
const char vf_product_version_record[] = "VF_PRODUCT_VERSION=" VF_PRODUCT_VERSION_TEXT;
}
#endif

namespace {

constexpr const char *kSelfExe = "/proc/self/exe";
constexpr const char *kVersionSection = ".vf_version";
constexpr std::string_view kRecordPrefix = "VF_PRODUCT_VERSION=";
constexpr std::uint64_t kMaxSectionSize = 4096;

std::string SelfPath() {
  char buffer[4096];
  const ssize_t n = ::readlink(kSelfExe, buffer, sizeof buffer);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) return {};
  return std::string(buffer, static_cast<std::size_t>(n));
}

bool ReadAt(std::ifstream &in, std::uint64_t offset, void *out, std::size_t size) {
  in.clear();
  in.seekg(static_cast<std::streamoff>(offset));
  if (!in) return false;
  in.read(static_cast<char *>(out), static_cast<std::streamsize>(size));
  return static_cast<std::size_t>(in.gcount()) == size;
}

struct Section {
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
  std::uint32_t name = 0;
};

// The content of the section named `wanted` in a native-endian ELF file, if there is one.
template <typename Ehdr, typename Shdr>
bool FindSection(std::ifstream &in, const char *wanted, std::string &content) {
  Ehdr header;
  if (!ReadAt(in, 0, &header, sizeof header)) return false;
  if (header.e_shentsize != sizeof(Shdr) || header.e_shnum == 0 || header.e_shnum > 4096 ||
      header.e_shstrndx >= header.e_shnum)
    return false;
  std::vector<Section> sections(header.e_shnum);
  for (std::size_t i = 0; i < sections.size(); ++i) {
    Shdr sh;
    if (!ReadAt(in, header.e_shoff + i * sizeof(Shdr), &sh, sizeof sh)) return false;
    sections[i] = Section{sh.sh_offset, sh.sh_type == SHT_NOBITS ? 0 : sh.sh_size, sh.sh_name};
  }
  const Section &names = sections[header.e_shstrndx];
  const std::size_t wantedLength = std::strlen(wanted);
  for (const Section &s : sections) {
    if (s.name >= names.size || names.size - s.name < wantedLength + 1) continue;
    std::vector<char> name(wantedLength + 1);
    if (!ReadAt(in, names.offset + s.name, name.data(), name.size())) continue;
    if (std::memcmp(name.data(), wanted, wantedLength + 1) != 0) continue;
    if (s.size == 0 || s.size > kMaxSectionSize) return false;
    content.assign(static_cast<std::size_t>(s.size), '\0');
    return ReadAt(in, s.offset, content.data(), content.size());
  }
  return false;
}

bool ReadSection(const std::string &file, const char *wanted, std::string &content) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  unsigned char ident[EI_NIDENT];
  if (!ReadAt(in, 0, ident, sizeof ident) || std::memcmp(ident, ELFMAG, SELFMAG) != 0) return false;
  const bool littleEndianHost = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
  if (ident[EI_DATA] != (littleEndianHost ? ELFDATA2LSB : ELFDATA2MSB)) return false;
  if (ident[EI_CLASS] == ELFCLASS64) return FindSection<Elf64_Ehdr, Elf64_Shdr>(in, wanted, content);
  if (ident[EI_CLASS] == ELFCLASS32) return FindSection<Elf32_Ehdr, Elf32_Shdr>(in, wanted, content);
  return false;
}

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

void GetModuleDirectory(std::string &directory) { directory = DirectoryOfPath(SelfPath()); }

std::string GetProgramName() {
  const std::string path = SelfPath();
  std::string name = path.substr(DirectoryOfPath(path).size());
  if (!kExecutableSuffix.empty() && name.size() > kExecutableSuffix.size() &&
      name.compare(name.size() - kExecutableSuffix.size(), std::string::npos, kExecutableSuffix) == 0)
    name.resize(name.size() - kExecutableSuffix.size());
  return name;
}

std::string MakeImagePath(std::string_view directory, std::string_view programName) {
  std::string path(directory);
  path.append(programName);
  path.append(kExecutableSuffix);
  return path;
}

bool ParseVersionRecord(std::string_view record, std::uint32_t &versionMs, std::uint32_t &versionLs) {
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

bool ReadProductVersionText(const std::string &file, std::string &text) {
  std::string record;
  if (!ReadSection(file, kVersionSection, record)) return false;
  std::uint32_t ms = 0;
  std::uint32_t ls = 0;
  if (!ParseVersionRecord(record, ms, ls)) return false;
  text = FormatProductVersion(ms, ls);
  return true;
}

void GetProductVersionText(std::string &text) {
  const std::string self = SelfPath();
  if (!self.empty()) ReadProductVersionText(self, text);
}

// POSIX sockets need no library start and no end.
int StartSockets() { return 1; }

void StopSockets() {}

}  // namespace vf::program_info

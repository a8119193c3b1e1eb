// The Linux side: the executable from /proc, its product version from an ELF section of its own,
// and sockets that need no start.
#include <elf.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "platform/program_info/program_info.h"

namespace vf::program_info {

// The product version record, kept in a section of its own so that it is read back from the file
// the way a version resource is, and not confused with any other text of the program.
#if defined(VF_PRODUCT_VERSION_TEXT)
extern "C" {
__attribute__((section(".vf_version"), used, aligned(1))) const char vf_product_version_record[] =
    "VF_PRODUCT_VERSION=" VF_PRODUCT_VERSION_TEXT;
}
#endif

namespace {

constexpr const char *kSelfExe = "/proc/self/exe";
constexpr const char *kVersionSection = ".vf_version";
constexpr std::uint64_t kMaxSectionSize = 4096;

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
  if (ident[EI_CLASS] == ELFCLASS64)
    return FindSection<Elf64_Ehdr, Elf64_Shdr>(in, wanted, content);
  if (ident[EI_CLASS] == ELFCLASS32)
    return FindSection<Elf32_Ehdr, Elf32_Shdr>(in, wanted, content);
  return false;
}

}  // namespace

std::string GetModulePath() {
  char buffer[4096];
  const ssize_t n = ::readlink(kSelfExe, buffer, sizeof buffer);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) return {};
  return std::string(buffer, static_cast<std::size_t>(n));
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

// POSIX sockets need no library start and no end.
int StartSockets() { return 1; }

void StopSockets() {}

}  // namespace vf::program_info

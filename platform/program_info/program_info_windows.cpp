// The Windows side: the executable from GetModuleFileNameW, its product version from its
// VERSIONINFO resource, and Winsock.
#include <windows.h>
#include <winsock2.h>

#include <vector>

#include "platform/program_info/program_info.h"
#include "platform/windows_text.h"

namespace vf::program_info {

std::string GetModulePath() {
  // MAX_PATH first; long paths need more, and a cut path is reported by a full buffer.
  std::wstring buffer(MAX_PATH, L'\0');
  for (int round = 0; round < 6; ++round) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return vf::platform::Utf8FromWide({buffer.data(), n});
    buffer.resize(buffer.size() * 2);
  }
  return {};
}

bool ReadProductVersionText(const std::string &file, std::string &text) {
  const std::wstring path = vf::platform::WideFromUtf8(file);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return false;
  void *fixed = nullptr;
  UINT length = 0;
  // The root block holds the fixed part; without it the file has no usable version.
  if (!VerQueryValueW(block.data(), L"\\", &fixed, &length) || fixed == nullptr ||
      length < sizeof(VS_FIXEDFILEINFO))
    return false;
  const auto *info = static_cast<const VS_FIXEDFILEINFO *>(fixed);
  if (info->dwSignature != VS_FFI_SIGNATURE) return false;
  text = FormatProductVersion(info->dwProductVersionMS, info->dwProductVersionLS);
  return true;
}

int StartSockets() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 0;
  if (LOBYTE(data.wVersion) == 2 && HIBYTE(data.wHighVersion) == 2) return 1;
  WSACleanup();
  return 0;
}

void StopSockets() {
  WSACleanup();
}

}  // namespace vf::program_info

#include "core/device_export.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/device_tables.h"

namespace vf::core {

std::optional<UserMessage> WriteTextFile(const std::string &path, const std::string &text) {
  // A UTF-8 name reaches the file system as it is meant on every platform.
  const std::filesystem::path file(
      std::u8string(reinterpret_cast<const char8_t *>(path.data()), path.size()));
  errno = 0;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (out) out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (out) out.close();
  if (out) return std::nullopt;
  const std::string reason = errno != 0 ? std::strerror(errno) : "the file could not be written";
  return UserMessage{text::kWriteFailed, path + " (" + reason + ")", nullptr};
}

std::optional<UserMessage> ExportDevices(const std::vector<DeviceRecord> &devices, Format format,
                                         const std::string &path) {
  return WriteTextFile(path, Render(DeviceFieldTable(devices), format));
}

}  // namespace vf::core

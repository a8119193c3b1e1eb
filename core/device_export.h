// The device list written to a file, as vellafind-cli writes a search: every field of every
// device, in CSV or JSON.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/messages.h"
#include "core/table_output.h"
#include "devsearch.h"

namespace vf::core {

// Writes `devices` in `format` to the file `path` (UTF-8, as the file system names it), replacing
// what it held. std::nullopt when written; otherwise what the user reads: the path and why.
std::optional<UserMessage> ExportDevices(const std::vector<DeviceRecord> &devices, Format format,
                                         const std::string &path);

// Writes `text` whole to the file `path`; std::nullopt, or the message that says why not.
std::optional<UserMessage> WriteTextFile(const std::string &path, const std::string &text);

}  // namespace vf::core

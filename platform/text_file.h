// Whole-file reads for the small system files this layer parses.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace vf::platform {

// How a backend reads a file, so that tests can hand it fixtures instead of the system's files.
using TextFileReader = std::function<std::optional<std::string>(const std::string &path)>;

// The file's content, or std::nullopt when it cannot be opened or read, or is implausibly large
// for a configuration file. Works for /proc files, which report a size of zero.
std::optional<std::string> ReadTextFile(const std::string &path);

}  // namespace vf::platform

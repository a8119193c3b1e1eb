#include "core/apply_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "core/display_text.h"

namespace vf::core {
namespace {

constexpr const char *kKnownColumns[] = {"device", "ip",   "mask", "gateway",
                                         "dns1",   "dns2", "dhcp", "http_port"};
constexpr const char *kKnownList = "device, ip, mask, gateway, dns1, dns2, dhcp, http_port";

struct FileCloser {
  void operator()(std::FILE *file) const { std::fclose(file); }
};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string Mebibytes(std::size_t bytes) {
  return std::to_string(bytes / (1024 * 1024)) + " MiB";
}

// Checks the header and fills `columns`; the error names what to change.
bool ReadHeader(const CsvRecord &header, std::map<std::string, std::size_t> &columns,
                std::string &error) {
  for (std::size_t c = 0; c < header.size(); ++c) {
    const std::string &name = header[c];
    const std::string position = "column " + std::to_string(c + 1);
    if (name.empty()) {
      error = c + 1 == header.size() && c > 0
                  ? "the header row ends in a comma, which opens an unnamed " + position +
                        ": remove that comma, and the one at the end of every row that has one."
                  : position + " of the header row has no name: name it (" + kKnownList +
                        ") or remove it.";
      return false;
    }
    if (std::find(std::begin(kKnownColumns), std::end(kKnownColumns), name) ==
        std::end(kKnownColumns)) {
      error = "unknown column \"" + DisplayText(name) + "\" (" + position +
              " of the header row); the columns are " + kKnownList + ", in lower case.";
      return false;
    }
    if (const auto [earlier, fresh] = columns.emplace(name, c); !fresh) {
      error = "column " + name + " appears twice in the header row (columns " +
              std::to_string(earlier->second + 1) + " and " + std::to_string(c + 1) +
              "): remove one.";
      return false;
    }
  }
  if (columns.count("device") == 0) {
    error =
        "the header row has no device column: add one, naming each row's camera by its MAC "
        "address, device id or IP address.";
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadBoundedFile(const std::string &path, std::size_t limit,
                                           std::string &error) {
  const std::string shown = DisplayText(path);
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) {
    error = "Cannot read " + shown + ": it is a directory; give the path of a CSV file.";
    return std::nullopt;
  }
  errno = 0;
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    const int cause = errno;
    error = "Cannot read " + shown + ": " + std::strerror(cause) + ".";
    return std::nullopt;
  }
  std::string text;
  char buffer[64 * 1024];
  while (text.size() <= limit) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    if (got < sizeof buffer && std::ferror(file.get())) {
      const int cause = errno;
      error = "Cannot read " + shown + ": " + std::strerror(cause) + ".";
      return std::nullopt;
    }
    text.append(buffer, got);
    if (got < sizeof buffer) break;  // the end of the file
  }
  if (text.size() > limit) {
    error = shown + " holds more than " + Mebibytes(limit) +
            ", more than any list of cameras needs: give a CSV file of at most " +
            Mebibytes(limit) + ".";
    return std::nullopt;
  }
  return text;
}

std::optional<ApplyFile> ParseApplyFile(std::string_view text, std::string &error) {
  if (StartsWith(text, "\xFF\xFE") || StartsWith(text, "\xFE\xFF")) {
    error = "the file is UTF-16 text: save it as CSV in UTF-8.";
    return std::nullopt;
  }
  // Spreadsheet programs start a CSV file saved as UTF-8 with a byte order mark.
  if (StartsWith(text, "\xEF\xBB\xBF")) text.remove_prefix(3);
  ApplyFile file;
  auto records = ReadCsv(text, error);
  if (!records) return std::nullopt;
  if (records->size() < 2) {
    error = "a header row and one row per camera are needed.";
    return std::nullopt;
  }
  file.records = std::move(*records);
  if (!ReadHeader(file.records.front(), file.columns, error)) return std::nullopt;
  return file;
}

std::optional<ApplyFile> LoadApplyFile(const std::string &path, std::string &error) {
  const std::optional<std::string> text = ReadBoundedFile(path, kApplyFileLimit, error);
  if (!text) return std::nullopt;
  std::optional<ApplyFile> file = ParseApplyFile(*text, error);
  if (!file) error = DisplayText(path) + ": " + error;
  return file;
}

std::string RowSizeProblem(const CsvRecord &row, std::size_t headerSize) {
  if (row.size() == headerSize) return {};
  const std::string counts = "the row has " + std::to_string(row.size()) + " fields, the header " +
                             std::to_string(headerSize);
  if (row.size() == headerSize + 1 && row.back().empty()) {
    return counts + ": remove the comma at the end of the row";
  }
  if (row.size() < headerSize) {
    return counts + ": add the missing commas (an empty field keeps the camera's value)";
  }
  return counts + ": put a value that holds a comma in double quotes, or remove the extra fields";
}

}  // namespace vf::core

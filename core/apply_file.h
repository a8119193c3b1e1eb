// The settings file of "apply": read whole but never more than a list of cameras needs, its CSV
// and its header checked before anything is searched or sent.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/csv_reader.h"

namespace vf::core {

// The most "apply" reads: tens of thousands of rows, far more than a LAN holds cameras.
inline constexpr std::size_t kApplyFileLimit = 4 * 1024 * 1024;

struct ApplyFile {
  std::vector<CsvRecord> records;              // the header first, then one per camera
  std::map<std::string, std::size_t> columns;  // each column the header names, by name
};

// The bytes of the file at `path`, at most `limit` of them. std::nullopt, with `error` saying
// why and what to do, for a file that cannot be opened or read (a directory, say) or that holds
// more than `limit` bytes (/dev/zero is refused after `limit` + 1 bytes, not read to the end).
std::optional<std::string> ReadBoundedFile(const std::string &path, std::size_t limit,
                                           std::string &error);

// The records of an apply file's text and the columns its header names. A UTF-8 byte order mark
// at the start is dropped. std::nullopt, with `error` saying what to change, for UTF-16 text,
// broken CSV, fewer than two records, and a header with a column that is unnamed, unknown or
// named twice, or without a device column.
std::optional<ApplyFile> ParseApplyFile(std::string_view text, std::string &error);

// Both, for the file at `path`; `error` begins with the file's name.
std::optional<ApplyFile> LoadApplyFile(const std::string &path, std::string &error);

// Why `row` does not fit a header of `headerSize` fields, and what to do; empty when it fits.
std::string RowSizeProblem(const CsvRecord &row, std::size_t headerSize);

}  // namespace vf::core

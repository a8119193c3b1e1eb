// Reading CSV as RFC 4180 writes it, for the files of "apply".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vf::core {

using CsvRecord = std::vector<std::string>;

// The records of `text`: fields split at commas, records at CR LF, a lone LF or a lone CR; a
// field in double quotes may hold commas, line breaks and doubled quotes. A final line break adds
// no record, and blank lines are skipped. std::nullopt, with `error` naming the line, for a quote
// inside an unquoted field, text after a closing quote, or a quote left open.
std::optional<std::vector<CsvRecord>> ReadCsv(std::string_view text, std::string &error);

}  // namespace vf::core

#include "core/csv_reader.h"

namespace vf::core {
namespace {

// Whether the character at `i` ends a line: LF, CR LF (counted at its LF) or a lone CR, as
// older spreadsheet programs on the Mac write it.
bool EndsLine(std::string_view text, std::size_t i) {
  return text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
}

}  // namespace

std::optional<std::vector<CsvRecord>> ReadCsv(std::string_view text, std::string &error) {
  std::vector<CsvRecord> records;
  CsvRecord record;
  std::string field;
  bool quoted = false;        // inside a quoted field
  bool wasQuoted = false;     // the current field was quoted and has closed
  bool fieldStarted = false;  // anything of this record read yet
  int line = 1;
  int quoteLine = 1;  // where the open quote began

  const auto failure = [&](const std::string &what) {
    error = "line " + std::to_string(line) + ": " + what;
    return std::nullopt;
  };
  const auto endField = [&] {
    record.push_back(std::move(field));
    field.clear();
    wasQuoted = false;
  };
  const auto endRecord = [&] {
    // A line with nothing on it is no record.
    if (fieldStarted || !record.empty()) {
      endField();
      records.push_back(std::move(record));
    }
    record.clear();
    field.clear();
    wasQuoted = false;
    fieldStarted = false;
  };

  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          quoted = false;
          wasQuoted = true;
        }
      } else {
        if (EndsLine(text, i)) ++line;
        field += c;
      }
      continue;
    }
    if (c == ',') {
      fieldStarted = true;
      endField();
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      endRecord();
      ++line;
    } else if (c == '"') {
      if (!field.empty() || wasQuoted)
        return failure("a double quote inside a field that is not quoted");
      quoted = true;
      quoteLine = line;
      fieldStarted = true;
    } else {
      if (wasQuoted) return failure("text after the closing double quote");
      field += c;
      fieldStarted = true;
    }
  }
  if (quoted) {
    line = quoteLine;
    return failure("a double quote is left open");
  }
  endRecord();
  return records;
}

}  // namespace vf::core

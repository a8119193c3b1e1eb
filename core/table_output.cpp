#include "core/table_output.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "core/display_text.h"

namespace vf::core {
namespace {

constexpr const char *kEllipsis = "\xE2\x80\xA6";

// Reads the UTF-8 character at `i` (the text is valid UTF-8) and advances `i` past it.
std::uint32_t NextCodePoint(const std::string &text, std::size_t &i) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
  const std::uint8_t lead = byte(i);
  std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  length = std::min(length, text.size() - i);
  std::uint32_t value = length == 1 ? lead : lead & (0x3F >> (length - 1));
  for (std::size_t k = 1; k < length; ++k) value = (value << 6) | (byte(i + k) & 0x3F);
  i += length;
  return value;
}

std::size_t CellWidth(std::uint32_t c) {
  if ((c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) ||
      (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F)) {
    return 0;
  }
  const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                    (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                    (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                    (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
                    (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
  return wide ? 2 : 1;
}

// `text` cut to at most `width` cells, ending in "…" when anything was left out.
std::string Fit(const std::string &text, std::size_t width) {
  if (width == 0 || DisplayWidth(text) <= width) return text;
  std::string out;
  std::size_t used = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t start = i;
    const std::size_t cells = CellWidth(NextCodePoint(text, i));
    if (used + cells + 1 > width) break;  // room for the ellipsis
    out.append(text, start, i - start);
    used += cells;
  }
  return out + kEllipsis;
}

std::string RenderAligned(const Table &table) {
  const std::size_t count = table.columns.size();
  std::vector<std::vector<std::string>> lines;
  std::vector<std::string> headings;
  for (const Column &column : table.columns) headings.push_back(column.heading);
  lines.push_back(headings);
  for (const auto &row : table.rows) {
    std::vector<std::string> line;
    for (std::size_t c = 0; c < count; ++c)
      line.push_back(Fit(DisplayText(row[c].text), table.columns[c].maxWidth));
    lines.push_back(std::move(line));
  }
  std::vector<std::size_t> widths(count, 0);
  for (const auto &line : lines) {
    for (std::size_t c = 0; c < count; ++c) widths[c] = std::max(widths[c], DisplayWidth(line[c]));
  }
  std::string out;
  for (const auto &line : lines) {
    std::string text;
    for (std::size_t c = 0; c < count; ++c) {
      text += line[c];
      if (c + 1 < count) text.append(widths[c] - DisplayWidth(line[c]) + 2, ' ');
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out += text + "\n";
  }
  return out;
}

// RFC 4180: a field with a comma, a double quote or a line break is quoted, its quotes doubled.
std::string CsvField(const std::string &text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

// A text that a spreadsheet would take for a formula (a leading =, +, -, @, tab or CR) gets a
// leading apostrophe, which spreadsheets show as text and do not run.
std::string SpreadsheetSafe(const Cell &cell) {
  if (cell.kind != CellKind::Text || cell.text.empty()) return cell.text;
  constexpr std::string_view kFormulaStarts = "=+-@\t\r";
  if (kFormulaStarts.find(cell.text.front()) == std::string_view::npos) return cell.text;
  return "'" + cell.text;
}

// A form of one line per row, its fields apart by one character, a header of the keys first.
struct Delimited {
  char separator;
  const char *lineEnd;
  std::string (*field)(const Cell &cell);
};

// TSV: a field never holds a tab or a line break, as it is escaped the way device strings are
// shown. CSV: RFC 4180, formulas made harmless.
constexpr Delimited kTsv{'\t', "\n", [](const Cell &cell) { return DisplayText(cell.text); }};
constexpr Delimited kCsv{',', "\r\n",
                         [](const Cell &cell) { return CsvField(SpreadsheetSafe(cell)); }};

std::string RenderDelimited(const Table &table, const Delimited &form) {
  std::string out;
  const auto line = [&](const auto &cells, auto cellOf) {
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (c > 0) out += form.separator;
      out += form.field(cellOf(cells[c]));
    }
    out += form.lineEnd;
  };
  line(table.columns, [](const Column &column) { return Cell{column.key}; });
  for (const auto &row : table.rows) line(row, [](const Cell &cell) { return cell; });
  return out;
}

nlohmann::ordered_json JsonValue(const Cell &cell) {
  if (cell.kind == CellKind::Boolean) return cell.text == "yes";
  if (cell.kind == CellKind::Number) {
    long long value = 0;
    const char *end = cell.text.data() + cell.text.size();
    const auto [stop, error] = std::from_chars(cell.text.data(), end, value);
    if (error == std::errc() && stop == end && !cell.text.empty()) return value;
  }
  return cell.text;  // also a "number" that is none after all
}

// JSON text with every invisible or reordering character written as its \u escape, which reads
// back as the same character.
std::string EscapeInvisible(const std::string &json) {
  std::string out;
  out.reserve(json.size());
  for (std::size_t i = 0; i < json.size();) {
    const std::size_t start = i;
    const std::uint32_t c = NextCodePoint(json, i);
    if (IsInvisibleFormat(c)) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
    } else {
      out.append(json, start, i - start);
    }
  }
  return out;
}

// One object per line, so that a large search never holds more than one row as a JSON tree.
std::string RenderJson(const Table &table) {
  if (table.rows.empty()) return "[]\n";
  std::vector<nlohmann::ordered_json::json_pointer> paths;
  for (const Column &column : table.columns) {
    nlohmann::ordered_json::json_pointer path;
    for (std::size_t start = 0;;) {
      const std::size_t dot = column.key.find('.', start);
      path /= column.key.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
      if (dot == std::string::npos) break;
      start = dot + 1;
    }
    paths.push_back(std::move(path));
  }
  std::string out = "[\n";
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
      object[paths[c]] = JsonValue(table.rows[r][c]);
    }
    // Replaced rather than thrown at: a cell is UTF-8, but nothing may end the output midway.
    out += EscapeInvisible(object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    out += r + 1 < table.rows.size() ? ",\n" : "\n";
  }
  return out + "]\n";
}

}  // namespace

std::optional<Format> ParseFormat(const std::string &name) {
  if (name == "table") return Format::Table;
  if (name == "tsv") return Format::Tsv;
  if (name == "csv") return Format::Csv;
  if (name == "json") return Format::Json;
  return std::nullopt;
}

std::size_t DisplayWidth(const std::string &text) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < text.size();) width += CellWidth(NextCodePoint(text, i));
  return width;
}

std::string Render(const Table &table, Format format) {
  switch (format) {
    case Format::Table:
      return RenderAligned(table);
    case Format::Tsv:
      return RenderDelimited(table, kTsv);
    case Format::Csv:
      return RenderDelimited(table, kCsv);
    case Format::Json:
      return RenderJson(table);
  }
  return {};
}

}  // namespace vf::core

// Tables of text in the four output forms: aligned for people, TSV, CSV (RFC 4180) and JSON.
//
// A cell holds its exact value. The forms meant for a terminal (the aligned table and TSV, which
// has no way to hold a tab or a line break) show it escaped as device strings are shown
// (DisplayText): control characters as \xNN, invisible and reordering ones as \uNNNN, a
// backslash as \\. CSV and JSON carry it exactly, with their own escaping: RFC 4180 quoting, and
// JSON's \u escapes (the invisible and reordering characters escaped too, so that the text
// shows as it is wherever it is printed). In CSV, a text cell that a spreadsheet would take for a
// formula (it starts with =, +, -, @, a tab or a CR) gets a leading apostrophe.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vf::core {

enum class Format { Table, Tsv, Csv, Json };

// "table", "tsv", "csv" or "json"; std::nullopt for anything else.
std::optional<Format> ParseFormat(const std::string &name);

// What a cell is in JSON; the other forms show its text.
enum class CellKind { Text, Number, Boolean };

struct Cell {
  std::string text;  // UTF-8, the exact value (device strings decoded, not escaped)
  CellKind kind = CellKind::Text;
};

struct Column {
  // The column's key: the heading of TSV and CSV, the member name in JSON. A dotted key
  // ("network.ipAddress") becomes a nested object in JSON.
  std::string key;
  // The heading of the aligned table.
  std::string heading;
  // Widest the aligned table shows the column, in terminal cells; longer values end in "…".
  // 0 for no limit.
  std::size_t maxWidth = 0;
};

struct Table {
  std::vector<Column> columns;
  std::vector<std::vector<Cell>> rows;  // each as long as `columns`
};

// The table in `format`, ending in a line break ("[]" and a line break for JSON without rows).
std::string Render(const Table &table, Format format);

// How many terminal cells `text` (UTF-8) takes: two for wide East Asian characters, none for
// combining marks, one for the rest.
std::size_t DisplayWidth(const std::string &text);

}  // namespace vf::core

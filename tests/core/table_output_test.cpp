// The four output forms of the command line, and the CSV reader of "apply".
#include "core/table_output.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "core/csv_reader.h"

namespace vf::core {
namespace {

Table Sample() {
  Table table;
  table.columns = {{"deviceName", "Name", 8},
                   {"network.ipAddress", "IP", 0},
                   {"network.dhcp", "DHCP", 0},
                   {"ok", "OK", 0}};
  table.rows = {
      {{"door, \"front\""}, {"10.0.0.2"}, {"1", CellKind::Number}, {"yes", CellKind::Boolean}},
      {{"tab\there\r\nx"}, {""}, {"0", CellKind::Number}, {"no", CellKind::Boolean}}};
  return table;
}

TEST(Output, CsvQuotesWhatNeedsItAndReadsBackTheSame) {
  const std::string csv = Render(Sample(), Format::Csv);
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "deviceName,network.ipAddress,network.dhcp,ok");
  EXPECT_NE(csv.find("\"door, \"\"front\"\"\",10.0.0.2,1,yes\r\n"), std::string::npos) << csv;
  std::string error;
  const auto records = ReadCsv(csv, error);
  ASSERT_TRUE(records) << error;
  ASSERT_EQ(records->size(), 3u);
  EXPECT_EQ((*records)[1][0], "door, \"front\"");
  EXPECT_EQ((*records)[2][0], "tab\there\r\nx") << "line breaks inside quotes survive";
  EXPECT_EQ((*records)[2][1], "");
}

TEST(Output, CsvKeepsSpreadsheetsFromRunningACameraNameAsAFormula) {
  Table table;
  table.columns = {{"name", "Name", 0}, {"port", "Port", 0}};
  for (const char *name : {"=HYPERLINK(\"http://x\")", "+1", "-2", "@SUM(A1)", "\tx", "plain"}) {
    table.rows.push_back({{name}, {"-1", CellKind::Number}});
  }
  std::string error;
  const auto records = ReadCsv(Render(table, Format::Csv), error);
  ASSERT_TRUE(records) << error;
  const std::vector<std::string> expected = {
      "'=HYPERLINK(\"http://x\")", "'+1", "'-2", "'@SUM(A1)", "'\tx", "plain"};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ((*records)[i + 1][0], expected[i]);
    EXPECT_EQ((*records)[i + 1][1], "-1") << "numbers stay numbers";
  }
  const auto json = nlohmann::json::parse(Render(table, Format::Json));
  EXPECT_EQ(json[0]["name"], "=HYPERLINK(\"http://x\")") << "JSON keeps the exact value";
}

TEST(Output, TsvNeverSplitsAFieldOrALine) {
  const std::string tsv = Render(Sample(), Format::Tsv);
  EXPECT_EQ(tsv,
            "deviceName\tnetwork.ipAddress\tnetwork.dhcp\tok\n"
            "door, \"front\"\t10.0.0.2\t1\tyes\n"
            "tab\\x09here\\x0D\\x0Ax\t\t0\tno\n");
}

TEST(Output, JsonNestsDottedKeysAndKeepsTypes) {
  const auto json = nlohmann::json::parse(Render(Sample(), Format::Json));
  ASSERT_TRUE(json.is_array());
  ASSERT_EQ(json.size(), 2u);
  EXPECT_EQ(json[0]["deviceName"], "door, \"front\"");
  EXPECT_EQ(json[0]["network"]["ipAddress"], "10.0.0.2");
  EXPECT_EQ(json[0]["network"]["dhcp"], 1);
  EXPECT_EQ(json[0]["ok"], true);
  EXPECT_EQ(json[1]["ok"], false);
  Table empty = Sample();
  empty.rows.clear();
  EXPECT_EQ(Render(empty, Format::Json), "[]\n");
}

TEST(Output, AlignedTableCutsLongValuesAndCountsTerminalCells) {
  Table table;
  table.columns = {{"a", "A", 6}, {"b", "B", 0}};
  table.rows = {
      {{"abcdefghij"}, {"x"}},
      {{"\xE6\x9D\xB1\xE4\xBA\xAC\xE6\x9D\xB1\xE4\xBA\xAC"}, {"y"}},  // four wide characters
      {{"Caf\xC3\xA9"}, {"z"}}};
  const std::string text = Render(table, Format::Table);
  EXPECT_EQ(text,
            "A       B\n"
            "abcde\xE2\x80\xA6  x\n"
            "\xE6\x9D\xB1\xE4\xBA\xAC\xE2\x80\xA6   y\n"
            "Caf\xC3\xA9    z\n");
}

TEST(CsvReader, ReadsRfc4180AndRefusesBrokenQuotes) {
  std::string error;
  const auto lf = ReadCsv("a,b\n1,\"x\ny\"\n\n3,\n", error);
  ASSERT_TRUE(lf) << error;
  ASSERT_EQ(lf->size(), 3u) << "blank lines are no records";
  EXPECT_EQ((*lf)[1][1], "x\ny");
  EXPECT_EQ((*lf)[2], (CsvRecord{"3", ""})) << "a trailing comma ends an empty field";
  const auto last = ReadCsv("a,b\r\n1,2", error);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->back(), (CsvRecord{"1", "2"})) << "no line break after the last record";

  // Lone CRs end lines as LFs do, inside quotes too when lines are counted.
  const auto cr = ReadCsv("a,b\r1,\"x\ry\"\r\r3,\r", error);
  ASSERT_TRUE(cr) << error;
  ASSERT_EQ(cr->size(), 3u);
  EXPECT_EQ((*cr)[0], (CsvRecord{"a", "b"}));
  EXPECT_EQ((*cr)[1], (CsvRecord{"1", "x\ry"}));
  EXPECT_EQ((*cr)[2], (CsvRecord{"3", ""}));

  const struct {
    const char *text;
    const char *line;
  } broken[] = {
      {"a,b\n1,\"open\n", "line 2"},    {"a,b\n1,x\"y\n", "line 2"},
      {"a,b\n\"q\"x,1\n", "line 2"},    {"a,b\r1,x\"y\r", "line 2"},
      {"a,\"b\rc\"\r1,x\"y", "line 3"},  // a CR inside quotes is a line too
  };
  for (const auto &c : broken) {
    EXPECT_FALSE(ReadCsv(c.text, error)) << c.text;
    EXPECT_EQ(error.rfind(c.line, 0), 0u) << error;
  }
}

}  // namespace
}  // namespace vf::core

// The file "apply" reads: the text forms spreadsheet programs save, and the messages that tell
// the user what to change.
#include "core/apply_file.h"

#include <gtest/gtest.h>

namespace vf::core {
namespace {

const std::string kBom = "\xEF\xBB\xBF";  // UTF-8's byte order mark

TEST(ApplyFile, TakesSpreadsheetExportsAsTheyAreSaved) {
  std::string error;
  const struct {
    const char *form;
    std::string text;
  } exports[] = {
      {"UTF-8 with byte order mark", kBom + "device,ip\r\n00:1A:3F:00:00:01,10.0.0.9\r\n"},
      {"lone CRs", "device,ip\r00:1A:3F:00:00:01,10.0.0.9\r"},
      {"byte order mark and lone CRs", kBom + "device,ip\r00:1A:3F:00:00:01,10.0.0.9"},
  };
  for (const auto &c : exports) {
    const auto file = ParseApplyFile(c.text, error);
    ASSERT_TRUE(file) << c.form << ": " << error;
    EXPECT_EQ(file->columns.at("device"), 0u) << c.form;
    EXPECT_EQ(file->records.size(), 2u) << c.form;
    EXPECT_EQ(file->records[1], (CsvRecord{"00:1A:3F:00:00:01", "10.0.0.9"})) << c.form;
  }
}

TEST(ApplyFile, SaysWhatToChangeInAFileItCannotUse) {
  const struct {
    std::string text;
    const char *message;
  } refused[] = {
      {"\xFF\xFE", "UTF-16 text: save it as CSV in UTF-8"},
      {"device,ip,\n00:1A:3F:00:00:01,10.0.0.9,\n",
       "the header row ends in a comma, which opens an unnamed column 3: remove that comma"},
      {"device,,ip\nx,,y\n", "column 2 of the header row has no name"},
      {"device,IP\nx,y\n", "unknown column \"IP\" (column 2 of the header row)"},
      {kBom + kBom + "device\nx\n", "unknown column \"\\uFEFFdevice\""},  // only one is dropped
      {"device,ip,ip\nx,y,z\n", "column ip appears twice in the header row (columns 2 and 3)"},
      {"ip\n10.0.0.9\n", "no device column: add one"},
      {"device,ip\n", "a header row and one row per camera are needed"},
      {"device,ip\nx,\"y\n", "line 2: a double quote is left open"},
  };
  for (const auto &c : refused) {
    std::string error;
    EXPECT_FALSE(ParseApplyFile(c.text, error)) << c.text;
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
}

TEST(ApplyFile, ARowOfAnotherWidthIsToldHowToFit) {
  EXPECT_EQ(RowSizeProblem({"a", "b"}, 2), "");
  EXPECT_EQ(RowSizeProblem({"a", "b", ""}, 2),
            "the row has 3 fields, the header 2: remove the comma at the end of the row");
  EXPECT_NE(RowSizeProblem({"a"}, 2).find("add the missing commas"), std::string::npos);
  EXPECT_NE(RowSizeProblem({"a", "b", "c"}, 2).find("double quotes"), std::string::npos);
}

}  // namespace
}  // namespace vf::core

#include "core/display_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "devsearch.h"

namespace vf::core {
namespace {

TEST(DisplayText, DecodesUtf8AndFallsBackToLatin1) {
  const struct {
    std::string bytes;
    std::string shown;
    const char *why;
  } cases[] = {
      {"Front door", "Front door", "plain ASCII"},
      {"Caf\xC3\xA9", "Caf\xC3\xA9", "valid UTF-8 stays as it is"},
      {"Caf\xE9", "Caf\xC3\xA9", "a lone Latin-1 byte is read as Latin-1"},
      {"\xE6\x9D\xB1\xE4\xBA\xAC", "\xE6\x9D\xB1\xE4\xBA\xAC", "three-byte characters"},
      {"\xF0\x9F\x93\xB7", "\xF0\x9F\x93\xB7", "a four-byte character"},
      {"\xC0\xAF", "\xC3\x80\xC2\xAF", "overlong form: Latin-1"},
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\\x80", "surrogate: Latin-1, with its C1 byte escaped"},
      {"\xF4\x90\x80\x80", "\xC3\xB4\\x90\\x80\\x80", "past U+10FFFF: Latin-1"},
      {"ab\xC3", "ab\xC3\x83", "a text cut short but not known to be cut: Latin-1"},
  };
  for (const auto &c : cases) EXPECT_EQ(DisplayText(c.bytes), c.shown) << c.why;
}

TEST(DisplayText, ShowsEveryControlAndDirectionCharacterAsAnEscape) {
  const struct {
    std::string bytes;
    std::string shown;
    const char *why;
  } cases[] = {
      {"a\x1b[31mred", "a\\x1B[31mred", "terminal escape sequence"},
      {"row\r\nfake row", "row\\x0D\\x0Afake row", "CR LF cannot fake a row"},
      {"tab\there", "tab\\x09here", "tab"},
      {"del\x7f", "del\\x7F", "DEL"},
      {"c1\xC2\x9B", "c1\\x9B", "C1 control as UTF-8"},
      {"abc\xE2\x80\xAEgnp.exe", "abc\\u202Egnp.exe", "right-to-left override"},
      {"\xE2\x81\xA6x\xE2\x81\xA9", "\\u2066x\\u2069", "isolates"},
      {"\xEF\xBB\xBFzero\xE2\x80\x8Bwidth", "\\uFEFFzero\\u200Bwidth", "invisible characters"},
      {"back\\slash", "back\\\\slash", "a backslash is doubled so escapes read back one way"},
      {std::string("nul\0x", 5), "nul\\x00x", "an embedded NUL"},
  };
  for (const auto &c : cases) EXPECT_EQ(DisplayText(c.bytes), c.shown) << c.why;
}

TEST(DisplayText, AFieldCutInsideACharacterLosesOnlyThatCharacter) {
  // 40 bytes fill deviceName; the device sent "Caméra…" whose last "é" was cut after one byte.
  DeviceRecord record{};
  std::string name(39, 'x');
  name += '\xC3';
  std::memcpy(record.deviceName, name.data(), name.size());
  EXPECT_EQ(DisplayField(record.deviceName), std::string(39, 'x'));

  // Three bytes of a four-byte character are dropped as well.
  std::string emoji(37, 'y');
  emoji += "\xF0\x9F\x93";
  std::memcpy(record.deviceName, emoji.data(), emoji.size());
  EXPECT_EQ(DisplayField(record.deviceName), std::string(37, 'y'));

  // A field that did not fill up was not cut: a short sequence there means Latin-1.
  std::strcpy(record.deviceName, "short\xC3");
  EXPECT_EQ(DisplayField(record.deviceName), "short\xC3\x83");

  // A field without any NUL is read up to its size only.
  std::memset(record.deviceName, 'N', sizeof record.deviceName);
  EXPECT_EQ(DisplayField(record.deviceName), std::string(sizeof record.deviceName, 'N'));
}

}  // namespace
}  // namespace vf::core

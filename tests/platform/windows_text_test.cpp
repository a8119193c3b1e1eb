// Text at the edge of the Windows API: UTF-8 inside, UTF-16 outside, fixed fields of the old
// records.
#include "platform/windows_text.h"

#include <gtest/gtest.h>

namespace vf::platform {
namespace {

TEST(WindowsText, Utf8AndUtf16RoundTrip) {
  const std::string utf8 = "Kamera \xC3\xBC \xE2\x82\xAC \xF0\x9F\x93\xB7";  // ü € and a camera
  const std::wstring wide = WideFromUtf8(utf8);
  EXPECT_EQ(wide, L"Kamera \u00FC \u20AC \U0001F4F7");
  EXPECT_EQ(Utf8FromWide(wide), utf8);
  EXPECT_EQ(WideFromUtf8(""), L"");
  EXPECT_EQ(Utf8FromWide(L""), "");
}

TEST(WindowsText, InvalidSequencesAreReplacedNotDropped) {
  EXPECT_EQ(WideFromUtf8("a\xFF"
                         "b"),
            L"a\uFFFD"
            L"b");
  EXPECT_EQ(WideFromUtf8("\xC3"), L"\uFFFD");                                 // cut sequence
  EXPECT_EQ(Utf8FromWide(std::wstring(1, wchar_t(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(WindowsText, FixedFieldEndsAtItsNulOrItsSize) {
  const char terminated[8] = {'a', 'b', '\0', 'x', 'x', 'x', 'x', 'x'};
  const char full[4] = {'w', 'x', 'y', 'z'};
  EXPECT_EQ(FixedText(terminated), "ab");
  EXPECT_EQ(FixedText(full), "wxyz");
}

}  // namespace
}  // namespace vf::platform

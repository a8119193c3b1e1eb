// Text at the edge of the Windows API. Inside the program text is UTF-8; the wide-character API
// takes UTF-16, and a few older records hold 8-bit text in the system code page.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace vf::platform {

// The text of a fixed-size character field, up to its first NUL or its end.
template <std::size_t N>
std::string FixedText(const char (&field)[N]) {
  const void *end = std::memchr(field, '\0', N);
  return std::string(field, end ? static_cast<const char *>(end) - field : N);
}

// Invalid sequences are replaced (by U+FFFD) rather than refused.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
// 8-bit text in the system code page (CP_ACP) as UTF-8.
std::string Utf8FromSystemCodePage(std::string_view text);

}  // namespace vf::platform

// How a text that came from a device is shown: decoded, and with nothing in it that could act
// on a terminal or reorder what is around it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vf::core {

// The bytes of a device string as UTF-8 for display.
//
// Decoding: UTF-8 when the bytes are valid UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF), Latin-1 otherwise. When `mayBeCut` is set (the text filled its fixed-size field, so
// the device's value may have been cut), a sequence cut short at the very end is dropped rather
// than shown as half a character or taken as proof of Latin-1.
//
// Escaping, one form for every character that is invisible or steers the display:
//   \xNN     C0 controls U+0000..U+001F, DEL U+007F and C1 controls U+0080..U+009F
//   \uNNNN   bidirectional marks, embeddings, overrides and isolates (U+061C, U+200E, U+200F,
//            U+202A..U+202E, U+2066..U+2069), zero-width and other invisible format
//            characters (U+200B..U+200D, U+2028, U+2029, U+2060..U+2064, U+FEFF, U+FFF9..U+FFFB)
//   \\       the backslash itself, so that every escape reads back one way
// NN and NNNN are upper-case hexadecimal digits of the code point. Everything else, Latin
// letters with accents and other scripts included, stays as it is.
std::string DisplayText(std::string_view bytes, bool mayBeCut = false);

// The bytes of a device string decoded as above (UTF-8 when valid, else Latin-1) and written as
// UTF-8, with nothing escaped: the exact value, for formats that carry any character with
// escapes of their own (JSON, CSV).
std::string DecodedText(std::string_view bytes, bool mayBeCut = false);

// DisplayText of a fixed-size record field: read up to its NUL or its end, and taken as
// possibly cut when it fills the field.
template <std::size_t N>
std::string DisplayField(const char (&field)[N]) {
  const std::size_t length = strnlen(field, N);
  return DisplayText(std::string_view(field, length), length >= N - 1);
}

// DecodedText of a fixed-size record field, read as DisplayField reads it.
template <std::size_t N>
std::string DecodedField(const char (&field)[N]) {
  const std::size_t length = strnlen(field, N);
  return DecodedText(std::string_view(field, length), length >= N - 1);
}

// Whether a character is one DisplayText writes as \uNNNN: invisible, or one that reorders
// the text around it.
bool IsInvisibleFormat(std::uint32_t codePoint);

}  // namespace vf::core

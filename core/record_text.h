// Reading and writing the fixed-size text fields of the engine's records.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace vf::core {

// The text of a fixed-size field, never read past the field even when it lacks its NUL.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

// Writes `text` into `field`, cut to N - 1 bytes and NUL-padded, so the field always ends
// within itself.
template <std::size_t N>
void CopyToField(char (&field)[N], std::string_view text) {
  const std::size_t length = std::min(text.size(), N - 1);
  if (length > 0) std::memcpy(field, text.data(), length);  // an empty view may have no data
  std::memset(field + length, 0, N - length);
}

// Whether `text` fits `field` whole (at most N - 1 bytes).
template <std::size_t N>
constexpr bool FitsField(const char (&)[N], std::string_view text) {
  return text.size() < N;
}

}  // namespace vf::core

#include "core/display_text.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vf::core {
namespace {

// One decoded character, or the reason decoding stopped.
struct Step {
  std::uint32_t codePoint = 0;
  std::size_t length = 0;  // 0: invalid here
  bool cutShort = false;   // a valid beginning that the text ends in the middle of
};

std::uint8_t Byte(std::string_view text, std::size_t i) {
  return static_cast<std::uint8_t>(text[i]);
}

bool IsContinuation(std::uint8_t b) {
  return (b & 0xC0) == 0x80;
}

// Reads the UTF-8 sequence at `i`, refusing every form the standard refuses.
Step DecodeAt(std::string_view text, std::size_t i) {
  const std::uint8_t lead = Byte(text, i);
  if (lead < 0x80) return {lead, 1, false};
  std::size_t need = 0;
  std::uint32_t value = 0;
  // The range the second byte must lie in keeps out overlong forms, surrogates and values past
  // U+10FFFF.
  std::uint8_t low = 0x80;
  std::uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    need = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need = 3;
    value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need = 4;
    value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {};
  }
  for (std::size_t k = 1; k < need; ++k) {
    if (i + k >= text.size()) return {0, 0, true};
    const std::uint8_t b = Byte(text, i + k);
    if (k == 1 ? (b < low || b > high) : !IsContinuation(b)) return {};
    value = (value << 6) | (b & 0x3F);
  }
  return {value, need, false};
}

// The code points of `text` read as UTF-8, or std::nullopt when it is not UTF-8.
std::optional<std::vector<std::uint32_t>> DecodeUtf8(std::string_view text, bool mayBeCut) {
  std::vector<std::uint32_t> codePoints;
  codePoints.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Step step = DecodeAt(text, i);
    if (step.length == 0) {
      if (step.cutShort && mayBeCut) break;  // the field ended inside this character
      return std::nullopt;
    }
    codePoints.push_back(step.codePoint);
    i += step.length;
  }
  return codePoints;
}

bool IsControl(std::uint32_t c) {
  return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0);
}

void AppendHex(std::string &out, std::uint32_t value, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

void AppendUtf8(std::string &out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendShown(std::string &out, std::uint32_t c) {
  if (c == '\\') {
    out += "\\\\";
  } else if (IsControl(c)) {
    out += "\\x";
    AppendHex(out, c, 2);
  } else if (IsInvisibleFormat(c)) {
    out += "\\u";
    AppendHex(out, c, 4);
  } else {
    AppendUtf8(out, c);
  }
}

// The code points of `bytes`: UTF-8 when it is, else Latin-1.
std::vector<std::uint32_t> Decode(std::string_view bytes, bool mayBeCut) {
  if (auto codePoints = DecodeUtf8(bytes, mayBeCut)) return std::move(*codePoints);
  // Latin-1: every byte is the character of the same number.
  std::vector<std::uint32_t> codePoints;
  codePoints.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) codePoints.push_back(Byte(bytes, i));
  return codePoints;
}

}  // namespace

bool IsInvisibleFormat(std::uint32_t c) {
  return c == 0x061C || (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
         (c >= 0x2060 && c <= 0x2064) || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF ||
         (c >= 0xFFF9 && c <= 0xFFFB);
}

std::string DecodedText(std::string_view bytes, bool mayBeCut) {
  std::string out;
  out.reserve(bytes.size());
  for (const std::uint32_t c : Decode(bytes, mayBeCut)) AppendUtf8(out, c);
  return out;
}

std::string DisplayText(std::string_view bytes, bool mayBeCut) {
  std::string out;
  out.reserve(bytes.size());
  for (const std::uint32_t c : Decode(bytes, mayBeCut)) AppendShown(out, c);
  return out;
}

}  // namespace vf::core

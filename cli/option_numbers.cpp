#include "option_numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/display_text.h"

namespace vf::cli {
namespace {

std::string Shortest(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::optional<double> Parse(std::string_view text, bool whole) {
  const char *end = text.data() + text.size();
  if (whole) {
    long long value = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return static_cast<double>(value);
  }
  double value = 0;
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::string DescribeBounds(const NumberBounds &bounds) {
  return std::string(bounds.whole ? "a whole number" : "a number") + " from " +
         Shortest(bounds.min) + " to " + Shortest(bounds.max);
}

std::optional<double> ReadOptionNumber(std::string_view text, const NumberBounds &bounds,
                                       std::string &error) {
  const std::optional<double> value = Parse(text, bounds.whole);
  if (!value || *value < bounds.min || *value > bounds.max) {
    error = "expects " + DescribeBounds(bounds) + ", not " + core::DisplayText(text);
    return std::nullopt;
  }
  return value;
}

}  // namespace vf::cli

// The numbers the command line's options take, read in one place: decimal, finite, and within
// the option's bounds. (CLI11's own range check lets NaN through, and its integer reading takes
// 010 for octal.)
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vf::cli {

struct NumberBounds {
  double min = 0;
  double max = 0;
  bool whole = false;  // a whole number is asked for
};

// The value of `text` when it is a decimal number from `bounds.min` to `bounds.max` ("2.5",
// "1e1"; a whole one when `bounds.whole`); std::nullopt otherwise, with `error` saying what is
// expected. NaN, infinities and numbers beyond the range of a double are refused.
std::optional<double> ReadOptionNumber(std::string_view text, const NumberBounds &bounds,
                                       std::string &error);

// "a number from 0.1 to 600", "a whole number from 1 to 20".
std::string DescribeBounds(const NumberBounds &bounds);

}  // namespace vf::cli

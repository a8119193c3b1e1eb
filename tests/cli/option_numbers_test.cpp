// The numbers options take: the bounds hold for every text, NaN and infinities included.
#include "option_numbers.h"

#include <gtest/gtest.h>

namespace vf::cli {
namespace {

TEST(OptionNumbers, OnlyFiniteDecimalNumbersWithinTheBounds) {
  const NumberBounds seconds{0.1, 600, false};
  const NumberBounds count{1, 20, true};
  const struct {
    const char *text;
    const NumberBounds &bounds;
    std::optional<double> value;
  } cases[] = {
      // clang-format off
      {"2.5", seconds, 2.5},
      {"600", seconds, 600},         // the ends belong to the range
      {"600.001", seconds, {}},
      {"0.09", seconds, {}},
      {"nan", seconds, {}},          // compares false with both bounds
      {"-nan", seconds, {}},
      {"inf", seconds, {}},
      {"1e400", seconds, {}},        // beyond a double
      {"0x10", seconds, {}},         // no hexadecimal
      {"5s", seconds, {}},           // trailing
      {" 5", seconds, {}},           // leading space
      {"", seconds, {}},
      {"20", count, 20},
      {"010", count, 10},            // decimal, not octal
      {"2.5", count, {}},
      {"21", count, {}},
      {"99999999999999999999", count, {}},
      // clang-format on
  };
  for (const auto &c : cases) {
    std::string error;
    EXPECT_EQ(ReadOptionNumber(c.text, c.bounds, error), c.value) << "\"" << c.text << "\"";
    if (!c.value) {
      EXPECT_NE(error.find(DescribeBounds(c.bounds)), std::string::npos) << error;
    }
  }
  std::string error;
  ReadOptionNumber("nan", seconds, error);
  EXPECT_EQ(error, "expects a number from 0.1 to 600, not nan");
}

}  // namespace
}  // namespace vf::cli

#include "core/split_string.h"

#include <gtest/gtest.h>

namespace vf::core {
namespace {

TEST(SplitString, FollowsTheSeparatorRules) {
  using Parts = std::vector<std::string>;
  const struct {
    const char *text;
    Parts parts;
    const char *why;
  } cases[] = {
      {"", {}, "an empty text gives no parts"},
      {"a;b", {"a", "b"}, "a missing final separator is supplied"},
      {"a;b;", {"a", "b"}, "the final separator adds no empty part"},
      {"a;;b;", {"a", "", "b"}, "adjacent separators give an empty part"},
      {";a;", {"", "a"}, "a leading separator gives an empty first part"},
      {";", {""}, "a lone separator is one empty piece"},
      {"abc", {"abc"}, "no separator at all: one part"},
      {"8.8.8.8;1.1.1.1;", {"8.8.8.8", "1.1.1.1"}, "a DNS list as the panel stores it"},
  };
  for (const auto &c : cases) {
    Parts parts;
    SplitString(c.text, parts, ';');
    EXPECT_EQ(parts, c.parts) << c.why;
  }
}

TEST(SplitString, AppendsToWhatTheCallerPassed) {
  std::vector<std::string> parts{"kept"};
  SplitString("1.2", parts, '.');
  EXPECT_EQ(parts, (std::vector<std::string>{"kept", "1", "2"}));
}

}  // namespace
}  // namespace vf::core

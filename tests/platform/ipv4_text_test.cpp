#include "platform/ipv4_text.h"

#include <gtest/gtest.h>

namespace vf::platform {
namespace {

TEST(NormalizeIpv4, AcceptsOnlyFourDecimalParts) {
  EXPECT_EQ(NormalizeIpv4("192.168.1.10"), "192.168.1.10");
  EXPECT_EQ(NormalizeIpv4("0.0.0.0"), "0.0.0.0");
  EXPECT_EQ(NormalizeIpv4("255.255.255.255"), "255.255.255.255");

  for (const char *bad :
       {"", "192.168.1", "192.168.1.256", "10.1", "0x0a.0.0.1", " 10.0.0.1", "10.0.0.1 ",
        "10.0.0.1.5", "fe80::1", "010.000.000.001x", "1234567890.1.1.1"}) {
    EXPECT_EQ(NormalizeIpv4(bad), std::nullopt) << bad;
  }
}

TEST(NormalizeIpv4, DoesNotReadPastTheView) {
  // The view stops before ".9"; a terminating copy must be taken, not the raw pointer.
  std::string_view text = std::string_view("10.0.0.1.9").substr(0, 8);
  EXPECT_EQ(NormalizeIpv4(text), "10.0.0.1");
}

}  // namespace
}  // namespace vf::platform

#include "core/network_address.h"

#include <gtest/gtest.h>

namespace vf::core {
namespace {

TEST(ComputeNetworkAddress, AndsEachPartWithTheMask) {
  const struct {
    const char *ip;
    const char *mask;
    const char *network;
    const char *why;
  } cases[] = {
      {"192.168.1.77", "255.255.255.0", "192.168.1.0", "the usual /24"},
      {"192.168.1.200", "255.255.255.128", "192.168.1.128", "a mask that cuts inside a part"},
      {"10.20.30.40", "0.0.0.0", "0.0.0.0", "an all-zero mask"},
      {"192.168.1.77.", "255.255.255.0", "192.168.1.0", "a final dot adds no part"},
      {"1.2.3.4.5.6", "255.255.255.255.255.0", "1.2.3.4.5.0", "six parts are still read"},
      {"010.001.1.1", "255.255.255.255", "10.1.1.1", "leading zeros read as decimal"},
  };
  for (const auto &c : cases) {
    std::string out;
    EXPECT_TRUE(ComputeNetworkAddress(c.ip, c.mask, out)) << c.why;
    EXPECT_EQ(out, c.network) << c.why;
  }
}

TEST(ComputeNetworkAddress, RefusesWhatItCannotReadWithAnEmptyResult) {
  const struct {
    const char *ip;
    const char *mask;
    const char *why;
  } cases[] = {
      {"192.168.1", "255.255.255", "fewer than four parts"},
      {"", "", "empty texts"},
      {"192.168.1.77", "255.255.255", "the mask has fewer parts"},
      {"1.2.3.4.5", "255.255.255.0", "the part counts differ"},
      {"1.2.3.4.5.6.7", "255.255.255.255.255.255.255", "more than six parts"},
      {"192.168.x.77", "255.255.255.0", "a part that is not a number"},
      {"192.168.1.77", "255.255.255.abc", "a mask part that is not a number"},
      {"192.168..77", "255.255.255.0", "an empty part"},
      {"192.168.1.256", "255.255.255.0", "a part above 255"},
      {"192.168.1.-1", "255.255.255.0", "a sign"},
      {"192.168.1. 7", "255.255.255.0", "a space, which %d would have skipped"},
      {"192.168.1.7x", "255.255.255.0", "trailing text, which %d would have ignored"},
      {"192.168.1.0007", "255.255.255.0", "more than three digits"},
  };
  for (const auto &c : cases) {
    std::string out = "stale";
    EXPECT_FALSE(ComputeNetworkAddress(c.ip, c.mask, out)) << c.why;
    EXPECT_EQ(out, "") << c.why;
  }
}

TEST(RouterAddress, RaisesTheLastNumberNotTheLastCharacter) {
  EXPECT_EQ(RouterAddress("192.168.1.0"), "192.168.1.1");
  EXPECT_EQ(RouterAddress("192.168.1.128"), "192.168.1.129");  // not "…121"
  EXPECT_EQ(RouterAddress("10.0.0.9"), "10.0.0.10");           // gains a digit
  EXPECT_EQ(RouterAddress("10.0.0.254"), "10.0.0.255");
}

TEST(RouterAddress, GivesNothingWhenThereIsNoNextAddress) {
  for (const char *text : {"", "192.168.1.255", "192.168.1.", "192.168.1.x", "192.168.1.300"}) {
    EXPECT_EQ(RouterAddress(text), std::nullopt) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace vf::core

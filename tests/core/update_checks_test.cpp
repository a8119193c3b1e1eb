#include "core/update_checks.h"

#include <gtest/gtest.h>

#include <string>

#include "core/http_port.h"
#include "core/ipv4.h"

namespace vf::core {
namespace {

TEST(Ipv4, OnlyFourPlainDecimalPartsPass) {
  const struct {
    const char *text;
    bool valid;
    const char *why;
  } cases[] = {
      {"10.0.0.1", true, ""},
      {"255.255.255.255", true, ""},
      {"0.0.0.0", true, "the blank form is an address too"},
      {"10.77", false, "too few parts"},
      {"10.0.0.1.5", false, "too many parts"},
      {"10.0.0.256", false, "part above 255"},
      {"10.0.0.01", false, "leading zero"},
      {"10.0.0.", false, "empty last part"},
      {".10.0.0", false, "empty first part"},
      {"10.0.0.1 ", false, "trailing blank"},
      {"10.0.0.-1", false, "sign"},
      {"10.0.0.1 -dhcp on", false, "a flag smuggled in"},
      {"1000.0.0.1", false, "four digits"},
      {"", false, "empty"},
  };
  for (const auto &c : cases) {
    const std::optional<Ipv4> address = Ipv4::Parse(c.text);
    EXPECT_EQ(address.has_value(), c.valid) << c.text << " " << c.why;
    if (address) {
      EXPECT_EQ(address->Text(), c.text) << "reads back as it was written";
    }
  }
  EXPECT_EQ(Ipv4::Parse("10.0.0.9") < Ipv4::Parse("10.0.0.10"), true) << "ordered as numbers";
  EXPECT_FALSE(IsSubnetMask(*Ipv4::Parse("255.0.255.0")));
  EXPECT_TRUE(IsSubnetMask(*Ipv4::Parse("255.255.254.0")));
}

TEST(HttpPort, DigitsOnlyWithinRangeComparedAsNumbers) {
  const struct {
    const char *text;
    int port;  // 0: refused
  } cases[] = {
      {"80", 80},   {"00080", 80},
      {"1", 1},     {"65535", 65535},
      {"0", 0},     {"65536", 0},
      {"99999", 0}, {"", 0},
      {" 80", 0},   {"80 ", 0},
      {"+80", 0},   {"8O", 0},
      {"0x50", 0},  {"99999999999999999999", 0},
  };
  for (const auto &c : cases) {
    const std::optional<HttpPort> port = HttpPort::Parse(c.text);
    EXPECT_EQ(port ? port->Value() : 0, c.port) << '"' << c.text << '"';
  }
  EXPECT_TRUE(HttpPort::Parse("8002")->IsReserved());
  EXPECT_TRUE(HttpPort::Parse("55555")->IsReserved());
  EXPECT_FALSE(HttpPort::Parse("8003")->IsReserved());
}

TEST(MacText, SixColonSeparatedHexPairsOnly) {
  EXPECT_TRUE(IsMacText("00:1A:3F:00:00:01"));
  EXPECT_TRUE(IsMacText("aa:bb:cc:dd:ee:ff"));
  for (const char *bad :
       {"02:EE -dhcp on", "00:1A:3F:00:00", "00:1A:3F:00:00:01:02", "00-1A-3F-00-00-01",
        "001A3F000001", "00:1A:3F:00:00:0G", "0:1A:3F:00:00:001", "", "00:1A:3F:00:00:01 "}) {
    EXPECT_FALSE(IsMacText(bad)) << '"' << bad << '"';
  }
}

TEST(DeviceIdText, ThirtyTwoLettersAndDigitsOnly) {
  EXPECT_TRUE(IsDeviceIdText("0123456789abcdefABCDEF0123456789"));
  for (const char *bad : {"0123456789abcdef0123456789abcde",     // 31
                          "0123456789abcdef0123456789abcdef0",   // 33
                          "-123456789abcdef0123456789abcdef",    // an option's dash
                          "0123456789abcdef 123456789abcdef",    // a blank
                          "0123456789abcdef\r\n23456789abcdef",  // a line break
                          "0123456789abcdef0123456789abcd\xC3\xA9", ""}) {
    EXPECT_FALSE(IsDeviceIdText(bad)) << '"' << bad << '"';
  }
}

TEST(CheckAccount, OnlyWhatTheRequestCarriesAsOneUserAndOnePassword) {
  EXPECT_EQ(CheckAccount("admin", ""), InputProblem::None) << "an empty password is one";
  EXPECT_EQ(CheckAccount("admin", "p:ss w\xC3\xB6rd"), InputProblem::None)
      << "the password may hold colons, blanks and UTF-8";
  EXPECT_EQ(CheckAccount("admin\r\nCSeq:1", "x"), InputProblem::BadAccount);
  EXPECT_EQ(CheckAccount("admin", "x\n"), InputProblem::BadAccount);
  EXPECT_EQ(CheckAccount("admin", "x\x1B"), InputProblem::BadAccount);
  EXPECT_EQ(CheckAccount("a:b", "x"), InputProblem::AccountColon) << "split at the first colon";
  EXPECT_EQ(CheckAccount(std::string(64, 'u'), std::string(64, 'p')), InputProblem::None);
  EXPECT_EQ(CheckAccount("admin", std::string(65, 'p')), InputProblem::AccountTooLong);
}

}  // namespace
}  // namespace vf::core

#include "core/update_checks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/netconf.h"

namespace vf::core {
namespace {

const std::vector<std::string> kLocal = {"10.0.0.1", "192.168.1.10"};

NetworkInput Input(std::string ip, std::string mask, std::string gateway, bool dhcp = false) {
  NetworkInput input;
  input.ipAddress = std::move(ip);
  input.netmask = std::move(mask);
  input.gateway = std::move(gateway);
  input.dhcp = dhcp;
  return input;
}

TEST(CheckNetworkInput, FirstFailureWinsAndDhcpSkipsEveryCheck) {
  const struct {
    NetworkInput input;
    InputProblem problem;
    const char *why;
  } cases[] = {
      {Input("192.168.1.20", "255.255.255.0", "192.168.1.1"), InputProblem::None, "all set"},
      {Input("0.0.0.0", "0.0.0.0", "0.0.0.0"), InputProblem::WrongIp, "all blank: the address"},
      {Input("", "255.255.255.0", "192.168.1.1"), InputProblem::WrongIp, "empty address"},
      {Input("192.168.1.20", "0.0.0.0", ""), InputProblem::WrongMask, "then the mask"},
      {Input("192.168.1.20", "255.255.255.0", ""), InputProblem::WrongGateway, "then the gateway"},
      {Input("192.168.1.10", "255.255.255.0", "192.168.1.1"), InputProblem::SameAsLocal,
       "this PC's address"},
      {Input("192.168.1.100", "255.255.255.0", "192.168.1.1"), InputProblem::None,
       "a local address is compared whole, not as a prefix"},
      {Input("0.0.0.0", "0.0.0.0", "", true), InputProblem::None, "DHCP: nothing checked"},
      {Input("10.0.0.1", "255.0.0.0", "10.0.0.254", true), InputProblem::None,
       "DHCP: not even the local address"},
  };
  for (const auto &c : cases) EXPECT_EQ(CheckNetworkInput(c.input, kLocal), c.problem) << c.why;
  EXPECT_STREQ(ProblemText(InputProblem::SameAsLocal),
               "The same as one IP among of this local PC.");
}

TEST(AddressForms, OnlyFourPlainDecimalPartsPass) {
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
  for (const auto &c : cases) EXPECT_EQ(IsIpv4Text(c.text), c.valid) << c.text << " " << c.why;

  NetworkInput input = Input("10.0.0.5", "255.255.255.0", "");
  input.secondaryDns = "0.0.0.0";
  EXPECT_EQ(CheckAddressForms(input), InputProblem::None) << "blank values pass";
  input.primaryDns = "8.8.8";
  EXPECT_EQ(CheckAddressForms(input), InputProblem::WrongDns);
  input.gateway = "gw";
  EXPECT_EQ(CheckAddressForms(input), InputProblem::WrongGateway) << "in field order";
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
    const std::optional<int> port = ParseHttpPort(c.text);
    EXPECT_EQ(port.value_or(0), c.port) << '"' << c.text << '"';
  }

  EXPECT_FALSE(PortCommandFollows(80, "00080")) << "the same port written another way";
  EXPECT_FALSE(PortCommandFollows(80, "80"));
  EXPECT_TRUE(PortCommandFollows(8080, "80"));
  EXPECT_FALSE(PortCommandFollows(8002, "80")) << "kept by the devices";
  EXPECT_FALSE(PortCommandFollows(55555, "80")) << "kept by the devices";
  EXPECT_TRUE(PortCommandFollows(80, "")) << "a device that reported no port";
  EXPECT_TRUE(PortCommandFollows(80, "eighty"));
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

DeviceRecord Device(const char *mac) {
  DeviceRecord device{};
  std::strcpy(device.deviceId, "0123456789abcdef0123456789abcdef");
  std::strcpy(device.network.ipAddress, "192.168.1.2");
  std::strcpy(device.network.netmask, "255.255.255.0");
  std::strcpy(device.network.gateway, "192.168.1.1");
  std::strcpy(device.network.primaryDns, "192.168.1.1");
  std::strcpy(device.network.macAddress, mac);
  device.network.dhcp = 1;
  device.network.dnsStat = 7;
  return device;
}

TEST(BuildNetworkSettings, TakesTheEditsBlanksBecomeEmptyAndTheMacStays) {
  DeviceRecord device = Device("00:1A:3F:00:00:01");
  NetworkInput input = Input("10.0.0.5", "255.0.0.0", "0.0.0.0");
  input.primaryDns = "";
  input.secondaryDns = "8.8.4.4";
  NetworkSettings out{};
  ASSERT_EQ(BuildNetworkSettings(device, input, out), NetconfBuild::Ready);
  EXPECT_STREQ(out.ipAddress, "10.0.0.5");
  EXPECT_STREQ(out.netmask, "255.0.0.0");
  EXPECT_STREQ(out.gateway, "") << "a blank gateway is sent empty";
  EXPECT_STREQ(out.primaryDns, "");
  EXPECT_STREQ(out.secondaryDns, "8.8.4.4");
  EXPECT_STREQ(out.macAddress, "00:1A:3F:00:00:01");
  EXPECT_EQ(out.dhcp, 0);
  EXPECT_EQ(out.dnsStat, 0) << "the DNS state follows the DHCP choice";

  input.dhcp = true;
  ASSERT_EQ(BuildNetworkSettings(device, input, device.network), NetconfBuild::Ready)
      << "writing over the device's own settings";
  EXPECT_EQ(device.network.dhcp, 1);
  EXPECT_EQ(device.network.dnsStat, 1);
  EXPECT_STREQ(device.network.macAddress, "00:1A:3F:00:00:01");
}

TEST(BuildNetworkSettings, SendsNothingWithoutAddressOrMaskOrWithAForeignMac) {
  NetworkSettings out{};
  std::strcpy(out.ipAddress, "untouched");
  DeviceRecord device = Device("00:1A:3F:00:00:01");
  EXPECT_EQ(BuildNetworkSettings(device, Input("0.0.0.0", "255.0.0.0", "", true), out),
            NetconfBuild::NoAddress);
  EXPECT_EQ(BuildNetworkSettings(device, Input("10.0.0.5", "", "10.0.0.1"), out),
            NetconfBuild::NoAddress);
  DeviceRecord hostile = Device("02:EE -dhcp on");
  EXPECT_EQ(BuildNetworkSettings(hostile, Input("10.0.0.5", "255.0.0.0", ""), out),
            NetconfBuild::BadMac);
  EXPECT_STREQ(out.ipAddress, "untouched") << "nothing written unless Ready";
}

}  // namespace
}  // namespace vf::core

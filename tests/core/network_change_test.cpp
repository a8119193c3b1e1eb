// One rule for every change of a camera's network settings, whichever front end asks.
#include "core/network_change.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace vf::core {
namespace {

const std::vector<std::string> kPc = {"10.0.0.1", "192.168.1.10", "192.168.9.1"};

DeviceRecord Camera() {
  DeviceRecord device{};
  std::strcpy(device.deviceId, "0123456789abcdef0123456789abcdef");
  std::strcpy(device.network.ipAddress, "192.168.1.2");
  std::strcpy(device.network.netmask, "255.255.255.0");
  std::strcpy(device.network.gateway, "192.168.1.1");
  std::strcpy(device.network.primaryDns, "192.168.1.1");
  std::strcpy(device.network.macAddress, "00:1A:3F:00:00:01");
  std::strcpy(device.httpPort, "80");
  device.network.dnsStat = 7;
  return device;
}

NetworkEdits Fixed(const char *ip, const char *mask, const char *gateway) {
  NetworkEdits edits;
  edits.ipAddress = ip;
  edits.netmask = mask;
  edits.gateway = gateway;
  edits.dhcp = false;
  return edits;
}

InputProblem Plan(const NetworkEdits &edits, const DeviceRecord &device = Camera()) {
  NetworkChange change;
  return PlanNetworkChange(device, edits, kPc, change);
}

TEST(PlanNetworkChange, TheWindowsChecksComeFirstInTheirOrder) {
  EXPECT_EQ(Plan(Fixed("0.0.0.0", "0.0.0.0", "0.0.0.0")), InputProblem::WrongIp);
  EXPECT_EQ(Plan(Fixed("192.168.1.30", "", "")), InputProblem::WrongMask);
  EXPECT_EQ(Plan(Fixed("192.168.1.30", "255.255.255.0", "0.0.0.0")), InputProblem::WrongGateway);
  EXPECT_EQ(Plan(Fixed("192.168.1.10", "255.255.255.0", "192.168.1.1")), InputProblem::SameAsLocal);
  EXPECT_EQ(Plan(Fixed("192.168.9.1", "255.255.255.0", "192.168.1.1")), InputProblem::SameAsLocal)
      << "any address of the PC, not only an adapter's first";
  EXPECT_EQ(Plan(Fixed("192.168.1.100", "255.255.255.0", "192.168.1.1")), InputProblem::None)
      << "compared whole, not as a prefix";
  EXPECT_STREQ(ProblemText(InputProblem::SameAsLocal),
               "The same as one IP among of this local PC.");
}

TEST(PlanNetworkChange, RefusesAddressesNoCameraCanWorkWith) {
  const struct {
    NetworkEdits edits;
    InputProblem problem;
    const char *why;
  } cases[] = {
      {Fixed("127.0.0.5", "255.0.0.0", "127.0.0.1"), InputProblem::UnusableIp, "loopback"},
      {Fixed("239.255.255.250", "255.255.255.0", "192.168.1.1"), InputProblem::UnusableIp,
       "the search's own group"},
      {Fixed("224.0.0.1", "255.255.255.0", "192.168.1.1"), InputProblem::UnusableIp, "multicast"},
      {Fixed("255.255.255.255", "255.255.255.0", "192.168.1.1"), InputProblem::UnusableIp,
       "limited broadcast"},
      {Fixed("192.168.1.30", "255.0.255.0", "192.168.1.1"), InputProblem::WrongMask,
       "not ones then zeros"},
      {Fixed("192.168.1.255", "255.255.255.0", "192.168.1.1"), InputProblem::SubnetEdgeIp,
       "the subnet's broadcast"},
      {Fixed("192.168.1.0", "255.255.255.0", "192.168.1.1"), InputProblem::SubnetEdgeIp,
       "the subnet's own address"},
      {Fixed("192.168.1.127", "255.255.255.128", "192.168.1.1"), InputProblem::SubnetEdgeIp,
       "the broadcast of the mask being sent, not of a /24"},
      {Fixed("192.168.0.255", "255.255.254.0", "192.168.1.1"), InputProblem::None, "inside a /23"},
      {Fixed("10.0.0.4", "255.255.255.254", "10.0.0.5"), InputProblem::None,
       "a /31 has no ends to keep"},
      {Fixed("192.168.1.30", "255.255.255.0", "224.0.0.1"), InputProblem::WrongGateway,
       "a multicast gateway"},
      {Fixed("192.168.1.30", "255.255.255.0", "10.9.9.9"), InputProblem::None,
       "a gateway outside the subnet stays allowed"},
  };
  for (const auto &c : cases) EXPECT_EQ(Plan(c.edits), c.problem) << c.why;

  NetworkEdits dns = Fixed("192.168.1.30", "255.255.255.0", "192.168.1.1");
  dns.secondaryDns = "127.0.0.53";
  EXPECT_EQ(Plan(dns), InputProblem::WrongDns);
}

TEST(PlanNetworkChange, DhcpSkipsTheChecksButStillNeedsAnAddressToSend) {
  NetworkEdits edits = Fixed("192.168.1.10", "255.0.255.0", "0.0.0.0");
  edits.dhcp = true;
  EXPECT_EQ(Plan(edits), InputProblem::None) << "nothing is checked";
  edits.ipAddress = "0.0.0.0";
  EXPECT_EQ(Plan(edits), InputProblem::NoAddress) << "no longer sent without a word";
}

TEST(PlanNetworkChange, APortChangesOnlyWhenTypedDifferentAndFreeToUse) {
  NetworkChange change;
  NetworkEdits edits;
  const auto portOf = [&](const char *typed, const DeviceRecord &device) {
    edits.httpPort = typed;
    change = {};
    return PlanNetworkChange(device, edits, kPc, change);
  };
  EXPECT_EQ(portOf("00080", Camera()), InputProblem::None);
  EXPECT_FALSE(change.portCommand) << "the port it has, written another way";
  EXPECT_EQ(portOf("8090", Camera()), InputProblem::None);
  EXPECT_EQ(change.portCommand->Value(), 8090);
  EXPECT_EQ(portOf("8002", Camera()), InputProblem::ReservedHttpPort);
  EXPECT_EQ(portOf("55555", Camera()), InputProblem::ReservedHttpPort);
  EXPECT_EQ(portOf("65536", Camera()), InputProblem::WrongHttpPort);

  DeviceRecord noPort = Camera();
  std::strcpy(noPort.httpPort, "AbC");
  edits.httpPort.reset();
  EXPECT_EQ(PlanNetworkChange(noPort, edits, kPc, change), InputProblem::None)
      << "a device without a usable port takes its settings alone";
  EXPECT_FALSE(change.portCommand);
  EXPECT_EQ(portOf("80", noPort), InputProblem::None);
  EXPECT_EQ(change.portCommand->Value(), 80) << "a typed port differs from no port";
}

TEST(PlanNetworkChange, SendsTheEditsOverTheReportAndKeepsTheMac) {
  NetworkEdits edits = Fixed("10.0.0.5", "255.0.0.0", "10.0.0.254");
  edits.primaryDns = "";
  edits.secondaryDns = "8.8.4.4";
  NetworkChange change;
  ASSERT_EQ(PlanNetworkChange(Camera(), edits, {}, change), InputProblem::None);
  const NetworkSettings &out = change.settings;
  EXPECT_STREQ(out.ipAddress, "10.0.0.5");
  EXPECT_STREQ(out.gateway, "10.0.0.254");
  EXPECT_STREQ(out.primaryDns, "") << "a blank value is sent empty";
  EXPECT_STREQ(out.secondaryDns, "8.8.4.4");
  EXPECT_STREQ(out.macAddress, "00:1A:3F:00:00:01");
  EXPECT_EQ(out.dhcp, 0);
  EXPECT_EQ(out.dnsStat, 0) << "the DNS state follows the DHCP choice";

  edits.gateway = "0.0.0.0";
  edits.dhcp = true;
  ASSERT_EQ(PlanNetworkChange(Camera(), edits, {}, change), InputProblem::None);
  EXPECT_STREQ(change.settings.gateway, "");
  EXPECT_EQ(change.settings.dnsStat, 1);

  ASSERT_EQ(PlanNetworkChange(Camera(), {}, kPc, change), InputProblem::None)
      << "no edit sends what the device reported";
  EXPECT_STREQ(change.settings.gateway, "192.168.1.1");
}

TEST(PlanNetworkChange, WhatTheDeviceReportedPassesTheSameChecks) {
  DeviceRecord hostile = Camera();
  std::strcpy(hostile.network.gateway, "1.1.1.1 -dhcp");
  EXPECT_EQ(Plan({}, hostile), InputProblem::WrongGateway);
  NetworkEdits gateway;
  gateway.gateway = "192.168.1.254";
  EXPECT_EQ(Plan(gateway, hostile), InputProblem::None) << "unless an edit replaces it";

  DeviceRecord forged = Camera();
  std::memcpy(forged.deviceId, "0123456789ABCDEF0123456789ABC\r\nX", 32);
  EXPECT_EQ(Plan(gateway, forged), InputProblem::BadDeviceId);
  std::strcpy(hostile.network.macAddress, "02:EE -dhcp on");
  EXPECT_EQ(Plan(gateway, hostile), InputProblem::BadMacAddress);
}

}  // namespace
}  // namespace vf::core

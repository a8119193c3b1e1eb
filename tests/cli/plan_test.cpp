// Planning before anything is sent: which device a name means, the addresses "assign" gives and
// the settings a change sends.
#include <gtest/gtest.h>

#include <cstring>

#include "address_plan.h"
#include "command_support.h"
#include "network_change.h"

namespace vf::cli {
namespace {

DeviceRecord Camera(const char *ip, const char *mac, const char *id) {
  DeviceRecord device{};
  std::strcpy(device.deviceId, id);
  std::strcpy(device.network.ipAddress, ip);
  std::strcpy(device.network.netmask, "255.255.255.0");
  std::strcpy(device.network.gateway, "192.168.1.1");
  std::strcpy(device.network.macAddress, mac);
  std::strcpy(device.httpPort, "80");
  return device;
}

NetworkEdits Edit(std::optional<std::string> NetworkEdits::*field, const char *value) {
  NetworkEdits edits;
  edits.*field = value;
  return edits;
}

const char *const kIdA = "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA";
const char *const kIdB = "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB";

TEST(MatchDevices, ByMacInAnyCaseByAddressAndById) {
  const std::vector<DeviceRecord> devices = {Camera("192.168.1.2", "00:1A:3F:00:00:0A", kIdA),
                                             Camera("192.168.1.3", "00:1A:3F:00:00:0B", kIdB),
                                             Camera("192.168.1.3", "00:1A:3F:00:00:0C", kIdA)};
  EXPECT_EQ(MatchDevices(devices, "00:1a:3f:00:00:0b").size(), 1u);
  EXPECT_EQ(MatchDevices(devices, "192.168.1.2").size(), 1u);
  EXPECT_EQ(MatchDevices(devices, "192.168.1.3").size(), 2u) << "two devices on one address";
  EXPECT_EQ(MatchDevices(devices, kIdB).size(), 1u);
  EXPECT_EQ(MatchDevices(devices, "192.168.1").size(), 0u) << "no prefix matches";
  EXPECT_EQ(MatchDevices(devices, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa").size(), 0u)
      << "device ids are exact";
}

TEST(PlanAddresses, SkipsWhatOthersUseButLetsACameraKeepItsOwn) {
  AddressPlanRequest request;
  request.first = *Ipv4Value("192.168.1.1");
  request.mask = *Ipv4Value("255.255.255.0");
  // Camera 1 sits on .4, camera 2 on .9; another device announces .2, the PC holds .3.
  request.cameraAddresses = {"192.168.1.4", "192.168.1.9"};
  request.announcedAddresses = {"192.168.1.4", "192.168.1.9", "192.168.1.2"};
  request.pcAddresses = {"192.168.1.3"};
  std::string error;
  auto plan = PlanAddresses(request, error);
  ASSERT_TRUE(plan) << error;
  EXPECT_EQ(*plan, (std::vector<std::string>{"192.168.1.1", "192.168.1.5"}))
      << ".2 and .3 are taken, and .4 is camera 1's";

  request.first = *Ipv4Value("192.168.1.2");
  plan = PlanAddresses(request, error);
  ASSERT_TRUE(plan) << error;
  EXPECT_EQ(*plan, (std::vector<std::string>{"192.168.1.4", "192.168.1.5"}))
      << "camera 1 may keep its own address";
}

TEST(PlanAddresses, StaysInsideTheSubnetAndOffItsEnds) {
  AddressPlanRequest request;
  request.first = *Ipv4Value("10.0.0.0");
  request.mask = *Ipv4Value("255.255.255.252");  // hosts .1 and .2
  request.cameraAddresses = {"1.1.1.1", "1.1.1.2"};
  std::string error;
  auto plan = PlanAddresses(request, error);
  ASSERT_TRUE(plan) << error;
  EXPECT_EQ(*plan, (std::vector<std::string>{"10.0.0.1", "10.0.0.2"})) << "not the network address";
  request.cameraAddresses.push_back("1.1.1.3");
  EXPECT_FALSE(PlanAddresses(request, error)) << "the broadcast address is never given";
  EXPECT_NE(error.find("1 more"), std::string::npos) << error;

  request.first = *Ipv4Value("255.255.255.254");
  request.mask = *Ipv4Value("255.255.255.254");
  request.cameraAddresses = {"1.1.1.1", "1.1.1.2", "1.1.1.3"};
  EXPECT_FALSE(PlanAddresses(request, error)) << "the end of the address space ends the plan";
  EXPECT_FALSE(IsContiguousMask(*Ipv4Value("255.0.255.0")));
  EXPECT_TRUE(IsContiguousMask(*Ipv4Value("255.255.254.0")));
}

TEST(PlanNetworkChange, StartsFromTheReportAndChecksEverythingThatGoesOut) {
  const DeviceRecord device = Camera("192.168.1.2", "00:1A:3F:00:00:0A", kIdA);
  const std::vector<std::string> pc = {"10.77.0.1"};
  NetworkEdits edits;
  edits.ip = "192.168.1.20";
  edits.httpPort = "00080";
  NetworkChange change;
  ASSERT_EQ(PlanNetworkChange(device, edits, pc, change), "");
  EXPECT_STREQ(change.settings.ipAddress, "192.168.1.20");
  EXPECT_STREQ(change.settings.gateway, "192.168.1.1") << "kept from the report";
  EXPECT_FALSE(change.portCommand) << "00080 is the port it has";
  EXPECT_EQ(DescribeChange(device, change),
            std::vector<std::string>{"IP address: 192.168.1.2 -> 192.168.1.20"});

  const struct {
    NetworkEdits edits;
    const char *problem;
  } refused[] = {
      {Edit(&NetworkEdits::ip, "10.77.0.1"), "The same as one IP among of this local PC."},
      {Edit(&NetworkEdits::ip, "10.77"), "Entered the wrong IP address."},
      {Edit(&NetworkEdits::gateway, "0.0.0.0"), "Entered the wrong gateway."},
      {Edit(&NetworkEdits::dns2, "dns.example"), "Entered the wrong DNS server."},
      {Edit(&NetworkEdits::httpPort, "65536"), "Entered the wrong http port (1-65535)."},
      {Edit(&NetworkEdits::httpPort, "8002"),
       "The http port 8002 is kept by the devices and is never sent."},
  };
  for (const auto &c : refused)
    EXPECT_EQ(PlanNetworkChange(device, c.edits, pc, change), c.problem);

  DeviceRecord hostile = device;
  std::strcpy(hostile.network.gateway, "1.1.1.1 -dhcp");
  EXPECT_EQ(PlanNetworkChange(hostile, {}, pc, change), "Entered the wrong gateway.")
      << "a reported value goes back only if it is an address";
  EXPECT_EQ(PlanNetworkChange(hostile, Edit(&NetworkEdits::gateway, "192.168.1.254"), pc, change),
            "");
  DeviceRecord forged = device;
  std::memcpy(forged.deviceId, "0123456789ABCDEF0123456789ABC\r\nX", 32);
  EXPECT_EQ(PlanNetworkChange(forged, Edit(&NetworkEdits::gateway, "192.168.1.254"), pc, change),
            "The device reported an invalid device id; nothing was sent.")
      << "a line break in the id would add lines to the request";
  std::strcpy(hostile.network.macAddress, "02:EE -dhcp on");
  EXPECT_NE(PlanNetworkChange(hostile, Edit(&NetworkEdits::gateway, "192.168.1.254"), pc, change),
            "");

  edits = {};
  edits.httpPort = "8090";
  edits.dhcp = true;
  ASSERT_EQ(PlanNetworkChange(device, edits, pc, change), "");
  EXPECT_EQ(change.portCommand, 8090);
  EXPECT_EQ(change.settings.dhcp, 1);
}

}  // namespace
}  // namespace vf::cli

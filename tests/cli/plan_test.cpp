// Planning before anything is sent: which device a name means, the addresses "assign" gives and
// the settings a change sends.
#include <gtest/gtest.h>

#include <cstring>

#include "command_support.h"
#include "core/device_names.h"
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

const char *const kIdA = "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA";
const char *const kIdB = "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB";

TEST(MatchDevices, ByMacInAnyCaseByAddressAndById) {
  const std::vector<DeviceRecord> devices = {Camera("192.168.1.2", "00:1A:3F:00:00:0A", kIdA),
                                             Camera("192.168.1.3", "00:1A:3F:00:00:0B", kIdB),
                                             Camera("192.168.1.3", "00:1A:3F:00:00:0C", kIdA)};
  EXPECT_EQ(core::MatchDevices(devices, "00:1a:3f:00:00:0b").size(), 1u);
  EXPECT_EQ(core::MatchDevices(devices, "192.168.1.2").size(), 1u);
  EXPECT_EQ(core::MatchDevices(devices, "192.168.1.3").size(), 2u) << "two devices on one address";
  EXPECT_EQ(core::MatchDevices(devices, kIdB).size(), 1u);
  EXPECT_EQ(core::MatchDevices(devices, "192.168.1").size(), 0u) << "no prefix matches";
  EXPECT_EQ(core::MatchDevices(devices, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa").size(), 0u)
      << "device ids are exact";
}

TEST(DescribeChange, NamesEachValueThatChanges) {
  const DeviceRecord device = Camera("192.168.1.2", "00:1A:3F:00:00:0A", kIdA);
  core::NetworkEdits edits;
  edits.ipAddress = "192.168.1.20";
  edits.httpPort = "8090";
  core::NetworkChange change;
  ASSERT_EQ(core::PlanNetworkChange(device, edits, {}, change), core::InputProblem::None);
  EXPECT_EQ(DescribeChange(device, change),
            (std::vector<std::string>{"IP address: 192.168.1.2 -> 192.168.1.20",
                                      "Http port: 80 -> 8090"}));
}

}  // namespace
}  // namespace vf::cli

// The command-line search keeps one row per MAC text, first answer first, and
// prints an aligned table.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <thread>

#include "device_table.h"

namespace {

DeviceRecord Device(const char *name, const char *mac, const char *ip = "192.168.1.2") {
  DeviceRecord record{};
  std::strcpy(record.deviceName, name);
  std::strcpy(record.network.macAddress, mac);
  std::strcpy(record.network.ipAddress, ip);
  std::strcpy(record.httpPort, "80");
  return record;
}

TEST(DeviceTable, KeepsTheFirstAnswerOfEachMacInArrivalOrder) {
  vf::cli::DeviceTable table;
  table.Add(Device("door", "00:1A:3F:00:00:01"));
  table.Add(Device("yard", "00:1A:3F:00:00:02"));
  table.Add(Device("door again", "00:1A:3F:00:00:01", "10.0.0.9"));  // a repeat: dropped
  table.Add(Device("lower", "00:1a:3f:00:00:01"));  // case differs: another device
  table.Add(Device("no mac", ""));
  table.Add(Device("no mac either", ""));  // the empty text is a key like any other
  auto devices = table.Snapshot();
  ASSERT_EQ(4u, devices.size());
  EXPECT_STREQ("door", devices[0].deviceName);
  EXPECT_STREQ("192.168.1.2", devices[0].network.ipAddress);
  EXPECT_STREQ("yard", devices[1].deviceName);
  EXPECT_STREQ("lower", devices[2].deviceName);
  EXPECT_STREQ("no mac", devices[3].deviceName);
}

TEST(DeviceTable, TwoThreadsAddingLoseNothingAndDuplicateNothing) {
  vf::cli::DeviceTable table;
  auto add = [&](int from) {
    for (int i = 0; i < 500; ++i) {
      char mac[18];
      std::snprintf(mac, sizeof mac, "00:00:00:00:%02X:%02X", (from + i) / 256, (from + i) % 256);
      table.Add(Device("cam", mac));
    }
  };
  std::thread a(add, 0), b(add, 250);  // Half of them overlap.
  a.join();
  b.join();
  EXPECT_EQ(750u, table.Snapshot().size());
}

TEST(DeviceTable, FormatsAlignedColumnsWithNumbersFromOne) {
  DeviceRecord wide = Device("a-rather-long-camera-name", "00:1A:3F:00:00:02", "10.0.0.10");
  std::strcpy(wide.deviceModel, "QN-200");
  std::strcpy(wide.softwareVersion, "V2.1.0");
  std::string text = vf::cli::FormatDeviceTable({Device("door", "00:1A:3F:00:00:01"), wide});
  std::istringstream lines(text);
  std::string heading, first, second;
  std::getline(lines, heading);
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_EQ(0u, heading.find("No.  Name"));
  EXPECT_EQ(0u, first.find("1    door"));
  EXPECT_EQ(0u, second.find("2    a-rather-long-camera-name"));
  // Every column starts at the same place on every line.
  EXPECT_EQ(heading.find("MAC"), first.find("00:1A:3F:00:00:01"));
  EXPECT_EQ(heading.find("IP"), second.find("10.0.0.10"));
  EXPECT_EQ(heading.find("Firmware"), second.find("V2.1.0"));
  EXPECT_EQ(' ', heading[heading.find("Firmware") - 1]);
}

TEST(DeviceTable, UnterminatedFieldsAreReadOnlyUpToTheirSize) {
  DeviceRecord record = Device("x", "00:00:00:00:00:01");
  std::memset(record.deviceName, 'N', sizeof record.deviceName);  // no NUL at all
  std::string text = vf::cli::FormatDeviceTable({record});
  EXPECT_NE(std::string::npos, text.find(std::string(41, 'N') + "  00:00"));
}

}  // namespace

// The command-line search prints an aligned table.
#include "device_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace {

DeviceRecord Device(const char *name, const char *mac, const char *ip = "192.168.1.2") {
  DeviceRecord record{};
  std::strcpy(record.deviceName, name);
  std::strcpy(record.network.macAddress, mac);
  std::strcpy(record.network.ipAddress, ip);
  std::strcpy(record.httpPort, "80");
  return record;
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

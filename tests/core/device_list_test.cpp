// What the window's device list does with the devices of a search: the order a column sorts
// them in, the concerns it marks, what is new since the search before, and the export.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/device_columns.h"
#include "core/device_concerns.h"
#include "core/device_export.h"
#include "core/search_history.h"

namespace vf::core {
namespace {

DeviceRecord Device(const char *name, const char *ip, const char *mac, const char *port = "80") {
  DeviceRecord device{};
  std::strcpy(device.deviceName, name);
  std::strcpy(device.network.ipAddress, ip);
  std::strcpy(device.network.macAddress, mac);
  std::strcpy(device.httpPort, port);
  return device;
}

std::vector<std::string> Names(const std::vector<DeviceRecord> &devices,
                               const std::vector<int> &order) {
  std::vector<std::string> names;
  for (const int i : order) names.push_back(devices[static_cast<std::size_t>(i)].deviceName);
  return names;
}

TEST(SortOrder, EachColumnSortsByWhatItHolds) {
  const std::vector<DeviceRecord> devices = {
      Device("beta", "10.0.0.10", "00:1A:3F:00:00:0A", "8080"),
      Device("Alpha", "10.0.0.9", "00:1a:3f:00:00:0b", "80"),
      Device("gamma", "none", "02:00:00:00:00:01", "http"),
      Device("alpha", "9.255.255.255", "00:1A:3F:00:00:02", "443"),
  };
  using C = DeviceColumn;
  EXPECT_EQ(Names(devices, SortOrder(devices, C::Address, false)),
            (std::vector<std::string>{"alpha", "Alpha", "beta", "gamma"}))
      << "as numbers, and what is no address last";
  EXPECT_EQ(Names(devices, SortOrder(devices, C::Address, true)),
            (std::vector<std::string>{"beta", "Alpha", "alpha", "gamma"}))
      << "reversed, and still last";
  EXPECT_EQ(Names(devices, SortOrder(devices, C::HttpPort, false)),
            (std::vector<std::string>{"Alpha", "alpha", "beta", "gamma"}));
  EXPECT_EQ(Names(devices, SortOrder(devices, C::Mac, false)),
            (std::vector<std::string>{"alpha", "beta", "Alpha", "gamma"}))
      << "by the bytes, whatever the letter case";
  EXPECT_EQ(Names(devices, SortOrder(devices, C::Name, false)),
            (std::vector<std::string>{"Alpha", "alpha", "beta", "gamma"}))
      << "without regard to case, equal names in order of arrival";
  EXPECT_EQ(Names(devices, SortOrder(devices, C::Number, true)),
            (std::vector<std::string>{"alpha", "gamma", "Alpha", "beta"}));
}

TEST(FindConcerns, MarksSharedPcAndUnreachableAddresses) {
  const std::vector<DeviceRecord> devices = {
      Device("a", "192.168.1.2", "m1"),  Device("b", "192.168.1.2", "m2"),
      Device("c", "192.168.1.10", "m3"), Device("d", "10.9.9.9", "m4"),
      Device("e", "0.0.0.0", "m5"),      Device("f", "0.0.0.0", "m6"),
      Device("g", "192.168.1.3", "m7"),
  };
  const std::vector<platform::AdapterAddress> pc = {{"192.168.1.10", "255.255.255.0"},
                                                    {"172.16.0.1", "255.255.0.0"}};
  const std::vector<std::uint8_t> concerns = FindConcerns(devices, pc);
  EXPECT_EQ(concerns,
            (std::vector<std::uint8_t>{kSharedAddress, kSharedAddress, kPcAddress, kOutsideSubnets,
                                       kOutsideSubnets, kOutsideSubnets, kNoConcern}));
  EXPECT_EQ(ConcernText(kSharedAddress | kOutsideSubnets),
            "Another device in the list announces the same IP address.\nThe IP address is "
            "outside this PC's subnets: reachable by this tool, not by a browser.");
}

TEST(SearchHistory, NewIsAMacNotListedBeforeOrOneThatMoved) {
  SearchHistory history;
  EXPECT_EQ(history.NextList({Device("a", "10.0.0.2", "m1"), Device("b", "10.0.0.3", "m2")}),
            (std::vector<bool>{false, false}))
      << "nothing is new in the first search";
  EXPECT_EQ(history.NextList({Device("a", "10.0.0.2", "m1"), Device("b", "10.0.0.4", "m2"),
                              Device("c", "10.0.0.5", "m3")}),
            (std::vector<bool>{false, true, true}));
  EXPECT_EQ(history.NextList({Device("c", "10.0.0.5", "m3")}), std::vector<bool>{false})
      << "compared with the search just before";
}

TEST(ExportDevices, WritesTheSearchFormsAndSaysWhyNot) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("vf-export-" + std::to_string(std::rand()) + ".csv"))
                               .string();
  ASSERT_FALSE(ExportDevices({Device("Caf\xC3\xA9, 1", "10.0.0.2", "m1")}, Format::Csv, path));
  std::ifstream in(path, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(path.c_str());
  EXPECT_EQ(written.substr(0, written.find("\r\n")).substr(0, 9), "deviceId,");
  EXPECT_NE(written.find("\"Caf\xC3\xA9, 1\""), std::string::npos) << written;

  const auto refused =
      ExportDevices({}, Format::Json, std::filesystem::temp_directory_path().string());
  ASSERT_TRUE(refused) << "a folder is no file";
  EXPECT_NE(refused->argument.find(std::filesystem::temp_directory_path().string()),
            std::string::npos);
}

}  // namespace
}  // namespace vf::core

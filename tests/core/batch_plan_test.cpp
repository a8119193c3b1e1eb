// Planning settings for many cameras, as the command line and the window's batch both do.
#include "core/batch_plan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "core/device_store.h"
#include "fake_adapter_source.h"

namespace vf::core {
namespace {

DeviceRecord Camera(int n, const char *ip) {
  DeviceRecord device{};
  std::snprintf(device.deviceId, sizeof device.deviceId, "ID%030d", n);
  std::snprintf(device.deviceName, sizeof device.deviceName, "Camera-%04d", n);
  std::snprintf(device.network.macAddress, sizeof device.network.macAddress, "00:1A:3F:00:00:%02X",
                n);
  std::strcpy(device.network.ipAddress, ip);
  std::strcpy(device.network.netmask, "255.255.255.0");
  std::strcpy(device.network.gateway, "192.168.1.1");
  std::strcpy(device.httpPort, "80");
  return device;
}

std::vector<std::string> NewAddresses(const std::vector<BatchRow> &rows) {
  std::vector<std::string> addresses;
  for (const BatchRow &row : rows) addresses.push_back(row.NewAddress());
  return addresses;
}

class BatchPlanTest : public ::testing::Test {
 protected:
  BatchPlanTest() {
    for (const DeviceRecord &camera : m_cameras) m_devices.Record(camera);
    m_adapters.Add("eth0", 2, {{"192.168.1.10", "255.255.255.0"}}, {"192.168.1.1"});
  }

  std::vector<DeviceRecord> m_cameras = {Camera(1, "192.168.1.2"), Camera(2, "192.168.1.3"),
                                         Camera(3, "192.168.1.4")};
  DeviceStore m_devices;
  testing::FakeAdapterSource m_adapters;
  const std::vector<std::string> m_pc = {"192.168.1.10"};
};

TEST_F(BatchPlanTest, AssignSkipsEveryAddressInUseAndTheDefaultsComeFromThePc) {
  UserMessage error;
  const auto settings =
      CompleteAssign({"192.168.1.3", {}, {}, "192.168.1.6", {}}, m_adapters, error);
  ASSERT_TRUE(settings) << error.text;
  EXPECT_EQ(settings->mask, "255.255.255.0");
  EXPECT_EQ(settings->gateway, "192.168.1.1");
  // Camera 2 listed twice; .4 is camera 3's, .6 the plan's DNS server, .10 the PC's.
  const BatchPlan plan = PlanAssign({m_cameras[1], m_cameras[0], m_cameras[1], m_cameras[2]},
                                    *settings, m_devices, m_pc, false);
  ASSERT_FALSE(plan.error);
  EXPECT_EQ(NewAddresses(plan.rows),
            (std::vector<std::string>{"192.168.1.3", "192.168.1.5", "192.168.1.7"}))
      << "one row per camera; a camera may keep its own address";

  EXPECT_FALSE(CompleteAssign({"10.9.9.9", {}, {}, {}, {}}, m_adapters, error))
      << "no adapter in that subnet";
  EXPECT_STREQ(error.text,
               "No adapter of this PC is in the subnet of %1: give a subnet mask and a gateway.");
  EXPECT_FALSE(CompleteAssign({"192.168.1.3", "255.0.255.0", {}, {}, {}}, m_adapters, error));
  const auto small = CompleteAssign({"192.168.1.253", {}, {}, {}, {}}, m_adapters, error);
  ASSERT_TRUE(small);
  EXPECT_TRUE(PlanAssign(m_cameras, *small, m_devices, m_pc, false).error)
      << "says when the range runs out";
}

TEST_F(BatchPlanTest, AnImportedPlanReadsBackAsItWasWritten) {
  UserMessage error;
  const auto settings = CompleteAssign({"192.168.1.20", {}, {}, {}, {}}, m_adapters, error);
  const BatchPlan plan = PlanAssign(m_cameras, *settings, m_devices, m_pc, false);
  std::string fileError;
  const auto file = ParseApplyFile(PlanCsv(plan.rows), fileError);
  ASSERT_TRUE(file) << fileError;
  const std::vector<BatchRow> imported = PlanApply(*file, m_devices, m_pc, false);
  EXPECT_EQ(NewAddresses(imported), NewAddresses(plan.rows));
}

TEST_F(BatchPlanTest, ImportedRowsAreRefusedWithWhatToChange) {
  std::string fileError;
  const auto file = ParseApplyFile(
      "device,ip,dhcp\n"
      "00:1A:3F:00:00:01,192.168.1.50,\n"
      "192.168.1.3,192.168.1.50,\n"        // the same address as row 2
      "00:1a:3f:00:00:01,192.168.1.51,\n"  // camera 1 again
      "192.168.1.99,,\n"                   // nobody
      "192.168.1.4,,maybe\n",
      fileError);
  ASSERT_TRUE(file) << fileError;
  const std::vector<BatchRow> rows = PlanApply(*file, m_devices, m_pc, false);
  ASSERT_EQ(rows.size(), 5u);
  std::vector<std::string> problems;
  for (const BatchRow &row : rows) problems.push_back(row.problem ? Compose(*row.problem) : "");
  EXPECT_EQ(problems, (std::vector<std::string>{
                          "row 3 gives the same address", "row 2 gives the same address",
                          "the device is on row 2 already", "no device answered as 192.168.1.99",
                          "dhcp is on or off, not maybe"}));
  EXPECT_TRUE(rows[3].notFound);

  const auto taken = ParseApplyFile("device,ip\n192.168.1.4,192.168.1.2\n", fileError);
  ASSERT_TRUE(taken) << fileError;
  const std::vector<BatchRow> refused = PlanApply(*taken, m_devices, m_pc, false);
  ASSERT_TRUE(refused.at(0).problem);
  EXPECT_EQ(Compose(*refused.at(0).problem),
            "the IP address 192.168.1.2 (Camera-0001, 00:1A:3F:00:00:01) is announced by another "
            "device");
  EXPECT_TRUE(PlanApply(*taken, m_devices, m_pc, true).at(0).Sendable()) << "unless forced";
}

}  // namespace
}  // namespace vf::core

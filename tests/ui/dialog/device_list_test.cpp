// The device list as a technician works with it, driven by the mouse and the
// keys as the window system delivers them: sorted by a click on a heading,
// copied with Ctrl+C and from its context menu, exported with Ctrl+S. The
// commands go out on the private LAN, where a camera socket hears them.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/csv_reader.h"
#include "dialog_driver.h"
#include "fake_adapters.h"
#include "message_box_recorder.h"
#include "private_lan.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/clipboard.h"
#include "ui/window/file_dialog.h"
#include "ui/window/virtual_keys.h"
#include "window_driver.h"

namespace {

using namespace vf::res;
using vf::testing::CopyField;
namespace vk = vf::ui::vk;

class DeviceListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN";
    const std::string pc = vf::testing::PcAddresses().at(0);
    m_subnet = pc.substr(0, pc.rfind('.') + 1);
    m_adapters.adapters = std::vector<vf::platform::Adapter>{
        vf::testing::MakeAdapter("pc0", 2, {{pc, "255.255.255.0"}})};
    m_dialog = std::make_unique<CSearchDlg>(m_adapters);
    ASSERT_TRUE(m_dialog->Create());
    // In the order they answer. Each column sorts them in an order of its own, which their
    // texts compared byte by byte would not give.
    m_cameras = {Camera("Delta", "00:1A:00:00:00:0B", "10", "8080", "IPC-B"),
                 Camera("bravo", "00:1A:00:00:00:0A", "9", "80", "ipc-c"),
                 Camera("charlie", "00:1A:00:00:00:1C", "100", "554", "IPC-a")};
  }
  void TearDown() override { vf::ui::SetFileDialogInterceptor({}); }

  DeviceRecord Camera(const char *name, const char *mac, const char *host, const char *port,
                      const char *model) const {
    DeviceRecord record = vf::testing::MakeDevice(name, mac);
    CopyField(record.network.ipAddress, m_subnet + host);
    CopyField(record.network.gateway, m_subnet + "254");
    CopyField(record.httpPort, port);
    CopyField(record.deviceModel, model);
    return record;
  }
  void Search() {
    m_dialog->OnSearch();
    for (const DeviceRecord &camera : m_cameras) vf::testing::Lan(*m_dialog).OnAnnouncement(camera);
    vf::testing::FireTimer(*m_dialog, CSearchDlg::TIMER_COLLECT);
  }

  vf::ui::DialogWindow &Controls() { return vf::testing::Window(*m_dialog); }
  vf::ui::ListView &List() { return vf::testing::DeviceList(*m_dialog); }
  void Key(int virtualKey, unsigned modifiers = 0) {
    vf::testing::PressKey(Controls(), IDC_DEVICE_LIST, virtualKey, modifiers);
  }
  void ClickHeading(int column) { vf::testing::ClickListHeading(Controls(), IDC_DEVICE_LIST, column); }
  std::string Panel() { return Controls().Item(IDC_DEVICE_NAME).Text(); }
  std::string Highlighted() { return List().ItemText(List().SelectionMark(), 1); }
  std::vector<std::string> ListedNames() {
    std::vector<std::string> names;
    for (int row = 0; row < List().ItemCount(); ++row) names.push_back(List().ItemText(row, 1));
    return names;
  }
  std::vector<std::string> NamesOf(std::vector<int> arrivals, bool reversed = false) const {
    if (reversed) std::reverse(arrivals.begin(), arrivals.end());
    std::vector<std::string> names;
    for (int i : arrivals) names.push_back(m_cameras[static_cast<std::size_t>(i)].deviceName);
    return names;
  }

  std::string m_subnet;
  vf::ui::MessageBoxRecorder m_boxes;
  vf::testing::FakeAdapters m_adapters;
  std::unique_ptr<CSearchDlg> m_dialog;
  std::vector<DeviceRecord> m_cameras;
};

TEST_F(DeviceListTest, AHeadingSortsAndTheHighlightedCameraStaysTheOneActedOn) {
  Search();
  vf::testing::SelectRow(*m_dialog, 0);
  // Names without regard to case, addresses and ports as numbers; a second click reverses.
  const struct {
    int column;
    std::vector<int> order;
  } sorts[] = {{1, {1, 2, 0}}, {3, {1, 0, 2}}, {4, {1, 2, 0}}};
  for (const auto &sort : sorts) {
    for (const bool again : {false, true}) {
      SCOPED_TRACE(std::to_string(sort.column) + (again ? " again" : ""));
      ClickHeading(sort.column);
      EXPECT_EQ(ListedNames(), NamesOf(sort.order, again));
      EXPECT_EQ(Highlighted(), "Delta");
      EXPECT_EQ(Panel(), "Delta");
    }
  }
  // Ports descending: Delta, charlie, bravo. The keys move on in the order shown.
  Key(vk::kDown);
  EXPECT_EQ(List().SelectionMark(), 1);
  EXPECT_EQ(Panel(), "charlie");

  vf::testing::CameraSocket camera(vf::testing::CameraAddresses().at(0),
                                   vf::testing::Lan(*m_dialog).Port());
  ASSERT_TRUE(camera.ok());
  Controls().Item(IDC_ACCOUNT).SetText("admin");
  Controls().Item(IDC_PASSWORD).SetText("admin");
  Key(vk::kF5);
  ASSERT_GE(m_boxes.Count(), 1);
  EXPECT_EQ(m_boxes.Requests()[0].text, "Are you sure to update the selected device?");
  std::string command;
  for (int heard = 0; heard < 10 && command.rfind("CMD ", 0) != 0; ++heard) {
    command = camera.Receive(std::chrono::milliseconds(1000));
  }
  EXPECT_NE(command.find(std::string("Device-ID:") + m_cameras[2].deviceId + "\r\n"),
            std::string::npos)
      << command;

  Search();
  EXPECT_EQ(ListedNames(), NamesOf({0, 1, 2})) << "a new search lists them as they answer";
}

TEST_F(DeviceListTest, CtrlCCopiesTheHighlightedRowAsTheListShowsIt) {
  Search();
  ClickHeading(3);  // Addresses: bravo, the second to answer, comes first.
  vf::testing::SelectRow(*m_dialog, 0);
  Key('C', vk::kModControl);
  const std::string copied = vf::ui::ClipboardText();
  ASSERT_FALSE(copied.empty());
  EXPECT_EQ(copied.back(), '\n');
  std::vector<std::string> fields;
  std::istringstream in(copied.substr(0, copied.size() - 1));
  for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  const DeviceRecord &bravo = m_cameras[1];
  const std::vector<std::string> expected = {
      "2",  bravo.deviceName,  bravo.network.macAddress, bravo.network.ipAddress,
      "80", bravo.deviceModel, bravo.softwareVersion};
  EXPECT_EQ(fields, expected) << copied;
}

TEST_F(DeviceListTest, TheContextMenuCopiesTheRowClickedAndCtrlSExportsTheListInItsOrder) {
  Search();
  ClickHeading(1);  // Names: bravo, charlie, Delta.
  vf::testing::SelectRow(*m_dialog, 0);
  ASSERT_TRUE(vf::ui::SetClipboardText("before"));
  const auto menu = vf::testing::RightClickRow(Controls(), IDC_DEVICE_LIST, 2, IDM_COPY_MAC);
  const auto mac = std::find_if(menu.begin(), menu.end(),
                                [](const auto &item) { return item.commandId == IDM_COPY_MAC; });
  ASSERT_NE(mac, menu.end()) << "no context menu with the entry";
  EXPECT_EQ(menu.size(), 7u)
      << "one menu: four commands on the row, a separator, the export, Assign addresses";
  EXPECT_EQ(mac->text, "Copy MAC address");
  EXPECT_EQ(List().SelectionMark(), 2) << "the right click highlights its row";
  EXPECT_EQ(Panel(), "Delta");
  EXPECT_EQ(vf::ui::ClipboardText(), m_cameras[0].network.macAddress);

  const std::string path = ::testing::TempDir() + "vf_device_list_export.csv";
  vf::ui::SetFileDialogInterceptor([&](const vf::ui::FileDialogRequest &request) {
    EXPECT_TRUE(request.save);
    return std::optional<vf::ui::FileChoice>(vf::ui::FileChoice{path, 0});
  });
  Key('S', vk::kModControl);
  ASSERT_GE(m_boxes.Count(), 1);
  EXPECT_EQ(m_boxes.Requests().back().text, "The list was written to " + path + ".");
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  file.close();
  std::remove(path.c_str());
  std::string error;
  const auto records = vf::core::ReadCsv(text.str(), error);
  ASSERT_TRUE(records.has_value()) << error;
  ASSERT_EQ(records->size(), 4u) << text.str();
  const auto &keys = records->front();
  const auto column = [&keys](const char *key) {
    return static_cast<std::size_t>(std::find(keys.begin(), keys.end(), key) - keys.begin());
  };
  const int listed[] = {1, 2, 0};  // By name, as the list shows them.
  for (std::size_t row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    const auto &fields = (*records)[row + 1];
    const DeviceRecord &camera = m_cameras[static_cast<std::size_t>(listed[row])];
    ASSERT_EQ(fields.size(), keys.size());
    EXPECT_EQ(fields.at(column("deviceId")), camera.deviceId);
    EXPECT_EQ(fields.at(column("deviceName")), camera.deviceName);
    EXPECT_EQ(fields.at(column("network.macAddress")), camera.network.macAddress);
    EXPECT_EQ(fields.at(column("network.ipAddress")), camera.network.ipAddress);
  }
}

}  // namespace

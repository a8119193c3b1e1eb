// "Assign addresses" against simulated cameras on the private LAN: the plan around addresses in
// use, every outcome in the result column, Cancel half-way, an imported plan with bad rows. The
// window runs as the program runs it, but the dialog is made modeless so that the test can drive
// it; the main window's side before and after it is the program's own (AssignSetup, and the
// search after each batch).
//
// On Linux each test starts its cameras; under Wine the test's script has started them with the
// arguments its registration names (CMakeLists.txt), the same as here. With VF_ASSIGN_SHOTS set
// to a folder, the dialog is saved there with its plan and with its results.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include "dialog_driver.h"
#include "fake_adapters.h"
#include "message_box_recorder.h"
#include "private_lan.h"
#include "res/resource_ids.h"
#include "ui/dialog/assign_dlg.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/file_dialog.h"
#include "window_driver.h"

namespace {

using namespace vf::res;
using vf::testing::PumpUntil;

constexpr const char *kTaken = "Device information successfully updated!";

std::string TempPath(const char *name) {
  const char *dir = std::getenv("TEMP");
#if defined(_WIN32)
  return std::string(dir != nullptr ? dir : ".") + "\\" + name;
#else
  (void)dir;
  return std::string("/tmp/") + name + "." + std::to_string(::getpid());
#endif
}

std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The simulated cameras of one test and the log of what they received.
class Cameras {
 public:
  explicit Cameras(const std::vector<std::string> &arguments) {
#if defined(_WIN32)
    (void)arguments;
    if (const char *log = std::getenv("VF_CAMSIM_LOG")) m_log = log;
    m_ready = !m_log.empty();
#else
    m_log = TempPath("vf-assign-log");
    std::remove(m_log.c_str());
    std::vector<std::string> all = arguments;
    all.insert(all.end(), {"--quiet", "--log", m_log});
    m_camsim = std::make_unique<vf::testing::Camsim>(all);
    m_ready = m_camsim->ready();
#endif
  }
  ~Cameras() {
#if !defined(_WIN32)
    m_camsim.reset();
    std::remove(m_log.c_str());
#endif
  }

  bool Ready() const { return m_ready; }
  // The commands they heard: lines that begin with CMD.
  std::vector<std::string> Commands() const {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(m_log));
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("CMD ", 0) == 0) lines.push_back(line);
    }
    return lines;
  }

 private:
  std::string m_log;
  bool m_ready = false;
#if !defined(_WIN32)
  std::unique_ptr<vf::testing::Camsim> m_camsim;
#endif
};

class AssignOnTheLan : public ::testing::Test {
 protected:
  void TearDown() override {
    vf::ui::SetFileDialogInterceptor({});
    m_assign.reset();
    m_main.reset();
    m_cameras.reset();
  }

  // Cameras at 192.168.1.2 upward (camsim's first seed), the window searching them from the PC's
  // address on the LAN; the PC also holds 192.168.1.20 in their subnet, whose gateway is
  // 192.168.1.22. Then the dialog, on the cameras as listed.
  void Open(const std::vector<std::string> &camsim, int count) {
    if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN";
    m_cameras = std::make_unique<Cameras>(camsim);
#if defined(_WIN32)
    if (!m_cameras->Ready()) GTEST_SKIP() << "needs the cameras of search_lan_windows.sh --log";
#endif
    ASSERT_TRUE(m_cameras->Ready());
    m_adapters.adapters = std::vector<vf::platform::Adapter>{vf::testing::MakeAdapter(
        "pc0", 2,
        {{vf::testing::PcAddresses().at(0), "255.255.255.0"}, {"192.168.1.20", "255.255.255.0"}},
        {"192.168.1.22"})};
    m_main = std::make_unique<CSearchDlg>(m_adapters);
    ASSERT_TRUE(m_main->Create());
    SearchFromMain();
    ASSERT_EQ(vf::testing::Devices(*m_main).Count(), count);
    // The account typed in the main window is the dialog's.
    vf::testing::Window(*m_main).Item(IDC_ACCOUNT).SetText("admin");
    vf::testing::Window(*m_main).Item(IDC_PASSWORD).SetText("admin");
    std::optional<CAssignDlg::Setup> setup = CSearchDlgProbe::AssignSetup(*m_main);
    ASSERT_TRUE(setup);
    m_assign = std::make_unique<CAssignDlg>(std::move(*setup));
    ASSERT_TRUE(m_assign->Create());
  }

  void SearchFromMain() {
    m_main->OnSearch();
    ASSERT_TRUE(PumpUntil([&] { return m_main->IsControlEnabled(IDC_SEARCH); }, 8000));
  }

  vf::ui::DialogWindow &Dialog() { return vf::testing::Window(*m_assign); }
  vf::ui::ListView &List() { return *Dialog().Find<vf::ui::ListView>(IDC_ASSIGN_LIST); }
  std::string Cell(int row, int column) { return List().ItemText(row, column); }
  std::string Status() { return Dialog().Item(IDC_ASSIGN_STATUS).Text(); }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < List().ItemCount(); ++row) cells.push_back(Cell(row, column));
    return cells;
  }

  void Plan(const char *first) {
    Dialog().Item(IDC_ASSIGN_FIRST).SetText(first);
    vf::testing::Click(Dialog(), IDC_ASSIGN_PLAN);
  }
  // Apply, answered Yes; returns once the batch has ended.
  void Apply() {
    m_boxes.Script({vf::ui::IDYES});
    vf::testing::Click(Dialog(), IDC_ASSIGN_APPLY);
    // Answered yes, the batch has begun; with cameras that answer at once it may have ended too
    // by the time the click returns.
    ASSERT_EQ(m_boxes.Requests().back().text.rfind("Send the new settings", 0), 0u)
        << m_boxes.Requests().back().text;
    ASSERT_TRUE(WaitForBatchEnd());
  }
  bool WaitForBatchEnd() {
    return PumpUntil([&] { return Dialog().Item(IDC_ASSIGN_APPLY).IsEnabled(); }, 30000);
  }
  int Progress() { return Dialog().Find<vf::ui::ProgressBar>(IDC_ASSIGN_PROGRESS)->Pos(); }

  DeviceRecord Listed(int row) {
    DeviceRecord device{};
    EXPECT_TRUE(vf::testing::Devices(*m_main).CopyAt(row, device));
    return device;
  }
  // The netconf command the cameras heard for `device`; "" for none.
  std::string NetconfFor(const DeviceRecord &device) {
    for (const std::string &line : m_cameras->Commands()) {
      if (line.find(std::string("device=") + device.deviceId) != std::string::npos &&
          line.find("line=netconf") != std::string::npos) {
        return line;
      }
    }
    return {};
  }

  void SavePicture(const char *name) {
    const char *folder = std::getenv("VF_ASSIGN_SHOTS");
    if (folder == nullptr) return;
#if defined(_WIN32)
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
#else
    const std::string path = std::string(folder) + "/" + name + ".png";
#endif
    EXPECT_TRUE(vf::testing::SavePicture(Dialog(), path)) << path;
  }

  vf::ui::MessageBoxRecorder m_boxes;
  vf::testing::FakeAdapters m_adapters;
  std::unique_ptr<Cameras> m_cameras;
  std::unique_ptr<CSearchDlg> m_main;
  std::unique_ptr<CAssignDlg> m_assign;
};

// Twelve cameras planned from 192.168.1.10: the addresses cameras 9 to 12 hold, the PC's
// 192.168.1.20 and the gateway 192.168.1.22 are skipped, the cameras taken in the list's order;
// applied, the next search finds each at its new address.
TEST_F(AssignOnTheLan, TwelveCamerasPlannedAroundAddressesInUseAndApplied) {
  Open({"--count", "12"}, 12);
  for (int row = 0; row < 12; ++row) {
    char name[16];
    std::snprintf(name, sizeof name, "Camera-%04d", row + 1);
    ASSERT_EQ(Cell(row, CAssignDlg::kName), name) << "in the list's order";
    EXPECT_TRUE(List().IsItemChecked(row));
  }
  Plan("192.168.1.10");
  // The mask and gateway of the PC's adapter in that subnet.
  EXPECT_EQ(Dialog().Item(IDC_ASSIGN_MASK).Text(), "255.255.255.0");
  EXPECT_EQ(Dialog().Item(IDC_ASSIGN_GATEWAY).Text(), "192.168.1.22");
  const std::vector<std::string> planned = {
      "192.168.1.14", "192.168.1.15", "192.168.1.16", "192.168.1.17",
      "192.168.1.18", "192.168.1.19", "192.168.1.21", "192.168.1.23",
      "192.168.1.24", "192.168.1.25", "192.168.1.26", "192.168.1.27"};
  EXPECT_EQ(Column(CAssignDlg::kNewAddress), planned);
  EXPECT_EQ(Column(CAssignDlg::kResult), std::vector<std::string>(12, "To be sent"));
  EXPECT_EQ(Status().rfind("12 of the 12 checked cameras", 0), 0u) << Status();
  SavePicture("assign-plan");

  // A camera left out: the others close up; taken in again, the plan is as before.
  vf::testing::ClickRowCheckBox(Dialog(), IDC_ASSIGN_LIST, 2);
  ASSERT_FALSE(List().IsItemChecked(2));
  EXPECT_EQ(Cell(2, CAssignDlg::kNewAddress), "");
  EXPECT_EQ(Cell(3, CAssignDlg::kNewAddress), "192.168.1.16");
  vf::testing::ClickRowCheckBox(Dialog(), IDC_ASSIGN_LIST, 2);
  EXPECT_EQ(Column(CAssignDlg::kNewAddress), planned);

  // Near the top of the subnet the addresses run out: no plan, and nothing to send.
  Plan("192.168.1.250");
  EXPECT_EQ(Status().rfind("The plan runs out of addresses:", 0), 0u) << Status();
  EXPECT_EQ(Column(CAssignDlg::kNewAddress), std::vector<std::string>(12, ""));
  vf::testing::Click(Dialog(), IDC_ASSIGN_APPLY);
  EXPECT_EQ(m_boxes.Requests().back().text,
            "The plan holds no checked camera that can be sent its settings.");
  // DHCP for all is the other plan.
  vf::testing::Click(Dialog(), IDC_ASSIGN_DHCP);
  EXPECT_EQ(Column(CAssignDlg::kNewAddress), std::vector<std::string>(12, "DHCP"));
  EXPECT_FALSE(Dialog().Item(IDC_ASSIGN_FIRST).IsEnabled());
  vf::testing::Click(Dialog(), IDC_ASSIGN_DHCP);

  Plan("192.168.1.10");
  ASSERT_EQ(Column(CAssignDlg::kNewAddress), planned);
  // As listed now: the search after the batch lists them anew.
  std::vector<DeviceRecord> listed;
  for (int row = 0; row < 12; ++row) listed.push_back(Listed(row));
  EXPECT_TRUE(m_cameras->Commands().empty()) << "nothing is sent before Apply";
  Apply();
  EXPECT_EQ(m_boxes.Requests().back().text, "Send the new settings to these 12 cameras?");
  EXPECT_EQ(Column(CAssignDlg::kResult), std::vector<std::string>(12, kTaken));
  EXPECT_EQ(Progress(), 12);
  EXPECT_EQ(Status().rfind("12 of 12 cameras took their settings.", 0), 0u) << Status();
  for (int row = 0; row < 12; ++row) {
    EXPECT_NE(NetconfFor(listed[static_cast<size_t>(row)]).find(" -ipaddr " + planned[static_cast<size_t>(row)] + " "),
              std::string::npos)
        << row;
  }
  EXPECT_EQ(m_cameras->Commands().size(), 12u) << "no port changed: no camera restarted";
  // The plan is spent: the list it was made from is out of date.
  EXPECT_FALSE(Dialog().Item(IDC_ASSIGN_PLAN).IsEnabled());
  EXPECT_FALSE(Dialog().Item(IDC_ASSIGN_IMPORT).IsEnabled());

  // The batch has ended in a search of the main window, which finds each where it went.
  EXPECT_FALSE(m_main->IsControlEnabled(IDC_SEARCH)) << "a search collects";
  ASSERT_TRUE(PumpUntil([&] { return m_main->IsControlEnabled(IDC_SEARCH); }, 8000));
  ASSERT_EQ(vf::testing::Devices(*m_main).Count(), 12);
  for (int row = 0; row < 12; ++row) {
    const DeviceRecord device = Listed(row);
    const int camera = std::atoi(device.deviceName + 7);
    ASSERT_GE(camera, 1);
    EXPECT_EQ(device.network.ipAddress, planned[static_cast<size_t>(camera - 1)]) << camera;
  }
}

// Each outcome in its row as it comes: taken, wrong account (camera 2 has a password of its
// own), refused (3), no answer (4); the camera after the silent one is answered again. A second
// Apply offers only those that did not take their settings.
TEST_F(AssignOnTheLan, EveryOutcomeShowsInItsRow) {
  Open({"--count", "5", "--password-camera", "2=other", "--forbid-camera", "3", "--silent-camera",
        "4"},
       5);
  Plan("192.168.1.100");
  Apply();
  EXPECT_EQ(Column(CAssignDlg::kResult),
            (std::vector<std::string>{kTaken, "The account or password for watching is wrong!",
                                      "The device refused the command.",
                                      "No answer from the device within 5 s.", kTaken}));
  EXPECT_EQ(Progress(), 5);
  EXPECT_EQ(Status().rfind("2 of 5 cameras took their settings.", 0), 0u) << Status();
  SavePicture("assign-results");

  m_boxes.Script({vf::ui::IDNO});
  vf::testing::Click(Dialog(), IDC_ASSIGN_APPLY);
  EXPECT_EQ(m_boxes.Requests().back().text, "Send the new settings to these 3 cameras?");
  EXPECT_TRUE(Dialog().Item(IDC_ASSIGN_APPLY).IsEnabled()) << "answered no: nothing runs";
}

// Cancel while the third of six cameras is under way: its answer is still shown, the rest are
// not sent; a search follows. Closing during a later batch waits for the camera under way,
// then closes.
TEST_F(AssignOnTheLan, CancelStopsBeforeTheNextCamera) {
  Open({"--count", "6", "--delay", "300"}, 6);
  Plan("192.168.1.100");
  m_boxes.Script({vf::ui::IDYES});
  vf::testing::Click(Dialog(), IDC_ASSIGN_APPLY);
  ASSERT_TRUE(PumpUntil([&] { return Cell(1, CAssignDlg::kResult) == kTaken; }, 10000));
  vf::testing::Click(Dialog(), IDC_ASSIGN_CANCEL);
  EXPECT_FALSE(Dialog().Item(IDC_ASSIGN_CANCEL).IsEnabled());
  ASSERT_TRUE(WaitForBatchEnd());
  const std::string cancelled = "Not sent: cancelled.";
  EXPECT_EQ(Column(CAssignDlg::kResult),
            (std::vector<std::string>{kTaken, kTaken, kTaken, cancelled, cancelled, cancelled}));
  EXPECT_EQ(m_cameras->Commands().size(), 3u);
  EXPECT_EQ(Progress(), 3);
  EXPECT_EQ(Status().rfind("Cancelled after 3 of 6 cameras", 0), 0u) << Status();

  m_boxes.Script({vf::ui::IDYES});
  vf::testing::Click(Dialog(), IDC_ASSIGN_APPLY);
  vf::testing::RequestClose(Dialog());
  EXPECT_FALSE(Dialog().Ended()) << "not before the camera under way has answered";
  ASSERT_TRUE(PumpUntil([&] { return Dialog().Ended(); }, 10000));
  EXPECT_EQ(Cell(3, CAssignDlg::kResult), kTaken);
  EXPECT_EQ(Cell(4, CAssignDlg::kResult), cancelled);
  EXPECT_EQ(m_cameras->Commands().size(), 4u);
  // Each batch, cancelled or not, ended in a search that finds every camera.
  ASSERT_TRUE(PumpUntil([&] { return m_main->IsControlEnabled(IDC_SEARCH); }, 8000));
  EXPECT_EQ(vf::testing::Devices(*m_main).Count(), 6);
}

// An apply file with a byte order mark and CR LF line ends: its good rows are planned; a row that
// names no camera, one with a port the cameras keep and one short of fields are shown with why,
// and left out. The
// plan written back holds the good rows; applied, the camera whose port changes restarts, and
// the window waits for it before it searches.
TEST_F(AssignOnTheLan, ImportedPlanShowsItsBadRowsAndIsWrittenBack) {
  Open({"--count", "4"}, 4);
  const std::string mac1 = Listed(0).network.macAddress;
  const std::string mac4 = Listed(3).network.macAddress;
  const std::string plan = TempPath("vf-assign-plan.csv");
  {
    std::ofstream out(plan, std::ios::binary);
    out << "\xEF\xBB\xBF"
           "device,ip,mask,gateway,http_port\r\n"
        << mac1 << ",192.168.1.60,255.255.255.0,192.168.1.1,\r\n"
        << "192.168.1.3,192.168.1.61,,,8191\r\n"
        << "00:1A:3F:FF:FF:FF,192.168.1.62,,,\r\n"
        << mac4 << ",192.168.1.63,,,8002\r\n"
        << "192.168.1.4,192.168.1.64\r\n";
  }
  const std::string written = TempPath("vf-assign-written.csv");
  std::string answer = plan;
  vf::ui::SetFileDialogInterceptor(
      [&answer](const vf::ui::FileDialogRequest &) { return vf::ui::FileChoice{answer, 0}; });
  vf::testing::Click(Dialog(), IDC_ASSIGN_IMPORT);
  std::remove(plan.c_str());
  ASSERT_EQ(List().ItemCount(), 5);
  EXPECT_EQ(Column(CAssignDlg::kNumber), (std::vector<std::string>{"2", "3", "4", "5", "6"}));
  EXPECT_EQ(Column(CAssignDlg::kNewAddress),
            (std::vector<std::string>{"192.168.1.60", "192.168.1.61", "", "", ""}));
  EXPECT_EQ(Column(CAssignDlg::kResult),
            (std::vector<std::string>{
                "To be sent", "To be sent", "Not sent: no device answered as 00:1A:3F:FF:FF:FF",
                "Not sent: The http ports 8002 and 55555 are kept by the devices; enter another "
                "port.",
                "Not sent: the row has 2 fields, the header 5: add the missing commas (an empty "
                "field keeps the camera's value)"}));
  EXPECT_TRUE(List().IsItemChecked(1));
  EXPECT_FALSE(List().IsItemChecked(2));
  EXPECT_FALSE(List().IsItemChecked(3));
  EXPECT_FALSE(List().IsItemChecked(4));

  answer = written;
  vf::testing::Click(Dialog(), IDC_ASSIGN_EXPORT);
  std::istringstream lines(ReadFile(written));
  std::remove(written.c_str());
  std::vector<std::string> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], "device,ip,mask,gateway,dns1,dns2,dhcp,http_port\r");
  EXPECT_EQ(rows[1].rfind(mac1 + ",192.168.1.60,255.255.255.0,192.168.1.1,", 0), 0u) << rows[1];
  EXPECT_EQ(rows[2].rfind(std::string(Listed(1).network.macAddress) + ",192.168.1.61,", 0), 0u)
      << rows[2];
  EXPECT_EQ(rows[2].substr(rows[2].size() - 10), ",off,8191\r") << rows[2];

  Apply();
  EXPECT_EQ(Cell(0, CAssignDlg::kResult), kTaken);
  EXPECT_EQ(Cell(1, CAssignDlg::kResult),
            std::string(kTaken) + " Restarting for the new http port.");
  const auto commands = m_cameras->Commands();
  ASSERT_EQ(commands.size(), 3u) << "the camera that keeps its port is not restarted";
  EXPECT_NE(commands[2].find("line=httpport set -httpport 8191"), std::string::npos)
      << commands[2];

  EXPECT_TRUE(m_assign->BatchesSent().restarting);
  // The main window waits for the restart before it searches.
  EXPECT_TRUE(vf::testing::Window(*m_main).Item(IDC_RESTART_PROGRESS).IsVisible());
  EXPECT_TRUE(m_main->IsControlEnabled(IDC_SEARCH)) << "no search yet";
}

}  // namespace

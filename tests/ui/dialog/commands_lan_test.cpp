// Commands from the window to simulated cameras on the private LAN: each
// test starts its own cameras with a log of what they were sent and applied.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "dialog_driver.h"
#include "fake_adapters.h"
#include "message_box_recorder.h"
#include "private_lan.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/window_thread.h"
#include "window_driver.h"

namespace {

using namespace vf::res;
using vf::testing::PumpUntil;

class CommandsOnTheLan : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN";
    char path[] = "/tmp/vf-camsim-log-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    m_logPath = path;
  }
  void TearDown() override {
    m_dialog.reset();
    m_camsim.reset();
    if (!m_logPath.empty()) unlink(m_logPath.c_str());
  }

  // The window reads `adapters`, or the system's when it is null.
  void StartCameras(std::vector<std::string> extra = {},
                    vf::platform::AdapterSource *adapters = nullptr) {
    std::vector<std::string> arguments = {"--count", "3", "--quiet", "--log", m_logPath};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    m_camsim = std::make_unique<vf::testing::Camsim>(arguments);
    ASSERT_TRUE(m_camsim->ready());
    m_dialog = adapters != nullptr ? std::make_unique<CSearchDlg>(*adapters)
                                   : std::make_unique<CSearchDlg>();
    ASSERT_TRUE(m_dialog->Create());
    ASSERT_NE(vf::testing::Session(*m_dialog), nullptr);
  }

  vf::ui::DialogWindow &Controls() { return vf::testing::Window(*m_dialog); }

  void Search(const char *count = "3 pcs") {
    m_dialog->OnSearch();
    ASSERT_TRUE(PumpUntil([&] { return m_dialog->IsControlEnabled(IDC_SEARCH); }, 5000));
    ASSERT_EQ(Controls().Item(IDC_DEVICE_COUNT).Text(), count);
  }
  // The Client-ID of each search the cameras heard, in order.
  std::vector<std::string> SearchClients() const {
    std::vector<std::string> clients;
    for (const std::string &line : LogLines("SEARCH ")) {
      const size_t at = line.find("client=");
      if (at != std::string::npos) clients.push_back(line.substr(at + 7));
    }
    return clients;
  }

  DeviceRecord Device(int row) {
    DeviceRecord record{};
    EXPECT_TRUE(vf::testing::Devices(*m_dialog).CopyAt(row, record));
    return record;
  }

  // The row of the device with this id in the list now shown; -1 if none.
  int RowOf(const std::string &deviceId) {
    for (int row = 0; row < vf::testing::Devices(*m_dialog).Count(); ++row) {
      if (Device(row).deviceId == deviceId) return row;
    }
    return -1;
  }

  void Select(int row) { vf::testing::SelectRow(*m_dialog, row); }
  void SelectCamera(const std::string &name) {
    for (int row = 0; row < vf::testing::Devices(*m_dialog).Count(); ++row) {
      if (Device(row).deviceName == name) return Select(row);
    }
    ADD_FAILURE() << name << " is not listed";
  }

  // Types the viewing account and presses Update.
  void Update(const char *password = "admin") {
    Controls().Item(IDC_ACCOUNT).SetText("admin");
    Controls().Item(IDC_PASSWORD).SetText(password);
    m_dialog->OnUpdate();
  }

  std::string Log() const {
    std::ifstream in(m_logPath);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::vector<std::string> LogLines(const std::string &with) const {
    std::vector<std::string> lines;
    std::istringstream in(Log());
    for (std::string line; std::getline(in, line);) {
      if (line.find(with) != std::string::npos) lines.push_back(line);
    }
    return lines;
  }
  // The commands the cameras heard: lines that begin with CMD (a search's random Client-ID may
  // hold those letters too).
  std::vector<std::string> CommandLines() const {
    std::vector<std::string> lines;
    for (const std::string &line : LogLines("CMD ")) {
      if (line.rfind("CMD ", 0) == 0) lines.push_back(line);
    }
    return lines;
  }
  bool WaitForLog(const std::string &text, int ms = 5000) {
    return PumpUntil([&] { return Log().find(text) != std::string::npos; }, ms);
  }
  bool WaitForBoxes(int count, int ms = 5000) {
    return PumpUntil([&] { return m_boxes.Count() >= count; }, ms);
  }
  std::string LastBoxText() const {
    const auto boxes = m_boxes.Requests();
    return boxes.empty() ? std::string() : boxes.back().text;
  }

  std::string m_logPath;
  vf::ui::MessageBoxRecorder m_boxes;
  std::unique_ptr<vf::testing::Camsim> m_camsim;
  std::unique_ptr<CSearchDlg> m_dialog;
};

TEST_F(CommandsOnTheLan, NewAddressIsAppliedAndTheNextSearchShowsIt) {
  StartCameras();
  Search();
  const std::string id = Device(1).deviceId;
  Select(1);
  Controls().Item(IDC_DEV_IP).SetText("192.168.77.42");
  Update();
  ASSERT_TRUE(WaitForBoxes(2));
  const auto boxes = m_boxes.Requests();
  EXPECT_EQ(boxes[0].caption, "Ask");
  EXPECT_EQ(boxes[1].text, "Device information successfully updated!");
  EXPECT_EQ(boxes[1].caption, "Tips");
  EXPECT_EQ(boxes[1].type, vf::ui::MB_ICONINFORMATION);
  EXPECT_TRUE(LogLines("httpport").empty());
  EXPECT_FALSE(Controls().Item(IDC_RESTART_PROGRESS).IsVisible());

  Search();
  const int row = RowOf(id);
  ASSERT_GE(row, 0);
  EXPECT_STREQ(Device(row).network.ipAddress, "192.168.77.42");
}

TEST_F(CommandsOnTheLan, NewPortRestartsTheDeviceAndTheSearchAfterwardsShowsIt) {
  StartCameras();
  Search();
  const std::string id = Device(0).deviceId;
  Select(0);
  Controls().Item(IDC_HTTP_PORT).SetText("8091");
  Update();
  ASSERT_TRUE(PumpUntil([&] { return Controls().Item(IDC_RESTART_PROGRESS).IsVisible(); }, 5000));
  EXPECT_FALSE(m_dialog->IsControlEnabled(IDC_UPDATE));
  // The answer to the port command is the one message after the question.
  ASSERT_TRUE(WaitForBoxes(2));
  EXPECT_EQ(LastBoxText(), "Device information successfully updated!");
  ASSERT_EQ(LogLines("APPLIED").size(), 2u);
  EXPECT_NE(LogLines("APPLIED")[1].find("httpport"), std::string::npos);

  // Closing is refused while the device restarts.
  m_dialog->OnCloseButton();
  EXPECT_EQ(LastBoxText(), "Device is restarting...,Please try again later.");

  for (int tick = 0; tick < CSearchDlg::kRestartTickCount; ++tick) {
    vf::testing::FireTimer(*m_dialog, CSearchDlg::TIMER_RESTART);
  }
  EXPECT_FALSE(Controls().Item(IDC_RESTART_PROGRESS).IsVisible());
  ASSERT_TRUE(PumpUntil([&] { return m_dialog->IsControlEnabled(IDC_SEARCH); }, 5000));
  const int row = RowOf(id);
  ASSERT_GE(row, 0);
  EXPECT_STREQ(Device(row).httpPort, "8091");
}

TEST_F(CommandsOnTheLan, WrongPasswordIsReportedAndChangesNothing) {
  StartCameras();
  Search();
  Select(2);
  Controls().Item(IDC_HTTP_PORT).SetText("8092");
  Update("guess");
  ASSERT_TRUE(WaitForBoxes(2));
  EXPECT_EQ(LastBoxText(), "The account or password for watching is wrong!");
  EXPECT_EQ(vf::testing::HttpPortPending(*m_dialog), 0) << "the Update is over";
  EXPECT_TRUE(LogLines("APPLIED").empty());
  EXPECT_FALSE(Controls().Item(IDC_RESTART_PROGRESS).IsVisible());
}

// A refusal and a camera that never answers are both told, and the command
// after a silence goes out (from a new session) and is answered.
TEST_F(CommandsOnTheLan, RefusalAndSilenceAreToldAndTheNextCommandIsAnswered) {
  StartCameras({"--forbid-camera", "1", "--silent-camera", "2"});
  Search();
  SelectCamera("Camera-0001");
  Update();
  ASSERT_TRUE(WaitForBoxes(2));
  EXPECT_EQ(LastBoxText(), "The device refused the command.");

  SelectCamera("Camera-0002");
  Update();
  ASSERT_TRUE(WaitForBoxes(4, 10000));
  EXPECT_EQ(LastBoxText(), "No answer from the device within 5 s.");
  EXPECT_EQ(m_boxes.Requests().back().type, vf::ui::MB_ICONEXCLAMATION);

  SelectCamera("Camera-0003");
  Update();
  ASSERT_TRUE(WaitForBoxes(6));
  EXPECT_EQ(LastBoxText(), "Device information successfully updated!");
  ASSERT_GE(SearchClients().size(), 2u);
  EXPECT_NE(SearchClients().back(), SearchClients().front()) << "a new session sent it";
}

// A host answering first with camera 3's MAC under its own device id: the
// row listed for that MAC gets no command, and nor does the camera whose
// MAC it took; the window offers no way around it.
TEST_F(CommandsOnTheLan, NoCommandGoesToACameraThatAnImpostorClaims) {
  StartCameras({"--announce-mac", "1=3"});
  Search("2 pcs");
  SelectCamera("Camera-0001");
  Update();
  EXPECT_EQ(LastBoxText().rfind("Two answers claim this camera (id ", 0), 0u) << LastBoxText();
  vf::testing::Pump(300);
  EXPECT_TRUE(CommandLines().empty()) << Log();
}

// What no camera can work with is refused before anything is sent: a port
// the devices keep, any address of this PC (a second one on an adapter
// too), an address the mask makes the subnet's broadcast.
TEST_F(CommandsOnTheLan, InputNoCameraCanUseIsRefusedBeforeSending) {
  vf::testing::FakeAdapters adapters;
  adapters.adapters = std::vector<vf::platform::Adapter>{vf::testing::MakeAdapter(
      "pc0", 2,
      {{vf::testing::PcAddresses().at(0), "255.255.255.0"}, {"192.168.1.77", "255.255.255.0"}})};
  StartCameras({}, &adapters);
  Search();
  const struct {
    const char *control;
    int id;
    const char *value;
    const char *message;
  } cases[] = {
      {"port", IDC_HTTP_PORT, "8002",
       "The http ports 8002 and 55555 are kept by the devices; enter another port."},
      {"second address", IDC_DEV_IP, "192.168.1.77", "The same as one IP among of this local PC."},
      {"broadcast", IDC_DEV_IP, "192.168.1.255",
       "Entered the network or broadcast address of the subnet as the IP address."},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.control);
    Select(0);
    Controls().Item(IDC_DEV_MASK).SetText("255.255.255.0");
    Controls().Item(c.id).SetText(c.value);
    Update();
    EXPECT_EQ(LastBoxText(), c.message);
  }
  vf::testing::Pump(300);
  EXPECT_TRUE(CommandLines().empty()) << Log();
}

TEST_F(CommandsOnTheLan, DdnsAccountIsSentAndConfirmed) {
  StartCameras();
  Search();
  Select(0);
  Controls().Item(IDC_ACCOUNT).SetText("admin");
  Controls().Item(IDC_PASSWORD).SetText("admin");
  Controls().Item(IDC_DDNS_NAME).SetText("cam.example.net");
  Controls().Item(IDC_DDNS_USER).SetText("dyn");
  m_dialog->OnSetDdns();
  ASSERT_TRUE(WaitForBoxes(1));
  EXPECT_EQ(LastBoxText(), "DDNS is setted successfully.");
  EXPECT_EQ(m_boxes.Requests().back().type, vf::ui::MB_ICONINFORMATION);
  const auto sent = LogLines("ddnsset");
  ASSERT_FALSE(sent.empty());
  EXPECT_NE(sent[0].find("cam.example.net"), std::string::npos);
  EXPECT_EQ(vf::testing::LastCommand(*m_dialog), 2);
}

TEST_F(CommandsOnTheLan, PortFollowsTheUpdatedDeviceWhateverIsClickedMeanwhile) {
  StartCameras({"--delay", "400"});
  Search();
  const std::string updated = Device(0).deviceId;
  const std::string other = Device(1).deviceId;
  Select(0);
  Controls().Item(IDC_HTTP_PORT).SetText("8093");
  Update();
  // Before the answer arrives: another row, another port, another account.
  Select(1);
  Controls().Item(IDC_HTTP_PORT).SetText("9999");
  Controls().Item(IDC_PASSWORD).SetText("other");
  ASSERT_TRUE(WaitForLog("httpport"));
  const auto sent = LogLines("httpport");
  ASSERT_EQ(CommandLines().size(), 2u);
  const std::string command = CommandLines()[1];
  EXPECT_NE(command.find(updated), std::string::npos) << command;
  EXPECT_EQ(command.find(other), std::string::npos) << command;
  EXPECT_NE(command.find("8093"), std::string::npos) << command;
  ASSERT_TRUE(WaitForLog("APPLIED", 5000));
  ASSERT_TRUE(PumpUntil([&] { return LogLines("APPLIED").size() == 2; }, 5000));
}

// The PC's addresses change while the window is open: each search between
// commands reads them again and, when they differ, searches from the new ones
// with a new session; an adapter without IPv4 sends nothing. Runs in a
// process of its own (the engine's address table is the process's).
TEST_F(CommandsOnTheLan, EachSearchBetweenCommandsFollowsThePcsAddresses) {
  const std::string pc = vf::testing::PcAddresses().at(0);
  vf::testing::FakeAdapters adapters;
  adapters.adapters = std::vector<vf::platform::Adapter>{
      vf::testing::MakeAdapter("down", 1, {{"0.0.0.0", "0.0.0.0"}})};
  StartCameras({"--delay", "600"}, &adapters);
  Search("0 pcs");
  EXPECT_TRUE(SearchClients().empty()) << "nothing goes out from an adapter without IPv4";

  adapters.adapters->push_back(vf::testing::MakeAdapter("pc0", 2, {{pc, "255.255.255.0"}}));
  Search();
  EXPECT_EQ(vf::testing::LocalAddresses(*m_dialog), std::vector<std::string>{pc});
  EXPECT_EQ(Controls().Find<vf::ui::ComboBox>(IDC_ADAPTER)->Count(), 2)
      << "the panel shows the new adapter";
  Search();  // Unchanged: the same session.
  ASSERT_EQ(SearchClients().size(), 2u);
  EXPECT_EQ(SearchClients()[0], SearchClients()[1]);

  // While an answer is awaited the session stays, so that the answer comes.
  Select(0);
  Update();
  adapters.adapters->push_back(vf::testing::MakeAdapter("lo2", 3, {{"127.0.0.1", "255.0.0.0"}}));
  Search();
  EXPECT_EQ(vf::testing::LocalAddresses(*m_dialog).size(), 1);
  ASSERT_TRUE(WaitForBoxes(2));
  EXPECT_EQ(LastBoxText(), "Device information successfully updated!");
  ASSERT_EQ(SearchClients().size(), 3u);
  EXPECT_EQ(SearchClients()[2], SearchClients()[0]);

  Search();
  EXPECT_EQ(vf::testing::LocalAddresses(*m_dialog).size(), 2);
  EXPECT_EQ(Controls().Find<vf::ui::ComboBox>(IDC_ADAPTER)->Count(), 3);
  ASSERT_GE(SearchClients().size(), 4u);
  EXPECT_NE(SearchClients().back(), SearchClients()[0]) << "a new session searched";
  EXPECT_EQ(m_boxes.Count(), 2) << "no message on the way";
}

// The success message of a port change left open until the restart display
// has run out: the search at its end still records and shows every camera,
// and a change of the PC's addresses meanwhile replaces the engine session
// without waiting for the box.
TEST_F(CommandsOnTheLan, ABoxLeftOpenHoldsUpNeitherTheAnswersNorANewSession) {
  const std::string pc = vf::testing::PcAddresses().at(0);
  vf::testing::FakeAdapters adapters;
  adapters.adapters =
      std::vector<vf::platform::Adapter>{vf::testing::MakeAdapter("pc0", 2, {{pc, "255.255.255.0"}})};
  StartCameras({}, &adapters);
  Search();
  const std::string id = Device(0).deviceId;
  const std::size_t sessionsBefore = SearchClients().size();
  std::string countWhileOpen;
  int portRowWhileOpen = -1;
  CSearchDlg *dialog = m_dialog.get();
  vf::ui::SetMessageBoxInterceptor([&](const vf::ui::MessageBoxRequest &request) {
    if (request.text != "Device information successfully updated!") return vf::ui::IDYES;
    // The box is open: the window thread runs its events underneath it.
    adapters.adapters->push_back(vf::testing::MakeAdapter("lo2", 3, {{"127.0.0.1", "255.0.0.0"}}));
    for (int tick = 0; tick < CSearchDlg::kRestartTickCount; ++tick) {
      vf::testing::FireTimer(*dialog, CSearchDlg::TIMER_RESTART);
    }
    PumpUntil([&] { return dialog->IsControlEnabled(IDC_SEARCH); }, 5000);
    countWhileOpen = vf::testing::Window(*dialog).Item(IDC_DEVICE_COUNT).Text();
    portRowWhileOpen = RowOf(id);
    return vf::ui::IDOK;
  });
  Select(0);
  Controls().Item(IDC_HTTP_PORT).SetText("8096");
  Update();
  ASSERT_TRUE(PumpUntil([&] { return !countWhileOpen.empty(); }, 10000));
  vf::ui::SetMessageBoxInterceptor({});
  EXPECT_EQ(countWhileOpen, "3 pcs");
  ASSERT_GE(portRowWhileOpen, 0);
  EXPECT_STREQ(Device(portRowWhileOpen).httpPort, "8096");
  ASSERT_GT(SearchClients().size(), sessionsBefore);
  EXPECT_NE(SearchClients().back(), SearchClients().front()) << "searched from a new session";
}

TEST_F(CommandsOnTheLan, ClosingRightAfterThePortCommandEndsCleanly) {
  StartCameras();
  Search();
  Select(0);
  Controls().Item(IDC_HTTP_PORT).SetText("8094");
  Update();
  // The worker posts the restart display; the window goes before it runs.
  ASSERT_TRUE(vf::testing::WaitFor([&] { return Log().find("httpport") != std::string::npos; },
                                   std::chrono::seconds(5)));
  m_dialog.reset();
  vf::testing::Pump(100);
}

}  // namespace

// The Update command in the window: the selection and confirmation, the
// order of the checks, when the port command is armed, how every answer is
// told, and the restart display. The answers are handed to the engine
// session on a thread of their own, as the engine's worker does.
#include <gtest/gtest.h>

#include <thread>

#include "dialog_driver.h"
#include "fake_adapters.h"
#include "message_box_recorder.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/window_thread.h"
#include "window_driver.h"

namespace {

using namespace vf::res;
using vf::testing::CopyField;
using vf::testing::FireTimer;
using vf::testing::MakeAdapter;
using vf::testing::MakeDevice;

constexpr const char *kLocalAddress = "192.168.1.10";

vf::testing::FakeAdapters AdaptersWithOneAddress() {
  vf::testing::FakeAdapters adapters;
  adapters.adapters = std::vector<vf::platform::Adapter>{
      MakeAdapter("eth0", 2, {{kLocalAddress, "255.255.255.0"}}, {"192.168.1.1"})};
  return adapters;
}

class UpdateTest : public ::testing::Test {
 protected:
  UpdateTest() {
    DeviceRecord first = MakeDevice("cam-a", "00:00:00:00:00:01");
    DeviceRecord second = MakeDevice("cam-b", "00:00:00:00:00:02");
    CopyField(second.httpPort, "AbC");
    vf::testing::ShowDevices(m_dialog, {first, second});
  }

  void Select(int row) { vf::testing::SelectRow(m_dialog, row); }

  // The answer as the engine's worker delivers it.
  void Reply(const char *status) { vf::testing::ReplyFromWorker(m_dialog, status); }
  std::string LastText() const {
    const auto requests = m_boxes.Requests();
    return requests.empty() ? std::string() : requests.back().text;
  }

  vf::ui::MessageBoxRequest Box(int index) const {
    const auto requests = m_boxes.Requests();
    EXPECT_LT(index, static_cast<int>(requests.size()));
    return index < static_cast<int>(requests.size()) ? requests[static_cast<size_t>(index)]
                                                     : vf::ui::MessageBoxRequest{};
  }

  vf::ui::MessageBoxRecorder m_boxes;
  vf::testing::FakeAdapters m_adapters = AdaptersWithOneAddress();
  CSearchDlg m_dialog{m_adapters};
  bool m_created = m_dialog.Create();
  vf::ui::DialogWindow &m_controls = vf::testing::Window(m_dialog);
};

TEST_F(UpdateTest, WithoutASelectedDeviceOnlyAsksForOne) {
  ASSERT_NE(vf::testing::Session(m_dialog), nullptr);
  for (int mark : {-1, 2, 7}) {
    SCOPED_TRACE(mark);
    vf::testing::DeviceList(m_dialog).SetSelectionMark(mark);
    m_dialog.OnUpdate();
  }
  ASSERT_EQ(m_boxes.Count(), 3);
  for (const auto &box : m_boxes.Requests()) {
    EXPECT_EQ(box.text, "Please select one device from list.");
    EXPECT_EQ(box.caption, "Tips");
    EXPECT_EQ(box.type, vf::ui::MB_ICONINFORMATION);
    EXPECT_EQ(box.owner, &m_controls);
  }
  EXPECT_EQ(vf::testing::LastCommand(m_dialog), 0);
}

TEST_F(UpdateTest, ConfirmationComesFirstAndNoChangesNothing) {
  Select(0);
  m_controls.Item(IDC_HTTP_PORT).SetText("9000");
  m_controls.Item(IDC_DEV_IP).SetText("0.0.0.0");  // Would fail the checks.
  m_boxes.Script({vf::ui::IDNO});
  m_dialog.OnUpdate();
  ASSERT_EQ(m_boxes.Count(), 1);
  EXPECT_EQ(Box(0).text, "Are you sure to update the selected device?");
  EXPECT_EQ(Box(0).caption, "Ask");
  EXPECT_EQ(Box(0).type, vf::ui::MB_YESNO | vf::ui::MB_ICONQUESTION);
  EXPECT_EQ(vf::testing::LastCommand(m_dialog), 0);
  EXPECT_EQ(vf::testing::HttpPortPending(m_dialog), 0);

  // Any answer but Yes stops too.
  m_boxes.Script({vf::ui::IDOK});
  m_dialog.OnUpdate();
  EXPECT_EQ(m_boxes.Count(), 2);
  EXPECT_EQ(vf::testing::LastCommand(m_dialog), 0);
}

TEST_F(UpdateTest, ChecksRunInOrderAndStopAtTheFirstFailure) {
  struct Case {
    const char *ip, *mask, *gateway;
    const char *message;  // Null: passes.
  };
  const Case cases[] = {
      {"0.0.0.0", "0.0.0.0", "0.0.0.0", "Entered the wrong IP address."},
      {"192.168.1.30", "0.0.0.0", "0.0.0.0", "Entered the wrong subnet mask."},
      {"192.168.1.30", "255.255.255.0", "0.0.0.0", "Entered the wrong gateway."},
      {kLocalAddress, "255.255.255.0", "192.168.1.1", "The same as one IP among of this local PC."},
      {"192.168.1.30", "255.255.255.0", "192.168.1.1", nullptr},
  };
  Select(0);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.ip + std::string(" ") + c.mask + " " + c.gateway);
    m_controls.Item(IDC_DEV_IP).SetText(c.ip);
    m_controls.Item(IDC_DEV_MASK).SetText(c.mask);
    m_controls.Item(IDC_DEV_GATEWAY).SetText(c.gateway);
    const int before = m_boxes.Count();
    m_dialog.OnUpdate();
    const auto boxes = m_boxes.Requests();
    if (c.message == nullptr) {
      ASSERT_EQ(m_boxes.Count(), before + 1);  // Only the question.
      EXPECT_EQ(vf::testing::LastCommand(m_dialog), 1);
    } else {
      ASSERT_EQ(m_boxes.Count(), before + 2);
      EXPECT_EQ(boxes.back().text, c.message);
      EXPECT_EQ(boxes.back().caption, "Tips");
      EXPECT_EQ(boxes.back().type, vf::ui::MB_ICONINFORMATION);
      EXPECT_EQ(vf::testing::LastCommand(m_dialog), 0);
    }
  }
}

TEST_F(UpdateTest, SetIpAutomaticallySkipsEveryCheckButNeedsAnAddressToSend) {
  Select(0);
  m_controls.Item(IDC_DEV_MASK).SetText(kLocalAddress);
  m_controls.Item(IDC_DEV_GATEWAY).SetText("0.0.0.0");
  m_controls.Find<vf::ui::CheckBox>(IDC_DHCP)->SetCheck(1);
  m_dialog.OnUpdate();
  EXPECT_EQ(m_boxes.Count(), 1) << "only the question";
  EXPECT_EQ(vf::testing::LastCommand(m_dialog), 1);
  Reply("200");

  // Sent all the same, so without an address nothing would go out: that is
  // said rather than left silent.
  m_controls.Item(IDC_DEV_IP).SetText("0.0.0.0");
  m_dialog.OnUpdate();
  EXPECT_EQ(LastText(), "An IP address and a subnet mask are needed, also with DHCP on.");
}

TEST_F(UpdateTest, PortCommandIsArmedOnlyForANewPortThatIsFree) {
  const char *reserved =
      "The http ports 8002 and 55555 are kept by the devices; enter another port.";
  struct Case {
    int row;
    const char *port;
    int pending;
    const char *refusal;
  };
  const Case cases[] = {
      {0, "8080", 0, nullptr},   {0, "08080", 0, nullptr}, {0, "8002", 0, reserved},
      {0, "55555", 0, reserved}, {0, "8081", 1, nullptr},  {1, "8080", 1, nullptr},
      {1, "AbC", 0, nullptr},  // what row 1 announced: no port to change
      {0, "65535", 1, nullptr},  {0, "1", 1, nullptr},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.row) + " " + c.port);
    Select(c.row);
    m_controls.Item(IDC_HTTP_PORT).SetText(c.port);
    m_dialog.OnUpdate();
    EXPECT_EQ(vf::testing::HttpPortPending(m_dialog), c.pending);
    if (c.refusal != nullptr) {
      EXPECT_EQ(LastText(), c.refusal);
      EXPECT_FALSE(m_dialog.CommandPending()) << "nothing was sent";
    } else {
      EXPECT_TRUE(m_dialog.CommandPending());
      Reply("403");  // ends it, whatever it was
    }
  }
}

// Ports outside 1..65535, and address controls with some fields left blank
// (DHCP or not), are refused with a message before anything is sent.
TEST_F(UpdateTest, BadPortsAndHalfFilledAddressesAreRefused) {
  Select(0);
  for (const char *port : {"0", "65536", "99999", "", "8a", "-80", "80 "}) {
    SCOPED_TRACE(port);
    m_controls.Item(IDC_HTTP_PORT).SetText(port);
    m_dialog.OnUpdate();
    EXPECT_EQ(m_boxes.Requests().back().text, "Entered the wrong http port (1-65535).");
    EXPECT_EQ(vf::testing::LastCommand(m_dialog), 0);
  }
  m_controls.Item(IDC_HTTP_PORT).SetText("8081");

  struct Case {
    int control;
    const char *message;
  };
  const Case cases[] = {
      {IDC_DEV_IP, "Entered the wrong IP address."},
      {IDC_DEV_MASK, "Entered the wrong subnet mask."},
      {IDC_DEV_GATEWAY, "Entered the wrong gateway."},
      {IDC_DEV_DNS1, "Entered the wrong DNS server."},
      {IDC_DEV_DNS2, "Entered the wrong DNS server."},
  };
  for (const int dhcp : {0, 1}) {
    m_controls.Find<vf::ui::CheckBox>(IDC_DHCP)->SetCheck(dhcp);
    for (const Case &c : cases) {
      SCOPED_TRACE(std::to_string(c.control) + (dhcp ? " with DHCP" : ""));
      Select(0);  // Every field filled from the device.
      vf::testing::ClearAddressField(m_controls, c.control, 3);
      vf::testing::ClearAddressField(m_controls, c.control, 2);
      const int before = m_boxes.Count();
      m_dialog.OnUpdate();
      ASSERT_EQ(m_boxes.Count(), before + 2);
      EXPECT_EQ(m_boxes.Requests().back().text, c.message);
      EXPECT_EQ(vf::testing::LastCommand(m_dialog), 0);
      EXPECT_EQ(vf::testing::HttpPortPending(m_dialog), 0);
    }
  }
}

// What cannot be sent is told at once, and nothing waits for an answer: a
// "200" that comes later starts no port command and no restart display.
TEST_F(UpdateTest, WhatCannotBeSentIsToldAndNothingWaitsForIt) {
  const struct {
    std::string account;
    const char *message;
  } cases[] = {
      {"admin\r\nCSeq:1",
       "The viewing account or password cannot hold a line break or another control character."},
      {std::string(2000, 'a'), "The viewing account and password hold at most 64 characters each."},
      {"admin:x", "The viewing account cannot hold a colon: the device would split it there."},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.account.size());
    Select(0);
    m_controls.Item(IDC_HTTP_PORT).SetText("8090");
    m_controls.Item(IDC_ACCOUNT).SetText(c.account);
    const int before = m_boxes.Count();
    m_dialog.OnUpdate();
    ASSERT_EQ(m_boxes.Count(), before + 2);
    EXPECT_EQ(Box(before + 1).text, c.message);
    EXPECT_EQ(vf::testing::HttpPortPending(m_dialog), 0);
    EXPECT_FALSE(m_dialog.CommandPending());

    Reply("200");
    EXPECT_EQ(m_boxes.Count(), before + 2) << "an answer nothing waits for says nothing";
    EXPECT_FALSE(m_controls.Item(IDC_RESTART_PROGRESS).IsVisible());
  }
}

// A record whose id or MAC is not of its plain form gets no command: the text
// would go into the request as the device reported it.
TEST_F(UpdateTest, DeviceValuesThatCouldSteerTheCommandAreRefused) {
  const char *badMac = "The device reported an invalid MAC address; nothing was sent.";
  const char *badId = "The device reported an invalid device id; nothing was sent.";
  struct Case {
    const char *id, *mac, *message;
  };
  const Case cases[] = {
      {"0123456789abcdef0123456789abcdef", "02:EE -dhcp on", badMac},
      {"0123456789abcdef0123456789abcdef", "00:1A:3F:00:00", badMac},
      {"-123456789abcdef0123456789abcdef", "00:1A:3F:00:00:01", badId},
      {"0123456789abcdef 123456789abcdef", "00:1A:3F:00:00:01", badId},
      {"0123456789abcdef", "00:1A:3F:00:00:01", badId},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.id) + " " + c.mac);
    DeviceRecord device = MakeDevice("cam", c.mac);
    CopyField(device.deviceId, c.id);
    vf::testing::ShowDevices(m_dialog, {device});
    Select(0);
    const int before = m_boxes.Count();
    const short lastCommand = vf::testing::LastCommand(m_dialog);
    m_dialog.OnUpdate();
    ASSERT_EQ(m_boxes.Count(), before + 1) << "not even the question";
    EXPECT_EQ(Box(before).text, c.message);
    EXPECT_EQ(Box(before).type, vf::ui::MB_ICONEXCLAMATION);
    EXPECT_EQ(vf::testing::LastCommand(m_dialog), lastCommand);
    if (c.message == badId) {
      m_controls.Item(IDC_DDNS_NAME).SetText("cam.example.net");
      m_dialog.OnSetDdns();
      EXPECT_EQ(m_boxes.Requests().back().text, "Failure to set DDNS.") << "nor DDNS";
    }
    EXPECT_FALSE(m_dialog.CommandPending());
  }
}

// Another host answering with this camera's MAC under another device id: no
// command may go to either camera, and there is nothing to override it with.
TEST_F(UpdateTest, NoCommandGoesToACameraThatTwoAnswersClaim) {
  DeviceRecord a = MakeDevice("cam-a", "00:00:00:00:00:0A");
  CopyField(a.deviceId, "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA");
  DeviceRecord b = MakeDevice("cam-b", "00:00:00:00:00:0B");
  CopyField(b.deviceId, "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB");
  DeviceRecord impostor = a;
  CopyField(impostor.deviceId, b.deviceId);
  vf::testing::ShowDevices(m_dialog, {a, b, impostor});
  for (const int row : {0, 1}) {
    SCOPED_TRACE(row);
    Select(row);
    const int before = m_boxes.Count();
    m_dialog.OnUpdate();
    ASSERT_EQ(m_boxes.Count(), before + 1) << "not even the question";
    EXPECT_EQ(LastText().rfind("Two answers claim this camera (id ", 0), 0u) << LastText();
    m_controls.Item(IDC_DDNS_NAME).SetText("cam.example.net");
    m_dialog.OnSetDdns();
    EXPECT_EQ(LastText().rfind("Two answers claim this camera", 0), 0u) << "nor DDNS";
    EXPECT_FALSE(m_dialog.CommandPending());
  }
}

// Another camera's address is sent only when the user says so; No is what
// Enter answers.
TEST_F(UpdateTest, AnotherCamerasAddressIsAskedAboutWithNoAsTheDefault) {
  DeviceRecord other = MakeDevice("cam-c", "00:00:00:00:00:03");
  CopyField(other.network.ipAddress, "192.168.1.33");
  vf::testing::ShowDevices(m_dialog, {MakeDevice("cam-a", "00:00:00:00:00:01"), other});
  Select(0);
  m_controls.Item(IDC_DEV_IP).SetText("192.168.1.33");
  m_dialog.OnUpdate();
  ASSERT_EQ(m_boxes.Count(), 2);
  EXPECT_EQ(Box(1).text,
            "The IP address 192.168.1.33 (cam-c, 00:00:00:00:00:03) is announced by another "
            "device. Send the settings all the same?");
  EXPECT_EQ(Box(1).type, vf::ui::MB_YESNO | vf::ui::MB_ICONQUESTION | vf::ui::MB_DEFBUTTON2);
  EXPECT_FALSE(m_dialog.CommandPending()) << "no, by default";
  m_boxes.Script({vf::ui::IDYES, vf::ui::IDYES});
  m_dialog.OnUpdate();
  EXPECT_TRUE(m_dialog.CommandPending()) << "a swap of two addresses stays possible";
}

TEST_F(UpdateTest, EveryAnswerIsToldOnTheWindowThread) {
  Reply("200");
  EXPECT_EQ(m_boxes.Count(), 0) << "before any command a 200 says nothing";

  const struct {
    const char *status;
    const char *message;
    unsigned type;
  } cases[] = {
      {"QNS/1.0 200 OK", "Device information successfully updated!", vf::ui::MB_ICONINFORMATION},
      {"401", "The account or password for watching is wrong!", vf::ui::MB_ICONINFORMATION},
      {"403", "The device refused the command.", vf::ui::MB_ICONEXCLAMATION},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.status);
    Select(0);
    m_dialog.OnUpdate();  // Port unchanged.
    const int before = m_boxes.Count();
    Reply(c.status);
    ASSERT_EQ(m_boxes.Count(), before + 1);
    EXPECT_EQ(LastText(), c.message);
    EXPECT_EQ(Box(before).caption, "Tips");
    EXPECT_EQ(Box(before).type, c.type);
    EXPECT_EQ(Box(before).owner, &m_controls);
    EXPECT_TRUE(Box(before).onGuiThread) << "never on the engine's thread, which goes on recording";
    EXPECT_FALSE(m_dialog.CommandPending());
  }

  // One command at a time: a second Update before the first is answered is
  // told to wait, and sends nothing.
  Select(0);
  m_dialog.OnUpdate();
  m_dialog.OnUpdate();
  EXPECT_EQ(LastText(),
            "The device has not answered the last command yet; please try again later.");
}

TEST_F(UpdateTest, AcceptedSettingsWithANewPortStartTheRestartDisplay) {
  Select(0);
  m_controls.Item(IDC_HTTP_PORT).SetText("8090");
  m_dialog.OnUpdate();
  ASSERT_EQ(vf::testing::HttpPortPending(m_dialog), 1);

  // A refusal ends the Update: no later acceptance of another command sends
  // the port.
  Reply("401");
  EXPECT_EQ(vf::testing::HttpPortPending(m_dialog), 0);
  EXPECT_EQ(LastText(), "The account or password for watching is wrong!");
  m_dialog.OnUpdate();
  ASSERT_EQ(vf::testing::HttpPortPending(m_dialog), 1);
  const int boxes = m_boxes.Count();
  Reply("200");
  EXPECT_EQ(vf::testing::HttpPortPending(m_dialog), 0);
  EXPECT_EQ(m_boxes.Count(), boxes) << "the port command goes out without a word";

  vf::ui::ProgressBar &bar = *m_controls.Find<vf::ui::ProgressBar>(IDC_RESTART_PROGRESS);
  ASSERT_TRUE(
      vf::testing::PumpUntil([&] { return m_controls.Item(IDC_RESTART_PROGRESS).IsVisible(); }, 2000));
  EXPECT_TRUE(m_controls.Item(IDC_RESTART_TEXT).IsVisible());
  EXPECT_TRUE(m_controls.IsTimerActive(CSearchDlg::TIMER_RESTART));
  EXPECT_EQ(bar.Range(), std::make_pair(1, 47));
  EXPECT_EQ(bar.Pos(), 1);
  EXPECT_EQ(vf::testing::DeviceSelected(m_dialog), 0);
  EXPECT_FALSE(m_dialog.IsControlEnabled(IDC_UPDATE));
  EXPECT_TRUE(m_controls.Find<vf::ui::Edit>(IDC_ACCOUNT)->IsReadOnly());

  // The answer to the port command, when it comes, is the success message.
  Reply("200");
  EXPECT_EQ(LastText(), "Device information successfully updated!");

  // A second start begins the count again.
  for (int i = 0; i < 10; ++i) FireTimer(m_dialog, CSearchDlg::TIMER_RESTART);
  EXPECT_EQ(bar.Pos(), 11);
  m_dialog.OnDeviceRestarting();
  EXPECT_EQ(bar.Pos(), 1);
  for (int i = 0; i < 44; ++i) FireTimer(m_dialog, CSearchDlg::TIMER_RESTART);
  EXPECT_TRUE(m_controls.Item(IDC_RESTART_PROGRESS).IsVisible());
  EXPECT_EQ(bar.Pos(), 45);
  FireTimer(m_dialog, CSearchDlg::TIMER_RESTART);
  EXPECT_FALSE(m_controls.Item(IDC_RESTART_PROGRESS).IsVisible());
  EXPECT_FALSE(m_controls.Item(IDC_RESTART_TEXT).IsVisible());
  EXPECT_FALSE(m_dialog.IsControlEnabled(IDC_SEARCH)) << "a new search runs";
}

TEST_F(UpdateTest, APortTheDeviceDidNotTakeIsToldAfterItsSettings) {
  Select(0);
  m_controls.Item(IDC_HTTP_PORT).SetText("8090");
  m_dialog.OnUpdate();
  Reply("200");
  Reply("403");
  EXPECT_EQ(LastText(),
            "The network settings were taken, the http port was not: The device refused the "
            "command.");
  EXPECT_EQ(m_boxes.Requests().back().type, vf::ui::MB_ICONEXCLAMATION);
}

}  // namespace

// The DDNS group's command: its checks in order, its texts, and how its
// answer shares the reply path with the Update command.
#include <gtest/gtest.h>

#include <thread>

#include "dialog_driver.h"
#include "fake_adapters.h"
#include "message_box_recorder.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"

namespace {

using namespace vf::res;
using vf::testing::CopyField;
using vf::testing::MakeDevice;

class DdnsTest : public ::testing::Test {
 protected:
  DdnsTest() {
    DeviceRecord good = MakeDevice("cam-a", "00:00:00:00:00:01");
    DeviceRecord shortId = MakeDevice("cam-b", "00:00:00:00:00:02");
    CopyField(shortId.deviceId, "0123456789abcdef");
    vf::testing::ShowDevices(m_dialog, {good, shortId});
  }
  void Select(int row) { vf::testing::SelectRow(m_dialog, row); }
  void Reply(const char *status) { vf::testing::ReplyFromWorker(m_dialog, status); }
  vf::ui::MessageBoxRequest LastBox() const {
    const auto boxes = m_boxes.Requests();
    return boxes.empty() ? vf::ui::MessageBoxRequest{} : boxes.back();
  }

  vf::ui::MessageBoxRecorder m_boxes;
  vf::testing::FakeAdapters m_adapters;
  CSearchDlg m_dialog{m_adapters};
  bool m_created = m_dialog.Create();
  vf::ui::DialogWindow &m_controls = vf::testing::Window(m_dialog);
};

TEST_F(DdnsTest, ChecksSelectionThenNameAndKeepsTheLastCommandOnFailure) {
  ASSERT_NE(vf::testing::Session(m_dialog), nullptr);
  vf::testing::DeviceList(m_dialog).SetSelectionMark(-1);
  m_dialog.OnSetDdns();  // Name empty too: the selection is checked first.
  ASSERT_EQ(m_boxes.Count(), 1);
  EXPECT_EQ(LastBox().text, "Please select one device from list.");
  EXPECT_EQ(LastBox().caption, "Tips");
  EXPECT_EQ(LastBox().type, vf::ui::MB_ICONINFORMATION);

  Select(0);
  m_controls.Item(IDC_DDNS_USER).SetText("user");
  m_controls.Item(IDC_DDNS_PASSWORD).SetText("secret");
  m_dialog.OnSetDdns();
  ASSERT_EQ(m_boxes.Count(), 2);
  EXPECT_EQ(LastBox().text, "Failure: DDNS filed is empty.");
  EXPECT_EQ(LastBox().caption, "Tips");
  EXPECT_EQ(LastBox().type, vf::ui::MB_ICONEXCLAMATION);
  EXPECT_EQ(vf::testing::LastCommand(m_dialog), 0);

  // A blank is a name; the command goes out silently.
  m_controls.Item(IDC_DDNS_NAME).SetText(" ");
  m_dialog.OnSetDdns();
  EXPECT_EQ(m_boxes.Count(), 2);
  EXPECT_EQ(vf::testing::LastCommand(m_dialog), 2);
}

TEST_F(DdnsTest, RefusedCommandIsReported) {
  Select(1);
  m_controls.Item(IDC_DDNS_NAME).SetText("cam.example.net");
  m_dialog.OnSetDdns();
  ASSERT_EQ(m_boxes.Count(), 1);
  EXPECT_EQ(LastBox().text, "Failure to set DDNS.");
  EXPECT_EQ(LastBox().caption, "Tips");
  EXPECT_EQ(LastBox().type, vf::ui::MB_ICONEXCLAMATION);
  EXPECT_EQ(vf::testing::LastCommand(m_dialog), 2);

  // Over-long fields are cut to fit rather than refused.
  Select(0);
  m_controls.Item(IDC_DDNS_NAME).SetText(std::string(80, 'd'));
  m_dialog.OnSetDdns();
  EXPECT_EQ(m_boxes.Count(), 1);
}

TEST_F(DdnsTest, AnswersShowTheDdnsTextsAndNeverAnUpdatesPort) {
  Select(0);
  m_controls.Item(IDC_DDNS_NAME).SetText("cam.example.net");
  m_dialog.OnSetDdns();
  Reply("200");
  ASSERT_EQ(m_boxes.Count(), 1);
  EXPECT_EQ(LastBox().text, "DDNS is setted successfully.");
  EXPECT_EQ(LastBox().type, vf::ui::MB_ICONINFORMATION);
  m_dialog.OnSetDdns();
  Reply("401");
  EXPECT_EQ(LastBox().text, "The account or password for watching is wrong!");

  // An Update with a new port that the device refused is over: a later DDNS
  // acceptance says so and sends no port.
  m_controls.Item(IDC_HTTP_PORT).SetText("8095");
  m_dialog.OnUpdate();
  ASSERT_EQ(vf::testing::HttpPortPending(m_dialog), 1);
  Reply("403");
  m_dialog.OnSetDdns();
  Reply("200");
  EXPECT_EQ(LastBox().text, "DDNS is setted successfully.");
  EXPECT_EQ(vf::testing::HttpPortPending(m_dialog), 0);
  EXPECT_FALSE(m_controls.Item(IDC_RESTART_PROGRESS).IsVisible());
}

}  // namespace

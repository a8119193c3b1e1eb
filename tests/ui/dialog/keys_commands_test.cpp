// Keys, Browse, the router command and closing, on a shown window with
// recorded message boxes and a recording page opener.
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "fake_adapters.h"
#include "message_box_recorder.h"
#include "platform/url_opener.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/virtual_keys.h"
#include "window_driver.h"

namespace {

using namespace vf::res;
using vf::testing::CopyField;
using vf::testing::MakeDevice;
namespace vk = vf::ui::vk;

class RecordingOpener final : public vf::platform::UrlOpener {
 public:
  bool Open(const std::string &url) override {
    urls.push_back(url);
    return canOpen;
  }
  std::vector<std::string> urls;
  bool canOpen = true;  // False: as if no program to open pages were installed.
};

DeviceRecord Camera(int n, const char *ip, const char *mask, const char *port) {
  DeviceRecord record =
      MakeDevice("cam-" + std::to_string(n), "00:00:00:00:00:0" + std::to_string(n));
  CopyField(record.network.ipAddress, ip);
  CopyField(record.network.netmask, mask);
  CopyField(record.httpPort, port);
  return record;
}

class WindowCommandsTest : public ::testing::Test {
 protected:
  // Exactly that URL was opened, or nothing when `url` is null.
  void ExpectOpened(const char *url) {
    if (url == nullptr) {
      EXPECT_TRUE(m_opener.urls.empty());
    } else {
      ASSERT_EQ(m_opener.urls.size(), 1u);
      EXPECT_EQ(m_opener.urls[0], url);
    }
  }

  WindowCommandsTest() { m_dialog.SetUrlOpener(&m_opener); }

  void ShowRows(const std::vector<DeviceRecord> &records) {
    m_dialog.OnSearch();
    for (const DeviceRecord &record : records) {
      vf::testing::Lan(m_dialog).OnAnnouncement(record);
    }
    vf::testing::FireTimer(m_dialog, CSearchDlg::TIMER_COLLECT);
  }
  void ShowThreeRows() {
    ShowRows({Camera(1, "192.168.1.21", "255.255.255.0", "81"),
              Camera(2, "192.168.1.22", "255.255.255.0", "82"),
              Camera(3, "192.168.1.23", "255.255.255.0", "83")});
  }
  void Select(int row) { vf::testing::SelectRow(m_dialog, row); }
  vf::ui::ListView &List() { return vf::testing::DeviceList(m_dialog); }
  // A key to the control that has the focus (0: the window itself), as the
  // keyboard would send it. The window stays unmapped: showing it would start
  // the platform's font threads, which the race checker cannot see into, and
  // the keys and close requests reach it all the same.
  void Key(int focus, int key) { vf::testing::PressKey(m_controls, focus, key); }
  std::string LastBoxText() const {
    const auto boxes = m_boxes.Requests();
    return boxes.empty() ? std::string() : boxes.back().text;
  }

  vf::ui::MessageBoxRecorder m_boxes;
  RecordingOpener m_opener;
  vf::testing::FakeAdapters m_adapters;
  CSearchDlg m_dialog{m_adapters};
  bool m_created = m_dialog.Create();
  vf::ui::DialogWindow &m_controls = vf::testing::Window(m_dialog);
};

TEST_F(WindowCommandsTest, EnterAndEscapeDoNothingAnywhere) {
  ShowThreeRows();
  Select(1);
  for (int target : {IDC_DEVICE_LIST, IDC_ACCOUNT, IDC_DEV_IP, 0}) {
    for (int key : {vk::kEscape, vk::kReturn}) {
      Key(target, key);
      EXPECT_FALSE(m_controls.Ended()) << "the window did not end";
    }
  }
  EXPECT_EQ(m_boxes.Count(), 0) << "Enter pressed no button";
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "cam-2");
}

TEST_F(WindowCommandsTest, ArrowsInTheListFillThePanelWithTheRowTheyMoveTo) {
  ShowThreeRows();
  Select(1);
  Key(IDC_DEVICE_LIST, vk::kDown);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "cam-3");
  EXPECT_EQ(List().SelectionMark(), 2);
  Key(IDC_DEVICE_LIST, vk::kDown);  // The last row again.
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "cam-3");
  Key(IDC_DEVICE_LIST, vk::kUp);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "cam-2");
  Key(IDC_DEVICE_LIST, vk::kUp);
  Key(IDC_DEVICE_LIST, vk::kUp);  // The first row again.
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "cam-1");

  // Without a mark both arrows report the first row, and the list agrees.
  for (int key : {vk::kDown, vk::kUp}) {
    SCOPED_TRACE(key);
    List().SetSelectionMark(-1);
    m_controls.Item(IDC_DEVICE_NAME).SetText("");
    Key(IDC_DEVICE_LIST, key);
    EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "cam-1");
    EXPECT_EQ(List().SelectionMark(), 0);
  }

  // The list's own keys move the panel along with the mark.
  Key(IDC_DEVICE_LIST, vk::kEnd);
  EXPECT_EQ(List().SelectionMark(), 2);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "cam-3");
  Key(IDC_DEVICE_LIST, vk::kHome);
  EXPECT_EQ(List().SelectionMark(), 0);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "cam-1");

  // Arrows elsewhere leave the panel alone.
  Select(0);
  Key(IDC_ACCOUNT, vk::kDown);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "cam-1");
  EXPECT_EQ(List().SelectionMark(), 0);
}

TEST_F(WindowCommandsTest, ArrowsInAnEmptyList) {
  ShowRows({});
  Key(IDC_DEVICE_LIST, vk::kDown);  // Row -1: the panel stays locked.
  EXPECT_EQ(vf::testing::DeviceSelected(m_dialog), 0);
  EXPECT_EQ(List().SelectionMark(), -1);
  Key(IDC_DEVICE_LIST, vk::kUp);  // Row 0: opens without a device.
  EXPECT_EQ(vf::testing::DeviceSelected(m_dialog), 1);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "");
}

TEST_F(WindowCommandsTest, FunctionKeysRunEnabledCommandsOnly) {
  ShowThreeRows();
  const int account = IDC_ACCOUNT;
  // Panel locked: Browse and Update do nothing.
  Key(account, vk::kF4);
  Key(account, vk::kF5);
  EXPECT_TRUE(m_opener.urls.empty());
  EXPECT_EQ(m_boxes.Count(), 0);

  Select(1);
  Key(IDC_DEVICE_LIST, vk::kF4);
  ASSERT_EQ(m_opener.urls.size(), 1u) << "one key, one page, wherever the focus is";
  EXPECT_EQ(m_opener.urls[0], "http://192.168.1.22:82");
  m_boxes.Script({vf::ui::IDNO});
  Key(account, vk::kF5);
  ASSERT_EQ(m_boxes.Count(), 1);
  EXPECT_EQ(LastBoxText(), "Are you sure to update the selected device?");

  Key(account, vk::kF3);
  EXPECT_EQ(List().ItemCount(), 0);
  EXPECT_FALSE(m_dialog.IsControlEnabled(IDC_SEARCH));
  EXPECT_TRUE(m_controls.IsTimerActive(CSearchDlg::TIMER_COLLECT));
  // While collecting, F3 does not start another search.
  const DeviceRecord late = Camera(4, "192.168.1.24", "255.255.255.0", "84");
  vf::testing::Lan(m_dialog).OnAnnouncement(late);
  Key(account, vk::kF3);
  EXPECT_EQ(vf::testing::Devices(m_dialog).Count(), 1);
}

TEST_F(WindowCommandsTest, BrowseOpensOnlyPlainAddressesAndPorts) {
  struct Case {
    const char *ip, *port, *url;  // Null url: nothing is opened.
  };
  const Case cases[] = {
      {"192.168.1.20", "8080", "http://192.168.1.20:8080"},
      {"192.168.1.20", "", "http://192.168.1.20:"},
      {"0.0.0.0", "80", "http://0.0.0.0:80"},
      {"255.255.255.255", "65535", "http://255.255.255.255:65535"},
      {"", "80", nullptr},
      {"192.168.1.256", "80", nullptr},
      {"192.168.1", "80", nullptr},
      {"192.168.1.2.3", "80", nullptr},
      {"192.168..2", "80", nullptr},
      {"192.168.1.2 ", "80", nullptr},
      {"1.2.3.4;x", "80", nullptr},
      {"0192.1.1.1", "80", nullptr},
      {"192.168.1.20", "80 --new", nullptr},
      {"192.168.1.20", "-1", nullptr},
      {"192.168.1.20", "80/evil", nullptr},
  };
  int n = 1;
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.ip) + ":" + c.port);
    ShowRows({Camera(n++ % 10, c.ip, "255.255.255.0", c.port)});
    Select(0);
    m_opener.urls.clear();
    const int before = m_boxes.Count();
    m_dialog.OnBrowse();
    ExpectOpened(c.url);
    // A refusal is told, never silent.
    ASSERT_EQ(m_boxes.Count(), before + (c.url == nullptr ? 1 : 0));
    if (c.url == nullptr) {
      EXPECT_EQ(m_boxes.Requests().back().text,
                "The device announced an address or http port that cannot be opened.");
    }
  }
}

TEST_F(WindowCommandsTest, BrowseAndRouterWithoutASelectedDevice) {
  ShowThreeRows();
  for (int mark : {-1, 3}) {
    List().SetSelectionMark(mark);
    m_dialog.OnBrowse();
    m_dialog.OnSetRouter();
  }
  ASSERT_EQ(m_boxes.Count(), 4);
  for (const auto &box : m_boxes.Requests()) {
    EXPECT_EQ(box.text, "Please select one device from list.");
    EXPECT_EQ(box.caption, "Tips");
    EXPECT_EQ(box.type, vf::ui::MB_OK);
  }
  EXPECT_TRUE(m_opener.urls.empty());
}

TEST_F(WindowCommandsTest, RouterOpensTheAddressAfterTheNetworkAddress) {
  struct Case {
    const char *ip, *mask, *url;
  };
  const Case cases[] = {
      {"192.168.1.77", "255.255.255.0", "http://192.168.1.1:80"},
      {"10.1.2.200", "255.255.255.128", "http://10.1.2.129:80"},
      {"172.16.5.9", "255.255.0.0", "http://172.16.0.1:80"},
      {"192.168.1.255", "255.255.255.255", nullptr},  // No address follows.
      {"192.168.1.77", "255.255.255", nullptr},
      {"", "255.255.255.0", nullptr},
      {"192.168.1.x", "255.255.255.0", nullptr},
  };
  int n = 1;
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.ip) + "/" + c.mask);
    ShowRows({Camera(n++, c.ip, c.mask, "8080")});
    Select(0);
    m_opener.urls.clear();
    const int before = m_boxes.Count();
    m_dialog.OnSetRouter();
    ExpectOpened(c.url);
    EXPECT_EQ(m_boxes.Count(), before + (c.url == nullptr ? 1 : 0));
  }
}

TEST_F(WindowCommandsTest, WithoutAProgramToOpenPagesBrowseAndRouterSaySo) {
  ShowThreeRows();
  Select(0);
  m_opener.canOpen = false;
  m_dialog.OnBrowse();
  m_dialog.OnSetRouter();
  ASSERT_EQ(m_boxes.Count(), 2);
  const auto boxes = m_boxes.Requests();
  EXPECT_EQ(boxes[0].text,
            "No program to open web pages was found; please open http://192.168.1.21:81 in a "
            "browser.");
  EXPECT_EQ(boxes[1].text,
            "No program to open web pages was found; please open http://192.168.1.1:80 in a "
            "browser.");
  for (const auto &box : boxes) {
    EXPECT_EQ(box.caption, "Tips");
    EXPECT_EQ(box.type, vf::ui::MB_ICONINFORMATION);
  }
}

TEST_F(WindowCommandsTest, ClosingIsRefusedWhileADeviceRestarts) {
  m_dialog.OnDeviceRestarting();
  vf::testing::Click(m_controls, IDC_CLOSE);
  vf::testing::RequestClose(m_controls);
  vf::testing::Cancel(m_controls);
  EXPECT_FALSE(m_controls.Ended()) << "the window did not end";
  ASSERT_EQ(m_boxes.Count(), 3);
  for (const auto &box : m_boxes.Requests()) {
    EXPECT_EQ(box.text, "Device is restarting...,Please try again later.");
    EXPECT_EQ(box.caption, "Tips");
    EXPECT_EQ(box.type, vf::ui::MB_ICONINFORMATION | vf::ui::MB_OK);
    EXPECT_EQ(box.owner, &m_controls);
  }
  EXPECT_TRUE(m_controls.Item(IDC_RESTART_PROGRESS).IsVisible()) << "nothing else changes";

  for (int tick = 0; tick < CSearchDlg::kRestartTickCount; ++tick) {
    vf::testing::FireTimer(m_dialog, CSearchDlg::TIMER_RESTART);
  }
  vf::testing::RequestClose(m_controls);
  EXPECT_TRUE(m_controls.Ended());
  EXPECT_EQ(m_boxes.Count(), 3) << "no question when closing";
}

TEST_F(WindowCommandsTest, CloseButtonEndsTheWindow) {
  vf::testing::Click(m_controls, IDC_CLOSE);
  EXPECT_TRUE(m_controls.Ended());
  EXPECT_EQ(m_boxes.Count(), 0);
}

}  // namespace

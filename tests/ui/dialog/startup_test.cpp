// The window as it opens: title, system menu, list columns, locked detail
// panel, adapter panel and the engine start with its fallback and failure.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTimer>

#include "dialog_controls.h"
#include "drop_down_list.h"
#include "fake_adapters.h"
#include "message_box_recorder.h"
#include "report_list.h"
#include "resource_ids.h"
#include "search_dlg.h"
#include "system_menu.h"
#include "timers.h"
#include "up_down_control.h"
#include "window_title.h"

namespace {

using namespace vf::res;
using vf::test::FakeAdapters;
using vf::test::MakeAdapter;

// A UDP socket bound to a port without address reuse, so that the engine
// cannot bind the same port while it is open.
class PortBlocker {
 public:
  explicit PortBlocker(uint16_t port) : m_fd(socket(AF_INET, SOCK_DGRAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    m_bound =
        m_fd >= 0 && bind(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
  }
  ~PortBlocker() {
    if (m_fd >= 0) close(m_fd);
  }
  PortBlocker(const PortBlocker &) = delete;
  PortBlocker &operator=(const PortBlocker &) = delete;
  bool Bound() const { return m_bound; }

 private:
  int m_fd;
  bool m_bound = false;
};

TEST(SearchDialogStartup, OpensWithTitleColumnsAndALockedPanel) {
  g_windowTitle = QStringLiteral("Zelmor Serial Intranet search and settings(V1.0.0.1)");
  FakeAdapters adapters;
  vf::ui::MessageBoxRecorder boxes;
  CSearchDlg dialog(adapters);
  vf::ui::DialogControls &controls = dialog.Controls();

  EXPECT_EQ(dialog.windowTitle(), g_windowTitle);
  EXPECT_FALSE(dialog.windowIcon().isNull());
  EXPECT_TRUE(dialog.EngineStarted());
  EXPECT_NE(dialog.Session(), nullptr);
  EXPECT_EQ(boxes.Count(), 0);

  // The About item closes the system menu, after a separator.
  const auto actions = dialog.SysMenu()->Menu()->actions();
  ASSERT_GE(actions.size(), 2);
  EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
  EXPECT_EQ(actions.last()->text(), "About Vellafind(&A)...");

  vf::ui::ReportList *list = controls.List(IDC_DEVICE_LIST);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->ColumnCount(), 3);
  const char *headings[] = {"No.", "DeviceName", "MAC"};
  const int widths[] = {40, 80, 115};
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(list->ColumnHeading(c), headings[c]);
    EXPECT_EQ(list->columnWidth(c), widths[c]);
  }
  EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(list->ItemCount(), 0);
  EXPECT_EQ(controls.Text(IDC_DEVICE_COUNT), "0 pcs");

  EXPECT_EQ(controls.Text(IDC_HTTP_PORT), "80");
  vf::ui::UpDownControl *spin = controls.UpDown(IDC_HTTP_PORT_SPIN);
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(spin->Buddy(), controls.Control(IDC_HTTP_PORT));
  EXPECT_EQ(spin->Lower(), 1);
  EXPECT_EQ(spin->Upper(), 65535);
  EXPECT_EQ(spin->Pos(), 1);

  // Locked: edits are read-only but enabled, everything else disabled.
  EXPECT_EQ(dialog.DeviceSelected(), 0);
  for (int id : {IDC_HTTP_PORT, IDC_ACCOUNT, IDC_PASSWORD, IDC_DDNS_NAME}) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(controls.IsEnabled(id));
    EXPECT_TRUE(controls.IsReadOnly(id));
  }
  for (int id : {IDC_DHCP, IDC_DEV_IP, IDC_DEV_MASK, IDC_DEV_GATEWAY, IDC_DEV_DNS1, IDC_DEV_DNS2,
                 IDC_HTTP_PORT_SPIN, IDC_UPDATE, IDC_BROWSE, IDC_SET_DDNS}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(controls.IsEnabled(id));
  }
  EXPECT_TRUE(controls.IsEnabled(IDC_SEARCH));
  EXPECT_TRUE(controls.IsEnabled(IDC_CLOSE));
  EXPECT_FALSE(controls.IsVisible(IDC_RESTART_PROGRESS));
  EXPECT_FALSE(controls.IsVisible(IDC_RESTART_TEXT));
  EXPECT_FALSE(dialog.Timers().IsActive(CSearchDlg::TIMER_COLLECT));
}

TEST(SearchDialogStartup, AboutCommandsOpenTheAboutBox) {
  FakeAdapters adapters;
  CSearchDlg dialog(adapters);
  for (unsigned id : {16u, 31u}) {
    QString caption;
    QTimer::singleShot(0, [&caption] {
      if (QWidget *modal = QApplication::activeModalWidget()) {
        caption = modal->windowTitle();
        static_cast<QDialog *>(modal)->reject();
      }
    });
    dialog.OnSysCommand(id);
    EXPECT_EQ(caption, "About Vellafind") << id;
  }
}

TEST(SearchDialogAdapters, DefaultAdapterIsTheFirstConfiguredOne) {
  FakeAdapters adapters;
  adapters.adapters = std::vector<vf::platform::Adapter>{
      MakeAdapter("lo-like", 1, {{"0.0.0.0", "0.0.0.0"}}),
      MakeAdapter("host", 2, {{"10.0.0.5", "255.255.255.255"}}),
      MakeAdapter("eth0", 3, {{"192.168.1.10", "255.255.255.0"}, {"192.168.2.10", "255.255.255.0"}},
                  {"192.168.1.1", "192.168.2.1"}),
      MakeAdapter("eth1", 4, {{"172.16.0.2", "255.255.0.0"}}, {"172.16.0.1"}),
  };
  adapters.dns[3] = {"1.1.1.1", "9.9.9.9", "8.8.8.8"};
  adapters.dns[4] = {"172.16.0.53"};
  CSearchDlg dialog(adapters);
  vf::ui::DialogControls &controls = dialog.Controls();

  vf::ui::DropDownList *combo = controls.Combo(IDC_ADAPTER);
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->Count(), 4);
  EXPECT_EQ(combo->itemText(0), "lo-like");
  EXPECT_EQ(combo->CurSel(), 2);
  EXPECT_EQ(controls.Text(IDC_LOCAL_IP), "192.168.1.10\r\n192.168.2.10");
  EXPECT_EQ(controls.Text(IDC_LOCAL_MASK), "255.255.255.0");
  EXPECT_EQ(controls.Text(IDC_LOCAL_GATEWAY), "192.168.1.1");
  EXPECT_EQ(controls.Text(IDC_LOCAL_DNS1), "1.1.1.1");
  EXPECT_EQ(controls.Text(IDC_LOCAL_DNS2), "9.9.9.9");

  // Every adapter with an IPv4 address gives its first one; the unconfigured
  // one is listed but has nothing to search from.
  EXPECT_EQ(dialog.LocalAddresses(), QStringList({"10.0.0.5", "192.168.1.10", "172.16.0.2"}));

  // Choosing another adapter changes the five fields only.
  combo->SetCurSel(3);
  dialog.OnAdapterSelChange();
  EXPECT_EQ(controls.Text(IDC_LOCAL_IP), "172.16.0.2");
  EXPECT_EQ(controls.Text(IDC_LOCAL_GATEWAY), "172.16.0.1");
  EXPECT_EQ(controls.Text(IDC_LOCAL_DNS1), "172.16.0.53");
  EXPECT_EQ(controls.Text(IDC_LOCAL_DNS2), "");
  combo->SetCurSel(0);
  dialog.OnAdapterSelChange();
  EXPECT_EQ(controls.Text(IDC_LOCAL_IP), "0.0.0.0");
  EXPECT_EQ(controls.Text(IDC_LOCAL_DNS1), "");
  EXPECT_EQ(dialog.LocalAddresses().size(), 3);
}

TEST(SearchDialogAdapters, UnreadableAdapterListLeavesThePanelEmpty) {
  FakeAdapters adapters;
  adapters.adapters = std::nullopt;
  CSearchDlg dialog(adapters);
  EXPECT_EQ(dialog.Controls().Combo(IDC_ADAPTER)->Count(), 0);
  EXPECT_EQ(dialog.Controls().Text(IDC_LOCAL_IP), "");
  EXPECT_TRUE(dialog.LocalAddresses().isEmpty());
}

TEST(SearchDialogEngine, FallsBackToTheSecondPortSilently) {
  PortBlocker first(8002);
  ASSERT_TRUE(first.Bound());
  FakeAdapters adapters;
  vf::ui::MessageBoxRecorder boxes;
  CSearchDlg dialog(adapters);
  EXPECT_TRUE(dialog.EngineStarted());
  EXPECT_NE(dialog.Session(), nullptr);
  EXPECT_EQ(boxes.Count(), 0);
}

TEST(SearchDialogEngine, BothPortsTakenShowsOneMessageAndSearchStillCompletes) {
  PortBlocker first(8002);
  PortBlocker second(12109);
  ASSERT_TRUE(first.Bound());
  ASSERT_TRUE(second.Bound());
  FakeAdapters adapters;
  vf::ui::MessageBoxRecorder boxes;
  CSearchDlg dialog(adapters);
  EXPECT_FALSE(dialog.EngineStarted());
  EXPECT_EQ(dialog.Session(), nullptr);
  ASSERT_EQ(boxes.Count(), 1);
  const vf::ui::MessageBoxRequest request = boxes.Requests().front();
  EXPECT_EQ(request.text, "Failed to initialize.");
  EXPECT_EQ(request.caption, "Tips");
  EXPECT_EQ(request.type, vf::ui::MB_ICONINFORMATION | vf::ui::MB_OK);
  EXPECT_EQ(request.owner, &dialog);

  dialog.OnSearch();
  EXPECT_FALSE(dialog.IsControlEnabled(IDC_SEARCH));
  ASSERT_TRUE(dialog.Timers().Fire(CSearchDlg::TIMER_COLLECT));
  EXPECT_EQ(dialog.Controls().Text(IDC_DEVICE_COUNT), "0 pcs");
  EXPECT_TRUE(dialog.IsControlEnabled(IDC_SEARCH));
  EXPECT_EQ(dialog.StopEngine(), -1);
  EXPECT_EQ(boxes.Count(), 1);
}

}  // namespace

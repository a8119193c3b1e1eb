// The detail panel: filling from a clicked row, the lock rules, the DHCP
// check box and the http port arrows.
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "fake_adapters.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"

namespace {

using namespace vf::res;
using vf::testing::CopyField;
using vf::testing::MakeDevice;

constexpr int kAddressControls[] = {IDC_DEV_IP, IDC_DEV_MASK, IDC_DEV_GATEWAY, IDC_DEV_DNS1,
                                    IDC_DEV_DNS2};

class DetailPanelTest : public ::testing::Test {
 protected:
  DetailPanelTest() {
    DeviceRecord dhcp = MakeDevice("cam-dhcp", "00:00:00:00:00:01");
    dhcp.network.dhcp = 1;
    CopyField(dhcp.webVersion, "W9.9");
    DeviceRecord fixed = MakeDevice("cam-fixed", "00:00:00:00:00:02");
    CopyField(fixed.network.ipAddress, "");
    CopyField(fixed.httpPort, "81");
    fixed.network.dhcp = 0;
    vf::testing::ShowDevices(m_dialog, {dhcp, fixed});
  }

  void ExpectAddressControlsEnabled(bool enabled) {
    for (int id : kAddressControls) {
      SCOPED_TRACE(id);
      EXPECT_EQ(m_controls.Item(id).IsEnabled(), enabled);
    }
  }

  vf::testing::FakeAdapters m_adapters;
  CSearchDlg m_dialog{m_adapters};
  bool m_created = m_dialog.Create();
  vf::ui::DialogWindow &m_controls = vf::testing::Window(m_dialog);
};

TEST_F(DetailPanelTest, ClickFillsEveryFieldAndOpensThePanel) {
  m_controls.Item(IDC_ACCOUNT).SetText("admin");
  m_dialog.OnDeviceListClick(0);
  EXPECT_EQ(vf::testing::DeviceSelected(m_dialog), 1);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "cam-dhcp");
  EXPECT_EQ(m_controls.Item(IDC_FIRMWARE_SYS_VER).Text(), "V2.1.0");
  EXPECT_EQ(m_controls.Item(IDC_FIRMWARE_APP_VER).Text(), "W9.9");
  EXPECT_EQ(m_controls.Item(IDC_DEV_IP).Text(), "192.168.1.20");
  EXPECT_EQ(m_controls.Item(IDC_DEV_MASK).Text(), "255.255.255.0");
  EXPECT_EQ(m_controls.Item(IDC_DEV_GATEWAY).Text(), "192.168.1.1");
  EXPECT_EQ(m_controls.Item(IDC_DEV_DNS1).Text(), "8.8.8.8");
  EXPECT_EQ(m_controls.Item(IDC_DEV_DNS2).Text(), "8.8.4.4");
  EXPECT_EQ(m_controls.Item(IDC_HTTP_PORT).Text(), "8080");
  EXPECT_EQ(m_controls.Find<vf::ui::CheckBox>(IDC_DHCP)->GetCheck(), 1);

  // Open with DHCP: the address controls stay locked, the rest is writable.
  EXPECT_TRUE(m_controls.Item(IDC_DHCP).IsEnabled());
  ExpectAddressControlsEnabled(false);
  for (int id : {IDC_HTTP_PORT, IDC_ACCOUNT, IDC_PASSWORD}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(m_controls.Find<vf::ui::Edit>(id)->IsReadOnly());
  }
  EXPECT_TRUE(m_controls.Item(IDC_UPDATE).IsEnabled());
  EXPECT_TRUE(m_controls.Item(IDC_BROWSE).IsEnabled());
  EXPECT_TRUE(m_controls.Item(IDC_HTTP_PORT_SPIN).IsEnabled());
  // Enabling a hidden control does not show it.
  EXPECT_FALSE(m_controls.Item(IDC_FACTORY_DEFAULTS).IsVisible());
  EXPECT_FALSE(m_controls.Item(IDC_SET_ROUTER).IsVisible());
  EXPECT_FALSE(m_controls.Item(IDC_SET_DDNS).IsVisible());
  // Name and firmware are never part of the panel state.
  EXPECT_TRUE(m_controls.Find<vf::ui::Edit>(IDC_DEVICE_NAME)->IsReadOnly());

  // The second device: no address reads "0.0.0.0"; the account stays.
  m_dialog.OnDeviceListClick(1);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "cam-fixed");
  EXPECT_EQ(m_controls.Item(IDC_DEV_IP).Text(), "0.0.0.0");
  EXPECT_EQ(m_controls.Item(IDC_HTTP_PORT).Text(), "81");
  EXPECT_EQ(m_controls.Find<vf::ui::CheckBox>(IDC_DHCP)->GetCheck(), 0);
  ExpectAddressControlsEnabled(true);
  EXPECT_EQ(m_controls.Item(IDC_ACCOUNT).Text(), "admin");
}

TEST_F(DetailPanelTest, ClicksBesideOrBeyondTheRows) {
  // Beyond the store (the arrow keys on a short list): opens without filling.
  m_dialog.OnDeviceListClick(2);
  EXPECT_EQ(vf::testing::DeviceSelected(m_dialog), 1);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "");
  EXPECT_FALSE(m_controls.Find<vf::ui::Edit>(IDC_ACCOUNT)->IsReadOnly());

  // Beside the rows: the panel keeps its device, the mark is dropped.
  vf::ui::ListView &list = vf::testing::DeviceList(m_dialog);
  m_dialog.OnDeviceListClick(1);
  list.SetSelectionMark(1);
  m_dialog.OnDeviceListClick(-1);
  EXPECT_EQ(list.SelectionMark(), -1);
  EXPECT_EQ(vf::testing::DeviceSelected(m_dialog), 1);
  EXPECT_EQ(m_controls.Item(IDC_DEVICE_NAME).Text(), "cam-fixed");
  EXPECT_TRUE(m_controls.Item(IDC_UPDATE).IsEnabled());
}

TEST_F(DetailPanelTest, CheckBoxLocksTheAddressesOnlyWhileThePanelIsOpen) {
  // Locked panel: the check box changes nothing.
  m_controls.Find<vf::ui::CheckBox>(IDC_DHCP)->SetCheck(0);
  m_dialog.OnDhcpCheck();
  ExpectAddressControlsEnabled(false);

  m_dialog.OnDeviceListClick(1);
  ExpectAddressControlsEnabled(true);
  m_controls.Find<vf::ui::CheckBox>(IDC_DHCP)->SetCheck(1);
  m_dialog.OnDhcpCheck();
  ExpectAddressControlsEnabled(false);
  EXPECT_TRUE(m_controls.Item(IDC_UPDATE).IsEnabled());
  m_controls.Find<vf::ui::CheckBox>(IDC_DHCP)->SetCheck(0);
  m_dialog.OnDhcpCheck();
  ExpectAddressControlsEnabled(true);
  EXPECT_EQ(m_controls.Item(IDC_DEV_MASK).Text(), "255.255.255.0");  // Contents unchanged.

  // Any state but 0 and 1 leaves everything as it is.
  m_dialog.EnableDevicePanel(2);
  ExpectAddressControlsEnabled(true);
  m_dialog.EnableDevicePanel(0);
  ExpectAddressControlsEnabled(false);
  EXPECT_FALSE(m_controls.Item(IDC_DHCP).IsEnabled());
  EXPECT_TRUE(m_controls.Item(IDC_ACCOUNT).IsEnabled());
  EXPECT_TRUE(m_controls.Find<vf::ui::Edit>(IDC_ACCOUNT)->IsReadOnly());
}

TEST_F(DetailPanelTest, PortArrowsStayWithinOneTo65535) {
  struct Case {
    const char *before;
    int delta;
    const char *after;
  };
  const Case cases[] = {
      {"80", 1, "81"}, {"80", -1, "79"}, {"65534", 1, "65535"},  {"65535", 1, "65535"},
      {"2", -1, "1"},  {"1", -1, "1"},   {"0", 1, "1"},          {"0", -1, "0"},
      {"", 1, "1"},    {"", -1, ""},     {"70000", -1, "69999"}, {"70000", 1, "70000"},
      {"80", 2, "80"}, {"80", 0, "80"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.before) + " " + std::to_string(c.delta));
    m_controls.Item(IDC_HTTP_PORT).SetText(c.before);
    m_dialog.OnHttpPortSpin(c.delta);
    EXPECT_EQ(m_controls.Item(IDC_HTTP_PORT).Text(), c.after);
  }
}

}  // namespace

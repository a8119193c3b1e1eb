// The detail panel: filling from a clicked row, the lock rules, the DHCP
// check box and the http port arrows.
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "fake_adapters.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"

namespace {

using namespace vf::res;
using vf::test::CopyField;
using vf::test::MakeDevice;

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
    vf::test::ShowDevices(m_dialog, {dhcp, fixed});
  }

  void ExpectAddressControlsEnabled(bool enabled) {
    for (int id : kAddressControls) {
      SCOPED_TRACE(id);
      EXPECT_EQ(m_controls.IsEnabled(id), enabled);
    }
  }

  vf::test::FakeAdapters m_adapters;
  CSearchDlg m_dialog{m_adapters};
  bool m_created = m_dialog.Create();
  vf::ui::DialogWindow &m_controls = m_dialog.Window();
};

TEST_F(DetailPanelTest, ClickFillsEveryFieldAndOpensThePanel) {
  m_controls.SetText(IDC_ACCOUNT, "admin");
  m_dialog.OnDeviceListClick(0);
  EXPECT_EQ(m_dialog.DeviceSelected(), 1);
  EXPECT_EQ(m_controls.Text(IDC_DEVICE_NAME), "cam-dhcp");
  EXPECT_EQ(m_controls.Text(IDC_FIRMWARE_SYS_VER), "V2.1.0");
  EXPECT_EQ(m_controls.Text(IDC_FIRMWARE_APP_VER), "W9.9");
  EXPECT_EQ(m_controls.Text(IDC_DEV_IP), "192.168.1.20");
  EXPECT_EQ(m_controls.Text(IDC_DEV_MASK), "255.255.255.0");
  EXPECT_EQ(m_controls.Text(IDC_DEV_GATEWAY), "192.168.1.1");
  EXPECT_EQ(m_controls.Text(IDC_DEV_DNS1), "8.8.8.8");
  EXPECT_EQ(m_controls.Text(IDC_DEV_DNS2), "8.8.4.4");
  EXPECT_EQ(m_controls.Text(IDC_HTTP_PORT), "8080");
  EXPECT_EQ(m_controls.GetCheck(IDC_DHCP), 1);

  // Open with DHCP: the address controls stay locked, the rest is writable.
  EXPECT_TRUE(m_controls.IsEnabled(IDC_DHCP));
  ExpectAddressControlsEnabled(false);
  for (int id : {IDC_HTTP_PORT, IDC_ACCOUNT, IDC_PASSWORD}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(m_controls.IsReadOnly(id));
  }
  EXPECT_TRUE(m_controls.IsEnabled(IDC_UPDATE));
  EXPECT_TRUE(m_controls.IsEnabled(IDC_BROWSE));
  EXPECT_TRUE(m_controls.IsEnabled(IDC_HTTP_PORT_SPIN));
  // Enabling a hidden control does not show it.
  EXPECT_FALSE(m_controls.IsVisible(IDC_FACTORY_DEFAULTS));
  EXPECT_FALSE(m_controls.IsVisible(IDC_SET_ROUTER));
  EXPECT_FALSE(m_controls.IsVisible(IDC_SET_DDNS));
  // Name and firmware are never part of the panel state.
  EXPECT_TRUE(m_controls.IsReadOnly(IDC_DEVICE_NAME));

  // The second device: no address reads "0.0.0.0"; the account stays.
  m_dialog.OnDeviceListClick(1);
  EXPECT_EQ(m_controls.Text(IDC_DEVICE_NAME), "cam-fixed");
  EXPECT_EQ(m_controls.Text(IDC_DEV_IP), "0.0.0.0");
  EXPECT_EQ(m_controls.Text(IDC_HTTP_PORT), "81");
  EXPECT_EQ(m_controls.GetCheck(IDC_DHCP), 0);
  ExpectAddressControlsEnabled(true);
  EXPECT_EQ(m_controls.Text(IDC_ACCOUNT), "admin");
}

TEST_F(DetailPanelTest, ClicksBesideOrBeyondTheRows) {
  // Beyond the store (the arrow keys on a short list): opens without filling.
  m_dialog.OnDeviceListClick(2);
  EXPECT_EQ(m_dialog.DeviceSelected(), 1);
  EXPECT_EQ(m_controls.Text(IDC_DEVICE_NAME), "");
  EXPECT_FALSE(m_controls.IsReadOnly(IDC_ACCOUNT));

  // Beside the rows: the panel keeps its device, the mark is dropped.
  const vf::ui::ListView list = vf::test::DeviceList(m_dialog);
  m_dialog.OnDeviceListClick(1);
  list.SetSelectionMark(1);
  m_dialog.OnDeviceListClick(-1);
  EXPECT_EQ(list.SelectionMark(), -1);
  EXPECT_EQ(m_dialog.DeviceSelected(), 1);
  EXPECT_EQ(m_controls.Text(IDC_DEVICE_NAME), "cam-fixed");
  EXPECT_TRUE(m_controls.IsEnabled(IDC_UPDATE));
}

TEST_F(DetailPanelTest, CheckBoxLocksTheAddressesOnlyWhileThePanelIsOpen) {
  // Locked panel: the check box changes nothing.
  m_controls.SetCheck(IDC_DHCP, 0);
  m_dialog.OnDhcpCheck();
  ExpectAddressControlsEnabled(false);

  m_dialog.OnDeviceListClick(1);
  ExpectAddressControlsEnabled(true);
  m_controls.SetCheck(IDC_DHCP, 1);
  m_dialog.OnDhcpCheck();
  ExpectAddressControlsEnabled(false);
  EXPECT_TRUE(m_controls.IsEnabled(IDC_UPDATE));
  m_controls.SetCheck(IDC_DHCP, 0);
  m_dialog.OnDhcpCheck();
  ExpectAddressControlsEnabled(true);
  EXPECT_EQ(m_controls.Text(IDC_DEV_MASK), "255.255.255.0");  // Contents unchanged.

  // Any state but 0 and 1 leaves everything as it is.
  m_dialog.EnableDevicePanel(2);
  ExpectAddressControlsEnabled(true);
  m_dialog.EnableDevicePanel(0);
  ExpectAddressControlsEnabled(false);
  EXPECT_FALSE(m_controls.IsEnabled(IDC_DHCP));
  EXPECT_TRUE(m_controls.IsEnabled(IDC_ACCOUNT));
  EXPECT_TRUE(m_controls.IsReadOnly(IDC_ACCOUNT));
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
    m_controls.SetText(IDC_HTTP_PORT, c.before);
    m_dialog.OnHttpPortSpin(c.delta);
    EXPECT_EQ(m_controls.Text(IDC_HTTP_PORT), c.after);
  }
}

}  // namespace

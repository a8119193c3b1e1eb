#include "command.h"

#include <gtest/gtest.h>

namespace vf::camsim {
namespace {

using Tokens = std::vector<std::string_view>;

TEST(SplitAtBlanksTest, KeepsEmptyValuesInPlace) {
  EXPECT_EQ(split_at_blanks("a -x  -y 2"), (Tokens{"a", "-x", "", "-y", "2"}));
  EXPECT_EQ(split_at_blanks("-x 1 "), (Tokens{"-x", "1", ""}));
  EXPECT_EQ(split_at_blanks("one"), (Tokens{"one"}));
  EXPECT_EQ(split_at_blanks(""), (Tokens{""}));
}

class ApplyCommandTest : public ::testing::Test {
 protected:
  Fleet fleet{7, 3};
  Camera &camera() { return fleet.at(1); }
};

TEST_F(ApplyCommandTest, NetconfSetsEveryNetworkSetting) {
  ApplyResult result =
      apply_command(fleet, 1,
                    "netconf set -ipaddr 10.1.2.3 -netmask 255.0.0.0 -gateway 10.0.0.1 -dhcp on "
                    "-fdnsip 9.9.9.9 -sdnsip 1.1.1.1 -dnsstat 0 -hwaddr 00:1A:3F:00:00:99");
  EXPECT_TRUE(result.recognised);
  EXPECT_TRUE(result.problems.empty());
  EXPECT_EQ(result.verb, "netconf");
  EXPECT_EQ(camera().ip, "10.1.2.3");
  EXPECT_EQ(camera().netmask, "255.0.0.0");
  EXPECT_EQ(camera().gateway, "10.0.0.1");
  EXPECT_EQ(camera().dhcp, 1);
  EXPECT_EQ(camera().primary_dns, "9.9.9.9");
  EXPECT_EQ(camera().secondary_dns, "1.1.1.1");
  EXPECT_EQ(camera().dns_stat, 0);
  EXPECT_EQ(camera().mac, "00:1A:3F:00:00:99");

  apply_command(fleet, 1,
                "netconf set -ipaddr 10.1.2.3 -netmask 255.0.0.0 -gateway 10.0.0.1 -dhcp off "
                "-fdnsip 9.9.9.9 -sdnsip 1.1.1.1 -dnsstat 1 -hwaddr 00:1A:3F:00:00:99");
  EXPECT_EQ(camera().dhcp, 0);
  EXPECT_EQ(camera().dns_stat, 1);
}

TEST_F(ApplyCommandTest, EmptyValueDoesNotShiftTheFlagsAfterIt) {
  ApplyResult result =
      apply_command(fleet, 1,
                    "netconf set -ipaddr 10.1.2.3 -netmask 255.0.0.0 -gateway  -dhcp off "
                    "-fdnsip  -sdnsip  -dnsstat 1 -hwaddr 00:1A:3F:00:00:99");
  EXPECT_TRUE(result.problems.empty());
  EXPECT_EQ(camera().gateway, "");
  EXPECT_EQ(camera().primary_dns, "");
  EXPECT_EQ(camera().secondary_dns, "");
  EXPECT_EQ(camera().dhcp, 0);
  EXPECT_EQ(camera().dns_stat, 1);
  EXPECT_EQ(camera().mac, "00:1A:3F:00:00:99");
}

TEST_F(ApplyCommandTest, BadValueLeavesOnlyItsSettingUnchanged) {
  int dhcp_before = camera().dhcp;
  ApplyResult result =
      apply_command(fleet, 1,
                    "netconf set -ipaddr 10.9.9.9 -netmask 255.0.0.0 -gateway 10.0.0.1 -dhcp 1 "
                    "-fdnsip 9.9.9.9 -sdnsip 1.1.1.1 -dnsstat x -hwaddr 00:1A:3F:00:00:99");
  EXPECT_TRUE(result.recognised);
  EXPECT_EQ(result.problems.size(), 2u);
  EXPECT_EQ(camera().dhcp, dhcp_before);
  EXPECT_EQ(camera().ip, "10.9.9.9");
  EXPECT_EQ(camera().mac, "00:1A:3F:00:00:99");
}

TEST_F(ApplyCommandTest, MissingAndUnknownFlagsAreReported) {
  std::string ip_before = camera().ip;
  ApplyResult result = apply_command(fleet, 1, "netconf set -bogus 1 -netmask 255.0.0.0");
  EXPECT_TRUE(result.recognised);
  EXPECT_EQ(camera().ip, ip_before);
  EXPECT_EQ(camera().netmask, "255.0.0.0");
  EXPECT_EQ(result.problems.size(), 1u + 7u);  // one unknown, seven missing
}

TEST_F(ApplyCommandTest, HttpPort) {
  apply_command(fleet, 1, "httpport set -httpport 8081");
  EXPECT_EQ(camera().http_port, "8081");
}

TEST_F(ApplyCommandTest, DdnsSet) {
  ApplyResult result =
      apply_command(fleet, 1,
                    "ddnsset set -our_enable 1 -our_server ddns.example -our_port 81 -our_uname u "
                    "-our_passwd  -our_domain d.example");
  EXPECT_TRUE(result.problems.empty());
  EXPECT_EQ(camera().ddns_enable, 1);
  EXPECT_EQ(camera().ddns_host, "ddns.example");
  EXPECT_EQ(camera().ddns_port, 81);
  EXPECT_EQ(camera().ddns_user, "u");
  EXPECT_EQ(camera().ddns_password, "");
  EXPECT_EQ(camera().ddns_domain, "d.example");
}

TEST_F(ApplyCommandTest, IdentifySetMapsProductToDeviceType) {
  apply_command(fleet, 1, "identifyset set -cvendor V -cproduct P -product T");
  EXPECT_EQ(camera().vendor, "V");
  EXPECT_EQ(camera().product, "P");
  EXPECT_EQ(camera().device_type, "T");
}

TEST_F(ApplyCommandTest, DevIdSetMovesTheLookupToTheNewId) {
  std::string old_id = camera().device_id;
  std::string new_id(32, 'N');
  EXPECT_TRUE(apply_command(fleet, 1, "devidset set -devid " + new_id).problems.empty());
  EXPECT_EQ(camera().device_id, new_id);
  EXPECT_EQ(fleet.find(new_id), std::optional<std::size_t>(1));
  EXPECT_FALSE(fleet.find(old_id));
}

TEST_F(ApplyCommandTest, DevIdSetRefusesAnIdInUse) {
  std::string mine = camera().device_id;
  std::string taken = fleet.at(0).device_id;
  ApplyResult result = apply_command(fleet, 1, "devidset set -devid " + taken);
  EXPECT_EQ(result.problems.size(), 1u);
  EXPECT_EQ(camera().device_id, mine);
  EXPECT_EQ(fleet.find(taken), std::optional<std::size_t>(0));
}

TEST_F(ApplyCommandTest, UnknownCommandsAreNotRecognised) {
  EXPECT_FALSE(apply_command(fleet, 1, "reboot set").recognised);
  EXPECT_FALSE(apply_command(fleet, 1, "netconf get -ipaddr 1.2.3.4").recognised);
  EXPECT_FALSE(apply_command(fleet, 1, "netconf").recognised);
  EXPECT_FALSE(apply_command(fleet, 1, "").recognised);
  EXPECT_FALSE(apply_command(fleet, 1, "NETCONF set -ipaddr 1.2.3.4").recognised);
}

}  // namespace
}  // namespace vf::camsim

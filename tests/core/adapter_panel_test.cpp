#include "core/adapter_panel.h"

#include <gtest/gtest.h>

#include "fake_adapter_source.h"

namespace vf::core {
namespace {

using testing::FakeAdapterSource;
using testing::kUnconfigured;

std::vector<std::string> Descriptions(const AdapterPanel &panel) {
  std::vector<std::string> texts;
  for (const AdapterEntry &entry : panel.entries) texts.push_back(entry.description);
  return texts;
}

TEST(AdapterPanel, DefaultIsTheFirstConfiguredAdapterWithoutAHostMask) {
  FakeAdapterSource source;
  source.Add("unplugged", 1, {kUnconfigured});
  source.Add("vpn", 2, {{"10.8.0.6", "255.255.255.255"}});
  source.Add("eth0", 3, {{"192.168.1.10", "255.255.255.0"}});
  source.Add("wlan0", 4, {{"172.16.0.5", "255.255.0.0"}});

  const AdapterPanel panel = LoadAdapterPanel(source);
  EXPECT_EQ(Descriptions(panel), (std::vector<std::string>{"unplugged", "vpn", "eth0", "wlan0"}))
      << "every adapter is listed, in platform order";
  EXPECT_EQ(panel.defaultDescription, "eth0");
  EXPECT_EQ(panel.selectedIndex, 2);
}

TEST(AdapterPanel, WithoutAQualifyingAdapterTheEmptyRequestPicksEntryOneOrZero) {
  FakeAdapterSource two;
  two.Add("unplugged", 1, {kUnconfigured});
  two.Add("vpn", 2, {{"10.8.0.6", "255.255.255.255"}});
  const AdapterPanel panelOfTwo = LoadAdapterPanel(two);
  EXPECT_EQ(panelOfTwo.defaultDescription, "");
  EXPECT_EQ(panelOfTwo.selectedIndex, 1) << "the search starts after entry 0";

  FakeAdapterSource one;
  one.Add("unplugged", 1, {kUnconfigured});
  EXPECT_EQ(LoadAdapterPanel(one).selectedIndex, 0) << "wraps round to entry 0";
}

TEST(SelectStringIndex, MatchesAPrefixWithoutCaseFromEntryOneThenEntryZero) {
  std::vector<AdapterEntry> entries;
  for (const char *text : {"Realtek LAN", "Intel Wireless", "realtek usb"}) {
    entries.push_back({text, {}});
  }
  const struct {
    const char *prefix;
    int index;
    const char *why;
  } cases[] = {
      {"Intel", 1, "a plain prefix"},
      {"REALTEK", 2, "case is ignored, and entry 2 is tried before entry 0"},
      {"Realtek LAN", 0, "only entry 0 matches: found after wrapping"},
      {"Realtek LAN adapter", -1, "a longer text is no prefix"},
      {"Broadcom", -1, "no match"},
  };
  for (const auto &c : cases) EXPECT_EQ(SelectStringIndex(entries, c.prefix), c.index) << c.why;
  EXPECT_EQ(SelectStringIndex({}, ""), -1) << "no entries, nothing selected";
}

TEST(AdapterPanel, ShowsEveryAddressWithTheFirstMaskAndGateway) {
  FakeAdapterSource source;
  source.Add("eth0", 7, {{"192.168.1.10", "255.255.255.0"}, {"10.0.0.2", "255.0.0.0"}},
             {"192.168.1.1", "10.0.0.1"});
  source.dns[7] = {"8.8.8.8"};

  const AdapterPanel panel = LoadAdapterPanel(source);
  const AdapterPanelTexts expected{"192.168.1.10\r\n10.0.0.2", "255.255.255.0", "192.168.1.1",
                                   "8.8.8.8", ""};
  EXPECT_EQ(PanelTextsFor(panel, 0), expected);
}

TEST(AdapterPanel, ShowsTheFirstTwoDnsServers) {
  FakeAdapterSource source;
  source.Add("eth0", 1, {{"192.168.1.10", "255.255.255.0"}});
  source.dns[1] = {"192.168.1.1", "8.8.8.8", "1.1.1.1"};

  const AdapterPanel panel = LoadAdapterPanel(source);
  EXPECT_EQ(panel.adapterDns.at("192.168.1.10"), "192.168.1.1;8.8.8.8;1.1.1.1;");
  const AdapterPanelTexts texts = PanelTextsFor(panel, 0);
  EXPECT_EQ(texts.dns1, "192.168.1.1");
  EXPECT_EQ(texts.dns2, "8.8.8.8");
  EXPECT_EQ(texts.gateway, "") << "no gateway shows empty";
}

TEST(AdapterPanel, AdaptersWithTheSameFirstAddressShareTheFirstNonEmptyDnsList) {
  FakeAdapterSource source;
  source.Add("first", 1, {kUnconfigured});   // no servers: stored empty, may be replaced
  source.Add("second", 2, {kUnconfigured});  // the first non-empty list: kept
  source.Add("third", 3, {kUnconfigured});   // comes too late
  source.dns[1] = {};
  source.dns[2] = {"10.0.0.53"};
  source.dns[3] = {"9.9.9.9"};

  const AdapterPanel panel = LoadAdapterPanel(source);
  EXPECT_EQ(panel.adapterDns, (AdapterDnsMap{{"0.0.0.0", "10.0.0.53;"}}));
  for (int k = 0; k < 3; ++k) EXPECT_EQ(PanelTextsFor(panel, k).dns1, "10.0.0.53") << k;
}

TEST(AdapterPanel, AFailedDnsQueryLeavesNoEntryAndEmptyFields) {
  FakeAdapterSource source;
  source.Add("eth0", 1, {{"192.168.1.10", "255.255.255.0"}}, {"192.168.1.1"});

  const AdapterPanel panel = LoadAdapterPanel(source);
  EXPECT_TRUE(panel.adapterDns.empty());
  const AdapterPanelTexts texts = PanelTextsFor(panel, 0);
  EXPECT_EQ(texts.ip, "192.168.1.10");
  EXPECT_EQ(texts.dns1, "");
  EXPECT_EQ(texts.dns2, "");
}

TEST(AdapterPanel, NoAdaptersOrAnUnreadableListGiveAnEmptyPanel) {
  FakeAdapterSource none;
  FakeAdapterSource broken;
  broken.adapters = std::nullopt;
  for (FakeAdapterSource *source : {&none, &broken}) {
    const AdapterPanel panel = LoadAdapterPanel(*source);
    EXPECT_TRUE(panel.entries.empty());
    EXPECT_EQ(panel.selectedIndex, -1);
    EXPECT_TRUE(panel.adapterDns.empty());
    EXPECT_EQ(PanelTextsFor(panel, panel.selectedIndex), AdapterPanelTexts{});
  }
}

}  // namespace
}  // namespace vf::core

#include "core/local_address_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fake_adapter_source.h"

namespace vf::core {
namespace {

using testing::FakeAdapterSource;

constexpr char kGuard = '\x5a';

// The table with guard bytes on both sides, to catch writes outside it.
struct GuardedTable {
  char before[32];
  char table[kLocalAddressSlots][kLocalAddressSize];
  char after[32];

  GuardedTable() { std::memset(this, kGuard, sizeof(*this)); }

  bool GuardsIntact() const {
    for (std::size_t i = 0; i < sizeof(before); ++i) {
      if (before[i] != kGuard || after[i] != kGuard) return false;
    }
    return true;
  }
};

TEST(CollectLocalAddresses, WritesEachFirstAddressZeroPadded) {
  FakeAdapterSource source;
  source.Add("eth0", 1, {{"192.168.1.10", "255.255.255.0"}, {"10.0.0.2", "255.0.0.0"}});
  source.Add("unplugged", 2, {testing::kUnconfigured});
  source.Add("wlan0", 3, {{"10.1.2.3", "255.0.0.0"}});

  GuardedTable t;
  ASSERT_EQ(CollectLocalAddresses(source, t.table), 2);
  EXPECT_STREQ(t.table[0], "192.168.1.10");
  EXPECT_STREQ(t.table[1], "10.1.2.3") << "an adapter without IPv4 has nothing to send from";
  const std::string padding(t.table[0] + 12, kLocalAddressSize - 12);
  EXPECT_EQ(padding, std::string(kLocalAddressSize - 12, '\0'));
  EXPECT_EQ(t.table[2][0], kGuard) << "unused slots are not written";
  EXPECT_TRUE(t.GuardsIntact());
}

TEST(CollectLocalAddresses, StopsAtTenEntries) {
  FakeAdapterSource source;
  for (uint32_t i = 0; i < 12; ++i) {
    source.Add("eth" + std::to_string(i), i, {{"10.0.0." + std::to_string(i), "255.0.0.0"}});
  }
  GuardedTable t;
  EXPECT_EQ(CollectLocalAddresses(source, t.table), 10);
  EXPECT_STREQ(t.table[9], "10.0.0.9");
  EXPECT_TRUE(t.GuardsIntact());
}

TEST(CollectLocalAddresses, CutsALongAddressAndKeepsItTerminated) {
  FakeAdapterSource source;
  source.Add("odd", 1, {{"1234567890123456789", "255.0.0.0"}});
  GuardedTable t;
  ASSERT_EQ(CollectLocalAddresses(source, t.table), 1);
  EXPECT_STREQ(t.table[0], "123456789012345");
  EXPECT_TRUE(t.GuardsIntact());
}

TEST(CollectLocalAddresses, AnUnreadableListWritesNothing) {
  FakeAdapterSource source;
  source.adapters = std::nullopt;
  GuardedTable t;
  EXPECT_EQ(CollectLocalAddresses(source, t.table), 0);
  EXPECT_EQ(t.table[0][0], kGuard);
  EXPECT_TRUE(t.GuardsIntact());
}

}  // namespace
}  // namespace vf::core

#include "core/device_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace vf::core {
namespace {

DeviceRecord MakeRecord(const std::string &name, const std::string &mac) {
  DeviceRecord record{};
  std::snprintf(record.deviceName, sizeof record.deviceName, "%s", name.c_str());
  std::snprintf(record.network.macAddress, sizeof record.network.macAddress, "%s", mac.c_str());
  return record;
}

std::vector<std::string> Names(const DeviceStore &store) {
  std::vector<std::string> names;
  for (const DeviceRecord &record : store.Records()) names.push_back(record.deviceName);
  return names;
}

std::string Mac(const DeviceRecord &record) {
  return std::string(record.network.macAddress,
                     strnlen(record.network.macAddress, sizeof record.network.macAddress));
}

TEST(DeviceStore, KeysOnTheExactMacText) {
  DeviceStore store;
  EXPECT_TRUE(store.Record(MakeRecord("cam-a", "00:11:22:33:44:55")));
  EXPECT_FALSE(store.Record(MakeRecord("cam-a again", "00:11:22:33:44:55")))
      << "a second reply keeps the first one's data";
  EXPECT_TRUE(store.Record(MakeRecord("cam-A", "00:11:22:33:44:AA")));
  EXPECT_TRUE(store.Record(MakeRecord("cam-a upper", "00:11:22:33:44:aa")))
      << "texts that differ in case are two devices";
  EXPECT_TRUE(store.Record(MakeRecord("no mac", ""))) << "the empty text is a key like any other";
  EXPECT_FALSE(store.Record(MakeRecord("no mac either", "")));

  EXPECT_EQ(Names(store), (std::vector<std::string>{"cam-a", "cam-A", "cam-a upper", "no mac"}))
      << "in order of first reply";
}

TEST(DeviceStore, ReadsTheMacOnlyWithinItsField) {
  // A MAC field without its NUL must not run on into the gateway that follows it.
  DeviceRecord first{};
  std::memset(first.network.macAddress, 'M', sizeof(first.network.macAddress));
  std::strcpy(first.network.gateway, "1.1.1.1");
  DeviceRecord second = first;
  std::strcpy(second.network.gateway, "2.2.2.2");

  DeviceStore store;
  EXPECT_TRUE(store.Record(first));
  EXPECT_FALSE(store.Record(second)) << "same 18-character MAC, whatever follows it";
  EXPECT_EQ(Mac(store.Records().at(0)), std::string(sizeof(first.network.macAddress), 'M'));
}

TEST(DeviceStore, CopyAtChecksTheRow) {
  DeviceStore store;
  store.Record(MakeRecord("zero", "m0"));
  store.Record(MakeRecord("one", "m1"));

  DeviceRecord out = MakeRecord("untouched", "-");
  const struct {
    int row;
    bool found;
    const char *why;
  } cases[] = {
      {-1, false, "no selection mark"},
      {0, true, "first row"},
      {1, true, "last row"},
      {2, false, "one past the last row"},
  };
  for (const auto &c : cases) {
    out = MakeRecord("untouched", "-");
    EXPECT_EQ(store.CopyAt(c.row, out), c.found) << c.why;
    if (!c.found) {
      EXPECT_STREQ(out.deviceName, "untouched") << c.why;
    }
  }
  ASSERT_TRUE(store.CopyAt(1, out));
  EXPECT_STREQ(out.deviceName, "one");
  EXPECT_STREQ(out.network.macAddress, "m1");
}

TEST(DeviceStore, ClearForgetsDevicesAndTheirMacs) {
  DeviceStore store;
  store.Record(MakeRecord("old", "m0"));
  store.Clear();
  EXPECT_EQ(store.Count(), 0);
  EXPECT_TRUE(store.Records().empty());
  EXPECT_TRUE(store.Record(MakeRecord("new", "m0"))) << "a known MAC counts as new after Clear";
  EXPECT_EQ(Names(store), std::vector<std::string>{"new"});
}

TEST(DeviceStore, AClosedStoreKeepsNothingUntilTheNextSearch) {
  DeviceStore store;
  EXPECT_FALSE(store.IsClosed()) << "a new store records";
  store.Record(MakeRecord("in time", "m0"));
  store.Close();
  EXPECT_FALSE(store.Record(MakeRecord("late", "m1")));
  EXPECT_EQ(Names(store), std::vector<std::string>{"in time"}) << "what came in time stays";
  store.Clear();
  EXPECT_FALSE(store.IsClosed());
  EXPECT_TRUE(store.Record(MakeRecord("next search", "m1")));
}

TEST(DeviceStore, NotesAMacThatAnswersWithASecondIdentityOnce) {
  DeviceRecord camera = MakeRecord("door", "00:1A:3F:00:00:01");
  std::strcpy(camera.deviceId, "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA");
  std::strcpy(camera.network.ipAddress, "10.0.0.2");
  DeviceRecord impostor = camera;
  std::strcpy(impostor.deviceId, "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB");
  DeviceRecord moved = camera;
  std::strcpy(moved.network.ipAddress, "10.0.0.99");
  DeviceRecord renamed = camera;
  std::strcpy(renamed.deviceName, "same id and address, other name");

  DeviceStore store;
  store.Record(camera);
  store.Record(camera);
  store.Record(renamed);
  EXPECT_TRUE(store.Conflicts().empty()) << "repeats of one identity are no conflict";
  store.Record(moved);
  EXPECT_EQ(store.Conflicts().size(), 1u);
  EXPECT_FALSE(store.ConflictOf(camera)) << "a camera that moved may still be sent commands";
  store.Record(impostor);
  store.Record(impostor);
  const std::vector<IdentityConflict> conflicts = store.Conflicts();
  ASSERT_EQ(conflicts.size(), 2u) << "one note per MAC and kind";
  EXPECT_EQ(conflicts[1].first.mac, "00:1A:3F:00:00:01");
  EXPECT_EQ(conflicts[1].first.deviceId, "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA");
  EXPECT_EQ(conflicts[1].other.deviceId, "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB");
  EXPECT_EQ(conflicts[1].other.address, "10.0.0.2");
  EXPECT_TRUE(store.ConflictOf(camera));
  EXPECT_EQ(store.Records().at(0).deviceId, std::string(camera.deviceId)) << "the first stays";
  store.Clear();
  EXPECT_TRUE(store.Conflicts().empty());
}

// A host that answers with camera A's MAC and camera B's device id, before or after the two
// cameras: whichever came first, no command may go to A or to B.
TEST(DeviceStore, AnImpostorForbidsCommandsToBothCamerasItImitates) {
  DeviceRecord a = MakeRecord("a", "00:1A:3F:00:00:0A");
  std::strcpy(a.deviceId, "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA");
  DeviceRecord b = MakeRecord("b", "00:1A:3F:00:00:0B");
  std::strcpy(b.deviceId, "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB");
  DeviceRecord c = MakeRecord("c", "00:1A:3F:00:00:0C");
  std::strcpy(c.deviceId, "CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC");
  DeviceRecord impostor = a;
  std::strcpy(impostor.deviceId, b.deviceId);

  for (const bool first : {true, false}) {
    SCOPED_TRACE(first ? "the impostor answers first" : "the impostor answers last");
    DeviceStore store;
    if (first) store.Record(impostor);
    store.Record(a);
    store.Record(b);
    store.Record(c);
    if (!first) store.Record(impostor);
    DeviceRecord listedA{};
    ASSERT_TRUE(store.CopyAt(0, listedA));
    EXPECT_TRUE(store.ConflictOf(listedA)) << "the row listed for A's MAC";
    EXPECT_TRUE(store.ConflictOf(a));
    EXPECT_TRUE(store.ConflictOf(b));
    EXPECT_FALSE(store.ConflictOf(c)) << "the others stay free";
  }
}

TEST(DeviceStore, OtherAtFindsAnAddressAnotherCameraAnnounced) {
  DeviceRecord a = MakeRecord("a", "m-a");
  std::strcpy(a.network.ipAddress, "10.0.0.2");
  DeviceRecord b = MakeRecord("b", "m-b");
  std::strcpy(b.network.ipAddress, "10.0.0.3");
  DeviceStore store;
  store.Record(a);
  store.Record(b);
  EXPECT_FALSE(store.OtherAt("10.0.0.2", a)) << "its own address";
  ASSERT_TRUE(store.OtherAt("10.0.0.3", a));
  EXPECT_STREQ(store.OtherAt("10.0.0.3", a)->deviceName, "b");
  EXPECT_FALSE(store.OtherAt("10.0.0.4", a));
}

// Enough MACs that the index grows several times: every repeat is still known,
// and every record stays in its row.
TEST(DeviceStore, ManyDevicesKeepOneRowEachThroughTheIndexGrowing) {
  constexpr int kDevices = 5000;
  DeviceStore store;
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < kDevices; ++i) {
      EXPECT_EQ(store.Record(MakeRecord("cam", "mac" + std::to_string(i))), pass == 0);
    }
  }
  ASSERT_EQ(store.Count(), kDevices);
  const std::vector<DeviceRecord> rows = store.Records();
  for (int i = 0; i < kDevices; i += 499) EXPECT_EQ(Mac(rows[i]), "mac" + std::to_string(i));
  store.Clear();
  EXPECT_TRUE(store.Record(MakeRecord("cam", "mac7")));
  EXPECT_EQ(store.Count(), 1);
}

TEST(DeviceStore, TwoRecordingThreadsLoseAndDuplicateNothing) {
  // Both threads announce the same 400 devices, the way one camera is heard over two links;
  // a third thread reads like the window does meanwhile.
  constexpr int kDevices = 400;
  DeviceStore store;
  auto record = [&store](int offset) {
    for (int i = 0; i < kDevices; ++i) {
      const int n = (i + offset) % kDevices;
      store.Record(MakeRecord("cam" + std::to_string(n), "mac" + std::to_string(n)));
    }
  };
  std::thread reader([&store] {
    DeviceRecord out;
    for (int i = 0; i < 200; ++i) {
      const int count = store.Count();
      if (count > 0) {
        EXPECT_TRUE(store.CopyAt(count - 1, out));
      }
      EXPECT_GE(static_cast<int>(store.Records().size()), count);
    }
  });
  std::thread first(record, 0);
  std::thread second(record, kDevices / 2);
  first.join();
  second.join();
  reader.join();

  const std::vector<DeviceRecord> rows = store.Records();
  ASSERT_EQ(rows.size(), static_cast<size_t>(kDevices));
  std::set<std::string> macs;
  for (const DeviceRecord &row : rows) {
    EXPECT_EQ(row.deviceName, "cam" + Mac(row).substr(3)) << "each row is one whole record";
    macs.insert(Mac(row));
  }
  EXPECT_EQ(macs.size(), static_cast<size_t>(kDevices));
}

}  // namespace
}  // namespace vf::core

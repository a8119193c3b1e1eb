#include "platform/firewall/firewall.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_firewall.h"

namespace vf::firewall {
namespace {

using testing::FakeEntry;
using testing::FakeFirewall;

constexpr const char *kPath = "/opt/vellafind/bin/vellafind";

// Every object obtained was released exactly once and every string freed exactly once.
void ExpectBalanced(const FakeFirewall &fw) {
  EXPECT_TRUE(fw.LiveObjects().empty()) << "unreleased: " << ::testing::PrintToString(fw.LiveObjects());
  EXPECT_EQ(fw.LiveStrings(), 0u);
  EXPECT_TRUE(fw.errors.empty()) << ::testing::PrintToString(fw.errors);
  EXPECT_EQ(fw.comInitializeCalls, fw.comUninitializeCalls);
}

TEST(FirewallRegistration, AddsTheProgramUnderItsFileNameWhenNotListed) {
  FakeFirewall fw;
  EXPECT_TRUE(RegisterFirewallException(fw, kPath, ""));
  ASSERT_EQ(fw.entries.size(), 1u);
  EXPECT_EQ(fw.entries[0].path, L"/opt/vellafind/bin/vellafind");
  EXPECT_EQ(fw.entries[0].name, L"vellafind");
  EXPECT_EQ(fw.lastComFlags, kComApartmentThreaded | kComDisableOle1Dde);
  ExpectBalanced(fw);
}

TEST(FirewallRegistration, CallsReleasesAndFreesInTheirOrder) {
  FakeFirewall fw;
  ASSERT_TRUE(RegisterFirewallException(fw, "C:\\Tools\\app.exe", "Cam tool"));
  const std::vector<std::string> expected = {
      "ComInitialize",
      // OpenFirewallProfile
      "CreateManager", "Manager.get_LocalPolicy", "Policy.get_CurrentProfile", "Policy.Release",
      "Manager.Release",
      // QueryFirewallEnabled
      "Profile.get_FirewallEnabled",
      // the wide path, then QueryAppAuthorized
      "Alloc(C:\\Tools\\app.exe)", "Profile.get_AuthorizedApplications",
      "Alloc(C:\\Tools\\app.exe)", "Apps.Item", "Free(C:\\Tools\\app.exe)", "Apps.Release",
      // the wide name, then AddAuthorizedApp: its own look-up first
      "Alloc(Cam tool)", "Profile.get_AuthorizedApplications", "Alloc(C:\\Tools\\app.exe)",
      "Apps.Item", "Free(C:\\Tools\\app.exe)", "Apps.Release",
      "Profile.get_AuthorizedApplications", "CreateAuthorizedApplication",
      "Alloc(C:\\Tools\\app.exe)", "App.put_ProcessImageFileName", "Alloc(Cam tool)",
      "App.put_Name", "Apps.Add", "Free(Cam tool)", "Free(C:\\Tools\\app.exe)", "App.Release",
      "Apps.Release",
      // back in the registration
      "Free(C:\\Tools\\app.exe)", "Free(Cam tool)", "Profile.Release", "ComUninitialize"};
  EXPECT_EQ(fw.calls, expected);
  ExpectBalanced(fw);
}

TEST(FirewallRegistration, DisplayNameIsTheFileNameWithItsExtension) {
  struct Case {
    const char *path;
    const wchar_t *name;
  };
  for (const Case &c : {Case{"C:\\Program Files\\Vellafind\\vellafind.exe", L"vellafind.exe"},
                        Case{"/usr/bin/vellafind.bin", L"vellafind.bin"},
                        Case{"/mixed\\dir/tool.exe", L"tool.exe"},
                        Case{"vellafind", L"vellafind"}}) {
    FakeFirewall fw;
    EXPECT_TRUE(RegisterFirewallException(fw, c.path, "")) << c.path;
    ASSERT_EQ(fw.entries.size(), 1u) << c.path;
    EXPECT_EQ(fw.entries[0].name, c.name) << c.path;
    ExpectBalanced(fw);
  }
}

TEST(FirewallRegistration, NonAsciiPathIsWidenedFromUtf8) {
  FakeFirewall fw;
  EXPECT_TRUE(RegisterFirewallException(fw, "/home/j\xC3\xBCrgen/vf", ""));
  ASSERT_EQ(fw.entries.size(), 1u);
  EXPECT_EQ(fw.entries[0].path, L"/home/j\u00FCrgen/vf");
}

TEST(FirewallRegistration, RefusesBeforeTouchingThePlatform) {
  for (const char *path : {"", "/opt/vellafind/", "C:\\Tools\\"}) {
    FakeFirewall fw;
    EXPECT_FALSE(RegisterFirewallException(fw, path, "")) << path;
    EXPECT_TRUE(fw.calls.empty()) << path;
  }
  FakeFirewall fw;
  EXPECT_FALSE(RegisterFirewallException(fw, nullptr, "name"));
  EXPECT_TRUE(fw.calls.empty());
}

TEST(FirewallRegistration, ChangesNothingWhenOffOrAlreadyAuthorised) {
  {
    FakeFirewall fw;
    fw.firewallOn = false;
    EXPECT_FALSE(RegisterFirewallException(fw, kPath, ""));
    EXPECT_TRUE(fw.entries.empty());
    EXPECT_EQ(fw.allocations, 0);
    ExpectBalanced(fw);
  }
  {
    FakeFirewall fw;
    fw.entries.push_back(FakeEntry{L"/opt/vellafind/bin/vellafind", L"old name", true});
    EXPECT_FALSE(RegisterFirewallException(fw, kPath, ""));
    ASSERT_EQ(fw.entries.size(), 1u);
    EXPECT_EQ(fw.entries[0].name, L"old name");
    ExpectBalanced(fw);
  }
}

TEST(FirewallRegistration, DisabledEntryCountsAsNotAuthorised) {
  FakeFirewall fw;
  fw.entries.push_back(FakeEntry{L"/opt/vellafind/bin/vellafind", L"old name", false});
  EXPECT_TRUE(RegisterFirewallException(fw, kPath, ""));
  ASSERT_EQ(fw.entries.size(), 1u);
  EXPECT_TRUE(fw.entries[0].enabled);
  EXPECT_EQ(fw.entries[0].name, L"vellafind");
  ExpectBalanced(fw);
}

TEST(FirewallRegistration, SecondStartFindsItsEntryAndChangesNothing) {
  FakeFirewall fw;
  EXPECT_TRUE(RegisterFirewallException(fw, kPath, ""));
  EXPECT_FALSE(RegisterFirewallException(fw, kPath, ""));
  EXPECT_EQ(fw.entries.size(), 1u);
  ExpectBalanced(fw);
}

TEST(FirewallRegistration, ComAlreadyInAnotherModeProceedsWithoutEndingIt) {
  FakeFirewall fw;
  fw.comInitResult = kChangedMode;
  EXPECT_TRUE(RegisterFirewallException(fw, kPath, ""));
  EXPECT_EQ(fw.comInitializeCalls, 1);
  EXPECT_EQ(fw.comUninitializeCalls, 0);
  EXPECT_TRUE(fw.LiveObjects().empty());
  EXPECT_EQ(fw.LiveStrings(), 0u);
}

TEST(FirewallRegistration, ComAlreadyInThisModeIsEndedOnce) {
  FakeFirewall fw;
  fw.comInitResult = kFalse;
  EXPECT_TRUE(RegisterFirewallException(fw, kPath, ""));
  EXPECT_EQ(fw.comUninitializeCalls, 1);
}

TEST(FirewallRegistration, ComUnavailableStopsBeforeAnyObject) {
  FakeFirewall fw;
  fw.comInitResult = kFail;
  EXPECT_FALSE(RegisterFirewallException(fw, kPath, ""));
  EXPECT_EQ(fw.calls, std::vector<std::string>{"ComInitialize"});
  EXPECT_EQ(fw.comUninitializeCalls, 0);
}

// Each call that can fail, failing alone: nothing is added, everything taken is given back and
// COM is ended.
TEST(FirewallRegistration, EachFailingCallReleasesWhatWasTaken) {
  for (const char *call :
       {"CreateManager", "Manager.get_LocalPolicy", "Policy.get_CurrentProfile",
        "Profile.get_FirewallEnabled", "Profile.get_AuthorizedApplications", "App.get_Enabled",
        "CreateAuthorizedApplication", "App.put_ProcessImageFileName", "App.put_Name",
        "Apps.Add"}) {
    SCOPED_TRACE(call);
    FakeFirewall fw;
    if (std::string(call) == "App.get_Enabled")
      fw.entries.push_back(FakeEntry{L"/opt/vellafind/bin/vellafind", L"x", false});
    fw.failures[call] = kFail;
    EXPECT_FALSE(RegisterFirewallException(fw, kPath, ""));
    EXPECT_EQ(fw.comUninitializeCalls, 1);
    ExpectBalanced(fw);
    if (std::string(call) != "App.get_Enabled") {
      EXPECT_TRUE(fw.entries.empty());
    }
  }
}

TEST(FirewallRegistration, EachFailingAllocationReleasesWhatWasTaken) {
  FakeFirewall probe;
  ASSERT_TRUE(RegisterFirewallException(probe, kPath, ""));
  ASSERT_EQ(probe.allocations, 6);
  for (int n = 1; n <= probe.allocations; ++n) {
    SCOPED_TRACE(n);
    FakeFirewall fw;
    fw.failAllocationNumber = n;
    EXPECT_FALSE(RegisterFirewallException(fw, kPath, ""));
    EXPECT_TRUE(fw.entries.empty());
    ExpectBalanced(fw);
  }
}

TEST(FirewallOperations, OpenProfileNullsItsOutputAndReturnsTheFirstFailure) {
  FakeFirewall fw;
  fw.failures["Manager.get_LocalPolicy"] = kOutOfMemory;
  auto *stale = reinterpret_cast<FirewallProfile *>(&fw);
  FirewallProfile *profile = stale;
  EXPECT_EQ(OpenFirewallProfile(fw, &profile), kOutOfMemory);
  EXPECT_EQ(profile, nullptr);
  ReleaseFirewallProfile(profile);  // null is allowed
  ExpectBalanced(fw);
}

TEST(FirewallOperations, QueryAppAuthorizedReportsOutOfMemoryAndLookupMisses) {
  FakeFirewall fw;
  FirewallProfile *profile = nullptr;
  ASSERT_EQ(OpenFirewallProfile(fw, &profile), kOk);

  bool authorized = true;
  fw.failures["Apps.Item"] = kFail;  // a failed look-up is "not listed", not an error
  EXPECT_EQ(QueryAppAuthorized(fw, profile, L"/x", &authorized), kOk);
  EXPECT_FALSE(authorized);

  fw.failAllocationNumber = fw.allocations + 1;
  authorized = true;
  EXPECT_EQ(QueryAppAuthorized(fw, profile, L"/x", &authorized), kOutOfMemory);
  EXPECT_FALSE(authorized);

  ReleaseFirewallProfile(profile);
  ExpectBalanced(fw);
}

TEST(FirewallOperations, AddAuthorizedAppRefusesAnEmptyNameAsOutOfMemory) {
  FakeFirewall fw;
  FirewallProfile *profile = nullptr;
  ASSERT_EQ(OpenFirewallProfile(fw, &profile), kOk);
  EXPECT_EQ(AddAuthorizedApp(fw, profile, L"/x", L""), kOutOfMemory);
  EXPECT_TRUE(fw.entries.empty());
  ReleaseFirewallProfile(profile);
  ExpectBalanced(fw);
}

TEST(FirewallOperations, AnyNonZeroPropertyValueCountsAsTrue) {
  FakeFirewall fw;
  fw.trueValue = 1;
  fw.entries.push_back(FakeEntry{L"/opt/vellafind/bin/vellafind", L"old name", true});
  FirewallProfile *profile = nullptr;
  ASSERT_EQ(OpenFirewallProfile(fw, &profile), kOk);
  bool enabled = false;
  EXPECT_EQ(QueryFirewallEnabled(profile, &enabled), kOk);
  EXPECT_TRUE(enabled);
  bool authorized = false;
  EXPECT_EQ(QueryAppAuthorized(fw, profile, L"/opt/vellafind/bin/vellafind", &authorized), kOk);
  EXPECT_TRUE(authorized);

  fw.failures["Profile.get_FirewallEnabled"] = kFail;
  EXPECT_EQ(QueryFirewallEnabled(profile, &enabled), kFail);
  EXPECT_FALSE(enabled);
  ReleaseFirewallProfile(profile);
  ExpectBalanced(fw);
}

TEST(FirewallOperations, AddAuthorizedAppLeavesAnAuthorisedEntryAlone) {
  FakeFirewall fw;
  fw.entries.push_back(FakeEntry{L"/opt/vellafind/bin/vellafind", L"old name", true});
  FirewallProfile *profile = nullptr;
  ASSERT_EQ(OpenFirewallProfile(fw, &profile), kOk);
  fw.calls.clear();
  EXPECT_EQ(AddAuthorizedApp(fw, profile, L"/opt/vellafind/bin/vellafind", L"new name"), kOk);
  EXPECT_EQ(fw.entries[0].name, L"old name");
  for (const std::string &call : fw.calls) EXPECT_NE(call, "CreateAuthorizedApplication");
  ReleaseFirewallProfile(profile);
  ExpectBalanced(fw);
}

TEST(FirewallText, FileNameOfPathCutsAfterTheLastSeparator) {
  EXPECT_EQ(FileNameOfPath("a/b\\c"), "c");
  EXPECT_EQ(FileNameOfPath("a\\b/c.exe"), "c.exe");
  EXPECT_EQ(FileNameOfPath("plain"), "plain");
  EXPECT_EQ(FileNameOfPath("dir/"), "");
}

TEST(FirewallText, WidenTextKeepsInvalidBytes) {
  EXPECT_EQ(WidenText("abc"), L"abc");
  EXPECT_EQ(WidenText("\xE2\x82\xAC"), L"\u20AC");
  EXPECT_EQ(WidenText("\xF0\x9F\x93\xB7").size(), sizeof(wchar_t) == 2 ? 2u : 1u);
  EXPECT_EQ(WidenText("a\xFF" "b"), std::wstring(L"a\u00FF" L"b"));
  EXPECT_EQ(WidenText("\xC3"), std::wstring(L"\u00C3"));        // truncated sequence
  EXPECT_EQ(WidenText("\xC0\xAF").size(), 2u);                  // overlong form
}

#if !defined(_WIN32)
TEST(FirewallSystem, LinuxHasNoFirewallManagerAndAddsNothing) {
  EXPECT_FALSE(RegisterFirewallException("/usr/bin/vellafind", ""));
  FirewallManager *manager = reinterpret_cast<FirewallManager *>(1);
  EXPECT_TRUE(Failed(SystemFirewallPlatform().CreateManager(&manager)));
  EXPECT_EQ(manager, nullptr);
}
#endif

}  // namespace
}  // namespace vf::firewall

// An in-memory firewall behind the manager's object model. It records every call in order, can
// make any one call fail, and checks that every object and string it hands out comes back
// exactly once.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/firewall/firewall_interfaces.h"

namespace vf::testing {

// The fake speaks the firewall's own vocabulary.
using firewall::AuthorizedApplication;
using firewall::AuthorizedApplications;
using firewall::Failed;
using firewall::FirewallManager;
using firewall::FirewallPlatform;
using firewall::FirewallPolicy;
using firewall::FirewallProfile;
using firewall::FwString;
using firewall::HResult;
using firewall::kOk;
using firewall::kVariantFalse;
using firewall::kVariantTrue;
using firewall::Succeeded;
using firewall::VariantBool;

struct FakeEntry {
  std::wstring path;
  std::wstring name;
  bool enabled = true;
};

class FakeFirewall final : public FirewallPlatform {
 public:
  FakeFirewall();
  ~FakeFirewall() override;

  // The firewall's own state.
  bool firewallOn = true;
  // How the fake spells "true" in a property: any value but 0 means true.
  VariantBool trueValue = kVariantTrue;
  std::vector<FakeEntry> entries;

  // What the platform answers. A call named in `failures` returns that code instead of working;
  // names are those of the call log below.
  HResult comInitResult = kOk;
  std::map<std::string, HResult> failures;
  int failAllocationNumber = 0;  // the n-th AllocString (1-based) returns null; 0: none does

  // Every call in order, e.g. "ComInitialize", "CreateManager", "Manager.get_LocalPolicy",
  // "Policy.Release", "Alloc(C:\\app.exe)", "Free(C:\\app.exe)".
  std::vector<std::string> calls;
  int comInitializeCalls = 0;
  int comUninitializeCalls = 0;
  int allocations = 0;

  // Objects handed out and not yet released, by kind; strings still allocated; and every misuse
  // seen (a release too many, a string freed twice or never made).
  std::vector<std::string> LiveObjects() const;
  std::size_t LiveStrings() const { return liveStrings_.size(); }
  std::vector<std::string> errors;
  int ObjectsMade() const { return static_cast<int>(objects_.size()); }

  HResult ComInitialize(std::uint32_t flags) override;
  void ComUninitialize() override;
  HResult CreateManager(FirewallManager **manager) override;
  HResult CreateAuthorizedApplication(AuthorizedApplication **app) override;
  FwString AllocString(const wchar_t *text) override;
  void FreeString(FwString text) override;
  std::uint32_t StringLength(FwString text) override;

  std::uint32_t lastComFlags = 0;

  // Internal: shared by the fake objects.
  struct Object;
  HResult Call(const std::string &name);
  void Log(const std::string &name) { calls.push_back(name); }
  template <typename T>
  T *Make();

 private:
  std::vector<std::unique_ptr<Object>> objects_;
  std::set<FwString> liveStrings_;
};

std::string Narrow(const std::wstring &text);

}  // namespace vf::testing

#include "fake_firewall.h"

#include <cwchar>

namespace vf::testing {

std::string Narrow(const std::wstring &text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

struct FakeFirewall::Object {
  explicit Object(FakeFirewall &fw, std::string kind) : owner(fw), kind(std::move(kind)) {}
  virtual ~Object() = default;
  FakeFirewall &owner;
  std::string kind;
  int refs = 1;

  std::uint32_t DoAddRef() {
    owner.Log(kind + ".AddRef");
    return static_cast<std::uint32_t>(++refs);
  }
  std::uint32_t DoRelease() {
    owner.Log(kind + ".Release");
    if (refs <= 0) {
      owner.errors.push_back(kind + " released too often");
      return 0;
    }
    return static_cast<std::uint32_t>(--refs);
  }
};

namespace {

#define VF_FAKE_REFCOUNT                                                 \
  std::uint32_t AddRef() override { return DoAddRef(); }               \
  std::uint32_t Release() override { return DoRelease(); }

struct FakeApp final : FakeFirewall::Object, AuthorizedApplication {
  FakeApp(FakeFirewall &fw) : Object(fw, "App") {}
  VF_FAKE_REFCOUNT
  FakeEntry entry;

  HResult get_Enabled(VariantBool *enabled) override {
    HResult hr = owner.Call("App.get_Enabled");
    if (Succeeded(hr)) *enabled = entry.enabled ? owner.trueValue : kVariantFalse;
    return hr;
  }
  HResult put_ProcessImageFileName(FwString imagePath) override {
    HResult hr = owner.Call("App.put_ProcessImageFileName");
    if (Succeeded(hr)) entry.path = imagePath;
    return hr;
  }
  HResult put_Name(FwString name) override {
    HResult hr = owner.Call("App.put_Name");
    if (Succeeded(hr)) entry.name = name;
    return hr;
  }
};

struct FakeApps final : FakeFirewall::Object, AuthorizedApplications {
  FakeApps(FakeFirewall &fw) : Object(fw, "Apps") {}
  VF_FAKE_REFCOUNT
  HResult Item(FwString imagePath, AuthorizedApplication **app) override {
    *app = nullptr;
    HResult hr = owner.Call("Apps.Item");
    if (Failed(hr)) return hr;
    for (const FakeEntry &e : owner.entries) {
      if (e.path == imagePath) {
        auto *found = owner.Make<FakeApp>();
        found->entry = e;
        *app = found;
        return kOk;
      }
    }
    return static_cast<HResult>(0x80070002u);  // not found
  }
  HResult Add(AuthorizedApplication *app) override {
    HResult hr = owner.Call("Apps.Add");
    if (Failed(hr)) return hr;
    FakeEntry added = static_cast<FakeApp *>(app)->entry;
    added.enabled = true;
    for (FakeEntry &e : owner.entries) {
      if (e.path == added.path) {
        e = added;  // the collection is keyed by path
        return kOk;
      }
    }
    owner.entries.push_back(added);
    return kOk;
  }
};

struct FakeProfile final : FakeFirewall::Object, FirewallProfile {
  FakeProfile(FakeFirewall &fw) : Object(fw, "Profile") {}
  VF_FAKE_REFCOUNT
  HResult get_FirewallEnabled(VariantBool *enabled) override {
    HResult hr = owner.Call("Profile.get_FirewallEnabled");
    if (Succeeded(hr)) *enabled = owner.firewallOn ? owner.trueValue : kVariantFalse;
    return hr;
  }
  HResult get_AuthorizedApplications(AuthorizedApplications **apps) override {
    *apps = nullptr;
    HResult hr = owner.Call("Profile.get_AuthorizedApplications");
    if (Succeeded(hr)) *apps = owner.Make<FakeApps>();
    return hr;
  }
};

struct FakePolicy final : FakeFirewall::Object, FirewallPolicy {
  FakePolicy(FakeFirewall &fw) : Object(fw, "Policy") {}
  VF_FAKE_REFCOUNT
  HResult get_CurrentProfile(FirewallProfile **profile) override {
    *profile = nullptr;
    HResult hr = owner.Call("Policy.get_CurrentProfile");
    if (Succeeded(hr)) *profile = owner.Make<FakeProfile>();
    return hr;
  }
};

struct FakeManager final : FakeFirewall::Object, FirewallManager {
  FakeManager(FakeFirewall &fw) : Object(fw, "Manager") {}
  VF_FAKE_REFCOUNT
  HResult get_LocalPolicy(FirewallPolicy **policy) override {
    *policy = nullptr;
    HResult hr = owner.Call("Manager.get_LocalPolicy");
    if (Succeeded(hr)) *policy = owner.Make<FakePolicy>();
    return hr;
  }
};

}  // namespace

FakeFirewall::FakeFirewall() = default;

FakeFirewall::~FakeFirewall() {
  for (FwString s : liveStrings_) delete[] s;
}

template <typename T>
T *FakeFirewall::Make() {
  auto object = std::make_unique<T>(*this);
  T *raw = object.get();
  objects_.push_back(std::move(object));
  return raw;
}

HResult FakeFirewall::Call(const std::string &name) {
  Log(name);
  auto it = failures.find(name);
  return it == failures.end() ? kOk : it->second;
}

std::vector<std::string> FakeFirewall::LiveObjects() const {
  std::vector<std::string> live;
  for (const auto &o : objects_)
    if (o->refs > 0) live.push_back(o->kind);
  return live;
}

HResult FakeFirewall::ComInitialize(std::uint32_t flags) {
  Log("ComInitialize");
  ++comInitializeCalls;
  lastComFlags = flags;
  return comInitResult;
}

void FakeFirewall::ComUninitialize() {
  Log("ComUninitialize");
  ++comUninitializeCalls;
}

HResult FakeFirewall::CreateManager(FirewallManager **manager) {
  *manager = nullptr;
  HResult hr = Call("CreateManager");
  if (Succeeded(hr)) *manager = Make<FakeManager>();
  return hr;
}

HResult FakeFirewall::CreateAuthorizedApplication(AuthorizedApplication **app) {
  *app = nullptr;
  HResult hr = Call("CreateAuthorizedApplication");
  if (Succeeded(hr)) *app = Make<FakeApp>();
  return hr;
}

FwString FakeFirewall::AllocString(const wchar_t *text) {
  Log("Alloc(" + Narrow(text) + ")");
  if (++allocations == failAllocationNumber) return nullptr;
  const std::size_t length = std::wcslen(text);
  auto *copy = new wchar_t[length + 1];
  std::wmemcpy(copy, text, length + 1);
  liveStrings_.insert(copy);
  return copy;
}

void FakeFirewall::FreeString(FwString text) {
  if (text == nullptr) return;
  Log("Free(" + Narrow(text) + ")");
  if (liveStrings_.erase(text) == 0) {
    errors.push_back("string freed that is not allocated");
    return;
  }
  delete[] text;
}

std::uint32_t FakeFirewall::StringLength(FwString text) {
  return text == nullptr ? 0 : static_cast<std::uint32_t>(std::wcslen(text));
}

}  // namespace vf::testing

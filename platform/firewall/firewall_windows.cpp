// The Windows Firewall behind the registration's interfaces: COM on the calling thread, the
// firewall manager and authorised-application classes created in-process, BSTR strings. Each
// wrapper holds one reference to its COM object and gives it back when its own count reaches 0.
#include <initguid.h>  // Defines the class and interface identifiers netfw.h declares.
#include <netfw.h>
#include <objbase.h>
#include <oleauto.h>

#include <new>

#include "platform/firewall/firewall_interfaces.h"

namespace vf::firewall {
namespace {

static_assert(sizeof(VariantBool) == sizeof(VARIANT_BOOL));
static_assert(sizeof(HResult) == sizeof(HRESULT));

// Wraps a COM pointer of type `Com` as the interface `Base`; owns one reference to it.
template <typename Base, typename Com>
class ComWrapper : public Base {
 public:
  explicit ComWrapper(Com *com) : m_com(com) {}
  virtual ~ComWrapper() { m_com->Release(); }

  std::uint32_t AddRef() override { return ++m_count; }
  std::uint32_t Release() override {
    const std::uint32_t left = --m_count;
    if (left == 0) delete this;
    return left;
  }
  Com *com() const { return m_com; }

 private:
  Com *m_com;
  std::uint32_t m_count = 1;
};

// Hands a new COM object out through `out` as its wrapper; on failure `*out` stays null and
// the object, if any, is released. The call that made `com` must have run before: its result
// and its output are passed separately.
template <typename Wrapper, typename Base, typename Com>
HResult Wrap(HResult hr, Com *com, Base **out) {
  *out = nullptr;
  if (FAILED(hr) || com == nullptr) return FAILED(hr) ? hr : kFail;
  auto *wrapper = new (std::nothrow) Wrapper(com);
  if (wrapper == nullptr) {
    com->Release();
    return kOutOfMemory;
  }
  *out = wrapper;
  return hr;
}

class ComAuthorizedApplication final
    : public ComWrapper<AuthorizedApplication, INetFwAuthorizedApplication> {
 public:
  using ComWrapper::ComWrapper;
  HResult get_Enabled(VariantBool *enabled) override { return com()->get_Enabled(enabled); }
  HResult put_ProcessImageFileName(FwString imagePath) override {
    return com()->put_ProcessImageFileName(imagePath);
  }
  HResult put_Name(FwString name) override { return com()->put_Name(name); }
};

class ComAuthorizedApplications final
    : public ComWrapper<AuthorizedApplications, INetFwAuthorizedApplications> {
 public:
  using ComWrapper::ComWrapper;
  HResult Item(FwString imagePath, AuthorizedApplication **app) override {
    INetFwAuthorizedApplication *found = nullptr;
    const HRESULT hr = com()->Item(imagePath, &found);
    return Wrap<ComAuthorizedApplication>(hr, found, app);
  }
  HResult Add(AuthorizedApplication *app) override {
    // Only entries made by this platform can be added: they carry the COM object.
    auto *ours = dynamic_cast<ComAuthorizedApplication *>(app);
    if (ours == nullptr) return E_INVALIDARG;
    return com()->Add(ours->com());
  }
};

class ComProfile final : public ComWrapper<FirewallProfile, INetFwProfile> {
 public:
  using ComWrapper::ComWrapper;
  HResult get_FirewallEnabled(VariantBool *enabled) override {
    return com()->get_FirewallEnabled(enabled);
  }
  HResult get_AuthorizedApplications(AuthorizedApplications **apps) override {
    INetFwAuthorizedApplications *list = nullptr;
    const HRESULT hr = com()->get_AuthorizedApplications(&list);
    return Wrap<ComAuthorizedApplications>(hr, list, apps);
  }
};

class ComPolicy final : public ComWrapper<FirewallPolicy, INetFwPolicy> {
 public:
  using ComWrapper::ComWrapper;
  HResult get_CurrentProfile(FirewallProfile **profile) override {
    INetFwProfile *current = nullptr;
    const HRESULT hr = com()->get_CurrentProfile(&current);
    return Wrap<ComProfile>(hr, current, profile);
  }
};

class ComManager final : public ComWrapper<FirewallManager, INetFwMgr> {
 public:
  using ComWrapper::ComWrapper;
  HResult get_LocalPolicy(FirewallPolicy **policy) override {
    INetFwPolicy *local = nullptr;
    const HRESULT hr = com()->get_LocalPolicy(&local);
    return Wrap<ComPolicy>(hr, local, policy);
  }
};

class WindowsFirewallPlatform final : public FirewallPlatform {
 public:
  HResult ComInitialize(std::uint32_t flags) override { return CoInitializeEx(nullptr, flags); }
  void ComUninitialize() override { CoUninitialize(); }
  HResult CreateManager(FirewallManager **manager) override {
    INetFwMgr *com = nullptr;
    const HRESULT hr = CoCreateInstance(CLSID_NetFwMgr, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_INetFwMgr, reinterpret_cast<void **>(&com));
    return Wrap<ComManager>(hr, com, manager);
  }
  HResult CreateAuthorizedApplication(AuthorizedApplication **app) override {
    INetFwAuthorizedApplication *com = nullptr;
    const HRESULT hr =
        CoCreateInstance(CLSID_NetFwAuthorizedApplication, nullptr, CLSCTX_INPROC_SERVER,
                         IID_INetFwAuthorizedApplication, reinterpret_cast<void **>(&com));
    return Wrap<ComAuthorizedApplication>(hr, com, app);
  }
  FwString AllocString(const wchar_t *text) override { return SysAllocString(text); }
  void FreeString(FwString text) override { SysFreeString(text); }
  std::uint32_t StringLength(FwString text) override { return SysStringLen(text); }
};

}  // namespace

FirewallPlatform &SystemFirewallPlatform() {
  static WindowsFirewallPlatform platform;
  return platform;
}

}  // namespace vf::firewall

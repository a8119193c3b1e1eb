// The firewall manager's object model, as the registration sees it: a manager that yields the local
// policy, whose current profile holds the firewall state and the authorised-application
// collection. Every call returns an HRESULT-style code; every object handed out through an
// out-parameter carries one reference that the receiver releases exactly once.
#pragma once

#include <cstdint>

namespace vf::firewall {

using HResult = std::int32_t;

constexpr HResult kOk = 0;
constexpr HResult kFalse = 1;  // success, "nothing to do" (COM already initialised in this mode)
constexpr HResult kNotImplemented = static_cast<HResult>(0x80004001u);
constexpr HResult kFail = static_cast<HResult>(0x80004005u);
constexpr HResult kOutOfMemory = static_cast<HResult>(0x8007000Eu);
constexpr HResult kChangedMode = static_cast<HResult>(0x80010106u);  // COM in another mode
constexpr HResult kClassNotRegistered = static_cast<HResult>(0x80040154u);

constexpr bool Succeeded(HResult hr) {
  return hr >= 0;
}
constexpr bool Failed(HResult hr) {
  return hr < 0;
}

// A two-state property value: 0 is false, any other value counts as true.
using VariantBool = std::int16_t;
constexpr VariantBool kVariantTrue = -1;
constexpr VariantBool kVariantFalse = 0;

// COM apartment flags for ComInitialize.
constexpr std::uint32_t kComApartmentThreaded = 0x2;
constexpr std::uint32_t kComDisableOle1Dde = 0x4;

// A counted wide string owned by the platform: made by FirewallPlatform::AllocString, returned
// with FreeString. A null string has length 0.
using FwString = wchar_t *;

class RefCounted {
 public:
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

 protected:
  ~RefCounted() = default;
};

class AuthorizedApplication : public RefCounted {
 public:
  virtual HResult get_Enabled(VariantBool *enabled) = 0;
  virtual HResult put_ProcessImageFileName(FwString imagePath) = 0;
  virtual HResult put_Name(FwString name) = 0;

 protected:
  ~AuthorizedApplication() = default;
};

class AuthorizedApplications : public RefCounted {
 public:
  // Looks an entry up by its image path.
  virtual HResult Item(FwString imagePath, AuthorizedApplication **app) = 0;
  virtual HResult Add(AuthorizedApplication *app) = 0;

 protected:
  ~AuthorizedApplications() = default;
};

class FirewallProfile : public RefCounted {
 public:
  virtual HResult get_FirewallEnabled(VariantBool *enabled) = 0;
  virtual HResult get_AuthorizedApplications(AuthorizedApplications **apps) = 0;

 protected:
  ~FirewallProfile() = default;
};

class FirewallPolicy : public RefCounted {
 public:
  virtual HResult get_CurrentProfile(FirewallProfile **profile) = 0;

 protected:
  ~FirewallPolicy() = default;
};

class FirewallManager : public RefCounted {
 public:
  virtual HResult get_LocalPolicy(FirewallPolicy **policy) = 0;

 protected:
  ~FirewallManager() = default;
};

// What the system offers: COM for the calling thread, the two creatable classes, and strings.
class FirewallPlatform {
 public:
  virtual ~FirewallPlatform() = default;
  virtual HResult ComInitialize(std::uint32_t flags) = 0;
  virtual void ComUninitialize() = 0;
  virtual HResult CreateManager(FirewallManager **manager) = 0;
  virtual HResult CreateAuthorizedApplication(AuthorizedApplication **app) = 0;
  // A copy of `text`, or null when it cannot be allocated.
  virtual FwString AllocString(const wchar_t *text) = 0;
  virtual void FreeString(FwString text) = 0;             // null is allowed
  virtual std::uint32_t StringLength(FwString text) = 0;  // 0 for null
};

// The platform this build runs on: on Windows the Windows Firewall's COM objects. On Linux there
// is no such firewall: the manager cannot be created.
FirewallPlatform &SystemFirewallPlatform();

}  // namespace vf::firewall

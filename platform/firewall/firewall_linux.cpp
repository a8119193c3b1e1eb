// Linux has no firewall manager of this kind: COM-style initialisation is a no-op, and neither
// class can be created, so the registration ends with nothing added.
#include <cwchar>
#include <new>

#include "platform/firewall/firewall_interfaces.h"

namespace vf::firewall {
namespace {

class LinuxFirewallPlatform final : public FirewallPlatform {
 public:
  HResult ComInitialize(std::uint32_t) override { return kOk; }
  void ComUninitialize() override {}
  HResult CreateManager(FirewallManager **manager) override {
    *manager = nullptr;
    return kClassNotRegistered;
  }
  HResult CreateAuthorizedApplication(AuthorizedApplication **app) override {
    *app = nullptr;
    return kClassNotRegistered;
  }
  FwString AllocString(const wchar_t *text) override {
    if (text == nullptr) text = L"";
    const std::size_t length = std::wcslen(text);
    auto *copy = new (std::nothrow) wchar_t[length + 1];
    if (copy != nullptr) std::wmemcpy(copy, text, length + 1);
    return copy;
  }
  void FreeString(FwString text) override { delete[] text; }
  std::uint32_t StringLength(FwString text) override {
    return text == nullptr ? 0 : static_cast<std::uint32_t>(std::wcslen(text));
  }
};

}  // namespace

FirewallPlatform &SystemFirewallPlatform() {
  static LinuxFirewallPlatform platform;
  return platform;
}

}  // namespace vf::firewall

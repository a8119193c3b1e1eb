// The registration against the system's own firewall objects. Which answers a firewall gives is
// its own business (under Wine its objects are stand-ins): these tests hold only what the
// program relies on, that the real objects are created, asked and released, and that COM is left
// as the registration found it.
#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <string>

#include "platform/firewall/firewall.h"

namespace vf::firewall {
namespace {

std::wstring UnlistedPath() {
  return L"C:\\vellafind-test\\unlisted-" + std::to_wstring(GetCurrentProcessId()) + L".exe";
}

// Whether COM is initialised on this thread, and in which mode: asks for the given mode and
// undoes the question.
HRESULT ProbeCom(DWORD mode) {
  const HRESULT hr = CoInitializeEx(nullptr, mode);
  if (SUCCEEDED(hr)) CoUninitialize();
  return hr;
}

// COM for the duration of one test, ended even when the test stops early.
class Apartment {
 public:
  explicit Apartment(DWORD mode) : m_started(SUCCEEDED(CoInitializeEx(nullptr, mode))) {}
  ~Apartment() {
    if (m_started) CoUninitialize();
  }
  Apartment(const Apartment &) = delete;
  Apartment &operator=(const Apartment &) = delete;
  bool started() const { return m_started; }

 private:
  bool m_started;
};

class ForeignEntry final : public AuthorizedApplication {
 public:
  std::uint32_t AddRef() override { return 1; }
  std::uint32_t Release() override { return 1; }
  HResult get_Enabled(VariantBool *) override { return kNotImplemented; }
  HResult put_ProcessImageFileName(FwString) override { return kNotImplemented; }
  HResult put_Name(FwString) override { return kNotImplemented; }
};

TEST(WindowsFirewall, RealObjectsAnswerTheRegistrationsQuestions) {
  Apartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  ASSERT_TRUE(com.started());
  FirewallPlatform &platform = SystemFirewallPlatform();
  FirewallProfile *profile = nullptr;
  ASSERT_TRUE(Succeeded(OpenFirewallProfile(platform, &profile)));
  ASSERT_NE(profile, nullptr);

  bool enabled = true;
  EXPECT_TRUE(Succeeded(QueryFirewallEnabled(profile, &enabled)));
  bool authorized = true;
  EXPECT_TRUE(
      Succeeded(QueryAppAuthorized(platform, profile, UnlistedPath().c_str(), &authorized)));
  EXPECT_FALSE(authorized) << "an entry nobody added";

  // The collection takes only entries the platform made.
  AuthorizedApplications *apps = nullptr;
  ASSERT_TRUE(Succeeded(profile->get_AuthorizedApplications(&apps)));
  ForeignEntry foreign;
  EXPECT_TRUE(Failed(apps->Add(&foreign)));
  EXPECT_EQ(apps->Release(), 0u);

  AuthorizedApplication *entry = nullptr;
  ASSERT_TRUE(Succeeded(platform.CreateAuthorizedApplication(&entry)));
  FwString name = platform.AllocString(L"vellafind-test.exe");
  EXPECT_EQ(platform.StringLength(name), 18u);
  EXPECT_TRUE(Succeeded(entry->put_Name(name)));
  platform.FreeString(name);
  EXPECT_EQ(entry->AddRef(), 2u);
  EXPECT_EQ(entry->Release(), 1u);
  EXPECT_EQ(entry->Release(), 0u);

  ReleaseFirewallProfile(profile);
}

TEST(WindowsFirewall, RegistrationEndsTheComItStarted) {
  ASSERT_EQ(ProbeCom(COINIT_APARTMENTTHREADED), S_OK) << "COM already initialised";
  const std::string path =
      "C:\\vellafind-test\\vf-" + std::to_string(GetCurrentProcessId()) + ".exe";
  RegisterFirewallException(path.c_str(), "");  // Added or not: the firewall decides.
  RegisterFirewallException(path.c_str(), "");  // A second start.
  EXPECT_EQ(ProbeCom(COINIT_APARTMENTTHREADED), S_OK) << "COM left initialised";
}

TEST(WindowsFirewall, ComInAnotherModeIsUsedAndLeftRunning) {
  {
    Apartment com(COINIT_MULTITHREADED);
    ASSERT_TRUE(com.started());
    const std::string path =
        "C:\\vellafind-test\\mta-" + std::to_string(GetCurrentProcessId()) + ".exe";
    RegisterFirewallException(path.c_str(), "");
    // Still the caller's multithreaded COM: asking for it again is a no-op.
    EXPECT_EQ(ProbeCom(COINIT_MULTITHREADED), S_FALSE);
  }
  EXPECT_EQ(ProbeCom(COINIT_APARTMENTTHREADED), S_OK);
}

TEST(WindowsFirewall, EmptyInputTouchesNothing) {
  EXPECT_FALSE(RegisterFirewallException("", ""));
  EXPECT_FALSE(RegisterFirewallException("C:\\dir\\", ""));
  EXPECT_EQ(ProbeCom(COINIT_APARTMENTTHREADED), S_OK);
}

}  // namespace
}  // namespace vf::firewall

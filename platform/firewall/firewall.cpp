#include "platform/firewall/firewall.h"

namespace vf::firewall {

std::string FileNameOfPath(std::string_view path) {
  const std::size_t cut = path.find_last_of("/\\");
  if (cut == std::string_view::npos) return std::string(path);
  return std::string(path.substr(cut + 1));
}

std::wstring WidenText(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    char32_t code = lead;
    char32_t minimum = 0;
    if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3, code = lead & 0x07, minimum = 0x10000;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1, code = lead & 0x1F, minimum = 0x80;
    }
    bool valid = i + extra < text.size() || extra == 0;
    for (std::size_t k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) valid = false;
      code = (code << 6) | (next & 0x3F);
    }
    if (valid && extra > 0 && (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)))
      valid = false;
    if (!valid) {
      wide.push_back(static_cast<wchar_t>(lead));
      ++i;
      continue;
    }
    if constexpr (sizeof(wchar_t) == 2) {
      if (code >= 0x10000) {
        code -= 0x10000;
        wide.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
        wide.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
        i += extra + 1;
        continue;
      }
    }
    wide.push_back(static_cast<wchar_t>(code));
    i += extra + 1;
  }
  return wide;
}

HResult OpenFirewallProfile(FirewallPlatform &platform, FirewallProfile **profile) {
  *profile = nullptr;
  FirewallManager *manager = nullptr;
  FirewallPolicy *policy = nullptr;
  HResult hr = platform.CreateManager(&manager);
  if (Succeeded(hr)) hr = manager->get_LocalPolicy(&policy);
  if (Succeeded(hr)) hr = policy->get_CurrentProfile(profile);
  if (policy != nullptr) policy->Release();
  if (manager != nullptr) manager->Release();
  return hr;
}

void ReleaseFirewallProfile(FirewallProfile *profile) {
  if (profile != nullptr) profile->Release();
}

HResult QueryFirewallEnabled(FirewallProfile *profile, bool *enabled) {
  *enabled = false;
  VariantBool state = kVariantFalse;
  const HResult hr = profile->get_FirewallEnabled(&state);
  if (Succeeded(hr) && state != kVariantFalse) *enabled = true;
  return hr;
}

HResult QueryAppAuthorized(FirewallPlatform &platform, FirewallProfile *profile,
                           const wchar_t *imagePath, bool *authorized) {
  *authorized = false;
  AuthorizedApplications *apps = nullptr;
  AuthorizedApplication *app = nullptr;
  FwString path = nullptr;
  HResult hr = profile->get_AuthorizedApplications(&apps);
  if (Failed(hr)) return hr;
  path = platform.AllocString(imagePath);
  if (path == nullptr) {
    hr = kOutOfMemory;
  } else if (Succeeded(apps->Item(path, &app))) {
    VariantBool enabled = kVariantFalse;
    hr = app->get_Enabled(&enabled);
    if (Succeeded(hr) && enabled != kVariantFalse) *authorized = true;
  } else {
    hr = kOk;  // no entry for the path: not authorised
  }
  platform.FreeString(path);
  if (app != nullptr) app->Release();
  apps->Release();
  return hr;
}

HResult AddAuthorizedApp(FirewallPlatform &platform, FirewallProfile *profile,
                         const wchar_t *imagePath, const wchar_t *displayName) {
  bool authorized = false;
  HResult hr = QueryAppAuthorized(platform, profile, imagePath, &authorized);
  if (Failed(hr)) return hr;
  if (authorized) return kOk;

  AuthorizedApplications *apps = nullptr;
  AuthorizedApplication *app = nullptr;
  FwString path = nullptr;
  FwString name = nullptr;
  hr = profile->get_AuthorizedApplications(&apps);
  if (Succeeded(hr)) hr = platform.CreateAuthorizedApplication(&app);
  if (Succeeded(hr)) {
    path = platform.AllocString(imagePath);
    if (path == nullptr) hr = kOutOfMemory;
  }
  if (Succeeded(hr)) hr = app->put_ProcessImageFileName(path);
  if (Succeeded(hr)) {
    name = platform.AllocString(displayName);
    if (platform.StringLength(name) == 0) hr = kOutOfMemory;
  }
  if (Succeeded(hr)) hr = app->put_Name(name);
  if (Succeeded(hr)) hr = apps->Add(app);

  platform.FreeString(name);
  platform.FreeString(path);
  if (app != nullptr) app->Release();
  if (apps != nullptr) apps->Release();
  return hr;
}

bool RegisterFirewallException(FirewallPlatform &platform, const char *imagePath,
                               const char *displayName) {
  if (imagePath == nullptr || imagePath[0] == '\0') return false;
  std::string name = (displayName != nullptr && displayName[0] != '\0')
                         ? std::string(displayName)
                         : FileNameOfPath(imagePath);
  if (name.empty()) return false;

  const HResult init = platform.ComInitialize(kComApartmentThreaded | kComDisableOle1Dde);
  if (Failed(init) && init != kChangedMode) return false;

  bool added = false;
  FirewallProfile *profile = nullptr;
  if (Succeeded(OpenFirewallProfile(platform, &profile))) {
    bool enabled = false;
    if (Succeeded(QueryFirewallEnabled(profile, &enabled)) && enabled) {
      FwString widePath = platform.AllocString(WidenText(imagePath).c_str());
      FwString wideName = nullptr;
      bool authorized = false;
      if (widePath != nullptr &&
          Succeeded(QueryAppAuthorized(platform, profile, widePath, &authorized)) && !authorized) {
        wideName = platform.AllocString(WidenText(name).c_str());
        if (wideName != nullptr)
          added = Succeeded(AddAuthorizedApp(platform, profile, widePath, wideName));
      }
      platform.FreeString(widePath);
      platform.FreeString(wideName);
    }
  }
  ReleaseFirewallProfile(profile);
  if (Succeeded(init)) platform.ComUninitialize();
  return added;
}

bool RegisterFirewallException(const char *imagePath, const char *displayName) {
  return RegisterFirewallException(SystemFirewallPlatform(), imagePath, displayName);
}

}  // namespace vf::firewall

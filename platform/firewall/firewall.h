// Adds the program to the firewall's authorised applications in the current profile, quietly and
// best-effort: nothing changes when the firewall is off or the program is already authorised.
#pragma once

#include <string>
#include <string_view>

#include "platform/firewall/firewall_interfaces.h"

namespace vf::firewall {

// True only when this call added an authorisation for `imagePath`. An empty `displayName` lists
// the entry under the path's file name (after the last '/' or '\').
bool RegisterFirewallException(const char *imagePath, const char *displayName);
bool RegisterFirewallException(FirewallPlatform &platform, const char *imagePath,
                               const char *displayName);

// The registration's steps, each returning the first failing code, else the last one.
HResult OpenFirewallProfile(FirewallPlatform &platform, FirewallProfile **profile);
void ReleaseFirewallProfile(FirewallProfile *profile);
HResult QueryFirewallEnabled(FirewallProfile *profile, bool *enabled);
HResult QueryAppAuthorized(FirewallPlatform &platform, FirewallProfile *profile,
                           const wchar_t *imagePath, bool *authorized);
HResult AddAuthorizedApp(FirewallPlatform &platform, FirewallProfile *profile,
                         const wchar_t *imagePath, const wchar_t *displayName);

// The file name part of a path: everything after the last '/' or '\'; the whole text when it has
// neither, the empty text when it ends in one.
std::string FileNameOfPath(std::string_view path);

// 8-bit text (UTF-8) as wide text; a byte that does not start a valid sequence stands for itself.
std::wstring WidenText(std::string_view text);

}  // namespace vf::firewall

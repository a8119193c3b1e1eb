#include "search_app.h"

#include <cstdio>

#include "platform/firewall/firewall.h"
#include "platform/program_info/program_info.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/dialog/search_dlg.h"
#include "ui/dialog/window_title.h"
#include "ui/window/message_box.h"

std::string g_moduleDir;

namespace {

CSearchApp::Services SystemServices() {
  namespace si = vf::single_instance;
  CSearchApp::Services services;
  services.startSockets = [] { return vf::program_info::StartSockets(); };
  services.stopSockets = [] { vf::program_info::StopSockets(); };
  services.registerFirewall = [](const std::string &imagePath, const char *displayName) {
    return vf::firewall::RegisterFirewallException(imagePath.c_str(), displayName);
  };
  services.productVersion = [](std::string &text) {
    vf::program_info::GetProductVersionText(text);
  };
  services.findWindow = [](const std::string &title) { return si::FindWindowByTitle(title); };
  services.isIconic = [](const si::WindowHandle &window) { return si::IsIconic(window); };
  services.restoreWindow = [](const si::WindowHandle &window) { return si::RestoreWindow(window); };
  services.runMainWindow = [] {
#if !defined(_WIN32)
    // The claim is how a second start finds this one where its window
    // cannot be listed; it lasts as long as the window. Held by another
    // copy already, that copy started between the look-up and now. A lock
    // that cannot be taken at all does not keep the window from opening.
    // Windows lists every window, so there the title alone does it.
    si::TitleClaim claim(g_windowTitle);
    if (claim.state() == si::TitleClaim::State::kHeldElsewhere) return;
    if (claim.state() == si::TitleClaim::State::kUnavailable) {
      std::fprintf(stderr,
                   "vellafind: starting without the lock that keeps a second copy from "
                   "starting: %s.\n",
                   claim.problem().c_str());
    }
#endif
    CSearchDlg dialog;
    dialog.DoModal();
  };
  return services;
}

}  // namespace

std::string MakeWindowTitle(const std::string &version) {
  return "Zelmor Serial Intranet search and settings(V" + version + ")";
}

CSearchApp::CSearchApp() : CSearchApp(SystemServices()) {}

CSearchApp::CSearchApp(Services services)
    : m_services(std::move(services)), m_pszExeName(vf::program_info::GetProgramName()) {}

bool CSearchApp::InitInstance() {
  using namespace vf::res;
  if (!m_services.startSockets()) {
    vf::ui::ShowMessageBox(nullptr, LoadString(IDS_INIT_FAILED), LoadString(IDS_TIPS),
                           vf::ui::MB_ICONINFORMATION | vf::ui::MB_OK);
    return false;
  }
  // No registry root ("Brivane") is kept: nothing is read or written under it.

  vf::program_info::GetModuleDirectory(g_moduleDir);
  const std::string imagePath = vf::program_info::MakeImagePath(g_moduleDir, m_pszExeName);
  m_services.registerFirewall(imagePath, "");  // Best effort; the result is not needed.

  std::string version;
  m_services.productVersion(version);
  g_windowTitle = MakeWindowTitle(version);

  if (auto running = m_services.findWindow(g_windowTitle)) {
    // Another copy of this version runs: bring it back if it is minimised,
    // without raising it, and end.
    if (m_services.isIconic(*running)) m_services.restoreWindow(*running);
    return false;
  }
  m_services.runMainWindow();
  return false;
}

int CSearchApp::ExitInstance() {
  m_services.stopSockets();
  return 0;
}

// The program's entry and exit: sockets, firewall registration, the window
// title from the program's own version, the single-instance rule, and the
// modal main window. Nothing is read at start and nothing stored at exit.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/single_instance/single_instance.h"

class CSearchDlg;

// Set once by InitInstance: the directory of the running program, ending in
// its separator. Only used to build the image path for the firewall.
extern std::string g_moduleDir;

// "Zelmor Serial Intranet search and settings(V" + version + ")".
std::string MakeWindowTitle(const std::string &version);

class CSearchApp final {
 public:
  // What start-up asks of the system, replaceable by tests. Each defaults to
  // the real operation.
  struct Services {
    std::function<int()> startSockets;
    std::function<void()> stopSockets;
    std::function<bool(const std::string &imagePath, const char *displayName)> registerFirewall;
    std::function<void(std::string &)> productVersion;
    std::function<std::optional<vf::single_instance::WindowHandle>(const std::string &)> findWindow;
    std::function<bool(const vf::single_instance::WindowHandle &)> isIconic;
    std::function<bool(const vf::single_instance::WindowHandle &)> restoreWindow;
    // Constructs the main window, runs it modally and destroys it.
    std::function<void()> runMainWindow;
  };

  // The program's name is the executable's file name, as given by the system.
  CSearchApp();
  explicit CSearchApp(Services services);

  // Start-up in its fixed order; always false, so that no message loop runs
  // outside the modal window.
  bool InitInstance();
  // Ends the sockets; runs after every way out of InitInstance. Returns the
  // process exit code.
  int ExitInstance();

 private:
  Services m_services;
  std::string m_pszExeName;
};

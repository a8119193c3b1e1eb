// Start-up and shutdown of the program: the order of the steps, the title,
// and each way out, with the system's operations replaced by recorders.
#include "search_app.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "message_box_recorder.h"
#include "platform/program_info/program_info.h"
#include "ui/dialog/window_title.h"

namespace {

using vf::single_instance::WindowHandle;

struct Script {
  std::vector<std::string> calls;
  int sockets = 1;
  std::optional<WindowHandle> running;
  bool iconic = false;
  std::string firewallPath, firewallName, lookedUpTitle;

  CSearchApp::Services Services() {
    CSearchApp::Services s;
    s.startSockets = [this] {
      calls.push_back("startSockets");
      return sockets;
    };
    s.stopSockets = [this] { calls.push_back("stopSockets"); };
    s.registerFirewall = [this](const std::string &path, const char *name) {
      calls.push_back("registerFirewall");
      firewallPath = path;
      firewallName = name;
      return false;
    };
    s.productVersion = [this](std::string &text) {
      calls.push_back("productVersion");
      text = "13.0.1.4";
    };
    s.findWindow = [this](const std::string &title) {
      calls.push_back("findWindow");
      lookedUpTitle = title;
      return running;
    };
    s.isIconic = [this](const WindowHandle &) {
      calls.push_back("isIconic");
      return iconic;
    };
    s.restoreWindow = [this](const WindowHandle &) {
      calls.push_back("restoreWindow");
      return true;
    };
    s.runMainWindow = [this] { calls.push_back("runMainWindow"); };
    return s;
  }
};

using Calls = std::vector<std::string>;

TEST(WindowTitle, CarriesTheVersionOrNothing) {
  EXPECT_EQ(MakeWindowTitle("13.0.1.4"), "Zelmor Serial Intranet search and settings(V13.0.1.4)");
  EXPECT_EQ(MakeWindowTitle(""), "Zelmor Serial Intranet search and settings(V)");
}

TEST(SearchApp, StartsInOrderAndRunsTheWindowOnce) {
  Script script;
  CSearchApp app(script.Services());
  EXPECT_FALSE(app.InitInstance()) << "no message loop of its own";
  EXPECT_EQ(0, app.ExitInstance());
  EXPECT_EQ((Calls{"startSockets", "registerFirewall", "productVersion", "findWindow",
                   "runMainWindow", "stopSockets"}),
            script.calls);
  // The program's own file, named without a display name.
  EXPECT_EQ(g_moduleDir + vf::program_info::GetProgramName() +
                std::string(vf::program_info::kExecutableSuffix),
            script.firewallPath);
#if defined(_WIN32)
  EXPECT_EQ('\\', g_moduleDir.back());
#else
  EXPECT_EQ('/', g_moduleDir.back());
#endif
  EXPECT_EQ("", script.firewallName);
  EXPECT_EQ(g_windowTitle, "Zelmor Serial Intranet search and settings(V13.0.1.4)");
  EXPECT_EQ(g_windowTitle, script.lookedUpTitle);
}

TEST(SearchApp, FailedSocketStartSaysSoAndStopsBeforeAnythingElse) {
  Script script;
  script.sockets = 0;
  vf::ui::MessageBoxRecorder boxes;
  CSearchApp app(script.Services());
  EXPECT_FALSE(app.InitInstance());
  app.ExitInstance();
  EXPECT_EQ((Calls{"startSockets", "stopSockets"}), script.calls);
  auto requests = boxes.Requests();
  ASSERT_EQ(1u, requests.size());
  EXPECT_EQ("Failed to initialize.", requests[0].text);
  EXPECT_EQ("Tips", requests[0].caption);
  EXPECT_EQ(vf::ui::MB_ICONINFORMATION | vf::ui::MB_OK, requests[0].type);
  EXPECT_EQ(nullptr, requests[0].owner);
}

TEST(SearchApp, AnotherCopyIsRestoredOnlyWhenMinimisedAndNothingElseRuns) {
  for (bool iconic : {true, false}) {
    Script script;
    script.running = WindowHandle{WindowHandle::Source::kX11, 42};
    script.iconic = iconic;
    vf::ui::MessageBoxRecorder boxes;
    CSearchApp app(script.Services());
    EXPECT_FALSE(app.InitInstance());
    app.ExitInstance();
    Calls expected = {"startSockets", "registerFirewall", "productVersion", "findWindow",
                      "isIconic"};
    if (iconic) expected.push_back("restoreWindow");
    expected.push_back("stopSockets");
    EXPECT_EQ(expected, script.calls);
    EXPECT_EQ(0, boxes.Count()) << "a second start shows nothing";
  }
}

}  // namespace

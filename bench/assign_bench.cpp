// "Assign addresses" with many cameras: the time from Apply to the last camera's result, and to
// the end of the batch, with every camera answering at once. The cameras are sent one after the
// other, so this is the cost of one round trip (command out, answer matched, row filled, next
// started) times the count.
//
// The window opens an engine session, so this only runs on the private LAN:
//
//   VF_CAMSIM_COUNT=200 tools/privlan.sh --camsim "build/camsim --count 200 --quiet"
//       -- build/assign_bench
//
// (one command line). QT_QPA_PLATFORM defaults to "offscreen".
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "dialog_probe.h"
#include "message_box_recorder.h"
#include "private_lan.h"
#include "res/resource_ids.h"
#include "ui/dialog/assign_dlg.h"
#include "ui/dialog/search_dlg.h"
#include "window_driver.h"

namespace {

using namespace vf::res;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration span) {
  return std::chrono::duration<double>(span).count();
}

// Runs the window thread's event loop as the program does, until `done` holds or `ms` pass. The
// test driver's wait sleeps 10 ms between its rounds, which a batch would pay once a camera.
bool RunUntil(const std::function<bool()> &done, int ms) {
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  check.start(1);
  loop.exec();
  return done();
}

}  // namespace

int main(int argc, char **argv) {
  // Before anything else: the window opens multicast sockets.
  if (!vf::testing::InPrivateLan()) {
    std::fprintf(stderr,
                 "assign_bench: runs only on the private LAN, e.g.\n"
                 "  VF_CAMSIM_COUNT=200 tools/privlan.sh --camsim \"build/camsim --count 200 "
                 "--quiet\" -- build/assign_bench\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int expected = 200;
  if (const char *count = std::getenv("VF_CAMSIM_COUNT")) expected = std::atoi(count);

  QApplication app(argc, argv);
  vf::ui::MessageBoxRecorder boxes;
  CSearchDlg window;
  if (!window.Create()) return 1;
  window.OnSearch();
  vf::testing::PumpUntil([&] { return window.IsControlEnabled(IDC_SEARCH); }, 10000);
  const int found = vf::testing::Devices(window).Count();
  if (found != expected) {
    std::printf("search: %d of %d cameras listed\n", found, expected);
    return 1;
  }
  vf::testing::Window(window).Item(IDC_ACCOUNT).SetText("admin");
  vf::testing::Window(window).Item(IDC_PASSWORD).SetText("admin");
  std::optional<CAssignDlg::Setup> setup = CSearchDlgProbe::AssignSetup(window);
  if (!setup) return 1;
  CAssignDlg assign(std::move(*setup));
  if (!assign.Create()) return 1;
  vf::ui::DialogWindow &dialog = vf::testing::Window(assign);
  // A subnet of its own, given whole: no adapter of the LAN has to hold it.
  dialog.Item(IDC_ASSIGN_FIRST).SetText("172.16.0.10");
  dialog.Item(IDC_ASSIGN_MASK).SetText("255.255.0.0");
  dialog.Item(IDC_ASSIGN_GATEWAY).SetText("172.16.0.1");
  vf::testing::Click(dialog, IDC_ASSIGN_PLAN);

  auto *list = dialog.Find<vf::ui::ListView>(IDC_ASSIGN_LIST);
  const int last = list->ItemCount() - 1;
  const std::string taken = "Device information successfully updated!";
  boxes.Script({vf::ui::IDYES});
  const Clock::time_point apply = Clock::now();
  vf::testing::Click(dialog, IDC_ASSIGN_APPLY);
  const bool answered = RunUntil(
      [&] { return !list->ItemText(last, CAssignDlg::kResult).empty() &&
                   list->ItemText(last, CAssignDlg::kResult) != "To be sent"; },
      20000 + 100 * expected);
  const Clock::time_point lastResult = Clock::now();
  RunUntil([&] { return dialog.Item(IDC_ASSIGN_APPLY).IsEnabled(); }, 10000);
  const Clock::time_point ended = Clock::now();

  int accepted = 0;
  for (int row = 0; row <= last; ++row) {
    if (list->ItemText(row, CAssignDlg::kResult) == taken) ++accepted;
  }
  std::printf("assign: %d cameras, %d took their settings\n", last + 1, accepted);
  std::printf("assign: Apply to the last result %.3f s (%.2f ms a camera)%s\n",
              Seconds(lastResult - apply), 1000 * Seconds(lastResult - apply) / (last + 1),
              answered ? "" : " (not all answered)");
  std::printf("assign: Apply to the end of the batch %.3f s\n", Seconds(ended - apply));
  return answered && accepted == last + 1 ? 0 : 1;
}

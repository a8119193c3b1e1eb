// The main window under load: how soon it is on screen, how long the window
// thread stalls while 50,000 real announcements arrive, the peak memory that
// costs per device, and what the collection tick costs with 10,000, 50,000
// and 100,000 devices.
//
// The window opens an engine session, so this only runs on the private LAN:
//
//   VF_CAMSIM_COUNT=50000 tools/privlan.sh
//       --camsim "build/camsim --count 50000 --quiet" -- build/window_bench
//
// (one command line).
//
// VF_CAMSIM_COUNT   cameras the camsim of that LAN answers with (default
//                   50000); 0 skips the live search, for a LAN without camsim.
// QT_QPA_PLATFORM   defaults to "offscreen".
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "dialog_probe.h"
#include "message_box_recorder.h"
#include "platform/adapters.h"
#include "private_lan.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/qt/report_list.h"
#include "ui/window/qt/timers.h"

namespace {

using namespace vf::res;
using Clock = std::chrono::steady_clock;

// The window's Qt side: the dialog, its list and its timers.
QDialog *DialogOf(const CSearchDlg &dialog) {
  return static_cast<QDialog *>(vf::testing::Window(dialog).NativeHandle());
}
vf::ui::ReportList *ListOf(const CSearchDlg &dialog) {
  return DialogOf(dialog)->findChild<vf::ui::ReportList *>(QStringLiteral("IDC_DEVICE_LIST"));
}
vf::ui::DialogTimers *TimersOf(const CSearchDlg &dialog) {
  return DialogOf(dialog)->findChild<vf::ui::DialogTimers *>();
}

constexpr int kLiveDevices = 50000;
constexpr int kTickSizes[] = {10000, 50000, 100000};
constexpr int kTickRounds = 5;
constexpr double kTickTargetMs = 20.0;
constexpr int kHeartbeatMs = 5;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  if (n == 0) return 0;
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Milliseconds since the kernel started this process: field 22 of
// /proc/self/stat (clock ticks since boot) against CLOCK_BOOTTIME. Negative
// when the file cannot be read.
double MsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // The command name (field 2) may hold blanks and parentheses; count from its end.
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 1));
  std::string field;
  unsigned long long startTicks = 0;
  for (int number = 3; number <= 22 && (fields >> field); ++number) {
    if (number == 22) startTicks = std::strtoull(field.c_str(), nullptr, 10);
  }
  const long ticksPerSecond = sysconf(_SC_CLK_TCK);
  if (startTicks == 0 || ticksPerSecond <= 0) return -1;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double nowMs =
      static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
  return nowMs - static_cast<double>(startTicks) * 1e3 / static_cast<double>(ticksPerSecond);
}

// VmHWM and VmRSS of /proc/self/status, in MiB.
struct Memory {
  double peakMiB = -1;
  double residentMiB = -1;
};

Memory ReadMemory() {
  Memory memory;
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    double *target = nullptr;
    if (line.rfind("VmHWM:", 0) == 0) target = &memory.peakMiB;
    if (line.rfind("VmRSS:", 0) == 0) target = &memory.residentMiB;
    if (target != nullptr) *target = std::strtod(line.c_str() + 6, nullptr) / 1024.0;  // kB
  }
  return memory;
}

// Starts the peak (VmHWM) over at the present resident size.
void ResetPeakMemory() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

void PrintMemory(const char *when) {
  const Memory memory = ReadMemory();
  std::printf("memory %-47s VmHWM %7.1f MiB   VmRSS %7.1f MiB\n", when, memory.peakMiB,
              memory.residentMiB);
}

// Handles every event still waiting, including the repaints they post.
void Drain() {
  for (int pass = 0; pass < 5; ++pass) QApplication::processEvents(QEventLoop::AllEvents);
}

// Counts the paints of one window and its children.
class PaintCounter final : public QObject {
 public:
  explicit PaintCounter(QWidget *window) : m_window(window) {}
  int Paints() const { return m_paints; }

  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == m_window) {
      ++m_paints;
    }
    return false;
  }

 private:
  QWidget *m_window;
  int m_paints = 0;
};

// A window with no adapters: its engine gets no addresses of its own.
class NoAdapters final : public vf::platform::AdapterSource {
 public:
  std::optional<std::vector<vf::platform::Adapter>> ReadAdapters() override {
    return std::vector<vf::platform::Adapter>{};
  }
  std::optional<std::vector<std::string>> ReadDnsServers(uint32_t) override {
    return std::vector<std::string>{};
  }
};

template <std::size_t N>
void Put(char (&field)[N], const char *text) {
  std::size_t i = 0;
  for (; i + 1 < N && text[i] != '\0'; ++i) field[i] = text[i];
  field[i] = '\0';
}

std::vector<DeviceRecord> MakeDevices(int count) {
  std::vector<DeviceRecord> records(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    DeviceRecord &record = records[static_cast<size_t>(i)];
    record = DeviceRecord{};
    char text[64];
    std::snprintf(text, sizeof text, "Bench-%05d", i + 1);
    Put(record.deviceName, text);
    std::snprintf(text, sizeof text, "02:42:56:%02X:%02X:%02X", (i >> 16) & 0xFF, (i >> 8) & 0xFF,
                  i & 0xFF);
    Put(record.network.macAddress, text);
    std::snprintf(text, sizeof text, "bench%027d", i);
    Put(record.deviceId, text);
    Put(record.deviceModel, "BM-1");
    Put(record.softwareVersion, "V2.1.0");
    Put(record.webVersion, "W1.4");
    Put(record.httpPort, "80");
    std::snprintf(text, sizeof text, "10.%d.%d.%d", 100 + (i >> 16), (i >> 8) & 0xFF, i & 0xFF);
    Put(record.network.ipAddress, text);
    Put(record.network.netmask, "255.0.0.0");
    Put(record.network.gateway, "10.0.0.1");
    Put(record.network.primaryDns, "10.0.0.1");
  }
  return records;
}

int Rows(const CSearchDlg &dialog) {
  return vf::testing::Window(dialog).Find<vf::ui::ListView>(IDC_DEVICE_LIST)->ItemCount();
}

// Process start to the window on screen: constructed, shown and painted.
bool MeasureStartup(CSearchDlg &dialog) {
  dialog.Create();
  QDialog *window = DialogOf(dialog);
  PaintCounter paints(window);
  qApp->installEventFilter(&paints);
  window->show();
  const auto until = Clock::now() + std::chrono::seconds(5);
  while (!(window->isVisible() && paints.Paints() > 0) && Clock::now() < until) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  const double sinceStart = MsSinceProcessStart();
  qApp->removeEventFilter(&paints);
  if (!window->isVisible() || paints.Paints() == 0) {
    std::printf("startup: the window was not shown and painted within 5 s\n");
    return false;
  }
  std::printf("%-55s %7.1f ms   (start time in 1/%ld s ticks)\n",
              "startup: process start to window shown and painted", sinceStart,
              sysconf(_SC_CLK_TCK));
  return true;
}

// The collection tick over `count` devices recorded as the engine's worker
// records them. The window searches from loopback only, so no camera answers
// and the store holds exactly the records made here.
bool MeasureTick(int count) {
  NoAdapters adapters;
  CSearchDlg dialog(adapters);
  dialog.Create();
  if (!vf::testing::EngineStarted(dialog)) {
    std::printf("tick: the engine did not start\n");
    return false;
  }
  const char loopback[1][16] = {"127.0.0.1"};
  DevSearch_SetLocalAddresses(loopback, 1);
  DialogOf(dialog)->show();
  Drain();

  const std::vector<DeviceRecord> records = MakeDevices(count);
  const std::string countText = std::to_string(count) + " pcs";
  std::vector<double> searchMs, recordMs, tickMs, paintedMs;
  for (int round = 0; round < kTickRounds; ++round) {
    auto start = Clock::now();
    dialog.OnSearch();  // From the second round on, this clears `count` devices.
    searchMs.push_back(MsSince(start));
    Drain();
    start = Clock::now();
    for (const DeviceRecord &record : records) {
      vf::testing::Lan(dialog).OnAnnouncement(record);
    }
    recordMs.push_back(MsSince(start));
    if (vf::testing::Devices(dialog).Count() != count) {
      std::printf("tick: the store holds %d devices, not %d\n", vf::testing::Devices(dialog).Count(),
                  count);
      return false;
    }

    start = Clock::now();
    const bool fired = vf::testing::Window(dialog).IsTimerActive(CSearchDlg::TIMER_COLLECT);
    if (fired) dialog.OnTimer(CSearchDlg::TIMER_COLLECT);
    const bool done = fired && Rows(dialog) == count && dialog.IsControlEnabled(IDC_SEARCH);
    tickMs.push_back(MsSince(start));
    Drain();
    paintedMs.push_back(MsSince(start));
    if (!done || vf::testing::Window(dialog).Item(IDC_DEVICE_COUNT).Text() != countText) {
      std::printf("tick: round %d ended with %d rows, Search %s, count \"%s\"\n", round + 1,
                  Rows(dialog), dialog.IsControlEnabled(IDC_SEARCH) ? "enabled" : "disabled",
                  vf::testing::Window(dialog).Item(IDC_DEVICE_COUNT).Text().c_str());
      return false;
    }
  }
  // A letter no name begins with: the list looks at every row.
  vf::ui::ReportList *list = ListOf(dialog);
  list->setFocus();
  auto start = Clock::now();
  QTest::keyClick(list, Qt::Key_Z);
  const double typedMs = MsSince(start);

  char label[80];
  searchMs.erase(searchMs.begin());  // The first search had nothing to clear.
  std::snprintf(label, sizeof label, "search: clearing %d devices (median of %d)", count,
                kTickRounds - 1);
  std::printf("%-55s %7.1f ms\n", label, Median(searchMs));
  std::snprintf(label, sizeof label, "record: %d devices from one thread (median of %d)", count,
                kTickRounds);
  std::printf("%-55s %7.1f ms\n", label, Median(recordMs));
  const double tick = Median(tickMs);
  std::snprintf(label, sizeof label, "tick: collection tick, %d rows (median of %d)", count,
                kTickRounds);
  std::printf("%-55s %7.1f ms   target <= %.0f ms: %s\n", label, tick, kTickTargetMs,
              tick <= kTickTargetMs ? "met" : "MISSED");
  std::printf("%-55s %7.1f ms   (slowest of %d: %.1f ms)\n",
              "tick: collection tick and the repaint after it", Median(paintedMs), kTickRounds,
              *std::max_element(tickMs.begin(), tickMs.end()));
  std::snprintf(label, sizeof label, "typing a letter that no name begins with, %d rows", count);
  std::printf("%-55s %7.1f ms\n", label, typedMs);
  return true;
}

// Watches the window thread while a real search collects: a heartbeat every
// 5 ms, the largest gap between two beats, and the tick's own duration.
class StallWatch final : public QObject {
 public:
  explicit StallWatch(CSearchDlg &dialog) : m_dialog(dialog) {
    m_heartbeat.setTimerType(Qt::PreciseTimer);
    m_heartbeat.setInterval(kHeartbeatMs);
    connect(&m_heartbeat, &QTimer::timeout, this, [this] { Beat(); });
    // Connected after the window's own handler, so this runs once the tick is done.
    connect(TimersOf(dialog), &vf::ui::DialogTimers::timeout, this, [this](int id) {
      if (id == CSearchDlg::TIMER_COLLECT && m_tickStart) {
        m_tickMs = MsSince(*m_tickStart);
        m_tickEnd = Clock::now();
      }
    });
  }

  bool eventFilter(QObject *watched, QEvent *event) override {
    if (watched == TimersOf(m_dialog) && event->type() == QEvent::Timer && !m_tickStart &&
        vf::testing::Window(m_dialog).IsTimerActive(CSearchDlg::TIMER_COLLECT)) {
      m_tickStart = Clock::now();
    }
    return false;
  }

  void Start() {
    m_last = Clock::now();
    m_heartbeat.start();
  }
  void Stop() { m_heartbeat.stop(); }

  double StallBeforeTickMs() const { return m_stallBeforeTick; }
  double StallMs() const { return m_stall; }
  double TickMs() const { return m_tickMs; }
  bool Ticked() const { return m_tickEnd.has_value(); }
  std::optional<Clock::time_point> TickEnd() const { return m_tickEnd; }

 private:
  void Beat() {
    const auto now = Clock::now();
    const double gap = std::chrono::duration<double, std::milli>(now - m_last).count();
    m_last = now;
    m_stall = std::max(m_stall, gap);
    if (!m_tickStart) m_stallBeforeTick = std::max(m_stallBeforeTick, gap);
  }

  CSearchDlg &m_dialog;
  QTimer m_heartbeat;
  Clock::time_point m_last;
  double m_stall = 0;
  double m_stallBeforeTick = 0;
  double m_tickMs = -1;
  std::optional<Clock::time_point> m_tickStart;
  std::optional<Clock::time_point> m_tickEnd;
};

bool MeasureLiveSearch(CSearchDlg &dialog, int expected) {
  StallWatch watch(dialog);
  qApp->installEventFilter(&watch);
  Drain();
  const double residentBefore = ReadMemory().residentMiB;
  ResetPeakMemory();

  watch.Start();
  const auto start = Clock::now();
  dialog.OnSearch();
  QEventLoop loop;
  QTimer poll;
  poll.setInterval(1);
  // Runs on a little past the tick, so that the repaint of the rows counts too.
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    const auto tickEnd = watch.TickEnd();
    if ((tickEnd && Clock::now() - *tickEnd > std::chrono::milliseconds(250)) ||
        Clock::now() - start > std::chrono::seconds(8)) {
      loop.quit();
    }
  });
  poll.start();
  loop.exec();
  poll.stop();
  watch.Stop();
  qApp->removeEventFilter(&watch);

  if (!watch.Ticked()) {
    std::printf("live: the collection tick did not come within 8 s\n");
    return false;
  }
  const int rows = Rows(dialog);
  std::printf("%-55s %7d    of %d cameras%s\n", "live: rows shown after the tick", rows, expected,
              rows == expected ? "" : "  (SHORT)");
  std::printf("%-55s %7.1f ms\n", "live: collection tick", watch.TickMs());
  std::printf("%-55s %7.1f ms\n", "live: largest stall while collecting (5 ms beat)",
              watch.StallBeforeTickMs());
  std::printf("%-55s %7.1f ms\n", "live: largest stall, the tick and its repaint included",
              watch.StallMs());
  PrintMemory("after the tick, live search");
  const double peakGrowth = ReadMemory().peakMiB - residentBefore;
  if (rows > 0) {
    std::printf("%-55s %7.0f bytes (peak %.1f MiB over %.1f MiB before the search)\n",
                "live: peak memory per device shown", peakGrowth * 1024 * 1024 / rows, peakGrowth,
                residentBefore);
  }
  return true;
}

// After the tick: the same cameras answer a search the window did not start,
// so every announcement arrives late. Nothing of it may be kept.
bool MeasureLateFlood(CSearchDlg &dialog) {
  const int before = vf::testing::Devices(dialog).Count();
  const double residentBefore = ReadMemory().residentMiB;
  ResetPeakMemory();
  DevSearch_Search(vf::testing::Session(dialog));
  QEventLoop loop;
  QTimer::singleShot(CSearchDlg::kCollectPeriodMs + 500, &loop, &QEventLoop::quit);
  loop.exec();
  const Memory after = ReadMemory();
  std::printf("%-55s %7d    (store held %d before)\n", "late: devices kept from a late flood",
              vf::testing::Devices(dialog).Count() - before, before);
  std::printf("%-55s %7.1f MiB (peak %+.1f MiB)\n", "late: resident memory it added",
              after.residentMiB - residentBefore, after.peakMiB - residentBefore);
  return vf::testing::Devices(dialog).Count() == before;
}

}  // namespace

int main(int argc, char **argv) {
  // Before anything else: the window opens multicast sockets.
  if (!vf::testing::InPrivateLan()) {
    std::fprintf(stderr,
                 "window_bench: runs only on the private LAN, e.g.\n"
                 "  VF_CAMSIM_COUNT=50000 tools/privlan.sh --camsim \"build/camsim --count 50000 "
                 "--quiet\" -- build/window_bench\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int expected = kLiveDevices;
  if (const char *count = std::getenv("VF_CAMSIM_COUNT")) expected = std::atoi(count);

  QApplication app(argc, argv);
  vf::ui::MessageBoxRecorder boxes;  // A box would wait for a click no one gives.

  bool ok = true;
  {
    CSearchDlg window;
    ok = MeasureStartup(window);
    if (!vf::testing::EngineStarted(window) || vf::testing::LocalAddresses(window).empty()) {
      std::printf("startup: the engine did not start or found no local address\n");
      return 1;
    }
    std::fflush(stdout);
    // First, while the process is small: the live search and its memory.
    if (expected > 0) {
      ok = MeasureLiveSearch(window, expected) && ok;
      ok = MeasureLateFlood(window) && ok;
    } else {
      std::printf("live: skipped (VF_CAMSIM_COUNT=0)\n");
    }
    std::fflush(stdout);
  }

  for (int count : kTickSizes) {
    ok = MeasureTick(count) && ok;
    std::fflush(stdout);
  }
  if (boxes.Count() > 0) std::printf("note: %d message box(es) were answered\n", boxes.Count());
  return ok ? 0 : 1;
}

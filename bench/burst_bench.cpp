// Burst absorption: camsim answers each SEARCH with N cameras at a given
// pace; counts the distinct cameras whose announcement reaches the search
// callback by the end of the collection (2.5 s after the last search), and the
// datagrams the kernel dropped on the group socket meanwhile.
//
// The receive buffer is what the engine may ask for under a cap, as the
// system's net.core.rmem_max holds an ordinary user: "stock" is the 208 KiB
// of a stock kernel, "drop-in" the 8 MiB that res/linux/60-vellafind.conf
// allows, which is all the engine asks for. The cap goes through the test
// build's switch, since the machine's own cap must not be changed.
//
// On a machine with more than one CPU the cameras get the first CPU and the
// engine the others, as on a LAN where the cameras are machines of their own:
// sharing a CPU with camsim's sending would measure camsim, not the engine.
//
// Runs on the private LAN:
//   tools/privlan.sh -- build/burst_bench [--runs K] [--shared-cpu] [N...]
//   tools/privlan.sh -- build/burst_bench --spacing [--runs K] [--shared-cpu] [N...]
//   tools/privlan.sh -- build/burst_bench --ring-memory
#include <sched.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "devsearch.h"
#include "platform/receive_stats.h"
#include "private_lan.h"
#include "session.h"
#include "test_seams.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kPort = 8002;
constexpr int kStockCap = 212992;            // net.core.rmem_max of a stock kernel
constexpr int kDropInCap = 8 * 1024 * 1024;  // the drop-in's net.core.rmem_max
constexpr auto kCollection = 2500ms;

struct Count {
  std::atomic<int> distinct{0};
  std::vector<std::atomic<uint8_t>> seen;
  explicit Count(size_t n) : seen(n) {}
};

int OnDevice(SearchSession *, const char *, const void *data, void *user) {
  auto *count = static_cast<Count *>(user);
  const auto *record = static_cast<const DeviceRecord *>(data);
  // camsim names its cameras Camera-0001 and so on; the number says which,
  // and merging by it is merging by MAC.
  const char *digits = record->deviceName;
  while (*digits != '\0' && (*digits < '0' || *digits > '9')) ++digits;
  size_t index = static_cast<size_t>(std::strtoul(digits, nullptr, 10));
  if (index >= 1 && index <= count->seen.size() && count->seen[index - 1].exchange(1) == 0) {
    count->distinct++;
  }
  return 0;
}

struct Setup {
  int cameras;
  int rate;  // 0: unpaced
  int cap;
  int searches;
  std::chrono::milliseconds spacing;
};

struct Result {
  int received = -1;
  long drops = -1;  // On the group socket, during the run.
  int bufferKiB = 0;
};

Result RunOnce(const Setup &setup) {
  vf::testing::Camsim camsim(
      {"--count", std::to_string(setup.cameras), "--rate", std::to_string(setup.rate), "--quiet"});
  if (!camsim.ready()) return {};
  devsearch::seams::receiveBufferCap = setup.cap;
  SearchSession *session = nullptr;
  if (DevSearch_Create(vf::testing::kGroup, kPort, 4, &session) != DEVSEARCH_OK) return {};
  Count count(static_cast<size_t>(setup.cameras));
  DevSearch_SetSearchCallback(session, OnDevice, &count);
  auto pc = vf::testing::PcAddresses();
  char table[1][16] = {};
  std::snprintf(table[0], sizeof table[0], "%s", pc.front().c_str());
  DevSearch_SetLocalAddresses(table, 1);

  auto before = vf::platform::ReadReceiveStats(kPort);
  for (int i = 0; i < setup.searches; ++i) {
    if (i > 0) std::this_thread::sleep_for(setup.spacing);
    DevSearch_Search(session);
  }
  auto until = Clock::now() + kCollection;
  while (Clock::now() < until && count.distinct.load() < setup.cameras) {
    std::this_thread::sleep_for(1ms);
  }
  Result result;
  result.received = count.distinct.load();
  auto after = vf::platform::ReadReceiveStats(kPort);
  if (before && after) {
    result.drops = static_cast<long>(after->drops - before->drops);
    result.bufferKiB = after->bufferBytes / 1024;
  }
  DevSearch_Destroy(session);
  return result;
}

// Runs a setup `runs` times and prints one line: the worst and the mean
// share delivered, and the mean drops.
void Report(const Setup &setup, int runs) {
  int worst = setup.cameras;
  double sum = 0, drops = 0;
  int bufferKiB = 0;
  for (int run = 0; run < runs; ++run) {
    Result r = RunOnce(setup);
    if (r.received < 0) {
      std::printf("run failed\n");
      return;
    }
    worst = std::min(worst, r.received);
    sum += r.received;
    drops += static_cast<double>(r.drops);
    bufferKiB = r.bufferKiB;
  }
  char searches[32];
  if (setup.searches == 1)
    std::snprintf(searches, sizeof searches, "1");
  else
    std::snprintf(searches, sizeof searches, "%d, %lld ms", setup.searches,
                  static_cast<long long>(setup.spacing.count()));
  std::printf("%8d %9s %8d KiB %12s %9.3f %% %9.3f %% %10.0f\n", setup.cameras,
              setup.rate == 0 ? "unpaced" : std::to_string(setup.rate).c_str(), bufferKiB, searches,
              100.0 * worst / setup.cameras, 100.0 * sum / runs / setup.cameras, drops / runs);
  std::fflush(stdout);
}

void PrintHeader() {
  std::printf("%8s %9s %12s %12s %11s %11s %10s\n", "cameras", "rate/s", "buffer", "searches",
              "worst", "mean", "drops");
}

// Resident memory of this process in KiB, from /proc/self/status.
long ResidentKiB(const char *field) {
  FILE *status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  long value = -1;
  size_t length = std::strlen(field);
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, field, length) == 0) value = std::atol(line + length);
  }
  std::fclose(status);
  return value;
}

// Memory of a session whose ring is full: the worker is held in a callback
// while more than 512 datagrams arrive.
void MeasureFullRing() {
  long before = ResidentKiB("VmRSS:");
  SearchSession *session = nullptr;
  if (DevSearch_Create(vf::testing::kGroup, kPort, 4, &session) != DEVSEARCH_OK) return;
  long created = ResidentKiB("VmRSS:");
  static std::atomic<bool> release{false};
  DevSearch_SetSearchCallback(
      session,
      [](SearchSession *, const char *, const void *, void *) {
        while (!release) std::this_thread::sleep_for(1ms);
        return 0;
      },
      nullptr);
  vf::testing::CameraSocket camera(vf::testing::CameraAddresses()[0], 0);
  std::string id = session->clientId;
  std::string text = "QNS/1.0 200 OK\r\nClient-ID:" + id + "\r\nDevice-ID=" + std::string(32, '7') +
                     "\r\n" + std::string(540, 'x') + "\r\n";
  for (int i = 0; i < 600; ++i) camera.Send(text, kPort);
  auto held = [&] {
    int n = 0;
    for (auto &slot : session->ring) n += slot.load() != nullptr;
    return n;
  };
  vf::testing::WaitFor([&] { return held() == 512; }, 5s);
  long full = ResidentKiB("VmRSS:");
  std::printf(
      "session memory: %ld KiB after Create, %ld KiB with %d ring slots held "
      "(peak RSS %ld KiB)\n",
      created - before, full - before, held(), ResidentKiB("VmHWM:"));
  release = true;
  DevSearch_Destroy(session);
}

}  // namespace

int main(int argc, char **argv) {
  if (!vf::testing::InPrivateLan()) {
    std::fprintf(stderr, "run me on the private LAN: tools/privlan.sh -- %s\n", argv[0]);
    return 2;
  }
  // The cameras on CPU 0 (camsim's helper reads VF_CAMSIM_CPU), this process
  // on the others; --shared-cpu measures them competing for every CPU.
  bool sharedCpu = false;
  for (int i = 1; i < argc; ++i) sharedCpu = sharedCpu || std::strcmp(argv[i], "--shared-cpu") == 0;
  if (!sharedCpu && std::thread::hardware_concurrency() > 1) {
    cpu_set_t engine;
    CPU_ZERO(&engine);
    for (unsigned cpu = 1; cpu < std::thread::hardware_concurrency(); ++cpu) CPU_SET(cpu, &engine);
    if (sched_setaffinity(0, sizeof engine, &engine) == 0) setenv("VF_CAMSIM_CPU", "0", 1);
  }
  std::vector<int> sizes;
  bool spacing = false;
  int runs = 3;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--ring-memory") == 0) {
      MeasureFullRing();
      return 0;
    }
    if (std::strcmp(argv[i], "--shared-cpu") == 0) continue;
    if (std::strcmp(argv[i], "--spacing") == 0) {
      spacing = true;
    } else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else {
      sizes.push_back(std::atoi(argv[i]));
    }
  }
  if (sizes.empty()) sizes = {10000, 50000};

  PrintHeader();
  for (int cameras : sizes) {
    for (int rate : {180000, 0}) {
      if (spacing) {
        // Three searches on the stock cap, at several spacings.
        for (auto gap : {100ms, 200ms, 300ms, 500ms, 800ms}) {
          Report({cameras, rate, kStockCap, 3, gap}, runs);
        }
        continue;
      }
      Report({cameras, rate, kStockCap, 1, 0ms}, runs);
      Report({cameras, rate, kStockCap, 3, 300ms}, runs);
      Report({cameras, rate, kDropInCap, 1, 0ms}, runs);
    }
  }
  return 0;
}

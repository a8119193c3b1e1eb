// Burst absorption: camsim answers one SEARCH with N cameras at a given
// pace; counts the distinct announcements that reach the search callback
// within the 2.5 s collection window, with the receive buffer the engine asks
// for and with the 208 KiB an ordinary user is held to.
//
// Runs on the private LAN:  tools/privlan.sh -- build/burst_bench [N...]
#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "devsearch.h"
#include "private_lan.h"
#include "session.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Count {
  std::atomic<int> distinct{0};
  std::vector<std::atomic<uint8_t>> seen;
  explicit Count(size_t n) : seen(n) {}
};

int OnDevice(SearchSession *, const char *, const void *data, void *user) {
  auto *count = static_cast<Count *>(user);
  const auto *record = static_cast<const DeviceRecord *>(data);
  // camsim names its cameras Camera-00001 and so on; the number says which.
  const char *digits = record->deviceName;
  while (*digits != '\0' && (*digits < '0' || *digits > '9')) ++digits;
  size_t index = static_cast<size_t>(std::strtoul(digits, nullptr, 10));
  if (index >= 1 && index <= count->seen.size() && count->seen[index - 1].exchange(1) == 0) {
    count->distinct++;
  }
  return 0;
}

struct Result {
  int received;
  double allInMs;  // Negative when not all arrived within the window.
};

Result RunOnce(int cameras, int rate, bool userBuffer) {
  vf::testing::Camsim camsim({"--count", std::to_string(cameras), "--rate", std::to_string(rate),
                              "--quiet"});
  if (!camsim.ready()) return {-1, -1};
  SearchSession *session = nullptr;
  if (DevSearch_Create(vf::testing::kGroup, 8002, 4, &session) != DEVSEARCH_OK) return {-1, -1};
  if (userBuffer) {
    // What SO_RCVBUF grants without privilege on a stock kernel (rmem_max).
    int bytes = 212992;
    setsockopt(session->groupSocket, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
  }
  Count count(static_cast<size_t>(cameras));
  DevSearch_SetSearchCallback(session, OnDevice, &count);
  auto pc = vf::testing::PcAddresses();
  char table[1][16] = {};
  std::snprintf(table[0], sizeof table[0], "%s", pc.front().c_str());
  DevSearch_SetLocalAddresses(table, 1);

  auto start = Clock::now();
  DevSearch_Search(session);
  double allIn = -1;
  while (Clock::now() - start < 2500ms) {
    if (count.distinct.load() == cameras) {
      allIn = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      break;
    }
    std::this_thread::sleep_for(1ms);
  }
  int received = count.distinct.load();
  DevSearch_Destroy(session);
  return {received, allIn};
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
  if (DevSearch_Create(vf::testing::kGroup, 8002, 4, &session) != DEVSEARCH_OK) return;
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
  std::string text = "QNS/1.0 200 OK\r\nClient-ID:" + id + "\r\nDevice-ID=" +
                     std::string(32, '7') + "\r\n" + std::string(540, 'x') + "\r\n";
  for (int i = 0; i < 600; ++i) camera.Send(text, 8002);
  auto held = [&] {
    int n = 0;
    for (auto &slot : session->ring) n += slot.load() != nullptr;
    return n;
  };
  vf::testing::WaitFor([&] { return held() == 512; }, 5s);
  long full = ResidentKiB("VmRSS:");
  std::printf("session memory: %ld KiB after Create, %ld KiB with %d ring slots held "
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
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--ring-memory") == 0) {
      MeasureFullRing();
      return 0;
    }
    sizes.push_back(std::atoi(argv[i]));
  }
  if (sizes.empty()) sizes = {10000, 50000};

  std::printf("%8s %10s %14s %10s %12s\n", "cameras", "rate/s", "buffer", "received",
              "all in (ms)");
  for (int cameras : sizes) {
    for (int rate : {180000, 0}) {
      for (bool userBuffer : {false, true}) {
        Result r = RunOnce(cameras, rate, userBuffer);
        char allIn[32];
        if (r.allInMs < 0) std::snprintf(allIn, sizeof allIn, "-");
        else std::snprintf(allIn, sizeof allIn, "%.0f", r.allInMs);
        std::printf("%8d %10s %14s %10d %12s\n", cameras,
                    rate == 0 ? "unpaced" : std::to_string(rate).c_str(),
                    userBuffer ? "208 KiB" : "engine (8 MiB)", r.received, allIn);
        std::fflush(stdout);
      }
    }
  }
  return 0;
}

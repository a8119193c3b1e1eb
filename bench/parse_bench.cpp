// Cost of turning one received announcement into a DeviceRecord: the fast
// parser, the literal reading of every key, a single memchr pass over the same bytes
// as the floor, and the worker's whole path for one datagram.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <string_view>

#include "announcement_oracle.h"
#include "sample_announcement.h"
#include "wire_format.h"

namespace {

using namespace devsearch::wire;

const std::string &kAnnouncement = vf::testing::kSampleAnnouncement;

void SetCounters(benchmark::State &state) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kAnnouncement.size()));
  state.counters["bytes"] = static_cast<double>(kAnnouncement.size());
}

void BM_ParseAnnouncement(benchmark::State &state) {
  std::string_view text = kAnnouncement;
  DeviceRecord record;
  for (auto _ : state) {
    benchmark::DoNotOptimize(text.data());
    bool ok = ParseAnnouncement(text, &record);
    benchmark::DoNotOptimize(ok);
    benchmark::ClobberMemory();
  }
  SetCounters(state);
}
BENCHMARK(BM_ParseAnnouncement);

void BM_ParseAnnouncementLiterally(benchmark::State &state) {
  std::string_view text = kAnnouncement;
  DeviceRecord record;
  for (auto _ : state) {
    benchmark::DoNotOptimize(text.data());
    bool ok = vf::testing::ParseAnnouncementLiterally(text, &record);
    benchmark::DoNotOptimize(ok);
    benchmark::ClobberMemory();
  }
  SetCounters(state);
}
BENCHMARK(BM_ParseAnnouncementLiterally);

// The floor: one pass over the same bytes looking for a byte that is not there.
void BM_MemchrPass(benchmark::State &state) {
  std::string_view text = kAnnouncement;
  for (auto _ : state) {
    benchmark::DoNotOptimize(text.data());
    const void *hit = std::memchr(text.data(), '\0', text.size());
    benchmark::DoNotOptimize(hit);
  }
  SetCounters(state);
}
BENCHMARK(BM_MemchrPass);

// What the worker does with one accepted datagram from the ring.
void BM_WorkerPathOneDatagram(benchmark::State &state) {
  std::string_view text = kAnnouncement;
  DeviceRecord record;
  for (auto _ : state) {
    benchmark::DoNotOptimize(text.data());
    bool ok = false;
    if (Classify(text) == ReplyKind::kAnnouncement) ok = ParseAnnouncement(text, &record);
    benchmark::DoNotOptimize(ok);
    benchmark::ClobberMemory();
  }
  SetCounters(state);
}
BENCHMARK(BM_WorkerPathOneDatagram);

}  // namespace

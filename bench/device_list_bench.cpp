// What the window's collection tick adds to showing a search: the concerns of every device, what
// is new since the search before, and a sort by a column, at 1,000 to 100,000 cameras.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/device_columns.h"
#include "core/device_concerns.h"
#include "core/search_history.h"

namespace {

std::vector<DeviceRecord> MakeDevices(int count) {
  std::vector<DeviceRecord> devices(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    DeviceRecord &d = devices[static_cast<std::size_t>(i)];
    std::snprintf(d.deviceName, sizeof d.deviceName, "Camera-%06d", (i * 7919) % count);
    std::snprintf(d.network.ipAddress, sizeof d.network.ipAddress, "10.%d.%d.%d", (i >> 16) & 255,
                  (i >> 8) & 255, i & 255);
    std::snprintf(d.network.macAddress, sizeof d.network.macAddress, "00:1A:3F:%02X:%02X:%02X",
                  (i >> 16) & 255, (i >> 8) & 255, i & 255);
    std::snprintf(d.httpPort, sizeof d.httpPort, "%d", 80 + i % 100);
  }
  return devices;
}

const std::vector<vf::platform::AdapterAddress> kPc = {{"10.0.0.1", "255.255.0.0"},
                                                       {"192.168.1.10", "255.255.255.0"}};

void BM_TickMarks(benchmark::State &state) {
  const auto devices = MakeDevices(static_cast<int>(state.range(0)));
  vf::core::SearchHistory history;
  history.NextList(devices);
  for (auto _ : state) {
    benchmark::DoNotOptimize(vf::core::FindConcerns(devices, kPc));
    benchmark::DoNotOptimize(history.NextList(devices));
  }
}
BENCHMARK(BM_TickMarks)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Sort(benchmark::State &state) {
  const auto devices = MakeDevices(static_cast<int>(state.range(0)));
  const auto column = static_cast<vf::core::DeviceColumn>(state.range(1));
  for (auto _ : state) benchmark::DoNotOptimize(vf::core::SortOrder(devices, column, false));
}
BENCHMARK(BM_Sort)
    ->ArgsProduct({{10000, 100000},
                   {static_cast<int>(vf::core::DeviceColumn::Address),
                    static_cast<int>(vf::core::DeviceColumn::Name),
                    static_cast<int>(vf::core::DeviceColumn::Mac)}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

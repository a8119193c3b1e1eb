#include "search_command.h"

#include <cstdio>
#include <thread>

#include "device_table.h"
#include "devsearch.h"
#include "platform/adapters.h"

namespace vf::cli {
namespace {

constexpr const char *kGroup = "239.255.255.250";
constexpr int kPort = 8002;
constexpr int kFallbackPort = 12109;
constexpr int kSendTimeoutSec = 4;
constexpr size_t kMaxAddresses = 10;

int OnDevice(SearchSession *, const char *, const void *data, void *user) {
  static_cast<DeviceTable *>(user)->Add(*static_cast<const DeviceRecord *>(data));
  return 0;
}

// The engine on the usual port, or on the fallback port when that is taken.
SearchSession *StartSession() {
  SearchSession *session = nullptr;
  if (DevSearch_Create(kGroup, kPort, kSendTimeoutSec, &session) == DEVSEARCH_OK && session) {
    return session;
  }
  session = nullptr;
  if (DevSearch_Create(kGroup, kFallbackPort, kSendTimeoutSec, &session) == DEVSEARCH_OK) {
    return session;
  }
  return nullptr;
}

}  // namespace

std::vector<std::string> LocalAddressesForEngine() {
  std::vector<std::string> addresses;
  auto adapters = platform::MakeSystemAdapterSource()->ReadAdapters();
  if (!adapters) return addresses;
  for (const auto &adapter : *adapters) {
    if (addresses.size() == kMaxAddresses) break;
    addresses.push_back(adapter.addresses.empty() ? platform::kUnconfiguredAddress
                                                  : adapter.addresses.front().address);
  }
  return addresses;
}

int RunSearch(const SearchOptions &options) {
  SearchSession *session = StartSession();
  if (session == nullptr) {
    std::fprintf(stderr, "Failed to initialize.\n");
    return 1;
  }
  DeviceTable table;
  DevSearch_SetSearchCallback(session, OnDevice, &table);

  std::vector<std::string> addresses = LocalAddressesForEngine();
  char slots[kMaxAddresses][16] = {};
  for (size_t i = 0; i < addresses.size(); ++i) {
    std::snprintf(slots[i], sizeof slots[i], "%s", addresses[i].c_str());
  }
  DevSearch_SetLocalAddresses(slots, static_cast<int>(addresses.size()));

  int result = DevSearch_Search(session);
  if (result != DEVSEARCH_OK) {
    std::fprintf(stderr, "No local IPv4 address to search from (code %d).\n", result);
  }
  std::this_thread::sleep_for(options.wait);
  // Stop the engine before reading: no callback runs after Destroy returns.
  DevSearch_Destroy(session);

  std::vector<DeviceRecord> devices = table.Snapshot();
  std::fputs(FormatDeviceTable(devices).c_str(), stdout);
  std::printf("%zu pcs\n", devices.size());
  return 0;
}

}  // namespace vf::cli

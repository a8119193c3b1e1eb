#include "search_command.h"

#include <cstdio>
#include <thread>

#include "core/device_store.h"
#include "core/engine_session.h"
#include "core/messages.h"
#include "device_table.h"
#include "devsearch.h"
#include "platform/adapters.h"

namespace vf::cli {
namespace {

int OnDevice(SearchSession *, const char *, const void *data, void *user) {
  static_cast<core::DeviceStore *>(user)->Record(*static_cast<const DeviceRecord *>(data));
  return 0;
}

int OnCommand(SearchSession *, const char *, const void *, void *) {
  return 0;
}

}  // namespace

int RunSearch(const SearchOptions &options) {
  core::DeviceStore store;
  const auto adapters = platform::MakeSystemAdapterSource();
  core::SessionStart start = core::StartSession(*adapters, OnDevice, OnCommand, &store);
  core::SessionHandle session(start.session);
  if (!start.ready) {
    std::fprintf(stderr, "%s\n", core::text::kInitFailed);
    return 1;
  }

  int result = DevSearch_Search(session.get());
  if (result != DEVSEARCH_OK) {
    std::fprintf(stderr, "No local IPv4 address to search from (code %d).\n", result);
  }
  std::this_thread::sleep_for(options.wait);
  // Stop the engine before reading: no callback runs after Destroy returns.
  session.reset();

  const std::vector<DeviceRecord> devices = store.Records();
  std::fputs(FormatDeviceTable(devices).c_str(), stdout);
  std::printf("%zu pcs\n", devices.size());
  return 0;
}

}  // namespace vf::cli

#include "local_addresses.h"

#include <cstring>
#include <mutex>

#include "devsearch.h"

namespace devsearch {
namespace {

std::mutex g_tableMutex;
LocalAddressTable g_table;

}  // namespace

void StoreLocalAddresses(const char (*addresses)[16], size_t count) {
  LocalAddressTable fresh;
  fresh.count = count < kMaxLocalAddresses ? count : kMaxLocalAddresses;
  for (size_t i = 0; i < fresh.count; ++i) {
    // Entries are 16-character slots; an unterminated one is cut at 15.
    size_t n = strnlen(addresses[i], 15);
    std::memcpy(fresh.addresses[i].data(), addresses[i], n);
  }
  std::lock_guard lock(g_tableMutex);
  g_table = fresh;
}

LocalAddressTable SnapshotLocalAddresses() {
  std::lock_guard lock(g_tableMutex);
  return g_table;
}

}  // namespace devsearch

extern "C" DEVSEARCH_API int DevSearch_SetLocalAddresses(const char (*addresses)[16], int count) {
  if (addresses == nullptr || count <= 0) return DEVSEARCH_ERR_INVALID_ARG;
  devsearch::StoreLocalAddresses(addresses, static_cast<size_t>(count));
  return DEVSEARCH_OK;
}

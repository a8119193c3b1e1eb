#include "core/local_address_table.h"

#include <algorithm>
#include <cstring>

namespace vf::core {

int CollectLocalAddresses(platform::AdapterSource &source,
                          char table[kLocalAddressSlots][kLocalAddressSize]) {
  const auto adapters = source.ReadAdapters();
  if (!adapters) return 0;

  std::size_t count = 0;
  for (const platform::Adapter &adapter : *adapters) {
    if (count == kLocalAddressSlots) break;
    // Without an IPv4 address an adapter has nothing to send from: a send socket bound to
    // 0.0.0.0 would repeat every request through the default route.
    if (adapter.addresses.empty()) continue;
    const std::string &text = adapter.addresses.front().address;
    if (text.empty() || text == platform::kUnconfiguredAddress) continue;
    char *slot = table[count];
    std::memset(slot, 0, kLocalAddressSize);
    std::memcpy(slot, text.data(), std::min(text.size(), kLocalAddressSize - 1));
    ++count;
  }
  return static_cast<int>(count);
}

}  // namespace vf::core

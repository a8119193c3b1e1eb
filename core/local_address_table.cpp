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
    char *slot = table[count];
    std::memset(slot, 0, kLocalAddressSize);
    if (!adapter.addresses.empty()) {
      const std::string &text = adapter.addresses.front().address;
      std::memcpy(slot, text.data(), std::min(text.size(), kLocalAddressSize - 1));
    }
    ++count;
  }
  return static_cast<int>(count);
}

}  // namespace vf::core

// The table of this PC's addresses that the engine searches from.
#pragma once

#include <cstddef>

#include "platform/adapters.h"

namespace vf::core {

inline constexpr std::size_t kLocalAddressSlots = 10;
inline constexpr std::size_t kLocalAddressSize = 16;

// Reads the adapters afresh and writes the first address text of each adapter that has an IPv4
// address into `table` in platform order: zero-padded, cut to 15 characters so that it stays
// NUL-terminated. Adapters without one ("0.0.0.0") get no entry, and entries beyond the 10th are
// left out. Returns the number of entries written; 0, with nothing written, when the adapter list
// cannot be read.
int CollectLocalAddresses(platform::AdapterSource &source,
                          char table[kLocalAddressSlots][kLocalAddressSize]);

}  // namespace vf::core

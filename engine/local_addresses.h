// The process-wide table of the PC's IPv4 addresses that sessions send from.
#pragma once

#include <array>
#include <cstddef>

namespace devsearch {

inline constexpr size_t kMaxLocalAddresses = 20;

struct LocalAddressTable {
  size_t count = 0;
  std::array<std::array<char, 32>, kMaxLocalAddresses> addresses{};
};

// Replaces the table with at most the first 20 of `count` entries.
void StoreLocalAddresses(const char (*addresses)[16], size_t count);
// A copy of the table as it stands; safe from any thread.
LocalAddressTable SnapshotLocalAddresses();

}  // namespace devsearch

// "vellafind-cli search": one search on the LAN, printed as a table.
#pragma once

#include <chrono>

#include "core/protocol.h"

namespace vf::cli {

struct SearchOptions {
  std::chrono::milliseconds wait{core::kCollectPeriod};
};

// Runs one search and prints the table to stdout. Returns the process exit
// code: 0 after a search (whatever it found), 1 when the engine did not start.
int RunSearch(const SearchOptions &options);

}  // namespace vf::cli

// "vellafind-cli search": one search on the LAN, printed as a table.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace vf::cli {

struct SearchOptions {
  std::chrono::milliseconds wait{2500};
};

// The first IPv4 address of every adapter, in the platform's order, at most
// ten, as the window hands them to the engine ("0.0.0.0" included).
std::vector<std::string> LocalAddressesForEngine();

// Runs one search and prints the table to stdout. Returns the process exit
// code: 0 after a search (whatever it found), 1 when the engine did not start.
int RunSearch(const SearchOptions &options);

}  // namespace vf::cli

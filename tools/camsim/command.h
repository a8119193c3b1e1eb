// Command lines of CMD requests: tokenising and applying them to a camera.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "fleet.h"

namespace vf::camsim {

// Splits at every single blank and keeps empty tokens, so that an empty value
// ("-ipaddr  -netmask") stays in its place between two flags.
std::vector<std::string_view> split_at_blanks(std::string_view line);

struct ApplyResult {
  // False for a line that is not one of the five "<verb> set ..." forms: such
  // a command is not answered at all.
  bool recognised = false;
  std::string verb;
  std::vector<std::string> applied;   // "flag=value" for each setting changed
  std::vector<std::string> problems;  // flags missing, unknown or with a bad value
};

// Applies a command line to camera `index`. Each flag's following token is its
// value; a flag that is missing or whose value does not parse leaves its
// setting unchanged while the others still apply.
ApplyResult apply_command(Fleet &fleet, std::size_t index, std::string_view line);

}  // namespace vf::camsim

// Runs vellafind-cli as a user would, and keeps what it printed where.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace vf::testing {

struct CliRun {
  int status = -1;  // exit status; -1 when it did not end by itself in time
  std::string out;  // standard output: the data
  std::string err;  // standard error: everything else
};

// Runs the program with `arguments`, `input` on its standard input, killed after `limit`.
CliRun RunCli(const std::vector<std::string> &arguments, const std::string &input = {},
              std::chrono::seconds limit = std::chrono::seconds(60));

// The same with another program in front ("unshare", "--net", "--", <cli>, ...).
CliRun RunProgram(const std::vector<std::string> &command, const std::string &input,
                  std::chrono::seconds limit);

}  // namespace vf::testing

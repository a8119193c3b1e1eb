// What every command of vellafind-cli works with: where its output goes and where this PC's
// adapters come from.
#pragma once

#include <cstdio>

#include "platform/adapters.h"

namespace vf::cli {

struct Context {
  std::FILE *data = stdout;      // the command's result, and nothing else
  std::FILE *messages = stderr;  // summaries, warnings, questions, the engine's own lines
  std::FILE *input = stdin;      // answers to questions, a password
  bool inputIsTerminal = false;
  platform::AdapterSource *adapters = nullptr;
};

}  // namespace vf::cli

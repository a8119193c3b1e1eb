// vellafind-cli: the command-line front end of the discovery engine.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "search_command.h"

namespace {

void PrintUsage(FILE *out) {
  std::fputs(
      "Usage: vellafind-cli search [--wait MS]\n"
      "\n"
      "Finds the network cameras on the local network: sends one search request\n"
      "to 239.255.255.250 (port 8002, or 12109 when 8002 is taken) from every\n"
      "local adapter, collects the answers, and prints each camera once (by MAC)\n"
      "in order of answer: No., name, MAC, IP, HTTP port, model and firmware.\n"
      "\n"
      "  --wait MS   how long to collect answers, in milliseconds (default 2500)\n"
      "  -h, --help  this text\n",
      out);
}

// A whole decimal number within [0, limit]; false for anything else.
bool ParseMilliseconds(const char *text, long limit, long *out) {
  if (text == nullptr || *text == '\0') return false;
  char *end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (*end != '\0' || value < 0 || value > limit) return false;
  *out = value;
  return true;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 2 || std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0) {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  if (std::strcmp(argv[1], "search") != 0) {
    std::fprintf(stderr, "vellafind-cli: unknown command '%s'\n", argv[1]);
    PrintUsage(stderr);
    return 2;
  }
  vf::cli::SearchOptions options;
  for (int i = 2; i < argc; ++i) {
    long ms = 0;
    if (std::strcmp(argv[i], "--wait") == 0 && i + 1 < argc &&
        ParseMilliseconds(argv[i + 1], 600000, &ms)) {
      options.wait = std::chrono::milliseconds(ms);
      ++i;
    } else {
      std::fprintf(stderr, "vellafind-cli: bad argument '%s'\n", argv[i]);
      PrintUsage(stderr);
      return 2;
    }
  }
  return vf::cli::RunSearch(options);
}

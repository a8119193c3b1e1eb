// camsim: simulated network cameras answering SEARCH and CMD requests on a
// multicast group. See --help.
#include <arpa/inet.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "event_log.h"
#include "fleet.h"
#include "network.h"
#include "options.h"
#include "simulator.h"
#include "stop_signal.h"

namespace vf::camsim {
namespace {

int run(const Options &options) {
  int stop_fd = install_stop_signals();
  if (stop_fd < 0) {
    std::perror("camsim: signal handlers");
    return 1;
  }
  in_addr group{};
  inet_pton(AF_INET, options.group.c_str(), &group);

  std::vector<NetInterface> interfaces = multicast_interfaces();
  if (!options.interfaces.empty()) {
    std::vector<NetInterface> chosen;
    for (const std::string &name : options.interfaces) {
      auto found =
          std::find_if(interfaces.begin(), interfaces.end(),
                       [&](const NetInterface &interface) { return interface.name == name; });
      if (found == interfaces.end()) {
        std::fprintf(stderr, "camsim: no up IPv4 interface %s\n", name.c_str());
        return 1;
      }
      chosen.push_back(*found);
    }
    interfaces = std::move(chosen);
  }
  if (interfaces.empty()) {
    std::fprintf(stderr, "camsim: no up, non-loopback IPv4 interface to listen on\n");
    return 1;
  }
  EventLog log(options.log_path, options.quiet);
  Fleet fleet(options.seed, options.count);
  for (const auto &[number, name] : options.names)
    fleet.at(static_cast<std::size_t>(number - 1)).name = name;
  // Impostors take the other camera's value as it was made, before any other impostor's.
  std::map<int, std::pair<std::string, std::string>> made;  // number -> MAC, device id
  for (const auto *impostors : {&options.announced_macs, &options.announced_ids})
    for (const auto &[number, other] : *impostors) {
      const Camera &original = fleet.at(static_cast<std::size_t>(other - 1));
      made.emplace(other, std::pair{original.mac, original.device_id});
    }
  for (const auto &[number, other] : options.announced_macs)
    fleet.at(static_cast<std::size_t>(number - 1)).mac = made.at(other).first;
  for (const auto &[number, other] : options.announced_ids)
    fleet.at(static_cast<std::size_t>(number - 1)).device_id = made.at(other).second;
  GroupListener listener(group, options.port, interfaces);
  GroupSender sender(group, options.port);
  Simulator simulator(options, fleet, listener, sender, log);

  if (!options.quiet) {
    for (const NetInterface &interface : interfaces) {
      char address[INET_ADDRSTRLEN];
      inet_ntop(AF_INET, &interface.address, address, sizeof address);
      std::fprintf(stderr, "camsim: listening on %s (%s)\n", interface.name.c_str(), address);
    }
  }
  std::printf("camsim ready port=%d cameras=%d\n", options.port, options.count);
  std::fflush(stdout);

  simulator.run(stop_fd);
  if (!options.quiet)
    std::fprintf(stderr, "camsim: stopped after %llu requests, %llu datagrams sent\n",
                 static_cast<unsigned long long>(simulator.requests_received()),
                 static_cast<unsigned long long>(simulator.datagrams_sent()));
  return 0;
}

}  // namespace
}  // namespace vf::camsim

int main(int argc, char **argv) {
  using namespace vf::camsim;
  ParsedOptions parsed = parse_options(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "camsim: %s (try --help)\n", parsed.error.c_str());
    return 2;
  }
  if (parsed.options.help) {
    std::fputs(help_text(), stdout);
    return 0;
  }
  try {
    return run(parsed.options);
  } catch (const std::exception &error) {
    std::fprintf(stderr, "camsim: %s\n", error.what());
    return 1;
  }
}

// The Linux backend of AdapterSource: interfaces from getifaddrs(), default gateways from the
// kernel's routing table text, DNS servers from the resolver configuration.
#pragma once

#include <string>

#include "platform/adapters.h"
#include "platform/text_file.h"

namespace vf::platform {

// Where the backend reads its text; tests point these at fixtures.
struct LinuxSystemFiles {
  std::string route_table = "/proc/net/route";
  std::string resolv_conf = "/etc/resolv.conf";
  // Written by systemd-resolved with the servers it forwards to.
  std::string resolved_upstream = "/run/systemd/resolve/resolv.conf";
};

class LinuxAdapterSource : public AdapterSource {
 public:
  explicit LinuxAdapterSource(TextFileReader read_file = ReadTextFile, LinuxSystemFiles files = {});

  // Interfaces in kernel order with their IPv4 addresses. An unreadable routing table only
  // leaves the gateways empty; only a failing getifaddrs() gives std::nullopt.
  std::optional<std::vector<Adapter>> ReadAdapters() override;

  // Linux keeps one resolver list for the whole system, so every index gets the same answer.
  // When resolv.conf points only at systemd-resolved's local stub, the upstream servers are
  // given instead, as those are what the user configured (the stub itself when that file is
  // unreadable).
  std::optional<std::vector<std::string>> ReadDnsServers(uint32_t index) override;

 private:
  TextFileReader m_readFile;
  LinuxSystemFiles m_files;
};

}  // namespace vf::platform

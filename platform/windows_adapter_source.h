// The Windows backend of AdapterSource: the IP Helper's adapter chain (GetAdaptersInfo) and each
// adapter's DNS servers (GetPerAdapterInfo).
#pragma once

// clang-format off
#include <winsock2.h>
#include <iphlpapi.h>
// clang-format on

#include "platform/adapters.h"

namespace vf::platform {

class WindowsAdapterSource : public AdapterSource {
 public:
  // The chain in the IP Helper's order, loopback left out. No adapters at all is an empty list;
  // only a failing GetAdaptersInfo gives std::nullopt.
  std::optional<std::vector<Adapter>> ReadAdapters() override;
  // std::nullopt when GetPerAdapterInfo fails for this index.
  std::optional<std::vector<std::string>> ReadDnsServers(uint32_t index) override;
};

// The records of an adapter chain as GetAdaptersInfo fills it. Descriptions are converted from the
// system code page to UTF-8; an adapter without an IPv4 address keeps the "0.0.0.0" entry Windows
// gives it; gateways "0.0.0.0" and empty ones mean none and are left out.
std::vector<Adapter> AdaptersFromChain(const IP_ADAPTER_INFO *chain);

// The DNS servers of a per-adapter record, in its order, empty texts left out.
std::vector<std::string> DnsServersFromRecord(const IP_PER_ADAPTER_INFO &record);

}  // namespace vf::platform

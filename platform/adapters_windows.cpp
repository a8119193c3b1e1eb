#include <memory>
#include <new>

#include "platform/windows_adapter_source.h"
#include "platform/windows_text.h"

namespace vf::platform {
namespace {

// The IP Helper's two-call pattern: ask the size, then read into a buffer of that size. The size
// can grow between the calls when an adapter appears, so a few rounds are allowed. `read` is
// called with (buffer or null, size in/out) and returns the Win32 error code.
template <typename Read>
DWORD ReadSized(Read read, std::unique_ptr<unsigned char[]> &buffer) {
  ULONG size = 0;
  DWORD result = read(nullptr, &size);
  for (int round = 0; round < 4 && result == ERROR_BUFFER_OVERFLOW; ++round) {
    // Zero-filled, so that an entry the platform leaves out reads as empty.
    buffer.reset(new (std::nothrow) unsigned char[size]());
    if (!buffer) return ERROR_NOT_ENOUGH_MEMORY;
    result = read(buffer.get(), &size);
  }
  return result;
}

// The texts of an IP_ADDR_STRING chain: (address, mask) pairs.
template <typename Visit>
void ForEachAddressString(const IP_ADDR_STRING &first, Visit visit) {
  for (const IP_ADDR_STRING *item = &first; item != nullptr; item = item->Next) {
    visit(FixedText(item->IpAddress.String), FixedText(item->IpMask.String));
  }
}

bool MeansNoGateway(const std::string &text) {
  return text.empty() || text == "0.0.0.0";
}

}  // namespace

std::vector<Adapter> AdaptersFromChain(const IP_ADAPTER_INFO *chain) {
  std::vector<Adapter> adapters;
  for (const IP_ADAPTER_INFO *info = chain; info != nullptr; info = info->Next) {
    if (info->Type == MIB_IF_TYPE_LOOPBACK) continue;
    Adapter adapter;
    adapter.description = Utf8FromSystemCodePage(FixedText(info->Description));
    adapter.index = info->Index;
    ForEachAddressString(info->IpAddressList, [&](std::string address, std::string mask) {
      if (address.empty()) address = kUnconfiguredAddress;
      if (mask.empty()) mask = kUnconfiguredAddress;
      adapter.addresses.push_back({std::move(address), std::move(mask)});
    });
    ForEachAddressString(info->GatewayList, [&](std::string gateway, const std::string &) {
      if (!MeansNoGateway(gateway)) adapter.gateways.push_back(std::move(gateway));
    });
    adapters.push_back(std::move(adapter));
  }
  return adapters;
}

std::vector<std::string> DnsServersFromRecord(const IP_PER_ADAPTER_INFO &record) {
  std::vector<std::string> servers;
  ForEachAddressString(record.DnsServerList, [&](std::string server, const std::string &) {
    if (!server.empty()) servers.push_back(std::move(server));
  });
  return servers;
}

std::optional<std::vector<Adapter>> WindowsAdapterSource::ReadAdapters() {
  try {
    std::unique_ptr<unsigned char[]> buffer;
    const DWORD result = ReadSized(
        [](unsigned char *into, ULONG *size) {
          return GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO *>(into), size);
        },
        buffer);
    if (result == ERROR_NO_DATA) return std::vector<Adapter>{};
    if (result != ERROR_SUCCESS || !buffer) return std::nullopt;
    return AdaptersFromChain(reinterpret_cast<const IP_ADAPTER_INFO *>(buffer.get()));
  } catch (const std::bad_alloc &) {
    return std::nullopt;
  }
}

std::optional<std::vector<std::string>> WindowsAdapterSource::ReadDnsServers(uint32_t index) {
  try {
    std::unique_ptr<unsigned char[]> buffer;
    const DWORD result = ReadSized(
        [index](unsigned char *into, ULONG *size) {
          return GetPerAdapterInfo(index, reinterpret_cast<IP_PER_ADAPTER_INFO *>(into), size);
        },
        buffer);
    if (result != ERROR_SUCCESS || !buffer) return std::nullopt;
    return DnsServersFromRecord(*reinterpret_cast<const IP_PER_ADAPTER_INFO *>(buffer.get()));
  } catch (const std::bad_alloc &) {
    return std::nullopt;
  }
}

}  // namespace vf::platform

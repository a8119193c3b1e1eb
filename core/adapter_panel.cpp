#include "core/adapter_panel.h"

#include <cstddef>
#include <utility>

#include "core/split_string.h"

namespace vf::core {
namespace {

constexpr const char *kHostMask = "255.255.255.255";

// The platform promises at least one address per adapter; a source that breaks that promise
// is treated as an adapter with an empty address and mask rather than read out of range.
const platform::AdapterAddress &FirstAddress(const platform::Adapter &adapter) {
  static const platform::AdapterAddress kNone;
  return adapter.addresses.empty() ? kNone : adapter.addresses.front();
}

bool QualifiesAsDefault(const platform::Adapter &adapter) {
  const platform::AdapterAddress &first = FirstAddress(adapter);
  // "Begins with 0" rather than "is 0.0.0.0": that is the rule the panel has always used.
  return !first.address.empty() && first.address.front() != '0' && first.mask != kHostMask;
}

char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(const std::string &text, const std::string &prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (FoldCase(text[i]) != FoldCase(prefix[i])) return false;
  }
  return true;
}

void AddDnsEntry(platform::AdapterSource &source, const platform::Adapter &adapter,
                 AdapterDnsMap &adapterDns) {
  const auto servers = source.ReadDnsServers(adapter.index);
  if (!servers) return;
  std::string list;
  for (const std::string &server : *servers) list += server + ";";
  // The first adapter that brings a non-empty list for an address keeps it.
  std::string &entry = adapterDns[FirstAddress(adapter).address];
  if (entry.empty()) entry = std::move(list);
}

}  // namespace

AdapterPanel LoadAdapterPanel(platform::AdapterSource &source) {
  AdapterPanel panel;
  auto adapters = source.ReadAdapters();
  if (!adapters) return panel;

  for (platform::Adapter &adapter : *adapters) {
    if (panel.defaultDescription.empty() && QualifiesAsDefault(adapter)) {
      panel.defaultDescription = adapter.description;
    }
    AddDnsEntry(source, adapter, panel.adapterDns);
    panel.entries.push_back({adapter.description, std::move(adapter)});
  }
  panel.selectedIndex = SelectStringIndex(panel.entries, panel.defaultDescription);
  return panel;
}

int SelectStringIndex(const std::vector<AdapterEntry> &entries, const std::string &prefix) {
  const int count = static_cast<int>(entries.size());
  for (int step = 1; step <= count; ++step) {
    const int k = step % count;  // 1, 2, …, count - 1, then 0
    if (StartsWithNoCase(entries[k].description, prefix)) return k;
  }
  return -1;
}

AdapterPanelTexts PanelTextsFor(const AdapterPanel &panel, int index) {
  AdapterPanelTexts texts;
  if (index < 0 || index >= static_cast<int>(panel.entries.size())) return texts;
  const platform::Adapter &adapter = panel.entries[index].adapter;

  for (std::size_t i = 0; i < adapter.addresses.size(); ++i) {
    if (i > 0) texts.ip += "\r\n";
    texts.ip += adapter.addresses[i].address;
  }
  texts.mask = FirstAddress(adapter).mask;
  if (!adapter.gateways.empty()) texts.gateway = adapter.gateways.front();

  const auto found = panel.adapterDns.find(FirstAddress(adapter).address);
  if (found == panel.adapterDns.end() || found->second.empty()) return texts;
  std::vector<std::string> servers;
  SplitString(found->second, servers, ';');
  if (!servers.empty()) texts.dns1 = servers[0];
  if (servers.size() >= 2) texts.dns2 = servers[1];
  return texts;
}

}  // namespace vf::core

// What the "Local PC information:" panel shows: its drop-down entries, the adapter chosen at
// start-up, the DNS lists, and the five value fields of a chosen adapter.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/adapters.h"

namespace vf::core {

// One drop-down entry: its text and the adapter it stands for.
struct AdapterEntry {
  std::string description;
  platform::Adapter adapter;
};

// An adapter's first address text -> its DNS servers, each followed by ";" ("" for none).
using AdapterDnsMap = std::map<std::string, std::string>;

struct AdapterPanel {
  // One per adapter, in the platform's order (the list is not sorted).
  std::vector<AdapterEntry> entries;
  // The first adapter with a configured address and a mask other than the host mask; "" if none.
  std::string defaultDescription;
  // Entry selected at start-up: SelectStringIndex(entries, defaultDescription).
  int selectedIndex = -1;
  AdapterDnsMap adapterDns;
};

// The five value fields of the panel.
struct AdapterPanelTexts {
  std::string ip;  // every address of the adapter, joined by "\r\n"
  std::string mask;
  std::string gateway;
  std::string dns1;
  std::string dns2;

  bool operator==(const AdapterPanelTexts &) const = default;
};

// Reads the adapters and their DNS servers once. An unreadable adapter list gives an empty panel
// with no selection; an adapter whose DNS servers cannot be read gets no DNS entry.
AdapterPanel LoadAdapterPanel(platform::AdapterSource &source);

// The entry a drop-down "select string" request picks: the first whose text begins with `prefix`
// (ASCII case ignored), searched from entry 1 to the last and then entry 0; -1 when none matches.
// An empty prefix matches every entry, so with no default adapter entry 1 is selected when there
// are two or more entries and entry 0 when there is one.
int SelectStringIndex(const std::vector<AdapterEntry> &entries, const std::string &prefix);

// The fields for entry `index` of `panel`; all empty when `index` names no entry.
AdapterPanelTexts PanelTextsFor(const AdapterPanel &panel, int index);

}  // namespace vf::core

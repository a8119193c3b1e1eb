// "search" and "adapters": what is on the LAN, and what this PC brings to it.
#include <string>

#include "command_support.h"
#include "commands.h"
#include "core/adapter_panel.h"
#include "core/display_text.h"
#include "device_tables.h"
#include "exit_codes.h"

namespace vf::cli {
int RunSearchCommand(Context &context, const SearchOptions &options) {
  std::unique_ptr<Lan> lan;
  SearchLosses losses;
  if (const int status = SearchLan(context, options, lan, &losses); status != kExitSuccess) {
    return status;
  }
  const std::vector<DeviceRecord> devices = lan->devices.Records();
  lan.reset();

  const Table table =
      options.format == Format::Table ? DeviceSummaryTable(devices) : DeviceFieldTable(devices);
  WriteData(context, Render(table, options.format));
  std::string summary = std::to_string(devices.size()) + " pcs";
  if (losses.bufferBytes && losses.drops) {
    summary += " (receive buffer " + std::to_string((*losses.bufferBytes + 512) / 1024) + " KiB, " +
               std::to_string(*losses.drops) + " datagrams dropped)";
  }
  Say(context, summary);
  return kExitSuccess;
}

int RunAdaptersCommand(Context &context, Format format) {
  const core::AdapterPanel panel = core::LoadAdapterPanel(*context.adapters);
  Table table;
  table.columns = {
      {"adapter", "Network adapter", 24}, {"ip", "IP address", 0}, {"mask", "Subnet mask", 0},
      {"gateway", "Gateway", 0},          {"dns1", "DNS1", 0},     {"dns2", "DNS2", 0},
      {"default", "Default", 0}};
  for (std::size_t k = 0; k < panel.entries.size(); ++k) {
    core::AdapterPanelTexts texts = core::PanelTextsFor(panel, static_cast<int>(k));
    // The panel lists an adapter's addresses one per line; a row shows them side by side.
    std::string addresses;
    for (const platform::AdapterAddress &address : panel.entries[k].adapter.addresses) {
      addresses += (addresses.empty() ? "" : " ") + address.address;
    }
    const bool chosen = static_cast<int>(k) == panel.selectedIndex;
    table.rows.push_back({{core::DecodedText(panel.entries[k].description)},
                          {core::DecodedText(addresses)},
                          {core::DecodedText(texts.mask)},
                          {core::DecodedText(texts.gateway)},
                          {core::DecodedText(texts.dns1)},
                          {core::DecodedText(texts.dns2)},
                          {chosen ? "yes" : "no", CellKind::Boolean}});
  }
  WriteData(context, Render(table, format));
  return kExitSuccess;
}

}  // namespace vf::cli

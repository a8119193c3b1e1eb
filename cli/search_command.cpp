// "search" and "adapters": what is on the LAN, and what this PC brings to it.
#include <string>

#include "command.h"
#include "command_support.h"
#include "core/adapter_panel.h"
#include "core/device_tables.h"
#include "core/display_text.h"
#include "exit_codes.h"

namespace vf::cli {
namespace {

int RunSearch(Context &context, const SearchOptions &options) {
  std::unique_ptr<Lan> lan;
  core::ReceiveLosses losses;
  if (const int status = SearchLan(context, options, lan, &losses); status != kExitSuccess) {
    return status;
  }
  const std::vector<DeviceRecord> devices = lan->devices.Records();
  lan.reset();

  const core::Table table = options.format == Format::Table ? core::DeviceSummaryTable(devices)
                                                            : core::DeviceFieldTable(devices);
  WriteData(context, core::Render(table, options.format));
  std::string summary = std::to_string(devices.size()) + " pcs";
  if (losses.bufferBytes && losses.drops) {
    summary += " (receive buffer " + std::to_string((*losses.bufferBytes + 512) / 1024) + " KiB, " +
               std::to_string(*losses.drops) + " datagrams dropped)";
  }
  Say(context, summary);
  return kExitSuccess;
}

int RunAdapters(Context &context, Format format) {
  const core::AdapterPanel panel = core::LoadAdapterPanel(*context.adapters);
  core::Table table;
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
                          {chosen ? "yes" : "no", core::CellKind::Boolean}});
  }
  WriteData(context, core::Render(table, format));
  return kExitSuccess;
}

class SearchCommand final : public Command {
 public:
  std::string Name() const override { return "search"; }
  std::string Help() const override {
    return "Search the LAN and print every field of each camera that answered, first answer per "
           "MAC in order of arrival.";
  }
  void AddOptions(CLI::App &app) override { AddSearchOptions(app, m_options); }
  int Run(Context &context) override { return RunSearch(context, m_options); }

 private:
  SearchOptions m_options;
};

class AdaptersCommand final : public Command {
 public:
  std::string Name() const override { return "adapters"; }
  std::string Help() const override {
    return "Print this PC's network adapters as the window shows them.";
  }
  void AddOptions(CLI::App &app) override { AddFormatOption(app, m_format); }
  int Run(Context &context) override { return RunAdapters(context, m_format); }

 private:
  Format m_format = Format::Table;
};

}  // namespace

std::unique_ptr<Command> MakeSearchCommand() {
  return std::make_unique<SearchCommand>();
}

std::unique_ptr<Command> MakeAdaptersCommand() {
  return std::make_unique<AdaptersCommand>();
}

}  // namespace vf::cli

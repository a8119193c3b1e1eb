// "assign" and "apply": settings for many cameras at once, planned from one search, shown as a
// table, confirmed once, sent one camera after the other, each answer in the result column.
#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "ambiguous_name.h"
#include "command.h"
#include "command_support.h"
#include "core/address_plan.h"
#include "core/apply_file.h"
#include "core/conflicts.h"
#include "core/display_text.h"
#include "core/ipv4.h"
#include "core/record_text.h"
#include "core/update_checks.h"
#include "exit_codes.h"
#include "network_change.h"

namespace vf::cli {
namespace {

using core::Cell;
using core::CellKind;
using core::Table;

struct AssignOptions {
  CommandOptions command;
  std::string first;
  std::optional<std::string> mask;
  std::optional<std::string> gateway;
  std::optional<std::string> dns1;
  std::optional<std::string> dns2;
  std::vector<std::string> only;
  bool dryRun = false;
};

struct ApplyOptions {
  CommandOptions command;
  std::string file;
  bool dryRun = false;
};

// The texts are exact values; the table escapes them where it shows them.
struct BatchItem {
  std::string row;  // the file's line of an "apply" row; empty for "assign"
  std::string deviceLabel;
  std::string mac;
  std::string oldAddress;
  std::string newAddress;
  DeviceRecord device{};
  core::NetworkChange change;
  // Why the camera gets nothing; empty when its settings go out.
  std::string problem;
  int problemStatus = kExitUsage;
  std::optional<core::Outcome> outcome;
  std::string result;
};

void Describe(BatchItem &item, const DeviceRecord &device) {
  item.device = device;
  item.deviceLabel = core::DecodedField(device.deviceName);
  item.mac = core::DecodedField(device.network.macAddress);
  item.oldAddress = core::DecodedField(device.network.ipAddress);
}

Table BatchTable(const std::vector<BatchItem> &items, bool withRow) {
  Table table;
  if (withRow) table.columns.push_back({"row", "Row", 0});
  table.columns.insert(table.columns.end(), {{"device", "Device", 20},
                                             {"mac", "MAC", 17},
                                             {"old_ip", "Old address", 15},
                                             {"new_ip", "New address", 15},
                                             {"result", "Result", 0}});
  for (const BatchItem &item : items) {
    std::vector<Cell> row;
    if (withRow) row.push_back({item.row, CellKind::Number});
    std::string result = item.result;
    if (result.empty()) result = item.problem.empty() ? "to be sent" : "not sent: " + item.problem;
    row.insert(row.end(),
               {{item.deviceLabel}, {item.mac}, {item.oldAddress}, {item.newAddress}, {result}});
    table.rows.push_back(std::move(row));
  }
  return table;
}

// The status of the whole batch: success when every camera took its settings, partial when some
// did, else the status of the first camera that did not.
int BatchStatus(const std::vector<BatchItem> &items) {
  int accepted = 0;
  int firstFailure = kExitSuccess;
  for (const BatchItem &item : items) {
    const int status = item.problem.empty()
                           ? OutcomeExitCode(item.outcome.value_or(core::Outcome::NotSent))
                           : item.problemStatus;
    if (status == kExitSuccess) {
      ++accepted;
    } else if (firstFailure == kExitSuccess) {
      firstFailure = status;
    }
  }
  if (firstFailure == kExitSuccess) return kExitSuccess;
  return accepted > 0 ? kExitPartial : firstFailure;
}

// Shows the plan, asks once, sends to every camera without a problem and shows the results.
int RunBatch(Context &context, const CommandOptions &options, Lan &lan,
             std::vector<BatchItem> &items, const std::string &password, bool dryRun,
             bool withRow) {
  const std::size_t sendable = static_cast<std::size_t>(std::count_if(
      items.begin(), items.end(), [](const BatchItem &i) { return i.problem.empty(); }));
  if (dryRun) {
    WriteData(context, core::Render(BatchTable(items, withRow), options.search.format));
    return kExitSuccess;
  }
  if (sendable > 0) {
    std::fputs(core::Render(BatchTable(items, withRow), Format::Table).c_str(), context.messages);
    const std::string question = "Are you sure to update these " + std::to_string(sendable) +
                                 " device" + (sendable == 1 ? "" : "s") + "?";
    if (const int status = Confirm(context, options, question); status != kExitSuccess) {
      return status;
    }
  }
  const std::chrono::milliseconds timeout = Duration(options.timeoutSeconds);
  for (BatchItem &item : items) {
    if (!item.problem.empty()) continue;
    const ChangeResult result =
        SendNetworkChange(lan, item.device, options.account.user, password, item.change, timeout);
    item.outcome = result.outcome;
    item.result = result.message;
    if (result.restarting) item.result += " Restarting for the new http port.";
  }
  WriteData(context, core::Render(BatchTable(items, withRow), options.search.format));
  return BatchStatus(items);
}

std::optional<std::string> GivenAddress(const Context &context, const char *name,
                                        const std::optional<std::string> &value, bool &bad) {
  if (value && !core::Ipv4::Parse(*value) && !core::IsBlankAddress(*value)) {
    Say(context, std::string(name) + " " + core::DisplayText(*value) + " is not an IPv4 address.");
    bad = true;
  }
  return value;
}

// Why no command may go to the camera of `item`, as its result column says; "" when one may. Two
// answers claiming the camera stop it unless --force.
std::string ImpostorProblem(const CommandOptions &options, const Lan &lan,
                            const DeviceRecord &device) {
  const auto refusal = core::ImpostorRefusal(lan.devices, device);
  if (!refusal || options.force) return {};
  return core::Compose(*refusal) + " (--force sends it)";
}

// The problem of a planned change whose address another device announced, unless --force.
std::string TakenAddressProblem(const CommandOptions &options, const Lan &lan,
                                const BatchItem &item) {
  if (options.force) return {};
  const auto taken = core::AddressTakenBy(lan.devices, item.device, item.change);
  if (!taken) return {};
  return "the IP address " + *taken + " is announced by another device (--force sends it)";
}

// Two rows that give one address would leave two cameras on it: both are refused, whatever
// --force says.
void RefuseSharedAddresses(std::vector<BatchItem> &items) {
  std::map<std::string, std::vector<BatchItem *>> byAddress;
  for (BatchItem &item : items) {
    if (item.problem.empty() && item.change.settings.dhcp == 0) {
      byAddress[core::FieldText(item.change.settings.ipAddress)].push_back(&item);
    }
  }
  for (auto &[address, sharing] : byAddress) {
    if (sharing.size() < 2) continue;
    for (BatchItem *item : sharing) {
      std::string others;
      for (const BatchItem *other : sharing) {
        if (other != item) others += (others.empty() ? "" : ", ") + other->row;
      }
      item->problem = "row " + others + " gives the same address " + address;
    }
  }
}

int RunAssign(Context &context, const AssignOptions &options) {
  const auto first = core::Ipv4::Parse(options.first);
  if (!first) {
    Say(context, "--first " + core::DisplayText(options.first) + " is not an IPv4 address.");
    return kExitUsage;
  }
  bool bad = false;
  core::NetworkEdits edits;
  edits.netmask = GivenAddress(context, "--mask", options.mask, bad);
  edits.gateway = GivenAddress(context, "--gateway", options.gateway, bad);
  edits.primaryDns = GivenAddress(context, "--dns1", options.dns1, bad);
  edits.secondaryDns = GivenAddress(context, "--dns2", options.dns2, bad);
  edits.dhcp = false;
  if (bad) return kExitUsage;
  // Mask and gateway default to those of the PC's adapter in the subnet of the first address.
  const std::optional<core::PcSubnet> subnet = core::PcSubnetOf(*context.adapters, *first);
  if (!edits.netmask && subnet) edits.netmask = subnet->mask;
  if (!edits.gateway && subnet && !subnet->gateway.empty()) edits.gateway = subnet->gateway;
  const std::optional<core::Ipv4> mask =
      edits.netmask ? core::Ipv4::Parse(*edits.netmask) : std::nullopt;
  if (!mask || !core::IsSubnetMask(*mask)) {
    Say(context, edits.netmask
                     ? "--mask " + core::DisplayText(*edits.netmask) + " is not a subnet mask."
                     : "No adapter of this PC is in the subnet of " + options.first +
                           ": give --mask and --gateway.");
    return kExitUsage;
  }
  if (!edits.gateway) {
    Say(context, "No gateway is known for the subnet of " + options.first + ": give --gateway.");
    return kExitUsage;
  }

  std::string password;
  std::unique_ptr<Lan> lan;
  if (const int status = StartCommand(context, options.command, password, lan);
      status != kExitSuccess) {
    return status;
  }
  const std::vector<DeviceRecord> devices = lan->devices.Records();

  // The cameras in the order they get their addresses: as --only names them, else by MAC, so
  // that the same LAN gives the same plan every time.
  std::vector<DeviceRecord> cameras;
  if (options.only.empty()) {
    cameras = devices;
    std::sort(cameras.begin(), cameras.end(), [](const DeviceRecord &a, const DeviceRecord &b) {
      return core::FieldText(a.network.macAddress) < core::FieldText(b.network.macAddress);
    });
  } else {
    // One camera, one row, however many ways it is named.
    std::set<std::string> named;
    for (const std::string &name : options.only) {
      DeviceRecord device{};
      if (const int status = FindDevice(context, devices, name, device); status != kExitSuccess) {
        return status;
      }
      if (named.insert(core::FieldText(device.network.macAddress)).second) {
        cameras.push_back(device);
      }
    }
  }
  if (cameras.empty()) {
    Say(context, "No device answered the search.");
    return kExitNotFound;
  }

  // A camera whose settings cannot go out (a foreign MAC, values that are no addresses) keeps
  // its address and takes none from the others.
  std::vector<BatchItem> items(cameras.size());
  core::AddressPlanRequest request{*first, *mask, {}, {}, lan->session.PcAddresses(), {}};
  for (const DeviceRecord &device : devices) {
    request.announcedAddresses.push_back(core::FieldText(device.network.ipAddress));
  }
  // The plan's own gateway and DNS servers are no camera's to take.
  for (const auto *server : {&edits.gateway, &edits.primaryDns, &edits.secondaryDns}) {
    if (*server && !core::IsBlankAddress(**server)) request.reservedAddresses.push_back(**server);
  }
  // Each camera is checked first with an address of the subnet that a plan could give, so that
  // one that cannot take any keeps none from the others.
  std::string error;
  core::AddressPlanRequest probeRequest{*first, *mask, {""}, {}, {}, {}};
  const auto probeAddress = core::PlanAddresses(probeRequest, error);
  if (!probeAddress) {
    Say(context, error);
    return kExitUsage;
  }
  std::vector<BatchItem *> addressed;
  for (std::size_t i = 0; i < cameras.size(); ++i) {
    BatchItem &item = items[i];
    Describe(item, cameras[i]);
    core::NetworkEdits probe = edits;
    probe.ipAddress = probeAddress->front().Text();
    core::NetworkChange change;
    item.problem = core::ProblemText(core::PlanNetworkChange(cameras[i], probe, {}, change));
    if (item.problem.empty()) item.problem = ImpostorProblem(options.command, *lan, cameras[i]);
    if (!item.problem.empty()) continue;
    request.cameraAddresses.push_back(core::FieldText(cameras[i].network.ipAddress));
    addressed.push_back(&item);
  }
  const auto plan = core::PlanAddresses(request, error);
  if (!plan) {
    Say(context, error);
    return kExitUsage;
  }
  for (std::size_t k = 0; k < addressed.size(); ++k) {
    BatchItem &item = *addressed[k];
    item.newAddress = (*plan)[k].Text();
    core::NetworkEdits cameraEdits = edits;
    cameraEdits.ipAddress = item.newAddress;
    item.problem = core::ProblemText(
        core::PlanNetworkChange(item.device, cameraEdits, lan->session.PcAddresses(), item.change));
  }
  return RunBatch(context, options.command, *lan, items, password, options.dryRun, false);
}

int RunApply(Context &context, const ApplyOptions &options) {
  std::string error;
  const std::optional<core::ApplyFile> file = core::LoadApplyFile(options.file, error);
  if (!file) {
    Say(context, error);
    return kExitUsage;
  }
  const std::vector<core::CsvRecord> &records = file->records;
  const std::map<std::string, std::size_t> &column = file->columns;
  const core::CsvRecord &header = records.front();

  std::string password;
  std::unique_ptr<Lan> lan;
  if (const int status = StartCommand(context, options.command, password, lan);
      status != kExitSuccess) {
    return status;
  }
  const std::vector<DeviceRecord> devices = lan->devices.Records();

  std::vector<BatchItem> items;
  std::map<std::string, std::string> rowOfMac;
  for (std::size_t r = 1; r < records.size(); ++r) {
    const core::CsvRecord &record = records[r];
    BatchItem &item = items.emplace_back();
    item.row = std::to_string(r + 1);
    const auto cell = [&](const char *name) -> std::optional<std::string> {
      const auto found = column.find(name);
      if (found == column.end() || found->second >= record.size()) return std::nullopt;
      const std::string &value = record[found->second];
      if (value.empty()) return std::nullopt;  // an empty cell keeps the reported value
      return value;
    };
    const std::string name = cell("device").value_or("");
    item.deviceLabel = core::DecodedText(name);
    item.problem = core::RowSizeProblem(record, header.size());
    if (!item.problem.empty()) continue;
    const std::vector<DeviceRecord> matches = MatchDevices(devices, name);
    if (matches.size() != 1) {
      item.problem = matches.empty() ? "no device answered as " + core::DecodedText(name)
                                     : AmbiguousNameText(matches, name, TextForm::kExact);
      item.problemStatus = matches.empty() ? kExitNotFound : kExitUsage;
      continue;
    }
    Describe(item, matches.front());
    const std::string mac = core::FieldText(matches.front().network.macAddress);
    if (const auto [earlier, fresh] = rowOfMac.emplace(mac, item.row); !fresh) {
      item.problem = "the device is on row " + earlier->second + " already";
      continue;
    }
    item.problem = ImpostorProblem(options.command, *lan, item.device);
    if (!item.problem.empty()) continue;
    core::NetworkEdits edits;
    edits.ipAddress = cell("ip");
    edits.netmask = cell("mask");
    edits.gateway = cell("gateway");
    edits.primaryDns = cell("dns1");
    edits.secondaryDns = cell("dns2");
    edits.httpPort = cell("http_port");
    if (const auto dhcp = cell("dhcp")) {
      if (*dhcp == "on" || *dhcp == "1") {
        edits.dhcp = true;
      } else if (*dhcp == "off" || *dhcp == "0") {
        edits.dhcp = false;
      } else {
        item.problem = "dhcp is on or off, not " + core::DecodedText(*dhcp);
        continue;
      }
    }
    item.problem = core::ProblemText(
        core::PlanNetworkChange(item.device, edits, lan->session.PcAddresses(), item.change));
    if (item.problem.empty()) item.problem = TakenAddressProblem(options.command, *lan, item);
    if (item.problem.empty()) item.newAddress = core::FieldText(item.change.settings.ipAddress);
  }
  RefuseSharedAddresses(items);
  return RunBatch(context, options.command, *lan, items, password, options.dryRun, true);
}

class AssignCommand final : public Command {
 public:
  std::string Name() const override { return "assign"; }
  std::string Help() const override {
    return "Give the cameras found consecutive addresses from --first, skipping every address "
           "another device announced, the PC holds or the plan gives its gateway and DNS "
           "servers. Shows the plan, asks once, then sends one command per camera and shows each "
           "answer.";
  }
  void AddOptions(CLI::App &app) override {
    app.add_option("--first", m_options.first, "the first address to give")
        ->required()
        ->type_name("ADDRESS");
    Optional(app, "--mask", m_options.mask,
             "subnet mask (default: that of the PC's adapter in the subnet)")
        ->type_name("MASK");
    Optional(app, "--gateway", m_options.gateway,
             "gateway (default: that of the PC's adapter in the subnet)")
        ->type_name("ADDRESS");
    Optional(app, "--dns1", m_options.dns1, "first DNS server (default: the camera's own)")
        ->type_name("ADDRESS");
    Optional(app, "--dns2", m_options.dns2, "second DNS server (default: the camera's own)")
        ->type_name("ADDRESS");
    app.add_option("--only", m_options.only, "only these cameras, in this order")
        ->type_name("DEVICE");
    app.add_flag("--dry-run", m_options.dryRun, "show the plan and send nothing");
    AddCommandOptions(app, m_options.command, true);
  }
  const CommandOptions *Changes() const override { return &m_options.command; }
  int Run(Context &context) override { return RunAssign(context, m_options); }

 private:
  AssignOptions m_options;
};

class ApplyCommand final : public Command {
 public:
  std::string Name() const override { return "apply"; }
  std::string Help() const override {
    return "Apply settings from a CSV file (RFC 4180): a header row, then one row per camera with "
           "the columns device and any of ip, mask, gateway, dns1, dns2, dhcp (on/off), "
           "http_port; an empty cell keeps the camera's value. Rows that fail the checks are "
           "reported and skipped.";
  }
  void AddOptions(CLI::App &app) override {
    app.add_option("FILE", m_options.file,
                   "the CSV file, at most " + std::to_string(core::kApplyFileLimit >> 20) +
                       " MiB; UTF-8 (a byte order mark is fine), lines ending in CR LF, LF or "
                       "CR")
        ->required();
    app.add_flag("--dry-run", m_options.dryRun, "show the plan and send nothing");
    AddCommandOptions(app, m_options.command, true);
  }
  const CommandOptions *Changes() const override { return &m_options.command; }
  int Run(Context &context) override { return RunApply(context, m_options); }

 private:
  ApplyOptions m_options;
};

}  // namespace

std::unique_ptr<Command> MakeAssignCommand() {
  return std::make_unique<AssignCommand>();
}

std::unique_ptr<Command> MakeApplyCommand() {
  return std::make_unique<ApplyCommand>();
}

}  // namespace vf::cli

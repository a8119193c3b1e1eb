// "assign" and "apply": settings for many cameras at once, planned from one search, shown as a
// table, confirmed once, sent one camera after the other, each answer in the result column.
#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "command.h"
#include "command_support.h"
#include "core/apply_file.h"
#include "core/batch_plan.h"
#include "core/display_text.h"
#include "core/record_text.h"
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

// What became of each row when the batch was sent; empty until then.
struct Sent {
  std::optional<core::Outcome> outcome;
  std::string text;
};

// The texts are exact values; the table escapes them where it shows them.
Table BatchTable(const std::vector<core::BatchRow> &rows, const std::vector<Sent> &sent,
                 bool withRow) {
  Table table;
  if (withRow) table.columns.push_back({"row", "Row", 0});
  table.columns.insert(table.columns.end(), {{"device", "Device", 20},
                                             {"mac", "MAC", 17},
                                             {"old_ip", "Old address", 15},
                                             {"new_ip", "New address", 15},
                                             {"result", "Result", 0}});
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const core::BatchRow &item = rows[i];
    std::vector<Cell> row;
    if (withRow) row.push_back({item.row, CellKind::Number});
    std::string result = sent[i].text;
    if (result.empty()) {
      result = item.Sendable() ? "to be sent" : "not sent: " + core::Compose(*item.problem);
    }
    const std::string label =
        item.found ? core::DecodedField(item.device.deviceName) : core::DecodedText(item.name);
    row.insert(row.end(), {{label},
                           {item.found ? core::DecodedField(item.device.network.macAddress) : ""},
                           {item.found ? core::DecodedField(item.device.network.ipAddress) : ""},
                           {item.NewAddress()},
                           {result}});
    table.rows.push_back(std::move(row));
  }
  return table;
}

// The status of the whole batch: success when every camera took its settings, partial when some
// did, else the status of the first camera that did not.
int BatchStatus(const std::vector<core::BatchRow> &rows, const std::vector<Sent> &sent) {
  int accepted = 0;
  int firstFailure = kExitSuccess;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    int status = OutcomeExitCode(sent[i].outcome.value_or(core::Outcome::NotSent));
    if (!rows[i].Sendable()) status = rows[i].notFound ? kExitNotFound : kExitUsage;
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
             const std::vector<core::BatchRow> &rows, const std::string &password, bool dryRun,
             bool withRow) {
  std::vector<Sent> sent(rows.size());
  const std::size_t sendable = static_cast<std::size_t>(std::count_if(
      rows.begin(), rows.end(), [](const core::BatchRow &row) { return row.Sendable(); }));
  if (dryRun) {
    WriteData(context, core::Render(BatchTable(rows, sent, withRow), options.search.format));
    return kExitSuccess;
  }
  if (sendable > 0) {
    std::fputs(core::Render(BatchTable(rows, sent, withRow), Format::Table).c_str(),
               context.messages);
    const std::string question = "Are you sure to update these " + std::to_string(sendable) +
                                 " device" + (sendable == 1 ? "" : "s") + "?";
    if (const int status = Confirm(context, options, question); status != kExitSuccess) {
      return status;
    }
  }
  const std::chrono::milliseconds timeout = Duration(options.timeoutSeconds);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!rows[i].Sendable()) continue;
    const ChangeResult result = SendNetworkChange(lan, rows[i].device, options.account.user,
                                                  password, rows[i].change, timeout);
    sent[i].outcome = result.outcome;
    sent[i].text = result.message;
    if (result.restarting) sent[i].text += std::string(" ") + core::text::kRestartingForPort;
  }
  WriteData(context, core::Render(BatchTable(rows, sent, withRow), options.search.format));
  return BatchStatus(rows, sent);
}

int RunAssign(Context &context, const AssignOptions &options) {
  core::UserMessage error;
  const std::optional<core::AssignSettings> settings = core::CompleteAssign(
      {options.first, options.mask, options.gateway, options.dns1, options.dns2}, *context.adapters,
      error);
  if (!settings) {
    Say(context, core::Compose(error));
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
    for (const std::string &name : options.only) {
      DeviceRecord device{};
      if (const int status = FindDevice(context, devices, name, device); status != kExitSuccess) {
        return status;
      }
      cameras.push_back(device);
    }
  }
  if (cameras.empty()) {
    Say(context, "No device answered the search.");
    return kExitNotFound;
  }
  const core::BatchPlan plan = core::PlanAssign(cameras, *settings, lan->devices,
                                                lan->session.PcAddresses(), options.command.force);
  if (plan.error) {
    Say(context, core::Compose(*plan.error));
    return kExitUsage;
  }
  return RunBatch(context, options.command, *lan, plan.rows, password, options.dryRun, false);
}

int RunApply(Context &context, const ApplyOptions &options) {
  std::string error;
  const std::optional<core::ApplyFile> file = core::LoadApplyFile(options.file, error);
  if (!file) {
    Say(context, error);
    return kExitUsage;
  }
  std::string password;
  std::unique_ptr<Lan> lan;
  if (const int status = StartCommand(context, options.command, password, lan);
      status != kExitSuccess) {
    return status;
  }
  const std::vector<core::BatchRow> rows =
      core::PlanApply(*file, lan->devices, lan->session.PcAddresses(), options.command.force);
  return RunBatch(context, options.command, *lan, rows, password, options.dryRun, true);
}

class AssignCommand final : public ChangingCommand<AssignOptions, RunAssign> {
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
};

class ApplyCommand final : public ChangingCommand<ApplyOptions, RunApply> {
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
};

}  // namespace

std::unique_ptr<Command> MakeAssignCommand() {
  return std::make_unique<AssignCommand>();
}

std::unique_ptr<Command> MakeApplyCommand() {
  return std::make_unique<ApplyCommand>();
}

}  // namespace vf::cli

#include "core/batch_plan.h"

#include <map>
#include <set>

#include "core/address_plan.h"
#include "core/conflicts.h"
#include "core/device_names.h"
#include "core/display_text.h"
#include "core/record_text.h"
#include "core/table_output.h"
#include "core/text_marker.h"

namespace vf::core {
namespace {

UserMessage Message(const char *text, std::string argument = {}) {
  return {text, std::move(argument), nullptr};
}

std::optional<UserMessage> ProblemMessage(InputProblem problem) {
  if (problem == InputProblem::None) return std::nullopt;
  return Message(ProblemText(problem));
}

// What stops any command to `device`: two answers claiming it, unless `force`.
std::optional<UserMessage> Claimed(const DeviceStore &devices, const DeviceRecord &device,
                                   bool force) {
  if (force) return std::nullopt;
  return ImpostorRefusal(devices, device);
}

void Plan(BatchRow &row, const NetworkEdits &edits, const DeviceStore &devices,
          const std::vector<std::string> &pcAddresses, bool force) {
  if ((row.problem = ProblemMessage(PlanNetworkChange(row.device, edits, pcAddresses, row.change))))
    return;
  if (force) return;
  if (const auto taken = AddressTakenBy(devices, row.device, row.change)) {
    row.problem = Message(text::kAddressOfAnother, *taken);
  }
}

BatchRow RowFor(const DeviceRecord &device) {
  BatchRow row;
  row.found = true;
  row.device = device;
  return row;
}

// The cameras of `cameras` in their order, each once (by MAC).
std::vector<DeviceRecord> EachOnce(const std::vector<DeviceRecord> &cameras) {
  std::vector<DeviceRecord> once;
  std::set<std::string> seen;
  for (const DeviceRecord &camera : cameras) {
    if (seen.insert(FieldText(camera.network.macAddress)).second) once.push_back(camera);
  }
  return once;
}

std::optional<std::string> CellOf(const CsvRecord &record,
                                  const std::map<std::string, std::size_t> &columns,
                                  const char *name) {
  const auto found = columns.find(name);
  if (found == columns.end() || found->second >= record.size()) return std::nullopt;
  const std::string &value = record[found->second];
  if (value.empty()) return std::nullopt;  // an empty cell keeps the reported value
  return value;
}

// Two rows that give one address would leave two cameras on it: both are refused.
void RefuseSharedAddresses(std::vector<BatchRow> &rows) {
  std::map<std::string, std::vector<BatchRow *>> byAddress;
  for (BatchRow &row : rows) {
    if (row.Sendable() && row.change.settings.dhcp == 0)
      byAddress[row.NewAddress()].push_back(&row);
  }
  for (auto &[address, sharing] : byAddress) {
    if (sharing.size() < 2) continue;
    for (BatchRow *row : sharing) {
      std::string others;
      for (const BatchRow *other : sharing) {
        if (other != row) others += (others.empty() ? "" : ", ") + other->row;
      }
      row->problem = Message(text::kSameAddressAsRow, others);
    }
  }
}

}  // namespace

std::string BatchRow::NewAddress() const {
  if (!Sendable() || change.settings.dhcp != 0) return {};
  return FieldText(change.settings.ipAddress);
}

std::optional<AssignSettings> CompleteAssign(const AssignSettings &settings,
                                             platform::AdapterSource &adapters,
                                             UserMessage &error) {
  const auto first = Ipv4::Parse(settings.first);
  if (!first) {
    error = Message(text::kNotAnAddress, DisplayText(settings.first));
    return std::nullopt;
  }
  for (const auto *value :
       {&settings.mask, &settings.gateway, &settings.primaryDns, &settings.secondaryDns}) {
    if (*value && !Ipv4::Parse(**value) && !IsBlankAddress(**value)) {
      error = Message(text::kNotAnAddress, DisplayText(**value));
      return std::nullopt;
    }
  }
  AssignSettings complete = settings;
  // Mask and gateway default to those of the PC's adapter in the subnet of the first address.
  const std::optional<PcSubnet> subnet = PcSubnetOf(adapters, *first);
  if (!complete.mask && subnet) complete.mask = subnet->mask;
  if (!complete.gateway && subnet && !subnet->gateway.empty()) complete.gateway = subnet->gateway;
  const auto mask = complete.mask ? Ipv4::Parse(*complete.mask) : std::nullopt;
  if (!mask || !IsSubnetMask(*mask) || mask->IsUnspecified()) {
    error = complete.mask ? Message(text::kNotAMask, DisplayText(*complete.mask))
                          : Message(text::kNoPcSubnet, first->Text());
    return std::nullopt;
  }
  if (!complete.gateway) {
    error = Message(text::kNoGatewayKnown, first->Text());
    return std::nullopt;
  }
  return complete;
}

BatchPlan PlanAssign(const std::vector<DeviceRecord> &cameras, const AssignSettings &settings,
                     const DeviceStore &devices, const std::vector<std::string> &pcAddresses,
                     bool force) {
  BatchPlan plan;
  const Ipv4 first = Ipv4::Parse(settings.first).value_or(Ipv4());
  const Ipv4 mask = Ipv4::Parse(settings.mask.value_or("")).value_or(Ipv4());
  NetworkEdits edits;
  edits.netmask = settings.mask;
  edits.gateway = settings.gateway;
  edits.primaryDns = settings.primaryDns;
  edits.secondaryDns = settings.secondaryDns;
  edits.dhcp = false;

  AddressPlanRequest request{first, mask, {}, {}, pcAddresses, {}};
  for (const DeviceRecord &device : devices.Records()) {
    request.announcedAddresses.push_back(FieldText(device.network.ipAddress));
  }
  // The plan's own gateway and DNS servers are no camera's to take.
  for (const auto *server : {&edits.gateway, &edits.primaryDns, &edits.secondaryDns}) {
    if (*server && !IsBlankAddress(**server)) request.reservedAddresses.push_back(**server);
  }
  // Each camera is checked first with an address the subnet could give, so that one that cannot
  // take any keeps none from the others.
  std::string error;
  const auto probe = PlanAddresses({first, mask, {""}, {}, {}, {}}, error);
  if (!probe) {
    plan.error = Message(text::kRangeRunsOut, error);
    return plan;
  }
  std::vector<BatchRow *> addressed;
  for (const DeviceRecord &camera : EachOnce(cameras)) plan.rows.push_back(RowFor(camera));
  for (BatchRow &row : plan.rows) {
    NetworkEdits probed = edits;
    probed.ipAddress = probe->front().Text();
    NetworkChange change;
    row.problem = ProblemMessage(PlanNetworkChange(row.device, probed, {}, change));
    if (!row.problem) row.problem = Claimed(devices, row.device, force);
    if (row.problem) continue;
    request.cameraAddresses.push_back(FieldText(row.device.network.ipAddress));
    addressed.push_back(&row);
  }
  const auto addresses = PlanAddresses(request, error);
  if (!addresses) {
    plan.error = Message(text::kRangeRunsOut, error);
    return plan;
  }
  for (std::size_t k = 0; k < addressed.size(); ++k) {
    NetworkEdits camera = edits;
    camera.ipAddress = (*addresses)[k].Text();
    // A planned address is free by construction: only the change's own checks remain.
    addressed[k]->problem = ProblemMessage(
        PlanNetworkChange(addressed[k]->device, camera, pcAddresses, addressed[k]->change));
  }
  return plan;
}

BatchPlan PlanDhcp(const std::vector<DeviceRecord> &cameras, const DeviceStore &devices,
                   const std::vector<std::string> &pcAddresses, bool force) {
  BatchPlan plan;
  NetworkEdits edits;
  edits.dhcp = true;
  for (const DeviceRecord &camera : EachOnce(cameras)) {
    BatchRow &row = plan.rows.emplace_back(RowFor(camera));
    row.problem = Claimed(devices, row.device, force);
    if (!row.problem) Plan(row, edits, devices, pcAddresses, force);
  }
  return plan;
}

std::vector<BatchRow> PlanApply(const ApplyFile &file, const DeviceStore &devices,
                                const std::vector<std::string> &pcAddresses, bool force) {
  const std::vector<DeviceRecord> listed = devices.Records();
  const std::vector<CsvRecord> &records = file.records;
  const std::size_t headerSize = records.empty() ? 0 : records.front().size();
  std::vector<BatchRow> rows;
  std::map<std::string, std::string> rowOfMac;
  for (std::size_t r = 1; r < records.size(); ++r) {
    const CsvRecord &record = records[r];
    BatchRow &row = rows.emplace_back();
    row.row = std::to_string(r + 1);
    const auto cell = [&](const char *name) { return CellOf(record, file.columns, name); };
    row.name = cell("device").value_or("");
    if (const std::string mismatch = RowSizeProblem(record, headerSize); !mismatch.empty()) {
      row.problem = Message(text::kRowProblem, mismatch);
      continue;
    }
    const std::vector<DeviceRecord> matches = MatchDevices(listed, row.name);
    if (matches.size() != 1) {
      row.notFound = matches.empty();
      row.problem =
          matches.empty()
              ? Message(text::kNoDeviceAnswered, DecodedText(row.name))
              : Message(text::kRowProblem, AmbiguousNameText(matches, row.name, TextForm::kExact));
      continue;
    }
    row.found = true;
    row.device = matches.front();
    const std::string mac = FieldText(row.device.network.macAddress);
    if (const auto [earlier, fresh] = rowOfMac.emplace(mac, row.row); !fresh) {
      row.problem = Message(text::kDeviceOnRow, earlier->second);
      continue;
    }
    if ((row.problem = Claimed(devices, row.device, force))) continue;
    NetworkEdits edits;
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
        row.problem = Message(text::kBadDhcpCell, DecodedText(*dhcp));
        continue;
      }
    }
    Plan(row, edits, devices, pcAddresses, force);
  }
  RefuseSharedAddresses(rows);
  return rows;
}

std::string PlanCsv(const std::vector<BatchRow> &rows) {
  Table table;
  for (const char *key : {"device", "ip", "mask", "gateway", "dns1", "dns2", "dhcp", "http_port"}) {
    table.columns.push_back({key, key, 0});
  }
  for (const BatchRow &row : rows) {
    if (!row.Sendable()) continue;
    const NetworkSettings &n = row.change.settings;
    table.rows.push_back({{FieldText(row.device.network.macAddress)},
                          {FieldText(n.ipAddress)},
                          {FieldText(n.netmask)},
                          {FieldText(n.gateway)},
                          {FieldText(n.primaryDns)},
                          {FieldText(n.secondaryDns)},
                          {n.dhcp != 0 ? "on" : "off"},
                          {row.change.portCommand ? row.change.portCommand->Text() : ""}});
  }
  return Render(table, Format::Csv);
}

}  // namespace vf::core

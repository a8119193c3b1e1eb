// Settings for many cameras at once, as vellafind-cli's assign and apply and the window's
// "Assign addresses..." plan them: from one search, each camera's change checked by the rules of
// a single change, one row per camera, nothing sent.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/apply_file.h"
#include "core/device_store.h"
#include "core/ipv4.h"
#include "core/messages.h"
#include "core/network_change.h"
#include "devsearch.h"
#include "platform/adapters.h"

namespace vf::core {

// One camera of a batch and what it gets.
struct BatchRow {
  std::string row;     // the record number of an imported row in its file; "" otherwise
  std::string name;    // how an imported row named its camera, as the file holds it
  bool found = false;  // the row's camera is `device`
  DeviceRecord device{};
  NetworkChange change;                // what it is sent, when nothing stops it
  std::optional<UserMessage> problem;  // why it gets nothing
  bool notFound = false;               // the problem: no listed device answered as `name`

  bool Sendable() const { return !problem; }
  // The address the change gives it; "" when it gets none, or DHCP.
  std::string NewAddress() const;
};

// What an address plan gives: consecutive addresses from `first` with a mask, a gateway and
// optionally DNS servers (those not given stay each camera's own).
struct AssignSettings {
  std::string first;
  std::optional<std::string> mask;
  std::optional<std::string> gateway;
  std::optional<std::string> primaryDns;
  std::optional<std::string> secondaryDns;
};

// `settings` with the mask and gateway of this PC's adapter in the subnet of the first address
// filled in where not given. std::nullopt, with `error` saying what to give, when the first
// address or a value given is not an address, the mask is none, or no mask or gateway is known.
std::optional<AssignSettings> CompleteAssign(const AssignSettings &settings,
                                             platform::AdapterSource &adapters, UserMessage &error);

struct BatchPlan {
  std::vector<BatchRow> rows;
  // The subnet ran out before every camera had an address: no plan.
  std::optional<UserMessage> error;
};

// An address plan for `cameras`, in that order (a camera listed twice gets one row), from
// completed `settings`: addresses in use by any device of `devices`, by this PC and by the plan's
// own gateway and DNS servers are skipped, and so are the subnet's ends; a camera may keep its
// own. A camera that cannot take the settings (a problem of its own, two answers claiming it
// unless `force`) keeps its address and takes none from the others.
BatchPlan PlanAssign(const std::vector<DeviceRecord> &cameras, const AssignSettings &settings,
                     const DeviceStore &devices, const std::vector<std::string> &pcAddresses,
                     bool force);

// Every camera of `cameras` takes its address from DHCP, its reported values kept.
BatchPlan PlanDhcp(const std::vector<DeviceRecord> &cameras, const DeviceStore &devices,
                   const std::vector<std::string> &pcAddresses, bool force);

// The rows of an apply file: each names its camera among `devices`, and its cells change it (an
// empty cell keeps the reported value). A row is refused, with what to change, when it does not
// fit the header, names no device or more than one, names a camera an earlier row names, has a
// dhcp cell other than on/off, fails the change's checks, gives an address another device
// announced (unless `force`), or gives the same address as another row (always).
std::vector<BatchRow> PlanApply(const ApplyFile &file, const DeviceStore &devices,
                                const std::vector<std::string> &pcAddresses, bool force);

// The sendable rows as an apply file: a header of the columns apply reads, the device by its
// MAC, every value the change sends, DHCP as on/off, the port when a port command follows.
std::string PlanCsv(const std::vector<BatchRow> &rows);

}  // namespace vf::core

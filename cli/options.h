// The options the commands share, and how each kind of option is added to a command: the search,
// the output form, the account, the network edits, numbers within bounds.
#pragma once

#include <CLI/CLI.hpp>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "core/network_change.h"
#include "core/protocol.h"
#include "core/table_output.h"
#include "option_numbers.h"

namespace vf::cli {

using core::Format;

// A duration of the core's, as the seconds an option gives.
constexpr double SecondsOf(std::chrono::milliseconds duration) {
  return static_cast<double>(duration.count()) / 1000.0;
}

// "2.5", "45": a number as the help shows it.
std::string Number(double value);

// How devices are found, for every command that searches.
struct SearchOptions {
  double waitSeconds = SecondsOf(core::kCollectPeriod);
  int repeat = 1;
  std::string interfaceAddress;
  Format format = Format::Table;
};

// The viewing account a command is authorised by.
struct Account {
  std::string user;
  std::optional<std::string> password;
  bool passwordFromStdin = false;
};

// Settings of a command that changes cameras.
struct CommandOptions {
  SearchOptions search;
  Account account;
  double timeoutSeconds = SecondsOf(core::kAnswerTimeout);
  bool yes = false;
  // Sends even when two answers claimed the camera, or another device announced the address it
  // is to take.
  bool force = false;
};

inline constexpr const char *kDeviceHelp =
    "the camera: its MAC address, its 32-character device id or its IP address";

// An option that fills a value only when given, so that "not given" stays apart from "empty".
CLI::Option *Optional(CLI::App &app, const std::string &name, std::optional<std::string> &target,
                      const std::string &help);
// "on" or "off".
CLI::Option *Switch(CLI::App &app, const std::string &name, std::optional<bool> &target,
                    const std::string &help);
// A number within `bounds`, handed to `store`.
CLI::Option *NumberOption(CLI::App &app, const std::string &name, const NumberBounds &bounds,
                          std::function<void(double)> store, const std::string &help);
CLI::Option *SecondsOption(CLI::App &app, const std::string &name, double &target,
                           const std::string &help);

// --format: table, tsv, csv or json.
void AddFormatOption(CLI::App &app, Format &format);
// --wait, --repeat, --interface and --format.
void AddSearchOptions(CLI::App &app, SearchOptions &options);
// The search options and the account: --user, --password or --password-stdin, --timeout,
// --force; with `confirms`, also --yes.
void AddCommandOptions(CLI::App &app, CommandOptions &options, bool confirms);
// --ip, --mask, --gateway, --dns1, --dns2, --dhcp, --http-port.
void AddNetworkEdits(CLI::App &app, core::NetworkEdits &edits);

}  // namespace vf::cli

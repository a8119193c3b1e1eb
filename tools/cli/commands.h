// The commands of vellafind-cli, each a function of its options that returns the exit status.
#pragma once

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/network_change.h"
#include "core/protocol.h"
#include "output.h"
#include "platform/adapters.h"

namespace vf::cli {

// What every command shares: where its output goes and where the PC's adapters come from.
struct Context {
  std::FILE *data = stdout;      // the command's result, and nothing else
  std::FILE *messages = stderr;  // summaries, warnings, questions, the engine's own lines
  std::FILE *input = stdin;      // answers to questions, a password
  bool inputIsTerminal = false;
  platform::AdapterSource *adapters = nullptr;
};

// How devices are found, for every command that searches.
// A duration of the core's, as the seconds an option gives.
constexpr double SecondsOf(std::chrono::milliseconds duration) {
  return static_cast<double>(duration.count()) / 1000.0;
}

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

// Settings of one command to one device.
struct CommandOptions {
  SearchOptions search;
  Account account;
  double timeoutSeconds = SecondsOf(core::kAnswerTimeout);
  bool yes = false;
  // Sends even when two answers claimed the camera, or another device announced the address it
  // is to take.
  bool force = false;
};

struct SetNetworkOptions {
  CommandOptions command;
  std::string device;
  core::NetworkEdits edits;
  bool noWait = false;
  double restartWaitSeconds = SecondsOf(core::kRestartWait);
};

struct SetDdnsOptions {
  CommandOptions command;
  std::string device;
  std::optional<std::string> domain;
  std::optional<std::string> ddnsUser;
  std::optional<std::string> ddnsPassword;
  std::optional<std::string> server;
  std::optional<int> port;
  std::optional<bool> enable;
};

struct SetIdOptions {
  CommandOptions command;
  std::string device;
  std::string newId;
};

struct SetIdentityOptions {
  CommandOptions command;
  std::string device;
  std::string vendor;
  std::string product;
  std::string type;
};

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

int RunSearchCommand(Context &context, const SearchOptions &options);
int RunAdaptersCommand(Context &context, Format format);
int RunSetNetwork(Context &context, const SetNetworkOptions &options);
int RunSetDdns(Context &context, const SetDdnsOptions &options);
int RunSetId(Context &context, const SetIdOptions &options);
int RunSetIdentity(Context &context, const SetIdentityOptions &options);
int RunAssign(Context &context, const AssignOptions &options);
int RunApply(Context &context, const ApplyOptions &options);

}  // namespace vf::cli

// Steps the commands share: searching, naming a device, the account, the confirmation.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "context.h"
#include "core/receive_losses.h"
#include "devsearch.h"
#include "lan.h"
#include "options.h"

namespace vf::cli {

// One line on the message stream.
void Say(const Context &context, const std::string &line);

std::chrono::milliseconds Duration(double seconds);

// Starts the engine and runs one search cycle, then warns of MACs heard with two identities and
// of answers the kernel dropped (a full receive buffer, the reverse-path filter). Returns
// kExitSuccess with `lan` set when the search went out, else the exit status after telling why.
int SearchLan(const Context &context, const SearchOptions &options, std::unique_ptr<Lan> &lan,
              core::ReceiveLosses *losses = nullptr);

// The one device `name` names among `devices`; the exit status after telling the user when there
// is none or more than one.
int FindDevice(const Context &context, const std::vector<DeviceRecord> &devices,
               const std::string &name, DeviceRecord &out);

// Whether a command may go to `device`: an id and MAC of their plain forms, and no two answers of
// the search claiming it (unless `options.force`, after a warning). The exit status after telling
// why not.
int MayCommand(const Context &context, const CommandOptions &options, const Lan &lan,
               const DeviceRecord &device);

// The password of `account`, read from the input when asked to; refuses an account the request
// cannot carry. Returns the exit status (kExitSuccess to go on).
int ReadAccount(const Context &context, const Account &account, std::string &password);

// Asks `question` on the terminal unless `options.yes`. Returns kExitSuccess to go on, else the
// exit status: declined, or no terminal to ask on.
int Confirm(const Context &context, const CommandOptions &options, const std::string &question);

// The start of every command that changes cameras: reads the account, then searches. Returns
// the exit status (kExitSuccess with `password` and `lan` set).
int StartCommand(const Context &context, const CommandOptions &options, std::string &password,
                 std::unique_ptr<Lan> &lan);

// The start of every command that changes one camera: reads the account, searches, finds the
// camera `name` names and checks that it may be sent a command (MayCommand). Returns the exit
// status (kExitSuccess with `password`, `lan` and `device` set).
int StartOnDevice(const Context &context, const CommandOptions &options, const std::string &name,
                  std::string &password, std::unique_ptr<Lan> &lan, DeviceRecord &device);

// The device as a person names it in messages: its name and MAC, escaped.
std::string DeviceLabel(const DeviceRecord &device);

// The command target for `device` with an account; owns the texts it points to.
class Target {
 public:
  Target(const DeviceRecord &device, std::string user, std::string password);
  Target(const Target &) = delete;
  Target &operator=(const Target &) = delete;
  const CommandTarget &get() const { return m_target; }

 private:
  std::string m_deviceId;
  std::string m_user;
  std::string m_password;
  CommandTarget m_target{};
};

// Writes `text` to the data stream.
void WriteData(const Context &context, const std::string &text);

// The search settings of the options.
core::SearchSettings CollectSettings(const SearchOptions &options);

}  // namespace vf::cli

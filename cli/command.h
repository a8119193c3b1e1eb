// A command of vellafind-cli, declared in one place: its name and what it does, its options,
// whether it changes cameras, and how it runs. The program adds every command of Commands() to
// its parser and runs the one the command line names.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

#include "context.h"
#include "options.h"

namespace vf::cli {

class Command {
 public:
  virtual ~Command() = default;

  virtual std::string Name() const = 0;
  virtual std::string Help() const = 0;
  // Adds the command's options to `app`; what they read lands in the command.
  virtual void AddOptions(CLI::App &app) = 0;
  // The account of a command that changes cameras, which needs a password; null for one that
  // only reads.
  virtual const CommandOptions *Changes() const { return nullptr; }
  // Runs the command after the parse; the exit status.
  virtual int Run(Context &context) = 0;
};

// A command that changes cameras: its options hold the account (`command`), and a function of
// them runs it.
template <typename Options, int (*Runner)(Context &, const Options &)>
class ChangingCommand : public Command {
 public:
  const CommandOptions *Changes() const override { return &m_options.command; }
  int Run(Context &context) override { return Runner(context, m_options); }

 protected:
  Options m_options;
};

// Every command, in the order --help lists them.
std::vector<std::unique_ptr<Command>> Commands();

// Each command's maker, defined beside what it does.
std::unique_ptr<Command> MakeSearchCommand();
std::unique_ptr<Command> MakeAdaptersCommand();
std::unique_ptr<Command> MakeSetNetworkCommand();
std::unique_ptr<Command> MakeSetDdnsCommand();
std::unique_ptr<Command> MakeSetIdCommand();
std::unique_ptr<Command> MakeSetIdentityCommand();
std::unique_ptr<Command> MakeAssignCommand();
std::unique_ptr<Command> MakeApplyCommand();

}  // namespace vf::cli

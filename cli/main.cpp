// vellafind-cli: finds the network cameras on the LAN and changes their settings, from a
// terminal or a script.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <string>

#include "command.h"
#include "core/protocol.h"
#include "exit_codes.h"
#include "platform/adapters.h"
#include "platform/console.h"

#ifndef VF_VERSION_TEXT
#define VF_VERSION_TEXT "unknown"
#endif

namespace vf::cli {
namespace {

std::string Description() {
  return "Finds the network cameras on the local network and changes their network settings.\n"
         "A search multicasts one request to " +
         std::string(core::kGroupAddress) + ", port " + std::to_string(core::kPort) + " (" +
         std::to_string(core::kFallbackPort) + " when " + std::to_string(core::kPort) +
         " is taken),\n"
         "from every adapter of this PC; each camera answers once per MAC. Data go to standard\n"
         "output, everything else (summaries, warnings, questions) to standard error.";
}

int RunCli(int argc, char **argv) {
  CLI::App app(Description(), "vellafind-cli");
  app.set_version_flag("--version", std::string("vellafind-cli ") + VF_VERSION_TEXT,
                       "print the version and exit");
  app.require_subcommand(1);
  app.footer(kExitCodeHelp);

  const std::vector<std::unique_ptr<Command>> commands = Commands();
  std::vector<std::pair<CLI::App *, Command *>> parsers;
  for (const auto &command : commands) {
    CLI::App *parser = app.add_subcommand(command->Name(), command->Help());
    command->AddOptions(*parser);
    parser->footer(kExitCodeHelp);
    parsers.emplace_back(parser, command.get());
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &error) {
    const int status = app.exit(error);
    return status == 0 ? kExitSuccess : kExitUsage;
  }

  for (const auto &[parser, command] : parsers) {
    if (!parser->parsed()) continue;
    if (const CommandOptions *changes = command->Changes();
        changes != nullptr && !changes->account.password && !changes->account.passwordFromStdin) {
      std::fputs("--password or --password-stdin is required\n", stderr);
      return kExitUsage;
    }
    // From here on the engine's own lines, written to standard output, go to standard error.
    Context context;
    context.data = platform::DivertStdoutToStderr();
    context.input = stdin;
    context.inputIsTerminal = platform::StdinIsTerminal();
    const std::unique_ptr<platform::AdapterSource> adapters = platform::MakeSystemAdapterSource();
    context.adapters = adapters.get();
    return command->Run(context);
  }
  return kExitUsage;
}

}  // namespace

std::vector<std::unique_ptr<Command>> Commands() {
  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(MakeSearchCommand());
  commands.push_back(MakeAdaptersCommand());
  commands.push_back(MakeSetNetworkCommand());
  commands.push_back(MakeSetDdnsCommand());
  commands.push_back(MakeSetIdCommand());
  commands.push_back(MakeSetIdentityCommand());
  commands.push_back(MakeAssignCommand());
  commands.push_back(MakeApplyCommand());
  return commands;
}

}  // namespace vf::cli

int main(int argc, char **argv) {
  // Every failure the commands foresee ends in a message and its status; this is for the rest
  // (memory running out, say), so that even then the user reads why instead of an abort.
  try {
    return vf::cli::RunCli(argc, argv);
  } catch (const std::exception &error) {
    std::fprintf(stderr, "vellafind-cli: %s\n", error.what());
  } catch (...) {
    std::fputs("vellafind-cli: unexpected failure\n", stderr);
  }
  return vf::cli::kExitFailure;
}

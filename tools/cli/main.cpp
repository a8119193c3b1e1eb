// vellafind-cli: finds the network cameras on the LAN and changes their settings, from a
// terminal or a script.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>

#include "apply_file.h"
#include "commands.h"
#include "exit_codes.h"
#include "option_numbers.h"
#include "platform/adapters.h"
#include "platform/console.h"

#ifndef VF_VERSION_TEXT
#define VF_VERSION_TEXT "unknown"
#endif

namespace vf::cli {
namespace {

// "2.5", "45": a number of seconds as the help shows it.
std::string Number(double value) {
  std::string text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

std::string Description() {
  return "Finds the network cameras on the local network and changes their network settings.\n"
         "A search multicasts one request to " +
         std::string(core::kGroupAddress) + ", port " + std::to_string(core::kPort) + " (" +
         std::to_string(core::kFallbackPort) + " when " + std::to_string(core::kPort) +
         " is taken),\n"
         "from every adapter of this PC; each camera answers once per MAC. Data go to standard\n"
         "output, everything else (summaries, warnings, questions) to standard error.";
}

constexpr const char *kDeviceHelp =
    "the camera: its MAC address, its 32-character device id or its IP address";

// Options that fill a value only when given, so that "not given" stays apart from "empty".
CLI::Option *Optional(CLI::App *app, const std::string &name, std::optional<std::string> &target,
                      const std::string &help) {
  return app->add_option_function<std::string>(
      name, [&target](const std::string &value) { target = value; }, help);
}

CLI::Option *Switch(CLI::App *app, const std::string &name, std::optional<bool> &target,
                    const std::string &help) {
  return app
      ->add_option_function<std::string>(
          name, [&target](const std::string &value) { target = value == "on"; }, help)
      ->check(CLI::IsMember({"on", "off"}))
      ->type_name("on|off");
}

// An option that takes a number within `bounds`; what it reads goes to `store`.
CLI::Option *NumberOption(CLI::App *app, const std::string &name, const NumberBounds &bounds,
                          std::function<void(double)> store, const std::string &help) {
  const auto check = [bounds](std::string &text) {
    std::string error;
    ReadOptionNumber(text, bounds, error);
    return error;
  };
  const auto read = [bounds, store = std::move(store)](const std::string &text) {
    std::string error;
    if (const std::optional<double> value = ReadOptionNumber(text, bounds, error)) store(*value);
  };
  return app->add_option_function<std::string>(name, read, help)
      ->check(CLI::Validator(check, DescribeBounds(bounds)));
}

CLI::Option *SecondsOption(CLI::App *app, const std::string &name, double &target,
                           const std::string &help) {
  return NumberOption(
             app, name, {0.1, 600.0, false}, [&target](double value) { target = value; }, help)
      ->type_name("SECONDS");
}

void AddSearchOptions(CLI::App *app, SearchOptions &options, std::string &format) {
  SecondsOption(app, "--wait", options.waitSeconds,
                "how long to collect answers after the last request, in seconds (default " +
                    Number(SecondsOf(core::kCollectPeriod)) + ")");
  NumberOption(
      app, "--repeat", {1, 20, true},
      [&options](double value) { options.repeat = static_cast<int>(value); },
      "send the search N times, 300 ms apart, and merge the answers by MAC; helps where the PC "
      "loses answers of a large LAN (default 1)")
      ->type_name("N");
  app->add_option("--interface", options.interfaceAddress,
                  "search from this address of the PC only (default: from every adapter)")
      ->type_name("ADDRESS");
  app->add_option("--format", format, "table (default), tsv, csv or json")
      ->check(CLI::IsMember({"table", "tsv", "csv", "json"}))
      ->type_name("FORMAT");
}

void AddCommandOptions(CLI::App *app, CommandOptions &options, std::string &format) {
  AddSearchOptions(app, options.search, format);
  app->add_option("--user", options.account.user, "the camera's viewing account")
      ->required()
      ->type_name("USER");
  CLI::Option *password = Optional(app, "--password", options.account.password,
                                   "its password (visible to other users of this PC; see "
                                   "--password-stdin)")
                              ->type_name("PASSWORD");
  app->add_flag("--password-stdin", options.account.passwordFromStdin,
                "read the password from the first line of standard input")
      ->excludes(password);
  SecondsOption(app, "--timeout", options.timeoutSeconds,
                "how long to wait for each answer of the camera, in seconds (default " +
                    Number(SecondsOf(core::kAnswerTimeout)) + ")");
  app->add_flag("--force", options.force,
                "send even when two answers of the search claimed the camera (another host may "
                "be speaking for it), or another device announced the address it is to take");
}

void AddNetworkEdits(CLI::App *app, core::NetworkEdits &edits) {
  Optional(app, "--ip", edits.ipAddress, "new IP address")->type_name("ADDRESS");
  Optional(app, "--mask", edits.netmask, "new subnet mask")->type_name("MASK");
  Optional(app, "--gateway", edits.gateway, "new gateway; 0.0.0.0 for none")->type_name("ADDRESS");
  Optional(app, "--dns1", edits.primaryDns, "new first DNS server; 0.0.0.0 for none")
      ->type_name("ADDRESS");
  Optional(app, "--dns2", edits.secondaryDns, "new second DNS server; 0.0.0.0 for none")
      ->type_name("ADDRESS");
  Switch(app, "--dhcp", edits.dhcp, "take the address from DHCP (\"Set IP automatically\")");
  Optional(app, "--http-port", edits.httpPort,
           "new HTTP port, 1 to 65535; the camera restarts for it")
      ->type_name("PORT");
}

bool HasPassword(const CommandOptions &options) {
  return options.account.password || options.account.passwordFromStdin;
}

}  // namespace

int RunCli(int argc, char **argv) {
  CLI::App app(Description(), "vellafind-cli");
  app.set_version_flag("--version", std::string("vellafind-cli ") + VF_VERSION_TEXT,
                       "print the version and exit");
  app.require_subcommand(1);
  app.footer(kExitCodeHelp);

  std::string format = "table";
  SearchOptions search;
  CLI::App *searchApp = app.add_subcommand(
      "search",
      "Search the LAN and print every field of each camera that answered, first answer "
      "per MAC in order of arrival.");
  AddSearchOptions(searchApp, search, format);

  CLI::App *adaptersApp =
      app.add_subcommand("adapters", "Print this PC's network adapters as the window shows them.");
  adaptersApp->add_option("--format", format, "table (default), tsv, csv or json")
      ->check(CLI::IsMember({"table", "tsv", "csv", "json"}))
      ->type_name("FORMAT");

  SetNetworkOptions setNetwork;
  CLI::App *setNetworkApp = app.add_subcommand(
      "set-network",
      "Change a camera's address, mask, gateway, DNS servers, DHCP or HTTP port. Starts from the "
      "values the camera reports, checks them as the window does, asks, sends them, and after a "
      "port change waits " +
          Number(SecondsOf(core::kRestartWait)) +
          " s for the camera to restart before searching again.");
  setNetworkApp->add_option("DEVICE", setNetwork.device, kDeviceHelp)->required();
  AddNetworkEdits(setNetworkApp, setNetwork.edits);
  AddCommandOptions(setNetworkApp, setNetwork.command, format);
  setNetworkApp->add_flag("--yes,-y", setNetwork.command.yes, "do not ask for confirmation");
  setNetworkApp->add_flag("--no-wait", setNetwork.noWait,
                          "do not wait for the restart after a port change");
  // For the tests: a shorter restart wait.
  SecondsOption(setNetworkApp, "--restart-wait", setNetwork.restartWaitSeconds, "")->group("");

  SetDdnsOptions setDdns;
  CLI::App *setDdnsApp = app.add_subcommand(
      "set-ddns",
      "Change a camera's dynamic-DNS account; values not given stay as it reports them.");
  setDdnsApp->add_option("DEVICE", setDdns.device, kDeviceHelp)->required();
  Optional(setDdnsApp, "--domain", setDdns.domain, "the DDNS name (must not end up empty)")
      ->type_name("NAME");
  Optional(setDdnsApp, "--ddns-user", setDdns.ddnsUser, "the DDNS account")->type_name("USER");
  Optional(setDdnsApp, "--ddns-password", setDdns.ddnsPassword, "the DDNS account's password")
      ->type_name("PASSWORD");
  Optional(setDdnsApp, "--server", setDdns.server, "the DDNS server")->type_name("HOST");
  NumberOption(
      setDdnsApp, "--port", {0, 65535, true},
      [&setDdns](double port) { setDdns.port = static_cast<int>(port); }, "the DDNS server's port")
      ->type_name("PORT");
  Switch(setDdnsApp, "--enable", setDdns.enable, "switch DDNS on or off");
  AddCommandOptions(setDdnsApp, setDdns.command, format);

  SetIdOptions setId;
  CLI::App *setIdApp = app.add_subcommand(
      "set-id", "Give a camera a new device id (32 characters); commands then address it by that.");
  setIdApp->add_option("DEVICE", setId.device, kDeviceHelp)->required();
  setIdApp->add_option("NEW_ID", setId.newId, "the new device id")->required();
  AddCommandOptions(setIdApp, setId.command, format);

  SetIdentityOptions setIdentity;
  CLI::App *setIdentityApp =
      app.add_subcommand("set-identity", "Change a camera's vendor, product and device type.");
  setIdentityApp->add_option("DEVICE", setIdentity.device, kDeviceHelp)->required();
  setIdentityApp->add_option("--vendor", setIdentity.vendor, "the vendor")->required();
  setIdentityApp->add_option("--product", setIdentity.product, "the product")->required();
  setIdentityApp->add_option("--type", setIdentity.type, "the device type")->required();
  AddCommandOptions(setIdentityApp, setIdentity.command, format);

  AssignOptions assign;
  CLI::App *assignApp = app.add_subcommand(
      "assign",
      "Give the cameras found consecutive addresses from --first, skipping every address another "
      "device announced or the PC holds. Shows the plan, asks once, then sends one command per "
      "camera and shows each answer.");
  assignApp->add_option("--first", assign.first, "the first address to give")
      ->required()
      ->type_name("ADDRESS");
  Optional(assignApp, "--mask", assign.mask,
           "subnet mask (default: that of the PC's adapter in the subnet)")
      ->type_name("MASK");
  Optional(assignApp, "--gateway", assign.gateway,
           "gateway (default: that of the PC's adapter in the subnet)")
      ->type_name("ADDRESS");
  Optional(assignApp, "--dns1", assign.dns1, "first DNS server (default: the camera's own)")
      ->type_name("ADDRESS");
  Optional(assignApp, "--dns2", assign.dns2, "second DNS server (default: the camera's own)")
      ->type_name("ADDRESS");
  assignApp->add_option("--only", assign.only, "only these cameras, in this order")
      ->type_name("DEVICE");
  assignApp->add_flag("--dry-run", assign.dryRun, "show the plan and send nothing");
  AddCommandOptions(assignApp, assign.command, format);
  assignApp->add_flag("--yes,-y", assign.command.yes, "do not ask for confirmation");

  ApplyOptions apply;
  CLI::App *applyApp = app.add_subcommand(
      "apply",
      "Apply settings from a CSV file (RFC 4180): a header row, then one row per camera with the "
      "columns device and any of ip, mask, gateway, dns1, dns2, dhcp (on/off), http_port; an "
      "empty cell keeps the camera's value. Rows that fail the checks are reported and skipped.");
  applyApp
      ->add_option("FILE", apply.file,
                   "the CSV file, at most " + std::to_string(kApplyFileLimit >> 20) +
                       " MiB; UTF-8 (a byte order mark is fine), lines ending in CR LF, LF or "
                       "CR")
      ->required();
  applyApp->add_flag("--dry-run", apply.dryRun, "show the plan and send nothing");
  AddCommandOptions(applyApp, apply.command, format);
  applyApp->add_flag("--yes,-y", apply.command.yes, "do not ask for confirmation");

  for (CLI::App *command : app.get_subcommands({})) command->footer(kExitCodeHelp);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &error) {
    const int status = app.exit(error);
    return status == 0 ? kExitSuccess : kExitUsage;
  }

  const Format chosen = ParseFormat(format).value_or(Format::Table);
  search.format = chosen;
  const std::pair<CLI::App *, CommandOptions *> commands[] = {
      {setNetworkApp, &setNetwork.command}, {setDdnsApp, &setDdns.command},
      {setIdApp, &setId.command},           {setIdentityApp, &setIdentity.command},
      {assignApp, &assign.command},         {applyApp, &apply.command}};
  for (const auto &[command, options] : commands) {
    options->search.format = chosen;
    if (command->parsed() && !HasPassword(*options)) {
      std::fputs("--password or --password-stdin is required\n", stderr);
      return kExitUsage;
    }
  }

  // From here on the engine's own lines, written to standard output, go to standard error.
  Context context;
  context.data = platform::DivertStdoutToStderr();
  context.input = stdin;
  context.inputIsTerminal = platform::StdinIsTerminal();
  const std::unique_ptr<platform::AdapterSource> adapters = platform::MakeSystemAdapterSource();
  context.adapters = adapters.get();

  if (searchApp->parsed()) return RunSearchCommand(context, search);
  if (adaptersApp->parsed()) return RunAdaptersCommand(context, chosen);
  if (setNetworkApp->parsed()) return RunSetNetwork(context, setNetwork);
  if (setDdnsApp->parsed()) return RunSetDdns(context, setDdns);
  if (setIdApp->parsed()) return RunSetId(context, setId);
  if (setIdentityApp->parsed()) return RunSetIdentity(context, setIdentity);
  if (assignApp->parsed()) return RunAssign(context, assign);
  return RunApply(context, apply);
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

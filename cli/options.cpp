#include "options.h"

#include "core/table_output.h"

namespace vf::cli {

std::string Number(double value) {
  std::string text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

CLI::Option *Optional(CLI::App &app, const std::string &name, std::optional<std::string> &target,
                      const std::string &help) {
  return app.add_option_function<std::string>(
      name, [&target](const std::string &value) { target = value; }, help);
}

CLI::Option *Switch(CLI::App &app, const std::string &name, std::optional<bool> &target,
                    const std::string &help) {
  return app
      .add_option_function<std::string>(
          name, [&target](const std::string &value) { target = value == "on"; }, help)
      ->check(CLI::IsMember({"on", "off"}))
      ->type_name("on|off");
}

CLI::Option *NumberOption(CLI::App &app, const std::string &name, const NumberBounds &bounds,
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
  return app.add_option_function<std::string>(name, read, help)
      ->check(CLI::Validator(check, DescribeBounds(bounds)));
}

CLI::Option *SecondsOption(CLI::App &app, const std::string &name, double &target,
                           const std::string &help) {
  return NumberOption(
             app, name, {0.1, 600.0, false}, [&target](double value) { target = value; }, help)
      ->type_name("SECONDS");
}

void AddFormatOption(CLI::App &app, Format &format) {
  app.add_option_function<std::string>(
         "--format",
         [&format](const std::string &name) { format = core::ParseFormat(name).value(); },
         "table (default), tsv, csv or json")
      ->check(CLI::IsMember({"table", "tsv", "csv", "json"}))
      ->type_name("FORMAT");
}

void AddSearchOptions(CLI::App &app, SearchOptions &options) {
  SecondsOption(app, "--wait", options.waitSeconds,
                "how long to collect answers after the last request, in seconds (default " +
                    Number(SecondsOf(core::kCollectPeriod)) + ")");
  NumberOption(
      app, "--repeat", {1, 20, true},
      [&options](double value) { options.repeat = static_cast<int>(value); },
      "send the search N times, " + Number(static_cast<double>(core::kRepeatSpacing.count())) +
          " ms apart, and merge the answers by MAC; helps where the PC loses answers of a large "
          "LAN (default 1)")
      ->type_name("N");
  app.add_option("--interface", options.interfaceAddress,
                 "search from this address of the PC only (default: from every adapter)")
      ->type_name("ADDRESS");
  AddFormatOption(app, options.format);
}

void AddCommandOptions(CLI::App &app, CommandOptions &options, bool confirms) {
  AddSearchOptions(app, options.search);
  app.add_option("--user", options.account.user, "the camera's viewing account")
      ->required()
      ->type_name("USER");
  CLI::Option *password = Optional(app, "--password", options.account.password,
                                   "its password (visible to other users of this PC; see "
                                   "--password-stdin)")
                              ->type_name("PASSWORD");
  app.add_flag("--password-stdin", options.account.passwordFromStdin,
               "read the password from the first line of standard input")
      ->excludes(password);
  SecondsOption(app, "--timeout", options.timeoutSeconds,
                "how long to wait for each answer of the camera, in seconds (default " +
                    Number(SecondsOf(core::kAnswerTimeout)) + ")");
  app.add_flag("--force", options.force,
               "send even when two answers of the search claimed the camera (another host may "
               "be speaking for it), or another device announced the address it is to take");
  if (confirms) app.add_flag("--yes,-y", options.yes, "do not ask for confirmation");
}

void AddNetworkEdits(CLI::App &app, core::NetworkEdits &edits) {
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

}  // namespace vf::cli

#include "options.h"

#if defined(_WIN32)
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#endif

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "camera.h"

namespace vf::camsim {
namespace {

template <typename Number>
std::optional<Number> whole_number(const std::string &text, Number low, Number high) {
  Number value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<double> rate_number(const std::string &text) {
  try {
    std::size_t used = 0;
    double value = std::stod(text, &used);
    if (used != text.size() || !std::isfinite(value) || value < 0) return std::nullopt;
    return value;
  } catch (...) {
    return std::nullopt;
  }
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "N=TEXT", TEXT with the escapes \\, \r, \n, \t and \xHH, so that any byte can be named.
std::optional<std::pair<int, std::string>> camera_name(const std::string &value) {
  const std::size_t equals = value.find('=');
  if (equals == std::string::npos) return std::nullopt;
  auto number = whole_number(value.substr(0, equals), 1, kMaxCameras);
  if (!number) return std::nullopt;
  std::string name;
  for (std::size_t i = equals + 1; i < value.size(); ++i) {
    if (value[i] != '\\') {
      name += value[i];
      continue;
    }
    if (++i == value.size()) return std::nullopt;
    switch (value[i]) {
      case '\\':
        name += '\\';
        break;
      case 'r':
        name += '\r';
        break;
      case 'n':
        name += '\n';
        break;
      case 't':
        name += '\t';
        break;
      case 'x': {
        if (i + 2 >= value.size()) return std::nullopt;
        const int high = hex_digit(value[i + 1]);
        const int low = hex_digit(value[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        name += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  return std::make_pair(*number, name);
}

bool is_multicast_group(const std::string &text) {
  in_addr address{};
  if (inet_pton(AF_INET, text.c_str(), &address) != 1) return false;
  return (ntohl(address.s_addr) >> 28) == 0xE;
}

// "N=M": two camera numbers.
std::optional<std::pair<int, int>> camera_pair(const std::string &value) {
  const std::size_t equals = value.find('=');
  if (equals == std::string::npos) return std::nullopt;
  auto first = whole_number(value.substr(0, equals), 1, kMaxCameras);
  auto second = whole_number(value.substr(equals + 1), 1, kMaxCameras);
  if (!first || !second || *first == *second) return std::nullopt;
  return std::pair{*first, *second};
}

}  // namespace

ParsedOptions parse_options(const std::vector<std::string> &arguments) {
  ParsedOptions parsed;
  Options &options = parsed.options;
  bool repeat_given = false;

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string name = arguments[i];
    std::optional<std::string> inline_value;
    if (std::size_t equals = name.find('=');
        name.rfind("--", 0) == 0 && equals != std::string::npos) {
      inline_value = name.substr(equals + 1);
      name.resize(equals);
    }
    auto bad = [&parsed, &name](const std::string &what) {
      parsed.error = name + ": " + what;
      return parsed;
    };
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name == "--forbid") {
      options.forbid_all = true;
      continue;
    }
    if (name == "--quiet") {
      options.quiet = true;
      continue;
    }

    std::string value;
    if (inline_value) {
      value = *inline_value;
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      parsed.error = "unknown option or missing value: " + name;
      return parsed;
    }

    if (name == "--count") {
      auto count = whole_number(value, 0, kMaxCameras);
      if (!count) return bad("expects 0 to " + std::to_string(kMaxCameras));
      options.count = *count;
    } else if (name == "--seed") {
      auto seed = whole_number<std::uint64_t>(value, 0, UINT64_MAX);
      if (!seed) return bad("expects a whole number");
      options.seed = *seed;
    } else if (name == "--group") {
      if (!is_multicast_group(value)) return bad("expects an IPv4 multicast address");
      options.group = value;
    } else if (name == "--port") {
      auto port = whole_number(value, 1, 65535);
      if (!port) return bad("expects 1 to 65535");
      options.port = *port;
    } else if (name == "--user") {
      options.user = value;
    } else if (name == "--password") {
      options.password = value;
    } else if (name == "--forbid-camera") {
      auto number = whole_number(value, 1, kMaxCameras);
      if (!number) return bad("expects a camera number from 1");
      options.forbidden_cameras.insert(*number);
    } else if (name == "--password-camera") {
      const std::size_t equals = value.find('=');
      auto number = whole_number(value.substr(0, equals), 1, kMaxCameras);
      if (equals == std::string::npos || !number) return bad("expects N=PASSWORD");
      options.camera_passwords[*number] = value.substr(equals + 1);
    } else if (name == "--silent-camera" || name == "--forged-camera") {
      auto number = whole_number(value, 1, kMaxCameras);
      if (!number) return bad("expects a camera number from 1");
      (name == "--silent-camera" ? options.silent_cameras : options.forged_cameras).insert(*number);
    } else if (name == "--rate") {
      auto rate = rate_number(value);
      if (!rate) return bad("expects a number of datagrams per second, 0 or more");
      options.rate = *rate;
    } else if (name == "--delay") {
      auto delay = whole_number(value, 0, 600'000);
      if (!delay) return bad("expects 0 to 600000 milliseconds");
      options.delay_ms = *delay;
    } else if (name == "--repeat") {
      auto repeat = whole_number(value, 1, 1000);
      if (!repeat) return bad("expects 1 to 1000");
      options.repeat = *repeat;
      repeat_given = true;
    } else if (name == "--repeat-camera") {
      auto number = whole_number(value, 1, kMaxCameras);
      if (!number) return bad("expects a camera number from 1");
      options.repeat_camera = *number;
    } else if (name == "--name") {
      auto named = camera_name(value);
      if (!named) return bad("expects N=TEXT (escapes \\\\ \\r \\n \\t \\xHH)");
      options.names[named->first] = named->second;
    } else if (name == "--announce-mac" || name == "--announce-id") {
      auto pair = camera_pair(value);
      if (!pair) return bad("expects N=M, two different camera numbers");
      (name == "--announce-mac" ? options.announced_macs : options.announced_ids)[pair->first] =
          pair->second;
    } else if (name == "--interface") {
      if (value.empty()) return bad("expects an interface name");
      options.interfaces.push_back(value);
    } else if (name == "--log") {
      if (value.empty()) return bad("expects a file name");
      options.log_path = value;
    } else {
      parsed.error = "unknown option " + name;
      return parsed;
    }
  }

  for (const auto &named : options.names)
    if (named.first > options.count)
      parsed.error = "--name: no camera " + std::to_string(named.first);
  if (options.repeat_camera > options.count)
    parsed.error = "--repeat-camera: no camera " + std::to_string(options.repeat_camera);
  for (int number : options.forbidden_cameras)
    if (number > options.count)
      parsed.error = "--forbid-camera: no camera " + std::to_string(number);
  for (const auto &[number, password] : options.camera_passwords)
    if (number > options.count)
      parsed.error = "--password-camera: no camera " + std::to_string(number);
  for (const auto *numbers : {&options.silent_cameras, &options.forged_cameras})
    for (int number : *numbers)
      if (number > options.count)
        parsed.error = "--silent-camera/--forged-camera: no camera " + std::to_string(number);
  for (const auto *impostors : {&options.announced_macs, &options.announced_ids})
    for (const auto &[number, other] : *impostors)
      if (std::max(number, other) > options.count)
        parsed.error =
            "--announce-mac/--announce-id: no camera " + std::to_string(std::max(number, other));
  // Naming a camera to repeat means wanting duplicates: two copies unless told.
  if (options.repeat_camera != 0 && !repeat_given) options.repeat = 2;
  return parsed;
}

const char *help_text() {
  return R"(camsim - simulated network cameras for Vellafind

Plays any number of cameras on a UDP multicast group. It listens on the group
and port (socket bound to 0.0.0.0:PORT, joined on every up, non-loopback IPv4
interface present at start, or on those --interface names) and answers SEARCH and CMD requests the way the
cameras do. Every answer goes to the group and port, out of the interface the
request came in on, with multicast loopback off; nothing is ever sent unicast.
When the sockets are ready it prints one line "camsim ready port=P cameras=N"
to stdout. SIGINT or SIGTERM ends it cleanly.

Use it inside a network namespace of its own for tests: it sends real
multicast onto every interface it finds.

Usage: camsim [options]
  --count N           cameras to simulate, 0 to 1000000 (default 3)
  --seed S            seed for the cameras' ids, addresses and versions
                      (default 1; the same seed gives the same cameras)
  --group A           multicast group (default 239.255.255.250)
  --port P            UDP port (default 8002)
  --user U            user name commands must carry (default admin)
  --password W        password commands must carry (default admin)
  --password-camera N=W
                      camera N takes password W instead of --password
                      (repeatable)
  --forbid            refuse every command with 403 Forbidden
  --forbid-camera N   refuse commands for camera N with 403 (repeatable)
  --silent-camera N   camera N answers searches but never a command
                      (repeatable)
  --forged-camera N   camera N answers every command with 200 under another
                      CSeq and applies nothing (repeatable)
  --rate R            send at most R datagrams per second, all answers
                      together (default 0: unpaced, as fast as possible)
  --delay MS          wait MS milliseconds before answering each request
  --repeat N          send each announcement N times (default 1)
  --repeat-camera N   only camera N's announcement repeats (N times with
                      --repeat, else twice); the others go once
  --name N=TEXT       camera N announces TEXT as its name; \r, \n, \t,
                      \xHH and \\ stand for those bytes (repeatable)
  --announce-mac N=M  camera N announces camera M's MAC as its own, with its
                      own device id: an impostor (repeatable)
  --announce-id N=M   camera N announces camera M's device id as its own, with
                      its own MAC; commands to that id still reach camera M
                      (repeatable)
  --interface NAME    play the cameras only on this interface (repeatable);
                      requests arriving elsewhere go unheard
  --log FILE          append one line per request and per command applied
  --quiet             do not echo those lines to stderr
  --help              this text

Cameras are numbered 1 to N, the number used by --forbid-camera,
--repeat-camera and the log; they are named Camera-0001, Camera-0002, ... Each has a distinct 32-character device id of letters and digits, a
distinct MAC 00:1A:3F:xx:xx:xx, a distinct address (192.168.x.y, or 10.x.y.z
for fleets above 64768), mask, gateway, DNS servers, HTTP port and versions.

SEARCH ("SEARCH * QNS/1.0"): every camera answers with one announcement:
  QNS/1.0 200 OK / CSeq:<request's> / Client-ID:<request's> /
  Content-Type:text/QNP / Content-Length:<body bytes> / empty line, then
  key=value lines: Device-ID Device-Model Software-Version Web-Version
  Device-Name Http-Port IP MASK MAC Gateway Dhcp Ddns Fdns Sdns DDNS-Enable
  DDNS-Host DDNS-Port DDNS-User DDNS-Passwd DDNS-Domain C_Vendor C_Product
  Device-Type. Every copy of a SEARCH is answered.

CMD ("CMD * QNS/1.0"), decided in this order:
  - Device-ID names none of the cameras: no answer.
  - --silent-camera names the camera: no answer.
  - --forged-camera names the camera: "MCTP/1.0 200 OK" under a CSeq the
    request did not carry; nothing applied.
  - user or password (from "Authorization:Basic USER:PASSWORD", split at the
    first colon) differ from --user and --password (or the camera's
    --password-camera): "QNS/1.0 401 Unauthorized".
  - --forbid, or --forbid-camera names the camera: "QNS/1.0 403 Forbidden".
  - the command line is not one of netconf, httpport, ddnsset, devidset,
    identifyset followed by "set": no answer.
  - otherwise the command is applied and answered "MCTP/1.0 200 OK".
  Each answer is one datagram: status line, CSeq:<request's>,
  Client-ID:<request's>, empty line. The next SEARCH announces new values.
  A command line is split at every single blank, empty values kept, and
  each flag takes the token after it. A flag that is missing or unknown, or
  whose value does not parse (-dhcp other than on/off, a non-numeric
  -dnsstat/-our_enable/-our_port, an empty or taken -devid), changes
  nothing; the rest still applies and the answer is still 200 (logged as
  MALFORMED). A repeat of a CMD (same Client-ID and CSeq, as a PC with
  several addresses sends) gets the same answer again but is not applied
  twice.

Requests must follow the wire format exactly (request line, CSeq 1 to
3999999999, Client-ID, Accept-Type:text/QNP, Content-Length, and for CMD
Authorization, Device-ID and a command line of exactly Content-Length
characters followed by CR LF CR LF); anything else is not answered and is
logged as REJECT with the reason.

Log lines (if= is the interface the request came in on):
  SEARCH cseq= if= client=
  CMD cseq= if= client= device= user= line=<command line, to the end>
  APPLIED <camera> <command> flag=value...   MALFORMED <camera> <problems>
  UNAUTHORIZED <camera> user=   FORBIDDEN <camera>   UNKNOWN-DEVICE <id>
  UNRECOGNISED <camera>   REPEAT cseq=   WARN ...   REJECT if= <reason>
)";
}

}  // namespace vf::camsim

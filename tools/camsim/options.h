// camsim's command line.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vf::camsim {

struct Options {
  int count = 3;
  std::uint64_t seed = 1;
  std::string group = "239.255.255.250";
  int port = 8002;
  std::string user = "admin";
  std::string password = "admin";
  bool forbid_all = false;
  std::set<int> forbidden_cameras;
  std::set<int> silent_cameras;
  std::map<int, std::string> camera_passwords;  // camera number -> the password it takes instead
  std::set<int> forged_cameras;
  double rate = 0;  // datagrams per second, 0 = unpaced
  int delay_ms = 0;
  int repeat = 1;
  int repeat_camera = 0;
  std::string log_path;
  std::map<int, std::string> names;  // camera number -> the name it announces
  // Impostors: camera number -> the camera whose MAC, or whose device id, it announces as its own.
  std::map<int, int> announced_macs;
  std::map<int, int> announced_ids;
  std::vector<std::string> interfaces;  // empty: every up, non-loopback interface
  bool quiet = false;
  bool help = false;
};

struct ParsedOptions {
  Options options;
  std::string error;  // empty when the command line was good
};

ParsedOptions parse_options(const std::vector<std::string> &arguments);

const char *help_text();

}  // namespace vf::camsim

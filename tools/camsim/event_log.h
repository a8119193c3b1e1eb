// One line per request received and per command applied: to the --log file
// (appended, flushed line by line so tests can read it while camsim runs)
// and to stderr unless --quiet.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace vf::camsim {

class EventLog {
 public:
  EventLog(const std::string &path, bool quiet);  // throws when the file cannot be opened
  ~EventLog();
  EventLog(const EventLog &) = delete;
  EventLog &operator=(const EventLog &) = delete;

  void write(std::string_view line);

 private:
  std::FILE *m_file = nullptr;
  bool m_quiet;
};

}  // namespace vf::camsim

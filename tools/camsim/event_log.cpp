#include "event_log.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace vf::camsim {

EventLog::EventLog(const std::string &path, bool quiet) : quiet_(quiet) {
  if (path.empty()) return;
  file_ = std::fopen(path.c_str(), "a");
  if (!file_) throw std::runtime_error("cannot open log " + path + ": " + std::strerror(errno));
}

EventLog::~EventLog() {
  if (file_) std::fclose(file_);
}

void EventLog::write(std::string_view line) {
  if (file_) {
    std::fprintf(file_, "%.*s\n", static_cast<int>(line.size()), line.data());
    std::fflush(file_);
  }
  if (!quiet_) std::fprintf(stderr, "camsim: %.*s\n", static_cast<int>(line.size()), line.data());
}

}  // namespace vf::camsim

#include "event_log.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace vf::camsim {

EventLog::EventLog(const std::string &path, bool quiet) : m_quiet(quiet) {
  if (path.empty()) return;
  m_file = std::fopen(path.c_str(), "a");
  if (!m_file) throw std::runtime_error("cannot open log " + path + ": " + std::strerror(errno));
}

EventLog::~EventLog() {
  if (m_file) std::fclose(m_file);
}

void EventLog::write(std::string_view line) {
  if (m_file) {
    std::fprintf(m_file, "%.*s\n", static_cast<int>(line.size()), line.data());
    std::fflush(m_file);
  }
  if (!m_quiet) std::fprintf(stderr, "camsim: %.*s\n", static_cast<int>(line.size()), line.data());
}

}  // namespace vf::camsim

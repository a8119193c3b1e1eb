// What the simulated cameras do with one received datagram: the decision,
// free of sockets, so that the reply rules can be tested directly.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fleet.h"
#include "recent_commands.h"
#include "request.h"

namespace vf::camsim {

struct CommandPolicy {
  std::string user = "admin";
  std::string password = "admin";
  bool forbid_all = false;          // every command answered 403
  std::set<int> forbidden_cameras;  // camera numbers whose commands get 403
  std::set<int> silent_cameras;     // camera numbers that answer searches but no command
  std::set<int> forged_cameras;     // camera numbers that answer 200 under another CSeq
  std::map<int, std::string> camera_passwords;  // camera numbers that take another password
};

enum class Answer {
  kNone,         // nothing is sent
  kAnnounceAll,  // every camera sends its announcement
  kReply,        // one command reply, in `reply`
};

struct Outcome {
  Answer answer = Answer::kNone;
  std::uint32_t cseq = 0;
  std::string client_id;
  std::string reply;
  std::vector<std::string> log_lines;  // one per request, and per command applied
};

class CameraService {
 public:
  CameraService(Fleet &fleet, CommandPolicy policy) : m_fleet(fleet), m_policy(std::move(policy)) {}

  // Reply rules for CMD, in this order: a Device-ID that names none of the
  // cameras, or a silent camera, gets no answer; wrong user or password gets 401; a forbidden
  // camera gets 403; a line that is none of the five commands gets no answer;
  // otherwise the command is applied and answered 200.
  // `arrival` names where the datagram came in (an interface) for the log.
  Outcome handle(std::string_view datagram, std::string_view arrival = "-");

 private:
  Outcome handle_command(Outcome outcome, const Request &request);

  Fleet &m_fleet;
  CommandPolicy m_policy;
  RecentCommands m_recent;
};

}  // namespace vf::camsim

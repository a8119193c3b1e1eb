#include "camera_service.h"

#include "command.h"
#include "replies.h"

namespace vf::camsim {
namespace {

std::string join(const std::vector<std::string> &parts, std::string_view separator) {
  std::string joined;
  for (const std::string &part : parts) {
    if (!joined.empty()) joined.append(separator);
    joined.append(part);
  }
  return joined;
}

}  // namespace

Outcome CameraService::handle(std::string_view datagram, std::string_view arrival) {
  Outcome outcome;
  ParsedRequest parsed = parse_request(datagram);
  if (parsed.not_a_request) return outcome;
  if (!parsed.request) {
    std::string first_line(datagram.substr(0, datagram.find("\r\n")));
    outcome.log_lines.push_back("REJECT if=" + std::string(arrival) + " " + parsed.error + " (" +
                                first_line + ")");
    return outcome;
  }
  const Request &request = *parsed.request;
  outcome.cseq = request.cseq;
  outcome.client_id = request.client_id;
  if (request.kind == RequestKind::kSearch) {
    outcome.log_lines.push_back("SEARCH cseq=" + std::to_string(request.cseq) +
                                " if=" + std::string(arrival) + " client=" + request.client_id);
    outcome.answer = Answer::kAnnounceAll;
    return outcome;
  }
  outcome.log_lines.push_back("CMD cseq=" + std::to_string(request.cseq) +
                              " if=" + std::string(arrival) + " client=" + request.client_id +
                              " device=" + request.device_id + " user=" + request.user +
                              " line=" + request.command_line);
  if (const RecentCommands::Entry *earlier = m_recent.find(request.client_id, request.cseq)) {
    if (earlier->request != datagram)
      outcome.log_lines.push_back("WARN cseq=" + std::to_string(request.cseq) +
                                  " reused for a different request; treated as a repeat");
    outcome.log_lines.push_back("REPEAT cseq=" + std::to_string(request.cseq) +
                                " not applied again");
    if (!earlier->reply.empty()) {
      outcome.answer = Answer::kReply;
      outcome.reply = earlier->reply;
    }
    return outcome;
  }
  outcome = handle_command(std::move(outcome), request);
  m_recent.remember(request.client_id, request.cseq,
                    {std::string(datagram), outcome.answer == Answer::kReply ? outcome.reply : ""});
  return outcome;
}

Outcome CameraService::handle_command(Outcome outcome, const Request &request) {
  std::optional<std::size_t> index = m_fleet.find(request.device_id);
  if (!index) {
    outcome.log_lines.push_back("UNKNOWN-DEVICE " + request.device_id + " not answered");
    return outcome;
  }
  const int number = m_fleet.at(*index).number;
  const std::string camera = std::to_string(number);
  if (m_policy.silent_cameras.count(number) != 0) {
    outcome.log_lines.push_back("SILENT " + camera + " not answered");
    return outcome;
  }
  auto reply = [&outcome, &request](CommandStatus status) {
    outcome.answer = Answer::kReply;
    outcome.reply = compose_command_reply(status, request.cseq, request.client_id);
  };
  if (m_policy.forged_cameras.count(number) != 0) {
    // Claims success for a request it never saw: another CSeq, nothing applied.
    outcome.log_lines.push_back("FORGED " + camera + " answered under another CSeq");
    outcome.answer = Answer::kReply;
    outcome.reply = compose_command_reply(CommandStatus::kAccepted, request.cseq ^ 0x80000000u,
                                          request.client_id);
    return outcome;
  }

  const auto own = m_policy.camera_passwords.find(number);
  const std::string &password = own != m_policy.camera_passwords.end() ? own->second
                                                                       : m_policy.password;
  if (request.user != m_policy.user || request.password != password) {
    outcome.log_lines.push_back("UNAUTHORIZED " + camera + " user=" + request.user);
    reply(CommandStatus::kUnauthorized);
    return outcome;
  }
  if (m_policy.forbid_all || m_policy.forbidden_cameras.count(number) != 0) {
    outcome.log_lines.push_back("FORBIDDEN " + camera);
    reply(CommandStatus::kForbidden);
    return outcome;
  }
  ApplyResult result = apply_command(m_fleet, *index, request.command_line);
  if (!result.recognised) {
    outcome.log_lines.push_back("UNRECOGNISED " + camera +
                                " not answered: " + request.command_line);
    return outcome;
  }
  outcome.log_lines.push_back("APPLIED " + camera + " " + result.verb + " " +
                              join(result.applied, " "));
  if (!result.problems.empty())
    outcome.log_lines.push_back("MALFORMED " + camera + " " + join(result.problems, "; "));
  reply(CommandStatus::kAccepted);
  return outcome;
}

}  // namespace vf::camsim

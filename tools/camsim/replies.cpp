#include "replies.h"

namespace vf::camsim {

std::string compose_command_reply(CommandStatus status, std::uint32_t cseq,
                                  std::string_view client_id) {
  std::string reply;
  switch (status) {
    case CommandStatus::kAccepted:
      reply = "MCTP/1.0 200 OK\r\n";
      break;
    case CommandStatus::kUnauthorized:
      reply = "QNS/1.0 401 Unauthorized\r\n";
      break;
    case CommandStatus::kForbidden:
      reply = "QNS/1.0 403 Forbidden\r\n";
      break;
  }
  reply.append("CSeq:").append(std::to_string(cseq)).append("\r\n");
  reply.append("Client-ID:").append(client_id).append("\r\n\r\n");
  return reply;
}

}  // namespace vf::camsim

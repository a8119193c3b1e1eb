// The three answers a camera gives to a CMD request.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vf::camsim {

enum class CommandStatus { kAccepted, kUnauthorized, kForbidden };

// "MCTP/1.0 200 OK", "QNS/1.0 401 Unauthorized" or "QNS/1.0 403 Forbidden",
// then CSeq and Client-ID echoed from the request and an empty line.
std::string compose_command_reply(CommandStatus status, std::uint32_t cseq,
                                  std::string_view client_id);

}  // namespace vf::camsim

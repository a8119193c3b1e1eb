// Reading SEARCH and CMD requests off the wire.
//
// The request format is fixed byte for byte, so the reader is strict: a
// request that deviates from it (a blank after a colon, a wrong
// Content-Length, a missing header) is rejected with a reason instead of
// being guessed at. That is what lets camsim catch a sender's mistakes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vf::camsim {

enum class RequestKind { kSearch, kCommand };

struct Request {
  RequestKind kind = RequestKind::kSearch;
  std::uint32_t cseq = 0;
  std::string client_id;
  // CMD only.
  std::string user;
  std::string password;
  std::string device_id;
  std::string command_line;
};

struct ParsedRequest {
  std::optional<Request> request;
  // Set when the datagram is not a request at all (another camera's
  // announcement or reply on the same group): not worth a log line.
  bool not_a_request = false;
  std::string error;  // why a request was rejected
};

ParsedRequest parse_request(std::string_view datagram);

}  // namespace vf::camsim

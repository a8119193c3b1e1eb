#include "request.h"

#include <charconv>
#include <map>

namespace vf::camsim {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::uint32_t kLargestCseq = 3'999'999'999u;

// Whole text must be decimal digits: no sign, no blanks.
template <typename Number>
std::optional<Number> parse_decimal(std::string_view text) {
  Number value{};
  if (text.empty()) return std::nullopt;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

ParsedRequest rejected(std::string reason) {
  ParsedRequest parsed;
  parsed.error = std::move(reason);
  return parsed;
}

}  // namespace

ParsedRequest parse_request(std::string_view datagram) {
  std::size_t line_end = datagram.find(kCrLf);
  std::string_view request_line = datagram.substr(0, line_end);
  Request request;
  if (request_line == "SEARCH * QNS/1.0") {
    request.kind = RequestKind::kSearch;
  } else if (request_line == "CMD * QNS/1.0") {
    request.kind = RequestKind::kCommand;
  } else {
    ParsedRequest parsed;
    parsed.not_a_request = true;
    return parsed;
  }

  // Header lines up to the empty line; the first of a repeated name counts.
  std::map<std::string, std::string, std::less<>> headers;
  std::size_t pos = line_end + kCrLf.size();
  for (;;) {
    std::size_t end = datagram.find(kCrLf, pos);
    if (end == std::string_view::npos) return rejected("headers not ended by an empty line");
    std::string_view line = datagram.substr(pos, end - pos);
    pos = end + kCrLf.size();
    if (line.empty()) break;
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return rejected("header line without colon");
    headers.emplace(std::string(line.substr(0, colon)), std::string(line.substr(colon + 1)));
  }
  auto header = [&headers](std::string_view name) -> const std::string * {
    auto it = headers.find(name);
    return it == headers.end() ? nullptr : &it->second;
  };

  const std::string *cseq_text = header("CSeq");
  if (!cseq_text) return rejected("no CSeq");
  auto cseq = parse_decimal<std::uint32_t>(*cseq_text);
  if (!cseq || *cseq == 0 || *cseq > kLargestCseq) return rejected("bad CSeq '" + *cseq_text + "'");
  request.cseq = *cseq;

  const std::string *client_id = header("Client-ID");
  if (!client_id || client_id->empty()) return rejected("no Client-ID");
  request.client_id = *client_id;

  const std::string *accept_type = header("Accept-Type");
  if (!accept_type || *accept_type != "text/QNP") return rejected("Accept-Type is not text/QNP");

  const std::string *length_text = header("Content-Length");
  if (!length_text) return rejected("no Content-Length");
  auto length = parse_decimal<std::size_t>(*length_text);
  if (!length) return rejected("bad Content-Length '" + *length_text + "'");
  std::string_view rest = datagram.substr(pos);

  if (request.kind == RequestKind::kSearch) {
    if (*length != 0) return rejected("SEARCH with Content-Length " + *length_text);
    if (!rest.empty()) return rejected("bytes after the end of a SEARCH");
    ParsedRequest parsed;
    parsed.request = std::move(request);
    return parsed;
  }

  const std::string *authorization = header("Authorization");
  constexpr std::string_view kBasic = "Basic ";
  if (!authorization || std::string_view(*authorization).substr(0, kBasic.size()) != kBasic)
    return rejected("no Authorization:Basic");
  std::string_view credentials = std::string_view(*authorization).substr(kBasic.size());
  std::size_t colon = credentials.find(':');
  if (colon == std::string_view::npos) return rejected("Authorization without colon");
  request.user = credentials.substr(0, colon);
  request.password = credentials.substr(colon + 1);

  const std::string *device_id = header("Device-ID");
  if (!device_id) return rejected("no Device-ID");
  request.device_id = *device_id;

  // Content-Length counts the command line alone; CR LF CR LF follows it.
  if (rest.size() < *length) return rejected("Content-Length beyond the datagram");
  std::string_view command_line = rest.substr(0, *length);
  if (command_line.find_first_of("\r\n") != std::string_view::npos)
    return rejected("Content-Length does not match the command line");
  if (rest.substr(*length) != "\r\n\r\n")
    return rejected("command line not followed by exactly CR LF CR LF");
  request.command_line = command_line;

  ParsedRequest parsed;
  parsed.request = std::move(request);
  return parsed;
}

}  // namespace vf::camsim

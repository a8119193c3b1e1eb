#include "platform/receive_stats.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace vf::platform {
namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
    if (pos > start) words.push_back(line.substr(start, pos - start));
  }
  return words;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::optional<std::uint64_t> Number(std::string_view text, int base = 10) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::vector<UdpSocketLine> ParseWildcardUdpSockets(std::string_view table, int port) {
  // "sl local_address rem_address st tx_queue:rx_queue tr:tm->when retrnsmt uid timeout inode
  //  ref pointer drops", the local address as hexadecimal "00000000:1F42".
  char wanted[16];
  std::snprintf(wanted, sizeof wanted, "00000000:%04X", static_cast<unsigned>(port) & 0xFFFFu);
  std::vector<UdpSocketLine> sockets;
  for (std::string_view line : Lines(table)) {
    const std::vector<std::string_view> words = Words(line);
    if (words.size() < 13 || words[1] != wanted) continue;
    const auto inode = Number(words[9]);
    const auto drops = Number(words[12]);
    if (inode && drops) sockets.push_back({*inode, *drops});
  }
  return sockets;
}

std::optional<std::uint64_t> ParseReversePathFilterDrops(std::string_view netstat) {
  // Pairs of lines: "TcpExt: <names>" then "TcpExt: <values>".
  const std::vector<std::string_view> lines = Lines(netstat);
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::vector<std::string_view> names = Words(lines[i]);
    const std::vector<std::string_view> values = Words(lines[i + 1]);
    if (names.empty() || names[0] != "TcpExt:" || values.empty() || values[0] != "TcpExt:") {
      continue;
    }
    for (std::size_t k = 1; k < names.size() && k < values.size(); ++k) {
      if (names[k] == "IPReversePathFilter") return Number(values[k]);
    }
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace vf::platform

// The text protocol: requests byte for byte, the value-reading rule, reply
// kinds, and announcements parsed into DeviceRecord, checked against the literal
// reading of every key.
#include "announcement_oracle.h"
#include "sample_announcement.h"
#include "wire_format.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace devsearch::wire {
namespace {

using namespace std::string_literals;

constexpr const char *kClientId = "QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy";
constexpr const char *kDeviceId = "7F3A9C2E5B1D4F6A8C0E2B4D6F8A1C3E";

const std::string &kAnnouncement = vf::testing::kSampleAnnouncement;

using vf::testing::AnnouncementField;
using vf::testing::FieldIn;
using vf::testing::FieldType;
using vf::testing::kAnnouncementFields;

// Non-printing bytes as escapes, for failure messages.
std::string Escaped(std::string_view text) {
  std::string out;
  for (unsigned char c : text) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c < 0x20 || c >= 0x7f) out += "\\x" + std::to_string(c);
    else out += static_cast<char>(c);
  }
  return out;
}

// `text` with the value of `key`'s first occurrence replaced; "drop" removes the line.
std::string WithValue(std::string text, std::string_view key, std::optional<std::string> value) {
  size_t at = text.find(key);
  size_t end = text.find("\r\n", at);
  if (value) return text.replace(at + key.size(), end - at - key.size(), *value);
  return text.erase(at, end + 2 - at);
}

template <size_t N>
void Set(char (&field)[N], std::string_view text) {
  ASSERT_LT(text.size(), N);
  std::memcpy(field, text.data(), text.size());
  field[text.size()] = '\0';
}

NetworkSettings SampleNetwork() {
  NetworkSettings n{};
  Set(n.ipAddress, "192.168.1.64");
  Set(n.netmask, "255.255.255.0");
  Set(n.macAddress, "00:1A:2B:3C:4D:5E");
  Set(n.gateway, "192.168.1.1");
  n.dhcp = 0;
  n.dnsStat = 1;
  Set(n.primaryDns, "192.168.1.1");
  Set(n.secondaryDns, "8.8.8.8");
  return n;
}

std::pair<int, std::string> CommandLine(int kind, const void *params) {
  char buffer[kRequestCapacity];
  TextWriter out(buffer, sizeof buffer);
  int rc = ComposeCommandLine(kind, params, out);
  return {rc, std::string(out.text())};
}

std::string Command(uint32_t cseq, std::string_view user, std::string_view password,
                    std::string_view line) {
  char buffer[kRequestCapacity];
  size_t n = ComposeCommand(buffer, sizeof buffer, cseq, kClientId, user, password, kDeviceId, line);
  return {buffer, n};
}

// ---- Requests ---------------------------------------------------------------

TEST(Requests, SearchIsExactAndCseqIsUnsignedDecimal) {
  char buffer[kRequestCapacity];
  size_t n = ComposeSearch(buffer, sizeof buffer, 1, kClientId);
  const std::string expected =
      "SEARCH * QNS/1.0\r\nCSeq:1\r\nClient-ID:QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy\r\n"
      "Accept-Type:text/QNP\r\nContent-Length:0\r\n\r\n";
  EXPECT_EQ(std::string(buffer, n), expected);
  EXPECT_EQ(buffer[n], '\0');

  n = ComposeSearch(buffer, sizeof buffer, 3999999999u, kClientId);
  EXPECT_NE(std::string_view(buffer, n).find("\r\nCSeq:3999999999\r\n"), std::string_view::npos);
}

TEST(Requests, NetconfCommandIsExact) {
  NetworkSettings n = SampleNetwork();
  auto [rc, line] = CommandLine(CMD_NETCONF, &n);
  ASSERT_EQ(rc, DEVSEARCH_OK);
  EXPECT_EQ(Command(7, "admin", "pa55:word", line),
            "CMD * QNS/1.0\r\n"
            "CSeq:7\r\n"
            "Client-ID:QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy\r\n"
            "Accept-Type:text/QNP\r\n"
            "Authorization:Basic admin:pa55:word\r\n"
            "Device-ID:7F3A9C2E5B1D4F6A8C0E2B4D6F8A1C3E\r\n"
            "Content-Length:159\r\n"
            "\r\n"
            "netconf set -ipaddr 192.168.1.64 -netmask 255.255.255.0 -gateway 192.168.1.1 "
            "-dhcp off -fdnsip 192.168.1.1 -sdnsip 8.8.8.8 -dnsstat 1 -hwaddr 00:1A:2B:3C:4D:5E"
            "\r\n\r\n");
}

TEST(Requests, HttpportCommandWithEmptyAccountIsExact) {
  auto [rc, line] = CommandLine(CMD_HTTPPORT, "80");
  ASSERT_EQ(rc, DEVSEARCH_OK);
  EXPECT_EQ(Command(3999999999u, "", "", line),
            "CMD * QNS/1.0\r\n"
            "CSeq:3999999999\r\n"
            "Client-ID:QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy\r\n"
            "Accept-Type:text/QNP\r\n"
            "Authorization:Basic :\r\n"
            "Device-ID:7F3A9C2E5B1D4F6A8C0E2B4D6F8A1C3E\r\n"
            "Content-Length:25\r\n"
            "\r\n"
            "httpport set -httpport 80\r\n\r\n");
}

TEST(CommandLine, EachKindsExactText) {
  NetworkSettings net = SampleNetwork();
  net.dhcp = 1;
  net.dnsStat = -4;
  DdnsSettings ddns{};
  ddns.enable = 1;
  Set(ddns.server, "members.dyndns.org");
  ddns.port = 30080;
  Set(ddns.user, "dock cam");  // Inserted as is, blank included.
  Set(ddns.password, "s3cret");
  Set(ddns.domain, "dock.example.net");
  VendorIdentity id{};
  Set(id.vendor, "Northgate");
  Set(id.product, "NG-2130");
  Set(id.deviceType, "IPCAM");

  const std::pair<int, const void *> params[] = {
      {CMD_NETCONF, &net}, {CMD_HTTPPORT, "8080"}, {CMD_DDNSSET, &ddns},
      {CMD_DEVIDSET, kDeviceId}, {CMD_IDENTIFYSET, &id}};
  const char *expected[] = {
      "netconf set -ipaddr 192.168.1.64 -netmask 255.255.255.0 -gateway 192.168.1.1 -dhcp on "
      "-fdnsip 192.168.1.1 -sdnsip 8.8.8.8 -dnsstat -4 -hwaddr 00:1A:2B:3C:4D:5E",
      "httpport set -httpport 8080",
      "ddnsset set -our_enable 1 -our_server members.dyndns.org -our_port 30080 "
      "-our_uname dock cam -our_passwd s3cret -our_domain dock.example.net",
      "devidset set -devid 7F3A9C2E5B1D4F6A8C0E2B4D6F8A1C3E",
      "identifyset set -cvendor Northgate -cproduct NG-2130 -product IPCAM",
  };
  for (size_t i = 0; i < std::size(params); ++i) {
    auto [rc, line] = CommandLine(params[i].first, params[i].second);
    EXPECT_EQ(rc, DEVSEARCH_OK) << "kind " << params[i].first;
    EXPECT_EQ(line, expected[i]) << "kind " << params[i].first;
  }
}

TEST(CommandLine, DhcpIsOnOnlyForExactlyOne) {
  const std::pair<int32_t, const char *> table[] = {
      {1, " -dhcp on "},   // DHCP in use
      {2, " -dhcp off "},  // any other value is off
      {0, " -dhcp off "},
      {-1, " -dhcp off "},
      {257, " -dhcp off "},  // not read as a byte
  };
  for (auto [dhcp, expected] : table) {
    NetworkSettings n = SampleNetwork();
    n.dhcp = dhcp;
    EXPECT_NE(CommandLine(CMD_NETCONF, &n).second.find(expected), std::string::npos) << dhcp;
  }
}

TEST(CommandLine, EmptyValuesLeaveTwoBlanks) {
  NetworkSettings n = SampleNetwork();
  n.gateway[0] = '\0';
  n.macAddress[0] = '\0';
  auto net = CommandLine(CMD_NETCONF, &n);
  EXPECT_EQ(net.first, DEVSEARCH_OK);
  EXPECT_NE(net.second.find(" -gateway  -dhcp "), std::string::npos) << net.second;
  EXPECT_TRUE(net.second.ends_with(" -hwaddr ")) << net.second;

  VendorIdentity id{};
  EXPECT_EQ(CommandLine(CMD_IDENTIFYSET, &id).second, "identifyset set -cvendor  -cproduct  -product ");
  EXPECT_EQ(CommandLine(CMD_HTTPPORT, "").second, "httpport set -httpport ");
}

TEST(CommandLine, UnterminatedFieldsAreReadOnlyToTheirSize) {
  NetworkSettings n = SampleNetwork();
  std::memset(n.ipAddress, '9', sizeof n.ipAddress);  // runs straight into netmask
  auto net = CommandLine(CMD_NETCONF, &n);
  EXPECT_EQ(net.first, DEVSEARCH_OK);
  EXPECT_NE(net.second.find("-ipaddr 9999999999999999 -netmask 255.255.255.0 "), std::string::npos)
      << net.second;

  VendorIdentity id;  // last field at the end of the object: an overread leaves it
  std::memset(id.vendor, 'V', sizeof id.vendor);
  std::memset(id.product, 'P', sizeof id.product);
  std::memset(id.deviceType, 'T', sizeof id.deviceType);
  EXPECT_EQ(CommandLine(CMD_IDENTIFYSET, &id).second,
            "identifyset set -cvendor " + std::string(32, 'V') + " -cproduct " +
                std::string(32, 'P') + " -product " + std::string(32, 'T'));

  const char unterminated[4] = {'a', 'b', 'c', 'd'};
  const char early[4] = {'a', '\0', 'c', 'd'};
  const char empty[4] = {};
  EXPECT_EQ(FieldView(unterminated), "abcd");
  EXPECT_EQ(FieldView(early), "a");
  EXPECT_EQ(FieldView(empty), "");
}

TEST(CommandLine, LineBreakInAnyTextValueIsRefused) {
  struct All {
    NetworkSettings net = SampleNetwork();
    DdnsSettings ddns{};
    VendorIdentity id{};
    char text[32] = "80";
  };
  struct Case {
    const char *what;
    int kind;
    void (*set)(All &, const std::string &);
  };
  const Case cases[] = {
      {"ipAddress", CMD_NETCONF, [](All &a, const std::string &v) { Set(a.net.ipAddress, v); }},
      {"netmask", CMD_NETCONF, [](All &a, const std::string &v) { Set(a.net.netmask, v); }},
      {"gateway", CMD_NETCONF, [](All &a, const std::string &v) { Set(a.net.gateway, v); }},
      {"primaryDns", CMD_NETCONF, [](All &a, const std::string &v) { Set(a.net.primaryDns, v); }},
      {"secondaryDns", CMD_NETCONF, [](All &a, const std::string &v) { Set(a.net.secondaryDns, v); }},
      {"macAddress", CMD_NETCONF, [](All &a, const std::string &v) { Set(a.net.macAddress, v); }},
      {"server", CMD_DDNSSET, [](All &a, const std::string &v) { Set(a.ddns.server, v); }},
      {"user", CMD_DDNSSET, [](All &a, const std::string &v) { Set(a.ddns.user, v); }},
      {"password", CMD_DDNSSET, [](All &a, const std::string &v) { Set(a.ddns.password, v); }},
      {"domain", CMD_DDNSSET, [](All &a, const std::string &v) { Set(a.ddns.domain, v); }},
      {"vendor", CMD_IDENTIFYSET, [](All &a, const std::string &v) { Set(a.id.vendor, v); }},
      {"product", CMD_IDENTIFYSET, [](All &a, const std::string &v) { Set(a.id.product, v); }},
      {"deviceType", CMD_IDENTIFYSET, [](All &a, const std::string &v) { Set(a.id.deviceType, v); }},
      {"httpport text", CMD_HTTPPORT, [](All &a, const std::string &v) { Set(a.text, v); }},
      {"devid text", CMD_DEVIDSET, [](All &a, const std::string &v) { Set(a.text, v); }},
  };
  auto paramsOf = [](All &a, int kind) -> const void * {
    switch (kind) {
      case CMD_NETCONF: return &a.net;
      case CMD_DDNSSET: return &a.ddns;
      case CMD_IDENTIFYSET: return &a.id;
      default: return a.text;
    }
  };
  for (const Case &c : cases) {
    All clean;
    c.set(clean, "ab cd");
    EXPECT_EQ(CommandLine(c.kind, paramsOf(clean, c.kind)).first, DEVSEARCH_OK) << c.what;
    for (const char *value : {"ab\rcd", "ab\ncd", "abcd\r\n", "\n"}) {
      All a;
      c.set(a, value);
      EXPECT_EQ(CommandLine(c.kind, paramsOf(a, c.kind)).first, DEVSEARCH_ERR_INVALID_ARG)
          << c.what << " = " << Escaped(value);
    }
  }
}

TEST(CommandLine, UnknownKindAndNullParamsAreRefused) {
  NetworkSettings n = SampleNetwork();
  for (int kind : {0, 6, -1, 1000}) EXPECT_EQ(CommandLine(kind, &n).first, DEVSEARCH_ERR_INVALID_ARG) << kind;
  for (int kind = CMD_NETCONF; kind <= CMD_IDENTIFYSET; ++kind) {
    EXPECT_EQ(CommandLine(kind, nullptr).first, DEVSEARCH_ERR_INVALID_ARG) << kind;
  }
}

// The caller checks the device id, user and password with HasLineBreak.
TEST(CommandLine, HasLineBreak) {
  const std::pair<const char *, bool> table[] = {
      {"", false}, {"admin", false}, {"pa ss\tword", false},  // blanks and tabs are harmless
      {"\r", true}, {"\n", true}, {"adm\rin", true}, {"admin\n", true}, {"\r\nX-Extra:1", true},
  };
  for (auto [text, expected] : table) EXPECT_EQ(HasLineBreak(text), expected) << Escaped(text);
}

TEST(Requests, TooLongIsRefusedAtExactly1023Characters) {
  // Command line: "httpport set -httpport " is 23 characters.
  std::string port(1000, '8');
  auto fits = CommandLine(CMD_HTTPPORT, port.c_str());
  EXPECT_EQ(fits.first, DEVSEARCH_OK);
  EXPECT_EQ(fits.second.size(), 1023u);
  port += '8';
  EXPECT_EQ(CommandLine(CMD_HTTPPORT, port.c_str()).first, DEVSEARCH_ERR_INVALID_ARG);
  EXPECT_EQ(CommandLine(CMD_DEVIDSET, std::string(5000, 'D').c_str()).first, DEVSEARCH_ERR_INVALID_ARG);

  // Whole request: grow the user name until the request is 1023, then one more.
  const std::string line = "httpport set -httpport 80";
  size_t base = Command(1, "", "", line).size();
  ASSERT_GT(base, 0u);
  std::string user(1023 - base, 'u');
  EXPECT_EQ(Command(1, user, "", line).size(), 1023u);
  EXPECT_EQ(Command(1, user + "u", "", line).size(), 0u);
  EXPECT_EQ(Command(1, "", user + "p", line).size(), 0u);
  EXPECT_EQ(Command(1, "", "", std::string(1023, 'x')).size(), 0u);

  // Nothing is written past the capacity given, and what is there stays terminated.
  char buffer[128];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(ComposeSearch(buffer, 60, 1, kClientId), 0u);
  EXPECT_EQ(std::string_view(buffer + 60, 68), std::string(68, '#'));
  EXPECT_NE(std::memchr(buffer, '\0', 60), nullptr);
  size_t search = ComposeSearch(buffer, sizeof buffer, 1, "Q");
  ASSERT_GT(search, 0u);
  EXPECT_EQ(ComposeSearch(buffer, search + 1, 1, "Q"), search);  // room for the NUL is enough
  EXPECT_EQ(ComposeSearch(buffer, search, 1, "Q"), 0u);
}

TEST(Requests, TextWriterRefusesEverythingAfterTheFirstOverflow) {
  char buffer[8];
  TextWriter out(buffer, sizeof buffer);
  out.Put("abc").Put("defghij").Put("x");  // a short Put after a failed one must not append
  EXPECT_TRUE(out.overflowed());
  EXPECT_EQ(out.text(), "abc");
  EXPECT_STREQ(buffer, "abc");

  char digits[40];
  TextWriter numbers(digits, sizeof digits);
  numbers.PutInt(INT64_MIN).Put(" ").PutInt(0).Put(" ").PutInt(4294967295);
  EXPECT_EQ(numbers.text(), "-9223372036854775808 0 4294967295");

  TextWriter none(digits, 0);
  EXPECT_TRUE(none.Put("").overflowed());
}

TEST(Requests, NextCseqWrapsToOneAndNeverGivesZero) {
  const std::pair<uint32_t, uint32_t> table[] = {
      {0, 1},                    // a new session's first request
      {1, 2},
      {3999999998u, 3999999999u},  // the last number used
      {3999999999u, 1},          // wraps
      {4000000000u, 1},          // beyond the limit: still 1
      {UINT32_MAX, 1},           // unsigned overflow would give 0
  };
  for (auto [current, next] : table) EXPECT_EQ(NextCseq(current), next) << current;
}

// ---- Reading values ---------------------------------------------------------

TEST(FindValue, Boundaries) {
  const std::optional<std::string_view> kAbsent;
  struct Row {
    std::string_view text, key;
    std::optional<std::string_view> value;
  } table[] = {
      {"CSeq:12\r\n", "CSeq:", "12"},                        // plain
      {"CSeq: 12 \r\n", "CSeq:", " 12 "},                    // blanks kept
      {"CSeq:\r\n", "CSeq:", ""},                            // present, empty
      {"CSeq:12", "CSeq:", kAbsent},                         // no CR LF
      {"CSeq:12\n", "CSeq:", kAbsent},                       // LF alone does not end it
      {"CSeq:12\r", "CSeq:", kAbsent},                       // nor CR alone
      {"CSeq:1\r2\n3\r\n", "CSeq:", "1\r2\n3"},              // lone CR and LF are value bytes
      {"CSeq:", "CSeq:", kAbsent},                           // key at the very end
      {"cseq:12\r\n", "CSeq:", kAbsent},                     // case-sensitive
      {"XCSeq:12\r\n", "CSeq:", "12"},                       // not tied to a line start
      {"A=CSeq:5\r\nCSeq:6\r\n", "CSeq:", "5"},              // first occurrence, inside a value
      {"CSeq:1\r\nCSeq:2\r\n", "CSeq:", "1"},                // duplicate: first wins
      {"N=a\r\nb\r\n", "N=", "a"},                           // ends at the first CR LF
      {"N=\"Front door\"\r\n", "N=", "Front door"},          // quotes removed
      {"N=\"Front door\r\n", "N=", "Front doo"},             // last character goes, whatever it is
      {"N=\"x\"  \r\n", "N=", "x\" "},                       // blanks after the quote are the last
      {"N=\"\"\r\n", "N=", ""},                              // empty quotes
      {"N=\"\r\n", "N=", ""},                                // lone quote
      {"N=a\"b\"\r\n", "N=", "a\"b\""},                      // quote not first: kept
      {"N= \"x\"\r\n", "N=", " \"x\""},                      // blank before the quote: kept
      {"", "N=", kAbsent},                                   // empty text
      {"N=1\r\n", "", kAbsent},                              // empty key
  };
  for (const Row &row : table) {
    EXPECT_EQ(FindValue(row.text, row.key), row.value) << Escaped(row.text);
  }
}

TEST(ValueToInt, Boundaries) {
  const std::pair<std::string, int32_t> table[] = {
      {"1", 1},
      {" 1", 1},                                   // leading blank skipped
      {"\t\v\f-7", -7},                            // any white space
      {"+5", 5},
      {"12ab", 12},                                // digits up to the first other character
      {"1 2", 1},
      {"on", 0},                                   // no digits
      {"", 0},
      {"- 5", 0},                                  // sign must touch the digits
      {"--1", 0},
      {"0x10", 0},                                 // decimal only
      {"2147483647", INT32_MAX},
      {"2147483648", INT32_MAX},                   // saturates
      {"-2147483648", INT32_MIN},
      {"-2147483649", INT32_MIN},
      {"99999999999999999999999999999", INT32_MAX},
      {std::string(30, '0') + "7", 7},             // 31st character still counts
      {std::string(31, '0') + "7", 0},             // 32nd does not
      {std::string(30, ' ') + "9", 9},
      {std::string(31, ' ') + "9", 0},             // blanks count towards the 31
  };
  for (const auto &[value, expected] : table) EXPECT_EQ(ValueToInt(value), expected) << Escaped(value);
}

TEST(ValueToCseq, Boundaries) {
  const std::pair<std::string, uint32_t> table[] = {
      {"1", 1},
      {" 42", 42},                             // blank after "CSeq:" does no harm
      {"3999999999", 3999999999u},             // highest number sent
      {"4294967295", 4294967295u},
      {"4294967296", 0},                       // beyond 32 bits
      {"99999999999999999999", 0},
      {"-1", 4294967295u},                     // signed echo of 4294967295
      {"-2147483648", 2147483648u},            // signed echo of 2147483648
      {"-2147483649", 0},                      // no 32-bit signed number
      {"-0", 0},
      {"0", 0},
      {"abc", 0},
      {"", 0},
      {"7x", 7},
      {std::string(30, '0') + "5", 5},
      {std::string(31, '0') + "5", 0},         // only the first 31 characters
  };
  for (const auto &[value, expected] : table) EXPECT_EQ(ValueToCseq(value), expected) << Escaped(value);
}

TEST(FillField, CutsToSizeMinusOneAndTouchesNothingElse) {
  char area[10];
  std::memset(area, '#', sizeof area);
  FillField("abcdefghij", area + 1, 5);
  EXPECT_EQ(std::string_view(area, 10), std::string_view("#abcd\0####", 10));
  FillField("wxyz", area + 1, 5);  // exact fit
  EXPECT_EQ(std::string_view(area, 10), std::string_view("#wxyz\0####", 10));
  FillField("", area + 1, 5);
  EXPECT_EQ(std::string_view(area, 10), std::string_view("#\0xyz\0####", 10));
  FillField("abc", area + 1, 0);  // no room at all: nothing written
  EXPECT_EQ(area[1], '\0');
}

TEST(ClientIdMatches, Table) {
  const std::pair<std::string, bool> table[] = {
      {"X\r\nClient-ID:QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy\r\n", true},
      {"Client-ID:\"QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy\"\r\n", true},   // quotes go as for any value
      {"Client-ID: QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy\r\n", false},     // blank is part of the value
      {"Client-ID:QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy \r\n", false},
      {"Client-ID:qwErTyUiOpAsDfGhJkLzXcVbNmQwErTy\r\n", false},      // case differs
      {"Client-ID:QwErTyUiOpAsDfGhJkLzXcVbNmQwErT\r\n", false},       // one short
      {"Client-ID:QwErTyUiOpAsDfGhJkLzXcVbNmQwErTyQ\r\n", false},     // one long
      {"Client-ID:QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy", false},          // no CR LF
      {"Client-Id:QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy\r\n", false},      // header name case
      {"Client-ID:Other\r\nClient-ID:QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy\r\n", false},  // first wins
      {"Device-ID=7F3A\r\n", false},                                  // no header at all
  };
  for (const auto &[datagram, expected] : table) {
    EXPECT_EQ(ClientIdMatches(datagram, kClientId), expected) << Escaped(datagram);
  }
  EXPECT_FALSE(ClientIdMatches("Client-ID:\r\n", ""));  // a session without id matches nothing
}

// ---- Reply kinds ------------------------------------------------------------

TEST(Classify, OrderAndPlacement) {
  const std::pair<std::string, ReplyKind> table[] = {
      {"MCTP/1.0 200 OK\r\nCSeq:4\r\n", ReplyKind::kAccepted},
      {"QNS/1.0 401 Unauthorized\r\n", ReplyKind::kUnauthorized},
      {"QNS/1.0 403 Forbidden\r\n", ReplyKind::kForbidden},
      {"QNS/1.0 401 Unauthorized\r\nX:MCTP/1.0 200 OK\r\n", ReplyKind::kAccepted},  // 200 beats 401
      {"QNS/1.0 403 Forbidden\r\nQNS/1.0 401 Unauthorized\r\n", ReplyKind::kUnauthorized},
      {"X:QNS/1.0 403 Forbidden\r\n", ReplyKind::kForbidden},                        // anywhere
      {"Device-Name=MCTP/1.0 200 OK\r\n", ReplyKind::kAccepted},                      // even in a value
      {"QNS/1.0 200 OK\r\n", ReplyKind::kAnnouncement},                               // not a status text
      {"MCTP/1.0 401 Unauthorized\r\n", ReplyKind::kAnnouncement},                    // wrong protocol
      {"MCTP/1.0 200 O", ReplyKind::kAnnouncement},                                   // cut short
      {"mctp/1.0 200 ok\r\n", ReplyKind::kAnnouncement},                              // case-sensitive
      {"QNS/1.0  403 Forbidden\r\n", ReplyKind::kAnnouncement},                       // two blanks
      {"", ReplyKind::kAnnouncement},
      {kAnnouncement, ReplyKind::kAnnouncement},
  };
  for (const auto &[datagram, kind] : table) EXPECT_EQ(Classify(datagram), kind) << Escaped(datagram);
  EXPECT_STREQ(StatusText(ReplyKind::kAccepted), "200");
  EXPECT_STREQ(StatusText(ReplyKind::kUnauthorized), "401");
  EXPECT_STREQ(StatusText(ReplyKind::kForbidden), "403");
  EXPECT_STREQ(StatusText(ReplyKind::kAnnouncement), "200");
}

// ---- Announcements ----------------------------------------------------------

// The parser and the literal reading on one datagram: same verdict, same
// bytes; the parser's record is returned.
std::pair<bool, DeviceRecord> Parse(std::string_view datagram) {
  DeviceRecord fast, literal;
  std::memset(&fast, 0xA5, sizeof fast);
  std::memset(&literal, 0x5A, sizeof literal);
  bool ok = ParseAnnouncement(datagram, &fast);
  EXPECT_EQ(ok, vf::testing::ParseAnnouncementLiterally(datagram, &literal)) << Escaped(datagram);
  EXPECT_EQ(std::memcmp(&fast, &literal, sizeof fast), 0) << Escaped(datagram);
  return {ok, fast};
}

TEST(ParseAnnouncement, CompleteAnnouncementFillsEveryField) {
  ASSERT_EQ(kAnnouncement.size(), 614u);
  auto [ok, r] = Parse(kAnnouncement);
  ASSERT_TRUE(ok);
  EXPECT_STREQ(r.deviceId, kDeviceId);
  EXPECT_STREQ(r.deviceModel, "VF-IPC2130-IR");
  EXPECT_STREQ(r.softwareVersion, "V2.4.17.230411");
  EXPECT_STREQ(r.webVersion, "V1.9.3.230302");
  EXPECT_STREQ(r.deviceName, "Dock East");
  EXPECT_STREQ(r.httpPort, "8080");
  EXPECT_STREQ(r.network.ipAddress, "192.168.1.64");
  EXPECT_STREQ(r.network.netmask, "255.255.255.0");
  EXPECT_STREQ(r.network.macAddress, "00:1A:2B:3C:4D:5E");
  EXPECT_STREQ(r.network.gateway, "192.168.1.1");
  EXPECT_EQ(r.network.dhcp, 1);
  EXPECT_EQ(r.network.dnsStat, 2);
  EXPECT_STREQ(r.network.primaryDns, "192.168.1.1");
  EXPECT_STREQ(r.network.secondaryDns, "8.8.4.4");
  EXPECT_EQ(r.ddns.enable, 1);
  EXPECT_STREQ(r.ddns.server, "members.dyndns.org");
  EXPECT_EQ(r.ddns.port, 30080);
  EXPECT_STREQ(r.ddns.user, "dockcam");
  EXPECT_STREQ(r.ddns.password, "s3cret-Pass");
  EXPECT_STREQ(r.ddns.domain, "dock-east.example.net");
  EXPECT_STREQ(r.identity.vendor, "Northgate");
  EXPECT_STREQ(r.identity.product, "NG-2130");
  EXPECT_STREQ(r.identity.deviceType, "IPCAM");
}

TEST(ParseAnnouncement, OnlyDeviceIdLeavesEverythingElseZero) {
  auto [ok, r] = Parse("QNS/1.0 200 OK\r\nClient-ID:QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy\r\n\r\n"
                       "Device-ID=7F3A9C2E5B1D4F6A8C0E2B4D6F8A1C3E\r\n");
  ASSERT_TRUE(ok);
  DeviceRecord expected;
  std::memset(&expected, 0, sizeof expected);
  std::strcpy(expected.deviceId, kDeviceId);
  EXPECT_EQ(std::memcmp(&r, &expected, sizeof r), 0);
}

TEST(ParseAnnouncement, WithoutUsableDeviceIdIsDropped) {
  const std::string rest = "\r\nIP=192.168.1.64\r\nMAC=00:1A:2B:3C:4D:5E\r\n";
  const std::pair<std::string, const char *> table[] = {
      {WithValue(kAnnouncement, "Device-ID=", std::nullopt), "no Device-ID line"},
      {"Device-ID:7F3A9C2E5B1D4F6A8C0E2B4D6F8A1C3E" + rest, "colon instead of equals sign"},
      {"device-id=7F3A9C2E5B1D4F6A8C0E2B4D6F8A1C3E" + rest, "case-sensitive"},
      {rest + "Device-ID=7F3A9C2E5B1D4F6A8C0E2B4D6F8A1C3E", "no CR LF after it"},
      {rest + "Device-ID=7F3A9C2E5B1D4F6A8C0E2B4D6F8A1C3E\n", "LF alone"},
      {"SEARCH * QNS/1.0\r\nCSeq:1\r\nClient-ID:QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy\r\n"
       "Accept-Type:text/QNP\r\nContent-Length:0\r\n\r\n", "our own request coming back"},
      {"", "empty datagram"},
  };
  for (const auto &[datagram, why] : table) EXPECT_FALSE(Parse(datagram).first) << why;
}

TEST(ParseAnnouncement, EmptyAndMissingValues) {
  auto [ok, complete] = Parse(kAnnouncement);
  ASSERT_TRUE(ok);
  for (size_t i = 1; i < std::size(kAnnouncementFields); ++i) {  // Device-ID is required, tested above
    const AnnouncementField &f = kAnnouncementFields[i];
    for (bool present : {true, false}) {
      DeviceRecord expected = complete;
      std::memset(FieldIn(expected, f), 0, f.size);
      if (present && f.type == FieldType::kAddress) std::strcpy(FieldIn(expected, f), "0.0.0.0");
      auto [parsed, r] = Parse(WithValue(kAnnouncement, f.key, present ? std::optional(""s) : std::nullopt));
      ASSERT_TRUE(parsed);
      EXPECT_EQ(std::memcmp(&r, &expected, sizeof r), 0) << f.key << (present ? " empty" : " missing");
    }
  }
}

TEST(ParseAnnouncement, OverlongValuesAreCutAndNeighboursKept) {
  auto [ok, complete] = Parse(kAnnouncement);
  ASSERT_TRUE(ok);
  for (const AnnouncementField &f : kAnnouncementFields) {
    if (f.type == FieldType::kInt) continue;
    std::string quoted(f.size + 7, 'x');
    quoted.front() = quoted.back() = '"';  // f.size + 5 characters once unquoted
    for (const std::string &value : {std::string(f.size, 'x'), std::string(f.size + 40, 'x'), quoted}) {
      DeviceRecord expected = complete;
      std::memset(FieldIn(expected, f), 'x', f.size - 1);
      FieldIn(expected, f)[f.size - 1] = '\0';
      auto [parsed, r] = Parse(WithValue(kAnnouncement, f.key, value));
      ASSERT_TRUE(parsed) << f.key;
      EXPECT_EQ(FieldIn(r, f)[f.size - 1], '\0') << f.key;
      if (f.offset + f.size < sizeof r) {
        EXPECT_EQ(FieldIn(r, f)[f.size], FieldIn(complete, f)[f.size]) << "byte after " << f.key;
      }
      EXPECT_EQ(std::memcmp(&r, &expected, sizeof r), 0) << f.key << " of " << value.size();
    }
  }
  // One character short of the field's size fits whole.
  auto [fits, r] = Parse(WithValue(kAnnouncement, "MAC=", "AA:BB:CC:DD:EE:FF"));
  ASSERT_TRUE(fits);
  EXPECT_STREQ(r.network.macAddress, "AA:BB:CC:DD:EE:FF");
}

TEST(ParseAnnouncement, IntegerValues) {
  auto read = [](const char *key, const std::string &value) {
    auto [ok, r] = Parse(WithValue(kAnnouncement, key, value));
    EXPECT_TRUE(ok);
    return r;
  };
  EXPECT_EQ(read("Dhcp=", "on").network.dhcp, 0);          // letters
  EXPECT_EQ(read("Dhcp=", " 1").network.dhcp, 1);          // blank, then 1
  EXPECT_EQ(read("Dhcp=", "\"1\"").network.dhcp, 1);       // quoted
  EXPECT_EQ(read("DDNS-Port=", "8080x").ddns.port, 8080);  // digits, then a letter
  EXPECT_EQ(read("Ddns=", "-3").network.dnsStat, -3);
  EXPECT_EQ(read("DDNS-Enable=", "99999999999").ddns.enable, INT32_MAX);
}

TEST(ParseAnnouncement, FirstOccurrenceWinsWhereverItIs) {
  const std::string id = "Device-ID=7F3A9C2E5B1D4F6A8C0E2B4D6F8A1C3E\r\n";
  auto [a, dup] = Parse(id + "Device-ID=FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\r\n"
                             "IP=10.0.0.1\r\nIP=10.0.0.2\r\nDhcp=0\r\nDhcp=1\r\n"
                             "Device-Name=first\r\nDevice-Name=second\r\n");
  ASSERT_TRUE(a);
  EXPECT_STREQ(dup.deviceId, kDeviceId);
  EXPECT_STREQ(dup.network.ipAddress, "10.0.0.1");
  EXPECT_EQ(dup.network.dhcp, 0);
  EXPECT_STREQ(dup.deviceName, "first");

  // A key text inside an earlier value is read from there.
  auto [b, inside] = Parse(id + "Device-Name=cam IP=10.9.9.9\r\nIP=192.168.0.5\r\n"
                                "DDNS-Host=xHttp-Port=81\r\nHttp-Port=80\r\n");
  ASSERT_TRUE(b);
  EXPECT_STREQ(inside.deviceName, "cam IP=10.9.9.9");
  EXPECT_STREQ(inside.network.ipAddress, "10.9.9.9");
  EXPECT_STREQ(inside.httpPort, "81");
  EXPECT_STREQ(inside.ddns.server, "xHttp-Port=81");

  // A key whose first occurrence has no CR LF after it is absent, not empty.
  auto [c, open] = Parse(id + "IP=192.168.0.5");
  ASSERT_TRUE(c);
  EXPECT_STREQ(open.network.ipAddress, "");
}

// A value that is a lone double quote loses it and is empty; the sanitizer
// build checks that no null pointer reaches memcpy on the way.
TEST(ParseAnnouncement, LoneQuoteIsAnEmptyValue) {
  auto [ok, r] = Parse("Device-ID=\"\r\nDevice-Name=\"\r\nIP=\"\r\nDhcp=\"\r\n");
  ASSERT_TRUE(ok);
  EXPECT_STREQ(r.deviceId, "");
  EXPECT_STREQ(r.deviceName, "");
  EXPECT_STREQ(r.network.ipAddress, "0.0.0.0");
  EXPECT_EQ(r.network.dhcp, 0);
}

// The parser against the literal reading over deterministic mutations of a real
// announcement: same verdict and the same record, byte for byte.
TEST(ParseAnnouncement, MatchesTheLiteralReadingOnMutations) {
  std::mt19937 rng(0x5EA4C4);
  auto below = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  const std::string_view inserts[] = {"=", "\"", "\r", "\n", "\r\n", "\"\r\n", "IP=", "Device-ID=",
                                      "MAC=", "Dhcp=", "Ddns=", "DDNS-", "Port=", "s=", "=\r\n"};
  auto lineStart = [](const std::string &s, size_t pos) {
    size_t at = s.rfind("\r\n", pos);
    return at == std::string::npos ? 0 : at + 2;
  };

  std::string text = kAnnouncement;
  size_t parsed = 0, dropped = 0;
  for (int round = 0; round < 4000; ++round) {
    if (below(4) != 0) text = kAnnouncement;  // mostly fresh, sometimes keep drifting
    for (size_t ops = 1 + below(4); ops > 0; --ops) {
      size_t pos = below(text.size() + 1);
      switch (below(9)) {
        case 0: text.insert(pos, 1, static_cast<char>(1 + below(255))); break;
        case 1: text.erase(pos, 1 + below(8)); break;
        case 2:
          if (pos < text.size()) text[pos] = "=\r\n\"x0 :"[below(8)];
          break;
        case 3: {  // duplicate a line somewhere else
          size_t from = lineStart(text, pos);
          size_t end = text.find("\r\n", from);
          std::string line = text.substr(from, end == std::string::npos ? end : end + 2 - from);
          text.insert(lineStart(text, below(text.size() + 1)), line);
          break;
        }
        case 4: {  // drop a CR
          size_t cr = text.find('\r', pos);
          if (cr != std::string::npos) text.erase(cr, 1);
          break;
        }
        case 5: {  // quote right after an equals sign
          size_t eq = text.find('=', pos);
          if (eq != std::string::npos) text.insert(eq + 1, 1, '"');
          break;
        }
        case 6: text.insert(pos, inserts[below(std::size(inserts))]); break;
        case 7: text.resize(pos); break;
        default: text.insert(pos, 1, '='); break;
      }
    }
    DeviceRecord fast, literal;
    bool okFast = ParseAnnouncement(text, &fast);
    bool okLiteral = vf::testing::ParseAnnouncementLiterally(text, &literal);
    ASSERT_EQ(okFast, okLiteral) << "round " << round << ": " << Escaped(text);
    ASSERT_EQ(std::memcmp(&fast, &literal, sizeof fast), 0) << "round " << round << ": " << Escaped(text);
    for (const AnnouncementField &f : kAnnouncementFields) {
      if (f.type != FieldType::kInt) {
        ASSERT_NE(std::memchr(FieldIn(fast, f), '\0', f.size), nullptr) << f.key << ": " << Escaped(text);
      }
    }
    (okFast ? parsed : dropped)++;
  }
  // Both outcomes must be well represented, or the comparison proves little.
  EXPECT_GT(parsed, 1000u);
  EXPECT_GT(dropped, 100u);
}

}  // namespace
}  // namespace devsearch::wire

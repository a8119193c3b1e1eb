#include "request.h"

#include <gtest/gtest.h>

namespace vf::camsim {
namespace {

const std::string kClient = "AbCdEfGhIjKlMnOpQrStUvWxYzAbCdEf";
const std::string kDevice = "0123456789abcdefghijABCDEFGHIJ01";

std::string search(const std::string &cseq = "1") {
  return "SEARCH * QNS/1.0\r\nCSeq:" + cseq + "\r\nClient-ID:" + kClient +
         "\r\nAccept-Type:text/QNP\r\nContent-Length:0\r\n\r\n";
}

std::string command(const std::string &line, const std::string &credentials = "admin:admin",
                    int length_adjust = 0, const std::string &tail = "\r\n\r\n") {
  return "CMD * QNS/1.0\r\nCSeq:7\r\nClient-ID:" + kClient +
         "\r\nAccept-Type:text/QNP\r\nAuthorization:Basic " + credentials +
         "\r\nDevice-ID:" + kDevice +
         "\r\nContent-Length:" + std::to_string(static_cast<int>(line.size()) + length_adjust) +
         "\r\n\r\n" + line + tail;
}

TEST(RequestTest, ReadsSearch) {
  ParsedRequest parsed = parse_request(search("3999999999"));
  ASSERT_TRUE(parsed.request) << parsed.error;
  EXPECT_EQ(parsed.request->kind, RequestKind::kSearch);
  EXPECT_EQ(parsed.request->cseq, 3999999999u);
  EXPECT_EQ(parsed.request->client_id, kClient);
}

TEST(RequestTest, ReadsCommandWithAllParts) {
  ParsedRequest parsed = parse_request(command("httpport set -httpport 80"));
  ASSERT_TRUE(parsed.request) << parsed.error;
  const Request &request = *parsed.request;
  EXPECT_EQ(request.kind, RequestKind::kCommand);
  EXPECT_EQ(request.cseq, 7u);
  EXPECT_EQ(request.user, "admin");
  EXPECT_EQ(request.password, "admin");
  EXPECT_EQ(request.device_id, kDevice);
  EXPECT_EQ(request.command_line, "httpport set -httpport 80");
}

TEST(RequestTest, CredentialsSplitAtFirstColon) {
  ParsedRequest parsed = parse_request(command("httpport set -httpport 80", "root:pa:ss"));
  ASSERT_TRUE(parsed.request) << parsed.error;
  EXPECT_EQ(parsed.request->user, "root");
  EXPECT_EQ(parsed.request->password, "pa:ss");

  parsed = parse_request(command("httpport set -httpport 80", ":"));
  ASSERT_TRUE(parsed.request) << parsed.error;
  EXPECT_EQ(parsed.request->user, "");
  EXPECT_EQ(parsed.request->password, "");
}

TEST(RequestTest, ContentLengthMustCountTheCommandLineAlone) {
  EXPECT_FALSE(parse_request(command("httpport set -httpport 80", "admin:admin", 2)).request);
  EXPECT_FALSE(parse_request(command("httpport set -httpport 80", "admin:admin", 4)).request);
  EXPECT_FALSE(parse_request(command("httpport set -httpport 80", "admin:admin", -1)).request);
}

TEST(RequestTest, CommandLineMustEndWithTwoLineBreaks) {
  EXPECT_FALSE(
      parse_request(command("httpport set -httpport 80", "admin:admin", 0, "\r\n")).request);
  EXPECT_FALSE(parse_request(command("httpport set -httpport 80", "admin:admin", 0, "")).request);
}

TEST(RequestTest, RejectsBadCseq) {
  for (const char *cseq : {"0", "", "abc", " 5", "-1", "4000000000", "12x"}) {
    ParsedRequest parsed = parse_request(search(cseq));
    EXPECT_FALSE(parsed.request) << "CSeq '" << cseq << "'";
    EXPECT_FALSE(parsed.not_a_request);
    EXPECT_FALSE(parsed.error.empty());
  }
}

TEST(RequestTest, ClientIdIsTakenVerbatimIncludingABlank) {
  std::string text = search();
  text.insert(text.find("Client-ID:") + 10, 1, ' ');
  ParsedRequest parsed = parse_request(text);
  ASSERT_TRUE(parsed.request);
  EXPECT_EQ(parsed.request->client_id, " " + kClient);
}

TEST(RequestTest, RejectsMissingHeaders) {
  auto without = [](std::string text, const std::string &header) {
    std::size_t at = text.find(header);
    text.erase(at, text.find("\r\n", at) + 2 - at);
    return text;
  };
  EXPECT_FALSE(parse_request(without(search(), "Client-ID:")).request);
  EXPECT_FALSE(parse_request(without(search(), "Accept-Type:")).request);
  EXPECT_FALSE(parse_request(without(search(), "CSeq:")).request);
  std::string line = "httpport set -httpport 80";
  EXPECT_FALSE(parse_request(without(command(line), "Authorization:")).request);
  EXPECT_FALSE(parse_request(without(command(line), "Device-ID:")).request);
  EXPECT_FALSE(parse_request(command(line, "admin")).request);  // no colon
}

TEST(RequestTest, SearchMustBeEmpty) {
  std::string text = search();
  text.replace(text.find("Content-Length:0"), 16, "Content-Length:3");
  EXPECT_FALSE(parse_request(text + "abc").request);
  EXPECT_FALSE(parse_request(search() + "x").request);
  EXPECT_FALSE(parse_request(search().substr(0, search().size() - 2)).request);
}

TEST(RequestTest, RepliesAndAnnouncementsAreNotRequests) {
  for (const char *text :
       {"QNS/1.0 200 OK\r\nCSeq:1\r\nClient-ID:x\r\n\r\nDevice-ID=abc\r\n",
        "MCTP/1.0 200 OK\r\nCSeq:1\r\nClient-ID:x\r\n\r\n", "", "SEARCH * QNS/1.1\r\n\r\n"}) {
    ParsedRequest parsed = parse_request(text);
    EXPECT_FALSE(parsed.request);
    EXPECT_TRUE(parsed.not_a_request) << text;
  }
}

}  // namespace
}  // namespace vf::camsim

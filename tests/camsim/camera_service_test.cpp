#include "camera_service.h"

#include <gtest/gtest.h>

namespace vf::camsim {
namespace {

const std::string kClient = "AbCdEfGhIjKlMnOpQrStUvWxYzAbCdEf";

std::string search(unsigned cseq) {
  return "SEARCH * QNS/1.0\r\nCSeq:" + std::to_string(cseq) + "\r\nClient-ID:" + kClient +
         "\r\nAccept-Type:text/QNP\r\nContent-Length:0\r\n\r\n";
}

std::string command(unsigned cseq, const std::string &device, const std::string &line,
                    const std::string &credentials = "admin:admin") {
  return "CMD * QNS/1.0\r\nCSeq:" + std::to_string(cseq) + "\r\nClient-ID:" + kClient +
         "\r\nAccept-Type:text/QNP\r\nAuthorization:Basic " + credentials +
         "\r\nDevice-ID:" + device + "\r\nContent-Length:" + std::to_string(line.size()) +
         "\r\n\r\n" + line + "\r\n\r\n";
}

std::string reply(const std::string &status, unsigned cseq) {
  return status + "\r\nCSeq:" + std::to_string(cseq) + "\r\nClient-ID:" + kClient + "\r\n\r\n";
}

class CameraServiceTest : public ::testing::Test {
 protected:
  Fleet fleet{1, 3};
  std::string id(std::size_t index) { return fleet.at(index).device_id; }
};

TEST_F(CameraServiceTest, SearchAnnouncesEveryCamera) {
  CameraService service(fleet, {});
  Outcome outcome = service.handle(search(9));
  EXPECT_EQ(outcome.answer, Answer::kAnnounceAll);
  EXPECT_EQ(outcome.cseq, 9u);
  EXPECT_EQ(outcome.client_id, kClient);
  ASSERT_EQ(outcome.log_lines.size(), 1u);
  EXPECT_EQ(outcome.log_lines[0].rfind("SEARCH cseq=9", 0), 0u);
}

TEST_F(CameraServiceTest, AcceptedCommandIsAppliedAndAnswered200) {
  CameraService service(fleet, {});
  Outcome outcome = service.handle(command(5, id(2), "httpport set -httpport 8088"));
  EXPECT_EQ(outcome.answer, Answer::kReply);
  EXPECT_EQ(outcome.reply, reply("MCTP/1.0 200 OK", 5));
  EXPECT_EQ(fleet.at(2).http_port, "8088");
  EXPECT_EQ(fleet.at(1).http_port, Fleet(1, 3).at(1).http_port);
  ASSERT_EQ(outcome.log_lines.size(), 2u);
  EXPECT_EQ(outcome.log_lines[1], "APPLIED 3 httpport httpport=8088");
}

TEST_F(CameraServiceTest, WrongCredentialsGet401AndChangeNothing) {
  CameraService service(fleet, {});
  std::string port = fleet.at(0).http_port;
  for (const char *credentials :
       {"admin:wrong", "root:admin", "admin:", ":admin", "admin:admin "}) {
    Outcome outcome = service.handle(command(6, id(0), "httpport set -httpport 1", credentials));
    EXPECT_EQ(outcome.reply, reply("QNS/1.0 401 Unauthorized", 6)) << credentials;
  }
  EXPECT_EQ(fleet.at(0).http_port, port);
}

TEST_F(CameraServiceTest, PasswordMayContainAColon) {
  CameraService service(fleet, {"root", "a:b", false, {}, {}, {}, {}});
  Outcome outcome = service.handle(command(6, id(0), "httpport set -httpport 1", "root:a:b"));
  EXPECT_EQ(outcome.reply, reply("MCTP/1.0 200 OK", 6));
}

// One camera with a password of its own: the account the others take is wrong for it, and its
// own is wrong for them.
TEST_F(CameraServiceTest, CameraWithItsOwnPasswordRefusesTheOthers) {
  CommandPolicy policy;
  policy.camera_passwords = {{2, "secret"}};
  CameraService service(fleet, policy);
  const std::string port = fleet.at(1).http_port;
  EXPECT_EQ(service.handle(command(1, id(1), "httpport set -httpport 1")).reply,
            reply("QNS/1.0 401 Unauthorized", 1));
  EXPECT_EQ(fleet.at(1).http_port, port);
  EXPECT_EQ(service.handle(command(2, id(1), "httpport set -httpport 1", "admin:secret")).reply,
            reply("MCTP/1.0 200 OK", 2));
  EXPECT_EQ(service.handle(command(3, id(0), "httpport set -httpport 1", "admin:secret")).reply,
            reply("QNS/1.0 401 Unauthorized", 3));
  EXPECT_EQ(service.handle(command(4, id(2), "httpport set -httpport 1")).reply,
            reply("MCTP/1.0 200 OK", 4));
}

TEST_F(CameraServiceTest, UnknownDeviceIsNotAnswered) {
  CameraService service(fleet, {});
  Outcome outcome = service.handle(command(6, std::string(32, 'z'), "httpport set -httpport 1"));
  EXPECT_EQ(outcome.answer, Answer::kNone);
  EXPECT_FALSE(outcome.log_lines.empty());
}

TEST_F(CameraServiceTest, ForbidAllAnswers403EvenWithRightCredentials) {
  CameraService service(fleet, {"admin", "admin", true, {}, {}, {}, {}});
  std::string port = fleet.at(1).http_port;
  Outcome outcome = service.handle(command(8, id(1), "httpport set -httpport 1"));
  EXPECT_EQ(outcome.reply, reply("QNS/1.0 403 Forbidden", 8));
  EXPECT_EQ(fleet.at(1).http_port, port);
  // Wrong credentials are still told apart from a refusal.
  outcome = service.handle(command(9, id(1), "httpport set -httpport 1", "admin:x"));
  EXPECT_EQ(outcome.reply, reply("QNS/1.0 401 Unauthorized", 9));
}

TEST_F(CameraServiceTest, ForbiddenAndSilentCamerasLeaveTheOthers) {
  CameraService service(fleet, {"admin", "admin", false, {2}, {3}, {}, {}});
  EXPECT_EQ(service.handle(command(1, id(1), "httpport set -httpport 1")).reply,
            reply("QNS/1.0 403 Forbidden", 1));
  EXPECT_EQ(service.handle(command(2, id(0), "httpport set -httpport 1")).reply,
            reply("MCTP/1.0 200 OK", 2));
  EXPECT_EQ(service.handle(command(3, id(2), "httpport set -httpport 1")).answer, Answer::kNone);
}

TEST_F(CameraServiceTest, RepeatedCommandIsAnsweredAgainButAppliedOnce) {
  CameraService service(fleet, {});
  // devidset shows a second application: the repeat names the old id, which
  // would no longer be found.
  std::string request = command(11, id(0), "devidset set -devid " + std::string(32, 'Q'));
  EXPECT_EQ(service.handle(request).reply, reply("MCTP/1.0 200 OK", 11));
  Outcome again = service.handle(request);
  EXPECT_EQ(again.answer, Answer::kReply);
  EXPECT_EQ(again.reply, reply("MCTP/1.0 200 OK", 11));
  EXPECT_EQ(fleet.at(0).device_id, std::string(32, 'Q'));
}

TEST_F(CameraServiceTest, RepeatKeepsTheFirstAnswer) {
  CameraService service(fleet, {});
  std::string request = command(12, id(0), "httpport set -httpport 1", "admin:bad");
  service.handle(request);
  EXPECT_EQ(service.handle(request).reply, reply("QNS/1.0 401 Unauthorized", 12));

  std::string unknown = command(13, std::string(32, 'z'), "httpport set -httpport 1");
  service.handle(unknown);
  EXPECT_EQ(service.handle(unknown).answer, Answer::kNone);
}

TEST_F(CameraServiceTest, SameCseqFromAnotherClientIsANewCommand) {
  CameraService service(fleet, {});
  service.handle(command(14, id(0), "httpport set -httpport 1"));
  std::string other = command(14, id(0), "httpport set -httpport 2");
  other.replace(other.find(kClient), kClient.size(), std::string(32, 'x'));
  Outcome outcome = service.handle(other);
  EXPECT_EQ(outcome.answer, Answer::kReply);
  EXPECT_EQ(fleet.at(0).http_port, "2");
}

TEST_F(CameraServiceTest, UnrecognisedCommandLineIsNotAnswered) {
  CameraService service(fleet, {});
  EXPECT_EQ(service.handle(command(15, id(0), "reboot now")).answer, Answer::kNone);
}

TEST_F(CameraServiceTest, MalformedRequestIsLoggedNotAnswered) {
  CameraService service(fleet, {});
  std::string bad = command(16, id(0), "httpport set -httpport 1");
  bad.replace(bad.find("Content-Length:24"), 17, "Content-Length:26");
  Outcome outcome = service.handle(bad);
  EXPECT_EQ(outcome.answer, Answer::kNone);
  ASSERT_EQ(outcome.log_lines.size(), 1u);
  EXPECT_EQ(outcome.log_lines[0].rfind("REJECT", 0), 0u);
}

TEST_F(CameraServiceTest, OtherCamerasAnswersAreIgnoredSilently) {
  CameraService service(fleet, {});
  Outcome outcome = service.handle(compose_announcement(fleet.at(0), 1, kClient));
  EXPECT_EQ(outcome.answer, Answer::kNone);
  EXPECT_TRUE(outcome.log_lines.empty());
  EXPECT_TRUE(service.handle(reply("MCTP/1.0 200 OK", 3)).log_lines.empty());
}

}  // namespace
}  // namespace vf::camsim

#include "camera.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "fleet.h"

namespace vf::camsim {
namespace {

const std::string kClient = "AbCdEfGhIjKlMnOpQrStUvWxYzAbCdEf";

// Key lines in the order of the announcement's body.
const std::vector<std::string> kKeys = {"Device-ID=",   "Device-Model=", "Software-Version=",
                                        "Web-Version=", "Device-Name=",  "Http-Port=",
                                        "IP=",          "MASK=",         "MAC=",
                                        "Gateway=",     "Dhcp=",         "Ddns=",
                                        "Fdns=",        "Sdns=",         "DDNS-Enable=",
                                        "DDNS-Host=",   "DDNS-Port=",    "DDNS-User=",
                                        "DDNS-Passwd=", "DDNS-Domain=",  "C_Vendor=",
                                        "C_Product=",   "Device-Type="};

// The value after `key` at the start of a line, as a receiver reads it.
std::string value_of(const std::string &text, const std::string &key) {
  std::size_t at = text.find("\n" + key);
  if (at == std::string::npos) return "<absent>";
  at += 1 + key.size();
  return text.substr(at, text.find("\r\n", at) - at);
}

TEST(AnnouncementTest, CarriesEveryKeyOnceInOrder) {
  Camera camera = make_camera(1, 1, 3);
  std::string text = compose_announcement(camera, 42, kClient);
  std::size_t previous = 0;
  for (const std::string &key : kKeys) {
    std::size_t at = text.find("\r\n" + key);
    ASSERT_NE(at, std::string::npos) << key;
    EXPECT_GT(at, previous) << key;
    EXPECT_EQ(text.find("\r\n" + key, at + 1), std::string::npos) << key;
    previous = at;
  }
  EXPECT_EQ(value_of(text, "Device-ID="), camera.device_id);
  EXPECT_EQ(value_of(text, "MAC="), camera.mac);
  EXPECT_EQ(value_of(text, "IP="), camera.ip);
  EXPECT_EQ(value_of(text, "Device-Name="), "Camera-0001");
}

TEST(AnnouncementTest, EchoesRequestAndCountsItsBody) {
  std::string text = compose_announcement(make_camera(1, 2, 3), 3999999999u, kClient);
  EXPECT_EQ(text.rfind("QNS/1.0 200 OK\r\nCSeq:3999999999\r\nClient-ID:" + kClient + "\r\n", 0),
            0u);
  std::size_t body = text.find("\r\n\r\n") + 4;
  EXPECT_EQ(value_of(text, "Content-Length:"), std::to_string(text.size() - body));
  EXPECT_EQ(value_of(text, "Content-Type:"), "text/QNP");
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(AnnouncementTest, NeverLooksLikeACommandReply) {
  for (int number = 1; number <= 200; ++number) {
    std::string text = compose_announcement(make_camera(number * 7919ull, number, 200), 1, kClient);
    for (const char *status :
         {"MCTP/1.0 200 OK", "QNS/1.0 401 Unauthorized", "QNS/1.0 403 Forbidden"})
      EXPECT_EQ(text.find(status), std::string::npos) << status;
    EXPECT_LT(text.size(), 1024u);  // fits a receiver's buffer with room to spare
  }
}

TEST(CameraTest, FieldsHaveTheirForms) {
  Camera camera = make_camera(99, 12, 20);
  ASSERT_EQ(camera.device_id.size(), 32u);
  for (char c : camera.device_id) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)));
  ASSERT_EQ(camera.mac.size(), 17u);
  EXPECT_EQ(camera.mac.substr(0, 9), "00:1A:3F:");
  for (char c : camera.mac)
    EXPECT_TRUE(c == ':' || std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F'));
  EXPECT_EQ(camera.name, "Camera-0012");
  EXPECT_EQ(camera.number, 12);
}

TEST(CameraTest, SeedMakesRunsReproducible) {
  EXPECT_EQ(compose_announcement(make_camera(5, 3, 10), 1, kClient),
            compose_announcement(make_camera(5, 3, 10), 1, kClient));
  EXPECT_NE(make_camera(5, 3, 10).device_id, make_camera(6, 3, 10).device_id);
}

void expect_distinct(const Fleet &fleet) {
  std::set<std::string> ids, macs, ips, names;
  for (std::size_t i = 0; i < fleet.size(); ++i) {
    const Camera &camera = fleet.at(i);
    ids.insert(camera.device_id);
    macs.insert(camera.mac);
    ips.insert(camera.ip);
    names.insert(camera.name);
  }
  EXPECT_EQ(ids.size(), fleet.size());
  EXPECT_EQ(macs.size(), fleet.size());
  EXPECT_EQ(ips.size(), fleet.size());
  EXPECT_EQ(names.size(), fleet.size());
}

TEST(FleetTest, FiftyThousandCamerasAreDistinctAndFoundById) {
  Fleet fleet(1, 50000);
  ASSERT_EQ(fleet.size(), 50000u);
  expect_distinct(fleet);
  for (std::size_t i = 0; i < fleet.size(); i += 997)
    EXPECT_EQ(fleet.find(fleet.at(i).device_id), std::optional<std::size_t>(i));
  EXPECT_FALSE(fleet.find(std::string(32, '-')));
}

TEST(FleetTest, LargeFleetMovesToTenSlashEightAndStaysDistinct) {
  Fleet fleet(3, 70000);
  expect_distinct(fleet);
  EXPECT_EQ(fleet.at(69999).ip.rfind("10.", 0), 0u);
}

TEST(FleetTest, LookupIsExact) {
  Fleet fleet(1, 2);
  std::string id = fleet.at(0).device_id;
  std::string other_case = id;
  for (char &c : other_case) c = std::islower(c) ? std::toupper(c) : std::tolower(c);
  EXPECT_FALSE(fleet.find(other_case));
  EXPECT_FALSE(fleet.find(id.substr(0, 31)));
  EXPECT_FALSE(fleet.find(id + "x"));
}

}  // namespace
}  // namespace vf::camsim

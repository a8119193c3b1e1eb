// The system settings shipped beside the program say the same numbers as the
// code: the drop-in's receive buffer cap is what the engine asks for, and the
// firewall definitions open the group's ports.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "core/protocol.h"
#include "session.h"

namespace {

std::string Read(const std::string &relative) {
  std::ifstream in(std::string(VF_SOURCE_DIR) + "/" + relative);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(SystemSettings, DropInRaisesTheCapToTheEnginesRequest) {
  std::string conf = Read("res/linux/60-vellafind.conf");
  std::smatch match;
  ASSERT_TRUE(std::regex_search(conf, match, std::regex(R"(\nnet\.core\.rmem_max = (\d+)\n)")))
      << conf;
  EXPECT_EQ(std::stoi(match[1]), devsearch::kGroupReceiveBufferBytes);
}

TEST(SystemSettings, FirewallDefinitionsOpenBothPortsOfTheGroup) {
  using namespace vf::core;
  std::string firewalld = Read("res/linux/firewalld/vellafind.xml");
  for (int port : {kPort, kFallbackPort}) {
    EXPECT_NE(firewalld.find("<port protocol=\"udp\" port=\"" + std::to_string(port) + "\"/>"),
              std::string::npos)
        << port;
  }
  EXPECT_NE(firewalld.find(std::string("<destination ipv4=\"") + kGroupAddress + "\"/>"),
            std::string::npos);

  std::string ufw = Read("res/linux/ufw/vellafind");
  EXPECT_NE(
      ufw.find("\nports=" + std::to_string(kPort) + "," + std::to_string(kFallbackPort) + "/udp\n"),
      std::string::npos)
      << ufw;
}

}  // namespace

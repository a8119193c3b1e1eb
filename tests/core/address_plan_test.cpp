#include "core/address_plan.h"

#include <gtest/gtest.h>

namespace vf::core {
namespace {

std::vector<std::string> Texts(const std::vector<Ipv4> &plan) {
  std::vector<std::string> texts;
  for (const Ipv4 address : plan) texts.push_back(address.Text());
  return texts;
}

TEST(PlanAddresses, SkipsWhatOthersUseButLetsACameraKeepItsOwn) {
  AddressPlanRequest request;
  request.first = *Ipv4::Parse("192.168.1.1");
  request.mask = *Ipv4::Parse("255.255.255.0");
  // Camera 1 sits on .4, camera 2 on .9; another device announces .2, the PC holds .3.
  request.cameraAddresses = {"192.168.1.4", "192.168.1.9"};
  request.announcedAddresses = {"192.168.1.4", "192.168.1.9", "192.168.1.2"};
  request.pcAddresses = {"192.168.1.3"};
  std::string error;
  auto plan = PlanAddresses(request, error);
  ASSERT_TRUE(plan) << error;
  EXPECT_EQ(Texts(*plan), (std::vector<std::string>{"192.168.1.1", "192.168.1.5"}))
      << ".2 and .3 are taken, and .4 is camera 1's";

  request.first = *Ipv4::Parse("192.168.1.2");
  plan = PlanAddresses(request, error);
  ASSERT_TRUE(plan) << error;
  EXPECT_EQ(Texts(*plan), (std::vector<std::string>{"192.168.1.4", "192.168.1.5"}))
      << "camera 1 may keep its own address";

  request.reservedAddresses = {"192.168.1.5"};  // the plan's own gateway
  plan = PlanAddresses(request, error);
  ASSERT_TRUE(plan) << error;
  EXPECT_EQ(Texts(*plan), (std::vector<std::string>{"192.168.1.4", "192.168.1.6"}));
}

TEST(PlanAddresses, StaysInsideTheSubnetAndOffItsEnds) {
  AddressPlanRequest request;
  request.first = *Ipv4::Parse("10.0.0.0");
  request.mask = *Ipv4::Parse("255.255.255.252");  // hosts .1 and .2
  request.cameraAddresses = {"1.1.1.1", "1.1.1.2"};
  std::string error;
  auto plan = PlanAddresses(request, error);
  ASSERT_TRUE(plan) << error;
  EXPECT_EQ(Texts(*plan), (std::vector<std::string>{"10.0.0.1", "10.0.0.2"}))
      << "not the network address";
  request.cameraAddresses.push_back("1.1.1.3");
  EXPECT_FALSE(PlanAddresses(request, error)) << "the broadcast address is never given";
  EXPECT_NE(error.find("1 more"), std::string::npos) << error;

  request.first = *Ipv4::Parse("255.255.255.254");
  request.mask = *Ipv4::Parse("255.255.255.254");
  request.cameraAddresses = {"1.1.1.1", "1.1.1.2", "1.1.1.3"};
  EXPECT_FALSE(PlanAddresses(request, error)) << "the end of the address space ends the plan";
}

}  // namespace
}  // namespace vf::core

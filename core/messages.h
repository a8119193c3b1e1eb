// What the program tells the user, in one place, so that the window and the command line say
// the same thing in the same words.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/text_marker.h"

namespace vf::core {
namespace text {

inline constexpr const char *kAboutBox = VF_TEXT("About Vellafind(&A)...");
inline constexpr const char *kTips = VF_TEXT("Tips");
inline constexpr const char *kAsk = VF_TEXT("Ask");
inline constexpr const char *kInitFailed = VF_TEXT("Failed to initialize.");
inline constexpr const char *kSelectDevice = VF_TEXT("Please select one device from list.");
inline constexpr const char *kConfirmUpdate =
    VF_TEXT("Are you sure to update the selected device?");
inline constexpr const char *kWrongIp = VF_TEXT("Entered the wrong IP address.");
inline constexpr const char *kWrongMask = VF_TEXT("Entered the wrong subnet mask.");
inline constexpr const char *kWrongGateway = VF_TEXT("Entered the wrong gateway.");
inline constexpr const char *kSameAsLocalIp = VF_TEXT("The same as one IP among of this local PC.");
inline constexpr const char *kUpdateOk = VF_TEXT("Device information successfully updated!");
inline constexpr const char *kWrongAccount =
    VF_TEXT("The account or password for watching is wrong!");
inline constexpr const char *kDeviceRestarting =
    VF_TEXT("Device is restarting...,Please try again later.");
inline constexpr const char *kDdnsOk = VF_TEXT("DDNS is setted successfully.");
inline constexpr const char *kDdnsEmpty = VF_TEXT("Failure: DDNS filed is empty.");
inline constexpr const char *kDeviceDestroyed = VF_TEXT("This device information is destroyed.");
inline constexpr const char *kDdnsFailed = VF_TEXT("Failure to set DDNS.");

// Checks the window has always lacked; worded like the messages above.
inline constexpr const char *kWrongDns = VF_TEXT("Entered the wrong DNS server.");
inline constexpr const char *kWrongHttpPort = VF_TEXT("Entered the wrong http port (1-65535).");
inline constexpr const char *kBadMacAddress =
    VF_TEXT("The device reported an invalid MAC address; nothing was sent.");
inline constexpr const char *kBadDeviceId =
    VF_TEXT("The device reported an invalid device id; nothing was sent.");
inline constexpr const char *kRefused = VF_TEXT("The device refused the command.");
inline constexpr const char *kNotSent = VF_TEXT("The command could not be sent.");
inline constexpr const char *kNoAnswer = VF_TEXT("No answer from the device within %1 s.");
inline constexpr const char *kPortNotTaken =
    VF_TEXT("The network settings were taken, the http port was not:");
inline constexpr const char *kCommandBusy =
    VF_TEXT("The device has not answered the last command yet; please try again later.");
inline constexpr const char *kUnusableIp =
    VF_TEXT("Entered an IP address no device can use (loopback, multicast or broadcast).");
inline constexpr const char *kSubnetEdgeIp =
    VF_TEXT("Entered the network or broadcast address of the subnet as the IP address.");
inline constexpr const char *kNoAddress =
    VF_TEXT("An IP address and a subnet mask are needed, also with DHCP on.");
inline constexpr const char *kReservedHttpPort =
    VF_TEXT("The http ports 8002 and 55555 are kept by the devices; enter another port.");
inline constexpr const char *kBadAccount = VF_TEXT(
    "The viewing account or password cannot hold a line break or another control "
    "character.");
inline constexpr const char *kAccountColon =
    VF_TEXT("The viewing account cannot hold a colon: the device would split it there.");
inline constexpr const char *kAccountTooLong =
    VF_TEXT("The viewing account and password hold at most 64 characters each.");
inline constexpr const char *kTwoClaims = VF_TEXT(
    "Two answers claim this camera (%1): another host may be speaking for it, so nothing was "
    "sent.");
inline constexpr const char *kAddressTaken =
    VF_TEXT("The IP address %1 is announced by another device. Send the settings all the same?");
// Planning settings for many cameras.
inline constexpr const char *kNotAnAddress = VF_TEXT("%1 is not an IPv4 address.");
inline constexpr const char *kNotAMask = VF_TEXT("%1 is not a subnet mask.");
inline constexpr const char *kNoPcSubnet =
    VF_TEXT("No adapter of this PC is in the subnet of %1: give a subnet mask and a gateway.");
inline constexpr const char *kNoGatewayKnown =
    VF_TEXT("No gateway is known for the subnet of %1: give one.");
inline constexpr const char *kRangeRunsOut = VF_TEXT("The plan runs out of addresses: %1");
inline constexpr const char *kAddressOfAnother =
    VF_TEXT("the IP address %1 is announced by another device");
inline constexpr const char *kSameAddressAsRow = VF_TEXT("row %1 gives the same address");
inline constexpr const char *kNoDeviceAnswered = VF_TEXT("no device answered as %1");
inline constexpr const char *kDeviceOnRow = VF_TEXT("the device is on row %1 already");
inline constexpr const char *kBadDhcpCell = VF_TEXT("dhcp is on or off, not %1");
inline constexpr const char *kRowProblem = VF_TEXT("%1");
inline constexpr const char *kRestartingForPort = VF_TEXT("Restarting for the new http port.");
inline constexpr const char *kWriteFailed = VF_TEXT("The file could not be written: %1.");
inline constexpr const char *kBadBrowseAddress =
    VF_TEXT("The device announced an address or http port that cannot be opened.");

}  // namespace text

// A text the user reads, kept apart from the one value it names (its "%1"), so that a front end
// can translate the text before the value goes in. `lead`, when set, is a sentence put before it.
struct UserMessage {
  const char *text = "";
  std::string argument;
  const char *lead = nullptr;
};

// `pattern` with its first "%1" replaced by `value`.
std::string WithArgument(std::string_view pattern, std::string_view value);

// The message as one text: each marked part through `translate` (unchanged without one), then
// the argument put in.
using Translate = std::function<std::string(std::string_view)>;
std::string Compose(const UserMessage &message, const Translate &translate = {});

}  // namespace vf::core

// What the program tells the user, in one place, so that the window and the command line say
// the same thing in the same words.
#pragma once

#include "core/text_marker.h"

namespace vf::core::text {

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

}  // namespace vf::core::text

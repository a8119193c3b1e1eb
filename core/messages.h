// What the program tells the user, in one place, so that the window and the command line say
// the same thing in the same words.
#pragma once

namespace vf::core::text {

inline constexpr const char *kAboutBox = "About Vellafind(&A)...";
inline constexpr const char *kTips = "Tips";
inline constexpr const char *kAsk = "Ask";
inline constexpr const char *kInitFailed = "Failed to initialize.";
inline constexpr const char *kSelectDevice = "Please select one device from list.";
inline constexpr const char *kConfirmUpdate = "Are you sure to update the selected device?";
inline constexpr const char *kWrongIp = "Entered the wrong IP address.";
inline constexpr const char *kWrongMask = "Entered the wrong subnet mask.";
inline constexpr const char *kWrongGateway = "Entered the wrong gateway.";
inline constexpr const char *kSameAsLocalIp = "The same as one IP among of this local PC.";
inline constexpr const char *kUpdateOk = "Device information successfully updated!";
inline constexpr const char *kWrongAccount = "The account or password for watching is wrong!";
inline constexpr const char *kDeviceRestarting = "Device is restarting...,Please try again later.";
inline constexpr const char *kDdnsOk = "DDNS is setted successfully.";
inline constexpr const char *kDdnsEmpty = "Failure: DDNS filed is empty.";
inline constexpr const char *kDeviceDestroyed = "This device information is destroyed.";
inline constexpr const char *kDdnsFailed = "Failure to set DDNS.";

// Checks the window has always lacked; worded like the messages above.
inline constexpr const char *kWrongDns = "Entered the wrong DNS server.";
inline constexpr const char *kWrongHttpPort = "Entered the wrong http port (1-65535).";
inline constexpr const char *kBadMacAddress =
    "The device reported an invalid MAC address; nothing was sent.";
inline constexpr const char *kBadDeviceId =
    "The device reported an invalid device id; nothing was sent.";
inline constexpr const char *kRefused = "The device refused the command.";
inline constexpr const char *kNotSent = "The command could not be sent.";

}  // namespace vf::core::text

// The numbers that shape a search and a command on the LAN, shared by both front ends.
#pragma once

#include <chrono>

namespace vf::core {

// The group the cameras listen on, and its port; the fallback port serves when another program
// holds the first one.
inline constexpr const char *kGroupAddress = "239.255.255.250";
inline constexpr int kPort = 8002;
inline constexpr int kFallbackPort = 12109;
// How long one send waits for its socket.
inline constexpr int kSendTimeoutSec = 4;

// How long a search collects answers before it shows them.
inline constexpr std::chrono::milliseconds kCollectPeriod{2500};
// How long a camera takes to restart after its HTTP port changed: the wait before searching again.
inline constexpr std::chrono::seconds kRestartWait{45};

// How long a command waits for the device's answer unless told otherwise: devices answer within
// a second, so one that has not after this will not.
inline constexpr std::chrono::milliseconds kAnswerTimeout{5000};

// Between the requests of a search sent more than once.
inline constexpr std::chrono::milliseconds kRepeatSpacing{300};

// A device's answer to a command, as the engine reports it.
inline constexpr const char *kStatusAccepted = "200";
inline constexpr const char *kStatusUnauthorized = "401";
inline constexpr const char *kStatusForbidden = "403";

}  // namespace vf::core

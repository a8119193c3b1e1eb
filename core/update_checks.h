// The checks a command to a camera passes before anything is sent: that the camera can be named
// in a command at all, that the account fits the request, and what a value may be.
#pragma once

#include <cstddef>
#include <string_view>

#include "devsearch.h"

namespace vf::core {

// Why nothing may be sent. Each has one message (ProblemText), which both front ends show.
enum class InputProblem {
  None,
  WrongIp,           // "Entered the wrong IP address."
  WrongMask,         // "Entered the wrong subnet mask." (blank, or not ones then zeros)
  WrongGateway,      // "Entered the wrong gateway."
  SameAsLocal,       // "The same as one IP among of this local PC."
  WrongDns,          // a DNS server that is neither blank nor a usable address
  UnusableIp,        // loopback, multicast or 255.255.255.255
  SubnetEdgeIp,      // the network or broadcast address of the subnet the mask makes
  NoAddress,         // with DHCP on, still no address or mask to send
  WrongHttpPort,     // not 1 to 65535
  ReservedHttpPort,  // 8002 or 55555
  BadDeviceId,       // the device's id could not stand in a request
  BadMacAddress,     // the device's MAC could not stand in a command
  BadAccount,        // a control character in the account or password
  AccountColon,      // a colon in the account, where the request's "user:password" splits
  AccountTooLong,    // an account or password longer than kMaxAccountLength
};

// The longest viewing account and password a command carries: with them every kind of command
// fits the engine's request.
inline constexpr std::size_t kMaxAccountLength = 64;

// The message the user sees for a problem; "" for None.
const char *ProblemText(InputProblem problem);

// True for a MAC address text as the commands carry it: six groups of two hexadecimal digits
// separated by colons ("00:1A:3f:00:00:01"). A record whose MAC is anything else gets no command:
// the text would go into the command line unchanged.
bool IsMacText(std::string_view text);

// True for a device id as a command may name it: exactly 32 ASCII letters and digits. The id
// goes into the request's header as the device reported it; anything else (blanks, controls,
// punctuation, a leading '-') is refused rather than sent.
bool IsDeviceIdText(std::string_view text);

// True for a text that may stand as one value of a command line: printable ASCII without blanks
// (the command line has no quoting, so a blank would start another flag), the empty text
// included.
bool IsCommandValue(std::string_view text);

// Whether `device` may be sent a command at all: its id, then its MAC, of their plain forms.
InputProblem CheckCommandTarget(const DeviceRecord &device);

// Whether the viewing account can be carried by a request: no control character in either text
// (a line break would end the request's line), no colon in the account (the device splits
// "user:password" at the first one), and each at most kMaxAccountLength bytes.
InputProblem CheckAccount(std::string_view user, std::string_view password);

}  // namespace vf::core

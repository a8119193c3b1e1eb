// The checks a change of a camera's settings passes before anything is sent.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vf::core {

// The network settings as the user edited them: dotted texts, "" or "0.0.0.0" for a blank one.
struct NetworkInput {
  std::string ipAddress;
  std::string netmask;
  std::string gateway;
  std::string primaryDns;
  std::string secondaryDns;
  bool dhcp = false;
};

enum class InputProblem {
  None,
  WrongIp,       // "Entered the wrong IP address."
  WrongMask,     // "Entered the wrong subnet mask."
  WrongGateway,  // "Entered the wrong gateway."
  SameAsLocal,   // "The same as one IP among of this local PC."
  WrongDns,      // a DNS server that is neither blank nor an address
};

// The message the user sees for a problem; "" for None.
const char *ProblemText(InputProblem problem);

// True for "" and "0.0.0.0", the texts of an address left blank.
bool IsBlankAddress(std::string_view text);

// True for four decimal numbers of 0..255 between dots, without signs, blanks or leading zeros
// ("10.0.0.1", not "10.0.0.01" or "10.1").
bool IsIpv4Text(std::string_view text);

// True when `address` equals one of `localAddresses` byte for byte.
bool IsLocalAddress(std::string_view address, const std::vector<std::string> &localAddresses);

// The Update checks, first failure wins: with DHCP on nothing is checked; otherwise a blank
// address, mask or gateway, then an address this PC holds.
InputProblem CheckNetworkInput(const NetworkInput &input,
                               const std::vector<std::string> &localAddresses);

// The form of each value: blank or an address (IsIpv4Text), checked in the order address, mask,
// gateway, DNS1, DNS2. For texts typed freely; an address control gives only these forms.
InputProblem CheckAddressForms(const NetworkInput &input);

// An HTTP port typed as text: digits only, 1 to 65535 ("00080" is 80); std::nullopt otherwise.
std::optional<int> ParseHttpPort(std::string_view text);

// Whether the port command follows the settings: `newPort` differs, as a number, from the port
// the device reported (a report that is no port differs from every port), and is neither 8002
// nor 55555, which the devices keep for themselves.
bool PortCommandFollows(int newPort, std::string_view reportedPort);

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

}  // namespace vf::core

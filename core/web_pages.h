// The web pages the window opens: a camera's own, and the router's of its network. Built only
// from values that passed their checks, since the URL goes to another program.
#pragma once

#include <optional>
#include <string>

#include "devsearch.h"

namespace vf::core {

// "http://ADDRESS:PORT" from the address and HTTP port the device announced; an announced port
// left empty gives the URL without a number after the colon (the browser's default port).
// std::nullopt when the address is not a plain IPv4 address or the port not 1 to 65535.
std::optional<std::string> DevicePageUrl(const DeviceRecord &device);

// "http://ROUTER:80", ROUTER being the address after the network address of the device's
// address under its mask. std::nullopt when there is none.
std::optional<std::string> RouterPageUrl(const DeviceRecord &device);

}  // namespace vf::core

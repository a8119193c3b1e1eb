// What a command would collide with on the LAN as the search it is based on saw it: another host
// claiming the camera, or another camera on the address it is to take.
#pragma once

#include <optional>
#include <string>

#include "core/device_store.h"
#include "core/messages.h"
#include "core/network_change.h"
#include "devsearch.h"

namespace vf::core {

// Why no command may go to `device`: two answers of the search claimed it (one MAC with two
// device ids, or one device id with two MACs), naming both. std::nullopt when none did.
std::optional<UserMessage> ImpostorRefusal(const DeviceStore &devices, const DeviceRecord &device);

// The two answers of a conflict as the user reads them, escaped.
std::string DescribeConflict(const IdentityConflict &conflict);

// The device other than `device` that announced the new fixed address `change` gives it, as the
// user reads it: "192.168.1.5 (Camera-0003, 00:1A:3F:00:00:03)". std::nullopt when no device did,
// the camera keeps its address, or the change turns DHCP on.
std::optional<std::string> AddressTakenBy(const DeviceStore &devices, const DeviceRecord &device,
                                          const NetworkChange &change);

}  // namespace vf::core

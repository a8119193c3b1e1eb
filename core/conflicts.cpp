#include "core/conflicts.h"

#include "core/display_text.h"
#include "core/record_text.h"

namespace vf::core {
namespace {

std::string Describe(const AnswerIdentity &answer) {
  return "id " + DisplayText(answer.deviceId) + ", MAC " + DisplayText(answer.mac) + ", IP " +
         DisplayText(answer.address);
}

}  // namespace

std::string DescribeConflict(const IdentityConflict &conflict) {
  return Describe(conflict.first) + " / " + Describe(conflict.other);
}

std::optional<UserMessage> ImpostorRefusal(const DeviceStore &devices, const DeviceRecord &device) {
  const std::optional<IdentityConflict> conflict = devices.ConflictOf(device);
  if (!conflict) return std::nullopt;
  return UserMessage{text::kTwoClaims, DescribeConflict(*conflict), nullptr};
}

std::optional<std::string> AddressTakenBy(const DeviceStore &devices, const DeviceRecord &device,
                                          const NetworkChange &change) {
  if (change.settings.dhcp != 0) return std::nullopt;
  const std::string address = FieldText(change.settings.ipAddress);
  // An address the camera keeps makes no new pair of cameras on one address.
  if (address == FieldText(device.network.ipAddress)) return std::nullopt;
  const std::optional<DeviceRecord> owner = devices.OtherAt(address, device);
  if (!owner) return std::nullopt;
  return address + " (" + DisplayField(owner->deviceName) + ", " +
         DisplayField(owner->network.macAddress) + ")";
}

}  // namespace vf::core

#include "ambiguous_name.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "core/display_text.h"

namespace vf::cli {
namespace {

template <std::size_t N>
bool FieldIs(const char (&field)[N], const std::string &name) {
  return std::string(field, strnlen(field, N)) == name;
}

}  // namespace

std::string AmbiguousNameText(const std::vector<DeviceRecord> &matches, const std::string &name,
                              TextForm form) {
  const auto text = [form](std::string_view bytes, bool mayBeCut) {
    return form == TextForm::kEscaped ? core::DisplayText(bytes, mayBeCut)
                                      : core::DecodedText(bytes, mayBeCut);
  };
  const auto field = [&text](const auto &bytes) {
    const std::size_t length = strnlen(bytes, sizeof bytes);
    return text(std::string_view(bytes, length), length >= sizeof bytes - 1);
  };
  std::string list;
  for (std::size_t i = 0; i < matches.size(); ++i) {
    const DeviceRecord &device = matches[i];
    if (i > 0) list += i + 1 == matches.size() ? " and " : ", ";
    list += field(device.network.macAddress) + " (device " + field(device.deviceId) + " at " +
            field(device.network.ipAddress) + ")";
  }
  const std::string count = std::to_string(matches.size()) + " devices";
  const std::string shown = text(name, false);
  const auto all = [&matches](auto fits) {
    return std::all_of(matches.begin(), matches.end(), fits);
  };
  if (all([&name](const DeviceRecord &d) { return FieldIs(d.deviceId, name); })) {
    // Commands are addressed by device id alone, so no other name can single one of them out.
    return count + " answered as device " + shown + ": " + list +
           ". A command to this id reaches all of them: give one of them another id in its web "
           "page first.";
  }
  if (all([&name](const DeviceRecord &d) { return FieldIs(d.network.ipAddress, name); })) {
    return count + " answered at " + shown + ": " + list +
           ". Name one by its MAC address or device id.";
  }
  // Otherwise the name is a MAC that the devices' MACs match in another letter case.
  return count + " answered with the MAC address " + shown + " in different letter case: " + list +
         ". They are different devices: name one by its device id.";
}

}  // namespace vf::cli

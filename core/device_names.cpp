#include "core/device_names.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "core/display_text.h"
#include "core/ipv4.h"
#include "core/record_text.h"
#include "core/update_checks.h"

namespace vf::core {
namespace {

template <std::size_t N>
bool FieldIs(const char (&field)[N], const std::string &name) {
  return std::string(field, strnlen(field, N)) == name;
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameMac(const std::string &a, const std::string &b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::vector<DeviceRecord> MatchDevices(const std::vector<DeviceRecord> &devices,
                                       const std::string &name) {
  std::vector<DeviceRecord> matches;
  for (const DeviceRecord &device : devices) {
    bool match = false;
    if (IsMacText(name)) {
      match = SameMac(FieldText(device.network.macAddress), name);
    } else if (Ipv4::Parse(name)) {
      match = FieldText(device.network.ipAddress) == name;
    } else {
      match = FieldText(device.deviceId) == name;
    }
    if (match) matches.push_back(device);
  }
  return matches;
}

std::string AmbiguousNameText(const std::vector<DeviceRecord> &matches, const std::string &name,
                              TextForm form) {
  const auto text = [form](std::string_view bytes, bool mayBeCut) {
    return form == TextForm::kEscaped ? DisplayText(bytes, mayBeCut) : DecodedText(bytes, mayBeCut);
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

}  // namespace vf::core

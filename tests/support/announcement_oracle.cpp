#include "announcement_oracle.h"

#include <cstring>

#include "wire_format.h"

namespace vf::testing {

#define AT(member) offsetof(DeviceRecord, member), sizeof(DeviceRecord::member)
#define NET(member)                                                    \
  offsetof(DeviceRecord, network) + offsetof(NetworkSettings, member), \
      sizeof(NetworkSettings::member)
#define DDNS(member) \
  offsetof(DeviceRecord, ddns) + offsetof(DdnsSettings, member), sizeof(DdnsSettings::member)
#define IDENTITY(member)                                               \
  offsetof(DeviceRecord, identity) + offsetof(VendorIdentity, member), \
      sizeof(VendorIdentity::member)

const AnnouncementField kAnnouncementFields[23] = {
    {"Device-ID=", FieldType::kText, AT(deviceId)},
    {"Device-Model=", FieldType::kText, AT(deviceModel)},
    {"Software-Version=", FieldType::kText, AT(softwareVersion)},
    {"Web-Version=", FieldType::kText, AT(webVersion)},
    {"Device-Name=", FieldType::kText, AT(deviceName)},
    {"Http-Port=", FieldType::kText, AT(httpPort)},
    {"IP=", FieldType::kAddress, NET(ipAddress)},
    {"MASK=", FieldType::kAddress, NET(netmask)},
    {"MAC=", FieldType::kText, NET(macAddress)},
    {"Gateway=", FieldType::kAddress, NET(gateway)},
    {"Dhcp=", FieldType::kInt, NET(dhcp)},
    {"Ddns=", FieldType::kInt, NET(dnsStat)},
    {"Fdns=", FieldType::kAddress, NET(primaryDns)},
    {"Sdns=", FieldType::kAddress, NET(secondaryDns)},
    {"DDNS-Enable=", FieldType::kInt, DDNS(enable)},
    {"DDNS-Host=", FieldType::kText, DDNS(server)},
    {"DDNS-Port=", FieldType::kInt, DDNS(port)},
    {"DDNS-User=", FieldType::kText, DDNS(user)},
    {"DDNS-Passwd=", FieldType::kText, DDNS(password)},
    {"DDNS-Domain=", FieldType::kText, DDNS(domain)},
    {"C_Vendor=", FieldType::kText, IDENTITY(vendor)},
    {"C_Product=", FieldType::kText, IDENTITY(product)},
    {"Device-Type=", FieldType::kText, IDENTITY(deviceType)},
};

#undef AT
#undef NET
#undef DDNS
#undef IDENTITY

char *FieldIn(DeviceRecord &record, const AnnouncementField &field) {
  return reinterpret_cast<char *>(&record) + field.offset;
}

bool ParseAnnouncementLiterally(std::string_view datagram, DeviceRecord *record) {
  using namespace devsearch::wire;
  std::memset(record, 0, sizeof *record);
  if (!FindValue(datagram, kAnnouncementFields[0].key)) return false;
  for (const AnnouncementField &field : kAnnouncementFields) {
    auto value = FindValue(datagram, field.key);
    if (!value) continue;
    char *target = FieldIn(*record, field);
    switch (field.type) {
      case FieldType::kText:
        FillField(*value, target, field.size);
        break;
      case FieldType::kAddress:
        // A key present with an empty value stands for the unset address.
        FillField(value->empty() ? "0.0.0.0" : *value, target, field.size);
        break;
      case FieldType::kInt: {
        int32_t number = ValueToInt(*value);
        std::memcpy(target, &number, sizeof number);
        break;
      }
    }
  }
  return true;
}

}  // namespace vf::testing

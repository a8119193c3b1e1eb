#include "string_table.h"

#include <array>

#include "resource_ids.h"

namespace vf::res {
namespace {

struct StringEntry {
  int id;
  const char *text;
};

constexpr auto kStrings = std::to_array<StringEntry>({
    {IDS_ABOUTBOX, "About Vellafind(&A)..."},
    {IDS_TIPS, "Tips"},
    {IDS_ASK, "Ask"},
    {IDS_INIT_FAILED, "Failed to initialize."},
    {IDS_SELECT_DEVICE, "Please select one device from list."},
    {IDS_CONFIRM_UPDATE, "Are you sure to update the selected device?"},
    {IDS_WRONG_IP, "Entered the wrong IP address."},
    {IDS_WRONG_MASK, "Entered the wrong subnet mask."},
    {IDS_WRONG_GATEWAY, "Entered the wrong gateway."},
    {IDS_SAME_AS_LOCAL_IP, "The same as one IP among of this local PC."},
    {IDS_UPDATE_OK, "Device information successfully updated!"},
    {IDS_WRONG_ACCOUNT, "The account or password for watching is wrong!"},
    {IDS_DEVICE_RESTARTING, "Device is restarting...,Please try again later."},
});

}  // namespace

QString LoadString(int id) {
  for (const StringEntry &entry : kStrings) {
    if (entry.id == id) return QString::fromUtf8(entry.text);
  }
  return {};
}

}  // namespace vf::res

#include "res/string_table.h"

#include <array>

#include "core/messages.h"
#include "core/text_marker.h"
#include "res/resource_ids.h"

namespace vf::res {
namespace {

// The texts live with the core, which the command line shares.
namespace texts = vf::core::text;

struct StringEntry {
  int id;
  const char *text;
};

constexpr auto kStrings = std::to_array<StringEntry>({
    {IDS_ABOUTBOX, texts::kAboutBox},
    {IDS_TIPS, texts::kTips},
    {IDS_ASK, texts::kAsk},
    {IDS_INIT_FAILED, texts::kInitFailed},
    {IDS_SELECT_DEVICE, texts::kSelectDevice},
    {IDS_CONFIRM_UPDATE, texts::kConfirmUpdate},
    {IDS_WRONG_IP, texts::kWrongIp},
    {IDS_WRONG_MASK, texts::kWrongMask},
    {IDS_WRONG_GATEWAY, texts::kWrongGateway},
    {IDS_SAME_AS_LOCAL_IP, texts::kSameAsLocalIp},
    {IDS_UPDATE_OK, texts::kUpdateOk},
    {IDS_WRONG_ACCOUNT, texts::kWrongAccount},
    {IDS_DEVICE_RESTARTING, texts::kDeviceRestarting},
    {IDS_NO_BROWSER,
     VF_TEXT("No program to open web pages was found; please open %1 in a browser.")},
    {IDS_ASSIGN, VF_TEXT("Assign addresses...")},
});

}  // namespace

std::string LoadString(int id) {
  for (const StringEntry &entry : kStrings) {
    if (entry.id == id) return entry.text;
  }
  return {};
}

}  // namespace vf::res

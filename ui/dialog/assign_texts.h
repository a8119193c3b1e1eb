// What the "Assign addresses" dialog alone says: its status line, its result column and its
// questions. "%1" and "%2" stand for values put in once the text is translated.
#pragma once

#include <cstddef>
#include <string>

#include "core/text_marker.h"
#include "ui/window/translation.h"

namespace assign_text {

inline constexpr const char *kToBeSent = VF_TEXT("To be sent");
inline constexpr const char *kNotSentBecause = VF_TEXT("Not sent: %1");
inline constexpr const char *kCancelled = VF_TEXT("Not sent: cancelled.");
inline constexpr const char *kDhcp = VF_TEXT("DHCP");
inline constexpr const char *kEnterFirst = VF_TEXT("Enter the first IP address of the plan.");
inline constexpr const char *kNoneChecked = VF_TEXT("No camera is checked.");
inline constexpr const char *kPlanReady = VF_TEXT(
    "%1 of the %2 checked cameras can be sent their settings: check the plan, then press Apply.");
inline constexpr const char *kImported =
    VF_TEXT("Imported from %1; each row that cannot be sent says why.");
inline constexpr const char *kExported = VF_TEXT("The plan was written to %1.");
inline constexpr const char *kNothingToSend =
    VF_TEXT("The plan holds no checked camera that can be sent its settings.");
inline constexpr const char *kConfirm = VF_TEXT("Send the new settings to these %1 cameras?");
inline constexpr const char *kSending = VF_TEXT("Sending the settings: camera %1 of %2...");
inline constexpr const char *kCancelling =
    VF_TEXT("Cancelling: the camera under way is told first.");
inline constexpr const char *kDone = VF_TEXT(
    "%1 of %2 cameras took their settings. The main window searches again and lists them where "
    "they are now.");
inline constexpr const char *kStopped = VF_TEXT(
    "Cancelled after %1 of %2 cameras; the others were not sent anything. The main window "
    "searches again.");
inline constexpr const char *kNoCameras = VF_TEXT("No camera is listed: search first.");
inline constexpr const char *kImportTitle = VF_TEXT("Import plan");
inline constexpr const char *kExportTitle = VF_TEXT("Export plan");
inline constexpr const char *kCsvFiles = VF_TEXT("CSV files");

// `pattern` translated, with `first` for its "%1" and `second` for its "%2".
inline std::string Say(const char *pattern, const std::string &first,
                       const std::string &second = {}) {
  // The second first, so that nothing the first brings in is taken for a "%2".
  std::string said = vf::ui::Translated(pattern);
  const std::size_t at = said.find("%2");
  if (at != std::string::npos) said.replace(at, 2, second);
  return vf::ui::WithArgument(said, first);
}

}  // namespace assign_text

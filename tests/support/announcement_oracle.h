// The announcement rule read literally: every key looked up on its own with
// the one value-reading rule, as slow and plain as it can be. The engine's
// parser is checked against it; it is not part of the engine.
#pragma once

#include <cstddef>
#include <string_view>

#include "devsearch.h"

namespace vf::testing {

enum class FieldType { kText, kAddress, kInt };

// One key of an announcement and the DeviceRecord field it fills.
struct AnnouncementField {
  const char *key;  // With its '='.
  FieldType type;
  size_t offset;  // Of the field inside DeviceRecord.
  size_t size;    // Of the field, in bytes.
};

// Every key, Device-ID= first; fields in the record's order otherwise.
extern const AnnouncementField kAnnouncementFields[23];

char *FieldIn(DeviceRecord &record, const AnnouncementField &field);

// Fills a zero-filled record from `datagram`; false when it has no
// "Device-ID=" value, which drops it.
bool ParseAnnouncementLiterally(std::string_view datagram, DeviceRecord *record);

}  // namespace vf::testing

// The columns of the device list as the window shows them, what each shows of a device, and the
// order a column sorts the list in.
#pragma once

#include <string>
#include <vector>

#include "devsearch.h"

namespace vf::core {

enum class DeviceColumn { Number, Name, Mac, Address, HttpPort, Model, Firmware };

// Every column, in the list's order: the first three are those the window has always had.
inline constexpr DeviceColumn kDeviceColumns[] = {
    DeviceColumn::Number,   DeviceColumn::Name,  DeviceColumn::Mac,     DeviceColumn::Address,
    DeviceColumn::HttpPort, DeviceColumn::Model, DeviceColumn::Firmware};
inline constexpr int kDeviceColumnCount = static_cast<int>(std::size(kDeviceColumns));

struct DeviceColumnInfo {
  const char *heading;  // translatable
  int widthPx;          // at 96 DPI
  bool numeric;         // shown right-aligned
};

const DeviceColumnInfo &ColumnInfo(DeviceColumn column);

// The column of list column `index`; Number for an index outside the list.
DeviceColumn ColumnAt(int index);

// What `column` shows for `device`, the `number`th (1-based) to answer: the device's text
// decoded and escaped for display.
std::string ColumnText(const DeviceRecord &device, DeviceColumn column, int number);

// The order to show `devices` (listed in order of arrival) in: their indices, sorted by `column`
// (numbers and addresses as numbers, MACs by their bytes, texts without regard to case), equal
// ones in order of arrival; reversed when `descending`. Values that are not what the column
// holds (an address that is none) sort after every value that is.
std::vector<int> SortOrder(const std::vector<DeviceRecord> &devices, DeviceColumn column,
                           bool descending);

}  // namespace vf::core

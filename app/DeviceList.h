#pragma once

// The models the user can switch between: the first catalogue entries, in
// catalogue order, as the tray sub-menu and the device drop-down offer them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace app {

struct DeviceListEntry {
  int32_t modelValue = 0;  // 0: unused entry
  char16_t name[20] = {};
};

constexpr std::size_t kDeviceListCapacity = 30;
using DeviceList = std::array<DeviceListEntry, kDeviceListCapacity>;

// Fills the list from the device catalogue; the rest stays empty.
DeviceList BuildDeviceList();

// The entry of `modelValue`, or nullptr (also for 0).
const DeviceListEntry* FindDeviceListEntry(const DeviceList& list, int32_t modelValue);

std::u16string EntryName(const DeviceListEntry& entry);

}  // namespace app

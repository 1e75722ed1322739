#include "app/DeviceList.h"

#include <algorithm>

#include "config/DeviceCatalogue.h"

namespace app {

DeviceList BuildDeviceList() {
  DeviceList list{};
  const std::size_t count = std::min(config::DeviceCatalogue.size(), kDeviceListCapacity);
  for (std::size_t i = 0; i < count; ++i) {
    const config::tagVARNOK24G_UI_INFORMATION& device = config::DeviceCatalogue[i];
    list[i].modelValue = device.modelValue;
    // The catalogue's names are already cut to fit; copy within both fields
    // and keep a terminator whatever the stored name holds.
    const std::size_t units = std::min(std::size(device.name), std::size(list[i].name) - 1);
    std::copy_n(device.name, units, list[i].name);
    list[i].name[units] = u'\0';
  }
  return list;
}

const DeviceListEntry* FindDeviceListEntry(const DeviceList& list, int32_t modelValue) {
  if (modelValue == 0) return nullptr;
  for (const DeviceListEntry& entry : list)
    if (entry.modelValue == modelValue) return &entry;
  return nullptr;
}

std::u16string EntryName(const DeviceListEntry& entry) {
  const char16_t* end = std::find(entry.name, entry.name + std::size(entry.name), u'\0');
  return std::u16string(entry.name, end);
}

}  // namespace app

#pragma once

// Builders and resets for the configuration's process-wide records.

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "config/DeviceCatalogue.h"
#include "config/MacroStore.h"
#include "config/SettingsStore.h"
#include "macro/MacroList.h"

namespace testing_config {

// A catalogue record with the given button codes; counts follow the codes.
inline config::tagVARNOK24G_UI_INFORMATION MakeDevice(const std::u16string& name, int32_t modelValue,
                                                      uint32_t deviceType, std::initializer_list<uint8_t> mouse,
                                                      std::initializer_list<uint8_t> keys) {
  config::tagVARNOK24G_UI_INFORMATION device{};
  device.modelValue = modelValue;
  device.deviceType = deviceType;
  device.mouseButtonCount = static_cast<int32_t>(mouse.size());
  device.keyCount = static_cast<int32_t>(keys.size());
  std::size_t k = 0;
  for (uint8_t code : mouse) device.mouseButtons[k++].buttonCode = code;
  k = 0;
  for (uint8_t code : keys) device.keys[k++].buttonCode = code;
  std::memcpy(device.name, name.data(), std::min<std::size_t>(name.size(), 19) * sizeof(char16_t));
  return device;
}

inline void ResetConfiguration() {
  config::DeviceCatalogue.clear();
  config::DeviceSettingsList.clear();
  config::CurrentDevice = {};
  config::ActiveSettings = {};
  config::WorkingSettings = {};
  std::memset(&macro::TheMacroStore, 0, sizeof(macro::TheMacroStore));
  macro::TheMacroList.LoadMacroList();
}

template <class Record>
std::vector<uint8_t> BytesOf(const Record& record) {
  const auto* begin = reinterpret_cast<const uint8_t*>(&record);
  return std::vector<uint8_t>(begin, begin + sizeof(record));
}

}  // namespace testing_config

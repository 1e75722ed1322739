#include "config/DeviceCatalogue.h"

#include <algorithm>

namespace config {

std::vector<tagVARNOK24G_UI_INFORMATION> DeviceCatalogue;
tagVARNOK24G_UI_INFORMATION CurrentDevice{};

void SelectCurrentDevice(int32_t modelValue) {
  auto found = std::find_if(DeviceCatalogue.begin(), DeviceCatalogue.end(),
                            [modelValue](const tagVARNOK24G_UI_INFORMATION& d) { return d.modelValue == modelValue; });
  if (found != DeviceCatalogue.end()) CurrentDevice = *found;
}

std::u16string ModelName(const tagVARNOK24G_UI_INFORMATION& device) {
  const char16_t* begin = device.name;
  return std::u16string(begin, std::find(begin, begin + kDeviceTextUnits, u'\0'));
}

std::size_t UsedMouseButtons(const tagVARNOK24G_UI_INFORMATION& device) {
  return static_cast<std::size_t>(std::clamp<int32_t>(device.mouseButtonCount, 0, kMaxMouseButtons));
}

std::size_t UsedKeys(const tagVARNOK24G_UI_INFORMATION& device) {
  return static_cast<std::size_t>(std::clamp<int32_t>(device.keyCount, 0, kMaxKeys));
}

}  // namespace config

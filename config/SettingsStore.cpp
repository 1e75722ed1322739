#include "config/SettingsStore.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "config/DeviceCatalogue.h"
#include "config/MacroStore.h"
#include "platform/Registry.h"
#include "text/NumberText.h"

namespace config {

tagVARNOK24G_DATA_ ActiveSettings{};
tagVARNOK24G_DATA_ WorkingSettings{};
std::vector<tagVARNOK24G_DATA_> DeviceSettingsList;

namespace {

using platform::ScopedRegistryKey;

platform::Registry& Registry() { return platform::Service<platform::Registry>::Get(); }

// Reads a binary value of at most `size` bytes into `out`. A shorter value is
// taken as the start of the record with the rest zero; a longer one, one of
// another type or a missing one leaves `out` untouched. The value is read
// into a buffer of its own because the system may have written part of a
// value that did not fit before it reported so.
bool ReadBinaryValue(const ScopedRegistryKey& key, const std::u16string& name, void* out, std::size_t size,
                     uint32_t* storedSize = nullptr) {
  std::vector<uint8_t> buffer(size);
  uint32_t type = platform::kRegNone;
  uint32_t stored = 0;
  if (!Registry().QueryValue(key.get(), name, type, buffer.data(), static_cast<uint32_t>(size), stored))
    return false;
  if (type != platform::kRegBinary || stored > size) return false;
  std::memset(out, 0, size);
  std::memcpy(out, buffer.data(), stored);
  if (storedSize) *storedSize = stored;
  return true;
}

void WriteBinaryValue(const ScopedRegistryKey& key, const std::u16string& name, const void* data,
                      std::size_t size) {
  if (key) Registry().SetValue(key.get(), name, platform::kRegBinary, data, static_cast<uint32_t>(size));
}

void FillMouseDefaults(const tagVARNOK24G_UI_INFORMATION& device, tagVARNOK24G_DATA_& record) {
  uint8_t codes[kMaxMouseButtons] = {};
  const std::size_t count = UsedMouseButtons(device);
  for (std::size_t k = 0; k < count; ++k) codes[k] = device.mouseButtons[k].buttonCode;
  FillDefaultAssignments(record.mouseAssignments, kMaxMouseButtons, codes, count);
}

void FillKeyDefaults(const tagVARNOK24G_UI_INFORMATION& device, tagVARNOK24G_DATA_& record) {
  uint8_t codes[kMaxKeys] = {};
  const std::size_t count = UsedKeys(device);
  for (std::size_t k = 0; k < count; ++k) codes[k] = device.keys[k].buttonCode;
  FillDefaultAssignments(record.keyAssignments, kMaxKeys, codes, count);
}

tagVARNOK24G_DATA_* FindListedSettings(int32_t modelValue) {
  auto found = std::find_if(DeviceSettingsList.begin(), DeviceSettingsList.end(),
                            [modelValue](const tagVARNOK24G_DATA_& r) { return r.modelValue == modelValue; });
  return found == DeviceSettingsList.end() ? nullptr : &*found;
}

void LoadMacroStore() {
  macro::MacroStore& store = macro::TheMacroStore;
  ScopedRegistryKey key;
  if (key.Open(kMacroKey) && ReadBinaryValue(key, kMacroValue, &store, sizeof(store))) return;
  // Nothing usable is stored: start with no macros and store that.
  std::memset(&store, 0, sizeof(store));
  if (!key) key.OpenOrCreate(kMacroKey);
  WriteBinaryValue(key, kMacroValue, &store, sizeof(store));
}

}  // namespace

std::size_t UsedMouseAssignments(const tagVARNOK24G_DATA_& settings) {
  return static_cast<std::size_t>(std::clamp<int32_t>(settings.mouseButtonCount, 0, kMaxMouseButtons));
}

std::size_t UsedKeyAssignments(const tagVARNOK24G_DATA_& settings) {
  return static_cast<std::size_t>(std::clamp<int32_t>(settings.keyCount, 0, kMaxKeys));
}

std::u16string SettingsKeyPath(const std::u16string& modelName) {
  // The key path lives in a buffer of 260 units wherever it is kept.
  return (kSettingsRoot + modelName).substr(0, 259);
}

int32_t ReadWheelScrollLines() {
  ScopedRegistryKey key;
  if (!key.Open(u"Control Panel\\Desktop")) return 0;
  char16_t text[260] = {};
  uint32_t type = platform::kRegNone;
  uint32_t size = 0;
  if (!Registry().QueryValue(key.get(), u"WheelScrollLines", type, text, sizeof(text), size)) return 0;
  if (type != platform::kRegSz && type != platform::kRegExpandSz) return 0;
  // Only a properly terminated string is read; anything else could run off
  // the end of what was stored.
  if (size != 0 && (size % 2 != 0 || text[size / 2 - 1] != u'\0')) return 0;
  return text::ParseDecimal(std::u16string_view(text));
}

bool ReadStoredSettings(const std::u16string& keyPath, tagVARNOK24G_DATA_& record, uint32_t& storedSize) {
  ScopedRegistryKey key;
  return key.Open(keyPath) && ReadBinaryValue(key, kSettingsValue, &record, sizeof(record), &storedSize);
}

void RewriteStoredSettings(const std::u16string& keyPath, const tagVARNOK24G_DATA_& record, uint32_t storedSize) {
  ScopedRegistryKey key;
  if (key.Open(keyPath))
    WriteBinaryValue(key, kSettingsValue, &record, std::min<std::size_t>(storedSize, sizeof(record)));
}

void MakeDefaultSettings(std::size_t catalogueIndex, tagVARNOK24G_DATA_& record) {
  if (catalogueIndex >= DeviceCatalogue.size()) return;
  const tagVARNOK24G_UI_INFORMATION& device = DeviceCatalogue[catalogueIndex];
  record.modelValue = device.modelValue;
  record.deviceType = static_cast<uint8_t>(device.deviceType & 0xFF);
  record.mouseButtonCount = static_cast<int32_t>(UsedMouseButtons(device));
  record.keyCount = static_cast<int32_t>(UsedKeys(device));
  if (HasMouse(record.deviceType)) FillMouseDefaults(device, record);
  if (HasKeyboard(record.deviceType)) FillKeyDefaults(device, record);
  record.wheelScrollLines = ReadWheelScrollLines();
  record.scrollSetting = 3;
}

void LoadAllSettings() {
  DeviceSettingsList.clear();
  for (std::size_t i = 0; i < DeviceCatalogue.size(); ++i) {
    tagVARNOK24G_DATA_ record{};
    ScopedRegistryKey key;
    const bool loaded =
        key.Open(SettingsKeyPath(ModelName(DeviceCatalogue[i]))) &&
        ReadBinaryValue(key, kSettingsValue, &record, sizeof(record));
    if (!loaded) {
      record = tagVARNOK24G_DATA_{};
      MakeDefaultSettings(i, record);
      if (!key) key.OpenOrCreate(SettingsKeyPath(ModelName(DeviceCatalogue[i])));
      WriteBinaryValue(key, kSettingsValue, &record, sizeof(record));
    }
    DeviceSettingsList.push_back(record);
  }
  LoadMacroStore();
}

void SelectCurrentSettings(int32_t modelValue) {
  if (const tagVARNOK24G_DATA_* listed = FindListedSettings(modelValue)) ActiveSettings = *listed;
}

bool ApplySettings(const std::u16string& settingsKeyPath, int32_t currentModelValue, const MaskSender& sendMasks,
                   UserMessages& messages) {
  const tagVARNOK24G_DATA_ previous = ActiveSettings;
  ActiveSettings = WorkingSettings;
  // The masks are built from ActiveSettings, so the new record must be in
  // place before they are sent; a refusal undoes it.
  if (!sendMasks || !sendMasks()) {
    ActiveSettings = previous;
    messages.ShowMessage(kApplyRefusedText, kWarningCaption);
    return false;
  }
  StoreCurrentSettings(settingsKeyPath, currentModelValue);
  return true;
}

void StoreCurrentSettings(const std::u16string& settingsKeyPath, int32_t currentModelValue) {
  {
    ScopedRegistryKey key;
    key.OpenOrCreate(settingsKeyPath);
    WriteBinaryValue(key, kSettingsValue, &ActiveSettings, sizeof(ActiveSettings));
  }
  {
    ScopedRegistryKey key;
    key.OpenOrCreate(kMacroKey);
    WriteBinaryValue(key, kMacroValue, &macro::TheMacroStore, sizeof(macro::TheMacroStore));
  }
  if (tagVARNOK24G_DATA_* listed = FindListedSettings(currentModelValue)) *listed = ActiveSettings;
}

void ReloadSettings(const std::u16string& settingsKeyPath) {
  ScopedRegistryKey key;
  if (key.Open(settingsKeyPath)) ReadBinaryValue(key, kSettingsValue, &ActiveSettings, sizeof(ActiveSettings));
  if (key.Open(kMacroKey))
    ReadBinaryValue(key, kMacroValue, &macro::TheMacroStore, sizeof(macro::TheMacroStore));
}

void RestoreDefaultSettings(int32_t currentModelValue, uint8_t deviceType, const MaskSender& sendMasks) {
  ActiveSettings = tagVARNOK24G_DATA_{};
  ActiveSettings.modelValue = currentModelValue;
  ActiveSettings.deviceType = deviceType;
  if (HasMouse(deviceType)) {
    ActiveSettings.mouseButtonCount = static_cast<int32_t>(UsedMouseButtons(CurrentDevice));
    FillMouseDefaults(CurrentDevice, ActiveSettings);
    WorkingSettings = ActiveSettings;
  }
  if (HasKeyboard(deviceType)) {
    ActiveSettings.keyCount = static_cast<int32_t>(UsedKeys(CurrentDevice));
    FillKeyDefaults(CurrentDevice, ActiveSettings);
    WorkingSettings = ActiveSettings;
  }
  // The scroll values go into the applied record only; the pages' copy keeps
  // zeros there, as it always has.
  ActiveSettings.wheelScrollLines = ReadWheelScrollLines();
  ActiveSettings.scrollSetting = 3;
  if (sendMasks) sendMasks();
}

}  // namespace config

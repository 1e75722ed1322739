// Treats arbitrary bytes as what the registry holds for a model's settings
// and for the macros, and runs everything that reads those records: loading,
// labels, the macro list with its in-use checks and renumbering, apply and
// reload. Stored records come from outside the program, so no count, index
// or unterminated text in them may lead a read or write past a record.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "config/DeviceCatalogue.h"
#include "config/FunctionLabel.h"
#include "config/MacroStore.h"
#include "config/SettingsStore.h"
#include "macro/MacroList.h"
#include "platform/MemoryRegistry.h"

namespace {

struct IgnoredMessages : config::UserMessages {
  void ShowMessage(const std::u16string&, const std::u16string&) override {}
};

// The first byte chooses the value types; the rest is split between the
// settings value and the macro value.
void StoreInput(platform::MemoryRegistry& registry, const uint8_t* data, size_t size) {
  if (size == 0) return;
  const uint8_t flags = data[0];
  ++data;
  --size;
  const size_t split = size / 2;
  const uint32_t settingsType = (flags & 1) ? platform::kRegSz : platform::kRegBinary;
  const uint32_t macroType = (flags & 2) ? platform::kRegSz : platform::kRegBinary;
  std::vector<uint8_t> settings(data, data + split);
  std::vector<uint8_t> macros(data + split, data + size);
  // Large stored counts are the interesting case; let small inputs reach them.
  if (flags & 4) settings.resize(sizeof(config::tagVARNOK24G_DATA_), 0xFF);
  if (flags & 8) macros.resize(sizeof(macro::MacroStore), 0xFF);
  registry.PutValue(u"Software\\Varnok\\VN24G\\Model", config::kSettingsValue, settingsType, settings);
  registry.PutValue(config::kMacroKey, config::kMacroValue, macroType, macros);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::MemoryRegistry registry;
  platform::ScopedService<platform::Registry> keys(registry);
  StoreInput(registry, data, size);

  config::tagVARNOK24G_UI_INFORMATION device{};
  device.modelValue = 0x9080;
  device.deviceType = 3;
  device.mouseButtonCount = 15;
  device.keyCount = 20;
  std::memcpy(device.name, u"Model", 5 * sizeof(char16_t));
  config::DeviceCatalogue.assign(1, device);
  config::CurrentDevice = device;
  std::memset(&macro::TheMacroStore, 0, sizeof(macro::TheMacroStore));

  config::LoadAllSettings();
  config::ActiveSettings = config::DeviceSettingsList[0];
  config::WorkingSettings = config::ActiveSettings;
  for (const auto& record : config::ActiveSettings.mouseAssignments) config::FunctionLabel(&record);
  for (const auto& record : config::ActiveSettings.keyAssignments) config::FunctionLabel(&record);

  IgnoredMessages messages;
  macro::MacroList list;
  list.LoadMacroList();
  for (size_t i = 0; i < list.Count(); ++i) {
    list.IsMacroInUse(i);
    list.SetEventDelay(i, macro::UsedEventCount(*list.Macro(i)) - 1, 5);
    macro::MacroName(*list.Macro(i));
  }
  if (list.Count() > 0) list.DeleteMacro(0, messages);
  list.AddMacro(messages);
  list.SaveMacros();

  config::ApplySettings(u"Software\\Varnok\\VN24G\\Model", 0x9080, [] { return true; }, messages);
  config::ReloadSettings(u"Software\\Varnok\\VN24G\\Model");

  config::DeviceCatalogue.clear();
  config::DeviceSettingsList.clear();
  return 0;
}

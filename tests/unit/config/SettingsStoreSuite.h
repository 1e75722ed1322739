#pragma once

// Settings-store behaviour that depends on how the registry answers. The
// cases are written once and run against every registry: natively against
// the in-memory one, and under Windows against the real one.
//
// An environment type provides:
//   void Reset();  remove everything the cases write
//   void Put(path, name, type, bytes);
//   std::optional<StoredValue> Get(path, name);
//   bool KeyExists(path);

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "config/DeviceCatalogue.h"
#include "config/FunctionCodes.h"
#include "config/MacroStore.h"
#include "config/SettingsStore.h"
#include "fakes/ConfigFixtures.h"
#include "fakes/RecordingMessages.h"
#include "macro/MacroList.h"
#include "platform/Registry.h"

namespace settings_suite {

struct StoredValue {
  uint32_t type = 0;
  std::vector<uint8_t> bytes;
};

using config::tagVARNOK24G_DATA_;
using testing_config::BytesOf;
using testing_config::MakeDevice;

inline const std::u16string kMouseKey = u"Software\\Varnok\\VN24G\\Test Mouse";
inline const std::u16string kComboKey = u"Software\\Varnok\\VN24G\\Test Combo";
inline const std::u16string kDesktopKey = u"Control Panel\\Desktop";

inline tagVARNOK24G_DATA_ RecordFrom(const std::vector<uint8_t>& bytes) {
  tagVARNOK24G_DATA_ record{};
  std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof(record)));
  return record;
}

inline std::vector<uint8_t> Utf16Bytes(const std::u16string& text, bool terminated) {
  std::vector<uint8_t> bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  if (terminated) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

template <class Env>
class SettingsStoreSuite : public ::testing::Test {
 protected:
  void SetUp() override {
    env.Reset();
    testing_config::ResetConfiguration();
    // A mouse (left, right, middle, fourth, wheel) and a mouse-and-keyboard set.
    config::DeviceCatalogue.push_back(MakeDevice(u"Test Mouse", 0x9010, 1, {1, 2, 3, 5, 9}, {}));
    config::DeviceCatalogue.push_back(MakeDevice(u"Test Combo", 0x9080, 3, {1, 2, 3}, {96, 97, 110}));
  }
  void TearDown() override {
    env.Reset();
    testing_config::ResetConfiguration();
  }

  tagVARNOK24G_DATA_ Stored(const std::u16string& key) {
    auto value = env.Get(key, config::kSettingsValue);
    EXPECT_TRUE(value.has_value());
    if (!value) return {};
    EXPECT_EQ(value->type, platform::kRegBinary);
    EXPECT_EQ(value->bytes.size(), sizeof(tagVARNOK24G_DATA_));
    return RecordFrom(value->bytes);
  }

  Env env;
};

TYPED_TEST_SUITE_P(SettingsStoreSuite);

TYPED_TEST_P(SettingsStoreSuite, RegistryOpensOnlyExistingKeysAndRefusesValuesThatDoNotFit) {
  platform::Registry& registry = platform::Service<platform::Registry>::Get();
  platform::RegistryKey key = 0;
  EXPECT_FALSE(registry.OpenKey(kMouseKey, platform::kRegistryAccess, key));
  ASSERT_TRUE(registry.CreateKey(kMouseKey, platform::kRegistryAccess, key));
  const uint8_t data[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_TRUE(registry.SetValue(key, u"Probe", platform::kRegBinary, data, sizeof(data)));
  registry.CloseKey(key);

  // Names are matched without regard to case, as the system does.
  ASSERT_TRUE(registry.OpenKey(u"SOFTWARE\\varnok\\VN24G\\test mouse", platform::kRegistryAccess, key));
  uint8_t buffer[8] = {};
  uint32_t type = 0, size = 0;
  EXPECT_FALSE(registry.QueryValue(key, u"Probe", type, buffer, 5, size));
  ASSERT_TRUE(registry.QueryValue(key, u"PROBE", type, buffer, sizeof(buffer), size));
  EXPECT_EQ(type, platform::kRegBinary);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(buffer[5], 6);
  EXPECT_FALSE(registry.QueryValue(key, u"Missing", type, buffer, sizeof(buffer), size));
  registry.CloseKey(key);
}

TYPED_TEST_P(SettingsStoreSuite, MissingKeysAreCreatedWithDefaultRecords) {
  this->env.Put(kDesktopKey, u"WheelScrollLines", platform::kRegSz, Utf16Bytes(u"7", true));
  config::LoadAllSettings();

  ASSERT_EQ(config::DeviceSettingsList.size(), 2u);
  const tagVARNOK24G_DATA_ mouse = this->Stored(kMouseKey);
  EXPECT_EQ(std::memcmp(&mouse, &config::DeviceSettingsList[0], sizeof(mouse)), 0);
  EXPECT_EQ(mouse.modelValue, 0x9010);
  EXPECT_EQ(mouse.deviceType, 1);
  EXPECT_EQ(mouse.mouseButtonCount, 5);
  const uint8_t codes[] = {1, 2, 3, 5, 9};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(mouse.mouseAssignments[k].buttonIndex, k);
    EXPECT_EQ(mouse.mouseAssignments[k].functionCode, codes[k]);
  }
  EXPECT_EQ(mouse.mouseAssignments[5].functionCode, 0);
  EXPECT_EQ(mouse.wheelScrollLines, 7);
  EXPECT_EQ(mouse.scrollSetting, 3);

  const tagVARNOK24G_DATA_ combo = this->Stored(kComboKey);
  EXPECT_EQ(combo.keyCount, 3);
  EXPECT_EQ(combo.keyAssignments[2].buttonIndex, 2);
  EXPECT_EQ(combo.keyAssignments[2].functionCode, 110);
  EXPECT_EQ(combo.mouseAssignments[2].functionCode, 3);

  // No macros stored: an empty store is written in their place.
  auto macros = this->env.Get(config::kMacroKey, config::kMacroValue);
  ASSERT_TRUE(macros.has_value());
  EXPECT_EQ(macros->type, platform::kRegBinary);
  EXPECT_EQ(macros->bytes, std::vector<uint8_t>(sizeof(macro::MacroStore), 0));
}

TYPED_TEST_P(SettingsStoreSuite, ShortStoredValueIsLoadedAsItIsAndKeptInTheRegistry) {
  std::vector<uint8_t> shortValue(100, 0);
  shortValue[0] = 0x10;  // modelValue 0x9010
  shortValue[1] = 0x90;
  shortValue[4] = 1;
  shortValue[8] = 2;                 // two mouse buttons
  shortValue[16 + 1] = 65;           // first mouse button: copy
  this->env.Put(kMouseKey, config::kSettingsValue, platform::kRegBinary, shortValue);

  config::LoadAllSettings();

  const tagVARNOK24G_DATA_& loaded = config::DeviceSettingsList[0];
  EXPECT_EQ(loaded.mouseButtonCount, 2);
  EXPECT_EQ(loaded.mouseAssignments[0].functionCode, 65);
  EXPECT_EQ(loaded.mouseAssignments[1].functionCode, 0);  // beyond the stored bytes: zero
  EXPECT_EQ(loaded.scrollSetting, 0);
  auto stored = this->env.Get(kMouseKey, config::kSettingsValue);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->bytes, shortValue);
}

TYPED_TEST_P(SettingsStoreSuite, UnusableStoredValuesAreReplacedByDefaults) {
  struct Case {
    const char* what;
    uint32_t type;
    std::size_t size;
  };
  const Case cases[] = {
      {"too long", platform::kRegBinary, 20000},
      {"text", platform::kRegSz, 200},
      {"number", platform::kRegDword, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    this->env.Reset();
    this->env.Put(kMouseKey, config::kSettingsValue, c.type, std::vector<uint8_t>(c.size, 0x41));
    config::LoadAllSettings();
    const tagVARNOK24G_DATA_ stored = this->Stored(kMouseKey);
    EXPECT_EQ(stored.modelValue, 0x9010);
    EXPECT_EQ(stored.mouseAssignments[3].functionCode, 5);
    EXPECT_EQ(config::DeviceSettingsList[0].mouseAssignments[3].functionCode, 5);
  }
}

TYPED_TEST_P(SettingsStoreSuite, StoredMacrosAreLoadedAndUnusableOnesReplaced) {
  macro::MacroStore store{};
  store.macroCount = 1;
  macro::SetMacroName(store.macros[0], u"Greeting");
  this->env.Put(config::kMacroKey, config::kMacroValue, platform::kRegBinary, BytesOf(store));
  config::LoadAllSettings();
  EXPECT_EQ(macro::TheMacroStore.macroCount, 1);
  EXPECT_EQ(macro::MacroName(macro::TheMacroStore.macros[0]), u"Greeting");

  this->env.Put(config::kMacroKey, config::kMacroValue, platform::kRegSz, Utf16Bytes(u"junk", true));
  config::LoadAllSettings();
  EXPECT_EQ(macro::TheMacroStore.macroCount, 0);
  EXPECT_EQ(macro::MacroName(macro::TheMacroStore.macros[0]), u"");
  auto rewritten = this->env.Get(config::kMacroKey, config::kMacroValue);
  ASSERT_TRUE(rewritten.has_value());
  EXPECT_EQ(rewritten->type, platform::kRegBinary);
  EXPECT_EQ(rewritten->bytes.size(), sizeof(macro::MacroStore));
}

TYPED_TEST_P(SettingsStoreSuite, RefusedApplyKeepsTheAppliedRecordAndStoresNothing) {
  config::LoadAllSettings();
  config::SelectCurrentSettings(0x9010);
  const tagVARNOK24G_DATA_ before = config::ActiveSettings;
  config::WorkingSettings = config::ActiveSettings;
  config::WorkingSettings.mouseAssignments[1].functionCode = config::FN_COPY;

  RecordingMessages messages;
  tagVARNOK24G_DATA_ seenByMasks{};
  const bool applied = config::ApplySettings(kMouseKey, 0x9010,
                                             [&] {
                                               seenByMasks = config::ActiveSettings;
                                               return false;
                                             },
                                             messages);
  EXPECT_FALSE(applied);
  // The masks were built from the new record, then it was taken back.
  EXPECT_EQ(seenByMasks.mouseAssignments[1].functionCode, config::FN_COPY);
  EXPECT_EQ(std::memcmp(&config::ActiveSettings, &before, sizeof(before)), 0);
  EXPECT_EQ(config::WorkingSettings.mouseAssignments[1].functionCode, config::FN_COPY);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, u"       Error code: 0x68       ");
  EXPECT_EQ(messages.shown[0].caption, u"Warning");
  EXPECT_EQ(this->Stored(kMouseKey).mouseAssignments[1].functionCode, 2);
  EXPECT_EQ(config::DeviceSettingsList[0].mouseAssignments[1].functionCode, 2);
}

TYPED_TEST_P(SettingsStoreSuite, AcceptedApplyStoresTheRecordForItsOwnModelOnly) {
  config::LoadAllSettings();
  const tagVARNOK24G_DATA_ comboBefore = this->Stored(kComboKey);
  config::SelectCurrentSettings(0x9010);
  config::WorkingSettings = config::ActiveSettings;
  config::WorkingSettings.mouseAssignments[1].functionCode = config::FN_COPY;

  RecordingMessages messages;
  EXPECT_TRUE(config::ApplySettings(kMouseKey, 0x9010, [] { return true; }, messages));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[1].functionCode, config::FN_COPY);
  EXPECT_EQ(this->Stored(kMouseKey).mouseAssignments[1].functionCode, config::FN_COPY);
  EXPECT_EQ(config::DeviceSettingsList[0].mouseAssignments[1].functionCode, config::FN_COPY);

  const tagVARNOK24G_DATA_ comboAfter = this->Stored(kComboKey);
  EXPECT_EQ(std::memcmp(&comboAfter, &comboBefore, sizeof(comboBefore)), 0);
  EXPECT_EQ(std::memcmp(&config::DeviceSettingsList[1], &comboBefore, sizeof(comboBefore)), 0);
}

TYPED_TEST_P(SettingsStoreSuite, CancelAfterRestoreBringsTheStoredRecordBack) {
  config::LoadAllSettings();
  config::SelectCurrentDevice(0x9080);
  config::SelectCurrentSettings(0x9080);
  config::WorkingSettings = config::ActiveSettings;
  config::WorkingSettings.keyAssignments[0].functionCode = config::FN_MUTE;
  RecordingMessages messages;
  ASSERT_TRUE(config::ApplySettings(kComboKey, 0x9080, [] { return true; }, messages));

  int masksSent = 0;
  config::RestoreDefaultSettings(0x9080, 3, [&] { return ++masksSent, true; });
  EXPECT_EQ(masksSent, 1);
  EXPECT_EQ(config::ActiveSettings.keyAssignments[0].functionCode, 96);
  EXPECT_EQ(config::WorkingSettings.keyAssignments[0].functionCode, 96);
  EXPECT_EQ(config::ActiveSettings.scrollSetting, 3);
  EXPECT_EQ(config::WorkingSettings.scrollSetting, 0);
  EXPECT_EQ(this->Stored(kComboKey).keyAssignments[0].functionCode, config::FN_MUTE);

  config::ReloadSettings(kComboKey);
  EXPECT_EQ(config::ActiveSettings.keyAssignments[0].functionCode, config::FN_MUTE);
}

TYPED_TEST_P(SettingsStoreSuite, ReloadKeepsTheRecordWhenTheStoredValueIsUnusable) {
  config::LoadAllSettings();
  config::SelectCurrentSettings(0x9010);
  config::ActiveSettings.mouseAssignments[0].functionCode = config::FN_PASTE;
  macro::TheMacroStore.macroCount = 2;
  const tagVARNOK24G_DATA_ before = config::ActiveSettings;

  struct Case {
    const char* what;
    uint32_t type;
    std::size_t settingsSize;
    std::size_t macroSize;
  };
  const Case cases[] = {
      {"too long", platform::kRegBinary, 20000, sizeof(macro::MacroStore) + 1},
      {"text", platform::kRegSz, 64, 64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    this->env.Put(kMouseKey, config::kSettingsValue, c.type, std::vector<uint8_t>(c.settingsSize, 0x41));
    this->env.Put(config::kMacroKey, config::kMacroValue, c.type, std::vector<uint8_t>(c.macroSize, 0x41));
    config::ReloadSettings(kMouseKey);
    EXPECT_EQ(std::memcmp(&config::ActiveSettings, &before, sizeof(before)), 0);
    EXPECT_EQ(macro::TheMacroStore.macroCount, 2);
  }
  // A model whose key is gone altogether.
  config::ReloadSettings(u"Software\\Varnok\\VN24G\\Nobody");
  EXPECT_EQ(std::memcmp(&config::ActiveSettings, &before, sizeof(before)), 0);
}

TYPED_TEST_P(SettingsStoreSuite, SavingMacrosWritesOnlyAnExistingKey) {
  RecordingMessages messages;
  macro::MacroList list;
  list.LoadMacroList();
  ASSERT_TRUE(list.AddMacro(messages));
  EXPECT_FALSE(list.SaveMacros());
  EXPECT_FALSE(this->env.KeyExists(config::kMacroKey));
  // Nothing changes before the macros are stored: the records would
  // otherwise be renumbered for macros the next start does not have.
  EXPECT_EQ(macro::TheMacroStore.macroCount, 0);

  config::LoadAllSettings();  // creates the key with an empty store
  list.LoadMacroList();
  ASSERT_TRUE(list.AddMacro(messages));
  ASSERT_TRUE(list.RenameMacro(0, u"Signature"));
  EXPECT_TRUE(list.SaveMacros());
  auto stored = this->env.Get(config::kMacroKey, config::kMacroValue);
  ASSERT_TRUE(stored.has_value());
  macro::MacroStore image{};
  ASSERT_EQ(stored->bytes.size(), sizeof(image));
  std::memcpy(&image, stored->bytes.data(), sizeof(image));
  EXPECT_EQ(image.macroCount, 1);
  EXPECT_EQ(macro::MacroName(image.macros[0]), u"Signature");
}

TYPED_TEST_P(SettingsStoreSuite, WheelScrollLinesIsReadOnlyFromWellFormedText) {
  struct Case {
    const char* what;
    uint32_t type;
    std::vector<uint8_t> bytes;
    int32_t expected;
  };
  const Case cases[] = {
      {"number", platform::kRegSz, Utf16Bytes(u"12", true), 12},
      {"expandable", platform::kRegExpandSz, Utf16Bytes(u"5 lines", true), 5},
      {"empty", platform::kRegSz, {}, 0},
      {"not a number", platform::kRegSz, Utf16Bytes(u"many", true), 0},
      {"unterminated", platform::kRegSz, Utf16Bytes(u"9", false), 0},
      {"odd size", platform::kRegSz, {'9', 0, 0}, 0},
      {"binary", platform::kRegBinary, Utf16Bytes(u"4", true), 0},
  };
  EXPECT_EQ(config::ReadWheelScrollLines(), 0);  // nothing there at all
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    this->env.Put(kDesktopKey, u"WheelScrollLines", c.type, c.bytes);
    EXPECT_EQ(config::ReadWheelScrollLines(), c.expected);
  }
}

REGISTER_TYPED_TEST_SUITE_P(SettingsStoreSuite, RegistryOpensOnlyExistingKeysAndRefusesValuesThatDoNotFit,
                            MissingKeysAreCreatedWithDefaultRecords,
                            ShortStoredValueIsLoadedAsItIsAndKeptInTheRegistry,
                            UnusableStoredValuesAreReplacedByDefaults, StoredMacrosAreLoadedAndUnusableOnesReplaced,
                            RefusedApplyKeepsTheAppliedRecordAndStoresNothing,
                            AcceptedApplyStoresTheRecordForItsOwnModelOnly,
                            CancelAfterRestoreBringsTheStoredRecordBack,
                            ReloadKeepsTheRecordWhenTheStoredValueIsUnusable, SavingMacrosWritesOnlyAnExistingKey,
                            WheelScrollLinesIsReadOnlyFromWellFormedText);

}  // namespace settings_suite

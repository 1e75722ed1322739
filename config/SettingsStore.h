#pragma once

// The settings records of all device models: one "ButtonSetting" registry
// value per model, a list in memory parallel to the catalogue, and the two
// copies of the current model's record that the program works with. The
// macro store's registry value is loaded and saved alongside.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/SettingsRecord.h"
#include "config/UserMessages.h"

namespace config {

// The applied record of the current model: what the buttons do now.
extern tagVARNOK24G_DATA_ ActiveSettings;
// The record the assignment pages edit until the user applies or cancels.
extern tagVARNOK24G_DATA_ WorkingSettings;
// One record per catalogue entry, in catalogue order.
extern std::vector<tagVARNOK24G_DATA_> DeviceSettingsList;

// Registry locations (under HKEY_LOCAL_MACHINE).
inline const std::u16string kSettingsRoot = u"Software\\Varnok\\VN24G\\";
inline const std::u16string kSettingsValue = u"ButtonSetting";
inline const std::u16string kMacroKey = u"Software\\Varnok\\VN24G\\24GMacro";
inline const std::u16string kMacroValue = u"MacroSetting";

// "Software\Varnok\VN24G\<model name>", the key of a model's settings.
std::u16string SettingsKeyPath(const std::u16string& modelName);

// Sends the interception masks for the present ActiveSettings; true when the
// driver accepted them. The main window passes its driver link here.
using MaskSender = std::function<bool()>;

// The text of the warning shown when the driver refuses an apply.
inline const std::u16string kApplyRefusedText = u"       Error code: 0x68       ";

// Fills `record` (all zero on entry) with the defaults of catalogue entry
// `catalogueIndex`: every button does what it does by itself.
void MakeDefaultSettings(std::size_t catalogueIndex, tagVARNOK24G_DATA_& record);

// Start-up: loads every catalogue model's record and the macro store from the
// registry, writing defaults where nothing usable is stored.
void LoadAllSettings();

// Copies the first listed record of `modelValue` into ActiveSettings; no
// match leaves ActiveSettings as it was.
void SelectCurrentSettings(int32_t modelValue);

// WorkingSettings becomes ActiveSettings and the masks are sent. When the
// driver refuses them the previous ActiveSettings comes back, the warning is
// shown and nothing is stored; otherwise the record and the macros are
// stored. Returns whether the settings were applied.
bool ApplySettings(const std::u16string& settingsKeyPath, int32_t currentModelValue, const MaskSender& sendMasks,
                   UserMessages& messages);

// Writes ActiveSettings and the macro store to the registry, and
// ActiveSettings into the first listed record of `currentModelValue`.
void StoreCurrentSettings(const std::u16string& settingsKeyPath, int32_t currentModelValue);

// Brings back the stored record and macro store after a cancelled edit.
// A missing or unusable stored value leaves the record in memory as it was.
void ReloadSettings(const std::u16string& settingsKeyPath);

// Gives every button of the current model (CurrentDevice) its own function
// again in ActiveSettings and WorkingSettings, then sends the masks. Nothing
// is stored: apply stores the result, cancel brings the stored record back.
void RestoreDefaultSettings(int32_t currentModelValue, uint8_t deviceType, const MaskSender& sendMasks);

// The record stored for the model whose key is `keyPath`, as start-up would
// read it: false when there is none usable. `storedSize` gets the length of
// the stored value; a shorter value leaves the rest of `record` zero.
bool ReadStoredSettings(const std::u16string& keyPath, tagVARNOK24G_DATA_& record, uint32_t& storedSize);

// Writes the first `storedSize` bytes of `record` back as the stored value of
// an existing key, keeping a short value as short as it was.
void RewriteStoredSettings(const std::u16string& keyPath, const tagVARNOK24G_DATA_& record, uint32_t storedSize);

// The system's "WheelScrollLines" setting, 0 when it cannot be read.
int32_t ReadWheelScrollLines();

}  // namespace config

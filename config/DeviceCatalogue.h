#pragma once

// What the program knows about each installed device model, read from the
// model files beside the program: VNType.ini lists the models, and each
// model's skins\<name>\DeviceSkn.xml describes its buttons.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/ButtonAssignment.h"

namespace config {

constexpr std::size_t kDeviceTextUnits = 20;  // model names and tips: 19 units and the terminator

struct DeviceRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};
static_assert(sizeof(DeviceRect) == 16, "record layout");

struct ButtonDescription {
  uint8_t buttonCode;  // identifies the button in driver events; its default function
  uint8_t reserved[3];
  DeviceRect pos;      // place on the device picture
  char16_t tips[kDeviceTextUnits];
};
static_assert(sizeof(ButtonDescription) == 60, "record layout");
static_assert(offsetof(ButtonDescription, buttonCode) == 0, "record layout");
static_assert(offsetof(ButtonDescription, pos) == 4, "record layout");
static_assert(offsetof(ButtonDescription, tips) == 20, "record layout");

struct tagVARNOK24G_UI_INFORMATION {
  int32_t modelValue;
  uint32_t deviceType;  // 1 mouse, 2 keyboard, 3 both
  int32_t mouseButtonCount;  // 0 to 15
  int32_t keyCount;          // 0 to 20
  ButtonDescription mouseButtons[kMaxMouseButtons];
  ButtonDescription keys[kMaxKeys];
  DeviceRect mouseMarks[kMaxMouseButtons];
  DeviceRect keyMarks[kMaxKeys];
  char16_t name[kDeviceTextUnits];
};
static_assert(sizeof(tagVARNOK24G_UI_INFORMATION) == 2716, "record layout");
static_assert(offsetof(tagVARNOK24G_UI_INFORMATION, modelValue) == 0, "record layout");
static_assert(offsetof(tagVARNOK24G_UI_INFORMATION, deviceType) == 4, "record layout");
static_assert(offsetof(tagVARNOK24G_UI_INFORMATION, mouseButtonCount) == 8, "record layout");
static_assert(offsetof(tagVARNOK24G_UI_INFORMATION, keyCount) == 12, "record layout");
static_assert(offsetof(tagVARNOK24G_UI_INFORMATION, mouseButtons) == 16, "record layout");
static_assert(offsetof(tagVARNOK24G_UI_INFORMATION, keys) == 916, "record layout");
static_assert(offsetof(tagVARNOK24G_UI_INFORMATION, mouseMarks) == 2116, "record layout");
static_assert(offsetof(tagVARNOK24G_UI_INFORMATION, keyMarks) == 2356, "record layout");
static_assert(offsetof(tagVARNOK24G_UI_INFORMATION, name) == 2676, "record layout");

// One record per model whose description loaded, in the order VNType.ini
// lists them.
extern std::vector<tagVARNOK24G_UI_INFORMATION> DeviceCatalogue;

// The record of the model in use; all zero until a model is selected.
extern tagVARNOK24G_UI_INFORMATION CurrentDevice;

// Reads `exeFolder`VNType.ini and every listed model's description into
// DeviceCatalogue. `exeFolder` ends with a backslash.
void LoadDeviceCatalogue(const std::u16string& exeFolder);

// Reads one DeviceSkn.xml and, when it describes a model, appends the model
// to DeviceCatalogue. Files that are missing, not well formed or without a
// device_type element add nothing.
void LoadDeviceDescription(const std::u16string& path);

// Reads one DeviceSkn.xml into `record` without adding it anywhere; false
// when the file describes no model.
bool ReadDeviceDescription(const std::u16string& path, tagVARNOK24G_UI_INFORMATION& record);

// Copies the first catalogue record of `modelValue` into CurrentDevice; when
// no record has it, CurrentDevice stays as it was.
void SelectCurrentDevice(int32_t modelValue);

// The model's name as text (stops at the field's end).
std::u16string ModelName(const tagVARNOK24G_UI_INFORMATION& device);

// Button counts of a description, never more than its arrays hold.
std::size_t UsedMouseButtons(const tagVARNOK24G_UI_INFORMATION& device);
std::size_t UsedKeys(const tagVARNOK24G_UI_INFORMATION& device);

}  // namespace config

#pragma once

// One device model's settings: the assignment of every programmable mouse
// button and keyboard key, the model's identity and two scroll values. The
// record is stored whole as the model's "ButtonSetting" registry value, so
// its layout is a storage format.

#include <cstddef>
#include <cstdint>

#include "config/ButtonAssignment.h"

namespace config {

#pragma pack(push, 1)
struct tagVARNOK24G_DATA_ {
  int32_t modelValue;
  uint8_t deviceType;  // 1 mouse, 2 keyboard, 3 both
  uint8_t reserved1[3];
  int32_t mouseButtonCount;
  int32_t keyCount;
  ButtonAssignment mouseAssignments[kMaxMouseButtons];
  ButtonAssignment keyAssignments[kMaxKeys];
  uint8_t reserved2[2];
  int32_t wheelScrollLines;  // the system's setting when the record was made
  int32_t scrollSetting;     // 3 when the record is made
};
#pragma pack(pop)

static_assert(sizeof(tagVARNOK24G_DATA_) == 18436, "stored layout");
static_assert(offsetof(tagVARNOK24G_DATA_, modelValue) == 0, "stored layout");
static_assert(offsetof(tagVARNOK24G_DATA_, deviceType) == 4, "stored layout");
static_assert(offsetof(tagVARNOK24G_DATA_, reserved1) == 5, "stored layout");
static_assert(offsetof(tagVARNOK24G_DATA_, mouseButtonCount) == 8, "stored layout");
static_assert(offsetof(tagVARNOK24G_DATA_, keyCount) == 12, "stored layout");
static_assert(offsetof(tagVARNOK24G_DATA_, mouseAssignments) == 16, "stored layout");
static_assert(offsetof(tagVARNOK24G_DATA_, keyAssignments) == 7906, "stored layout");
static_assert(offsetof(tagVARNOK24G_DATA_, reserved2) == 18426, "stored layout");
static_assert(offsetof(tagVARNOK24G_DATA_, wheelScrollLines) == 18428, "stored layout");
static_assert(offsetof(tagVARNOK24G_DATA_, scrollSetting) == 18432, "stored layout");

// Device types.
constexpr uint8_t kDeviceMouse = 1;
constexpr uint8_t kDeviceKeyboard = 2;
constexpr uint8_t kDeviceMouseAndKeyboard = 3;

inline bool HasMouse(uint8_t deviceType) {
  return deviceType == kDeviceMouse || deviceType == kDeviceMouseAndKeyboard;
}
inline bool HasKeyboard(uint8_t deviceType) {
  return deviceType == kDeviceKeyboard || deviceType == kDeviceMouseAndKeyboard;
}

// The counts of a stored record come from outside the program; these give
// how many entries of each array are in use, never more than the array has.
std::size_t UsedMouseAssignments(const tagVARNOK24G_DATA_& settings);
std::size_t UsedKeyAssignments(const tagVARNOK24G_DATA_& settings);

}  // namespace config

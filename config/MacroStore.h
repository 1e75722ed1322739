#pragma once

// Recorded macros. All macros of all devices live in one fixed-size image,
// stored whole as the registry value "MacroSetting"; an assignment names its
// macro by slot number.
//
// The image is a stored record like the settings record: the settings store
// loads and saves it and the assignment labels read it, so it sits with
// them, below macro/ (the editor's side). Its names keep the macro
// namespace they are known by.

#include <cstddef>
#include <cstdint>
#include <string>

namespace macro {

constexpr std::size_t kMaxMacros = 100;
constexpr std::size_t kEventSlots = 200;
constexpr std::size_t kMaxEvents = 199;  // the last event slot is never filled
constexpr std::size_t kMacroNameUnits = 260;

#pragma pack(push, 1)
struct MacroEvent {
  uint8_t vk;        // virtual key, or 0xC1/0xC2/0xC3 for the left/right/middle mouse button
  uint8_t released;  // 1 key up, 0 key down
  uint8_t reserved[2];
  int32_t delayMs;   // pause after this event
};

struct tagMACROINFO {
  int32_t recordDelays;
  int32_t loopEnabled;
  int32_t loopCount;
  uint16_t eventCount;
  uint8_t reserved[2];
  MacroEvent events[kEventSlots];
  char16_t macroName[kMacroNameUnits];  // NUL-terminated
};

struct MacroStore {
  tagMACROINFO macros[kMaxMacros];  // slots at and beyond macroCount are all zero
  int32_t macroCount;
};
#pragma pack(pop)

static_assert(sizeof(MacroEvent) == 8, "stored layout");
static_assert(offsetof(MacroEvent, vk) == 0, "stored layout");
static_assert(offsetof(MacroEvent, released) == 1, "stored layout");
static_assert(offsetof(MacroEvent, reserved) == 2, "stored layout");
static_assert(offsetof(MacroEvent, delayMs) == 4, "stored layout");

static_assert(sizeof(tagMACROINFO) == 2136, "stored layout");
static_assert(offsetof(tagMACROINFO, recordDelays) == 0, "stored layout");
static_assert(offsetof(tagMACROINFO, loopEnabled) == 4, "stored layout");
static_assert(offsetof(tagMACROINFO, loopCount) == 8, "stored layout");
static_assert(offsetof(tagMACROINFO, eventCount) == 12, "stored layout");
static_assert(offsetof(tagMACROINFO, reserved) == 14, "stored layout");
static_assert(offsetof(tagMACROINFO, events) == 16, "stored layout");
static_assert(offsetof(tagMACROINFO, macroName) == 1616, "stored layout");

static_assert(sizeof(MacroStore) == 213604, "stored layout");
static_assert(offsetof(MacroStore, macros) == 0, "stored layout");
static_assert(offsetof(MacroStore, macroCount) == 213600, "stored layout");

// The process-wide store: all zero (no macros) until the settings are loaded.
extern MacroStore TheMacroStore;

// Stored counts and names come from outside the program; these read them
// without ever going past the record.
std::size_t StoredMacroCount(const MacroStore& store);          // 0 to 100
std::size_t UsedEventCount(const tagMACROINFO& macro);          // 0 to 199
std::u16string MacroName(const tagMACROINFO& macro);            // stops at the field's end

// Writes the name cut to 259 units and zeroes the rest of the field.
void SetMacroName(tagMACROINFO& macro, const std::u16string& name);

// The macro in slot `index`, or nullptr for an index outside the store.
// Slots at or beyond the count are all zero in a well-kept store and play
// nothing.
const tagMACROINFO* MacroSlot(const MacroStore& store, std::size_t index);

}  // namespace macro

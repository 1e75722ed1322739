#pragma once

// What one programmable button or key does. The record is part of the stored
// settings value, so its layout is a storage format: it is copied, stored and
// loaded whole, byte for byte.

#include <cstddef>
#include <cstdint>
#include <string>

namespace config {

constexpr std::size_t kProgramPathUnits = 260;

#pragma pack(push, 1)
struct ButtonAssignment {
  uint8_t buttonIndex;      // own position in its array; written, never read
  uint8_t functionCode;     // a FunctionCode; the button's own code means "unchanged"
  uint8_t macroIndex;       // used by FN_MACRO
  uint8_t comboModifiers;   // used by FN_COMBINATION; modifier bits of codes/KeyCodes.h
  uint8_t comboKey1;        // virtual key, or 0xC1/0xC2/0xC3 for a mouse button (codes/KeyCodes.h), 0 none
  uint8_t comboKey2;        // same encoding as comboKey1
  char16_t programPath[kProgramPathUnits];  // used by FN_LAUNCH_PROGRAM, NUL-terminated
};
#pragma pack(pop)

static_assert(sizeof(ButtonAssignment) == 526, "stored layout");
static_assert(offsetof(ButtonAssignment, buttonIndex) == 0, "stored layout");
static_assert(offsetof(ButtonAssignment, functionCode) == 1, "stored layout");
static_assert(offsetof(ButtonAssignment, macroIndex) == 2, "stored layout");
static_assert(offsetof(ButtonAssignment, comboModifiers) == 3, "stored layout");
static_assert(offsetof(ButtonAssignment, comboKey1) == 4, "stored layout");
static_assert(offsetof(ButtonAssignment, comboKey2) == 5, "stored layout");
static_assert(offsetof(ButtonAssignment, programPath) == 6, "stored layout");

// Array capacities of the stored settings record.
constexpr std::size_t kMaxMouseButtons = 15;
constexpr std::size_t kMaxKeys = 20;

// The program path as text. Stored records come from outside the program, so
// a path that fills the whole field without a terminator is cut at the field.
std::u16string ProgramPath(const ButtonAssignment& assignment);

// Writes `path` into the record, cut to leave room for the terminator; the
// rest of the field is zeroed so no stale text survives behind it.
void SetProgramPath(ButtonAssignment& assignment, const std::u16string& path);

// The program's file name as the program shows it: what follows the path's
// last backslash, or the whole path when it has none.
std::u16string ProgramFileName(const std::u16string& path);

// Builds the "unchanged" array for a device: position i gets buttonIndex i and
// the i-th button code as its function; positions from `count` up to
// `capacity` are all zero, as are all other bytes.
void FillDefaultAssignments(ButtonAssignment* records, std::size_t capacity,
                            const uint8_t* buttonCodes, std::size_t count);

// Puts buttonIndex and functionCode of the first `count` positions back to
// their defaults and leaves every other field as it was (the page reset).
void ResetAssignmentFunctions(ButtonAssignment* records, const uint8_t* buttonCodes,
                              std::size_t count);

}  // namespace config

#pragma once

// The buttons that play macros. An assignment names its macro by position in
// the one store all models share, so a macro may be played by any model's
// buttons, and every record that names macros must follow when macros move:
// the current model's applied and edited records, every model's record in
// the settings list, and every model's stored record, which Cancel, the next
// start and a model switch bring back.

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/FunctionCodes.h"
#include "config/SettingsRecord.h"
#include "config/MacroStore.h"

namespace macro {

// Calls `visit` with every used assignment of `settings` that plays a macro.
// Records beyond the record's button and key counts are no assignments.
template <class Record, class Visit>
void ForEachMacroAssignment(Record& settings, Visit visit) {
  const std::size_t mice = config::UsedMouseAssignments(settings);
  const std::size_t keys = config::UsedKeyAssignments(settings);
  for (std::size_t k = 0; k < mice; ++k)
    if (settings.mouseAssignments[k].functionCode == config::FN_MACRO) visit(settings.mouseAssignments[k]);
  for (std::size_t k = 0; k < keys; ++k)
    if (settings.keyAssignments[k].functionCode == config::FN_MACRO) visit(settings.keyAssignments[k]);
}

// Whether a button of any model, applied, being edited or stored, plays the
// macro in store slot `slot`.
bool IsMacroSlotAssigned(std::size_t slot);

// Where each store slot has moved: the new position, or -1 for a slot whose
// macro is gone (or that held none).
using MacroMoves = std::array<int32_t, kMaxMacros>;

// Makes every record above name the macros at their new positions; stored
// records are rewritten where they changed. Assignments of gone slots keep
// their number.
void MoveMacroAssignments(const MacroMoves& moves);

}  // namespace macro

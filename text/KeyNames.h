#pragma once

// Display texts of keys, key combinations and button assignments, as the
// assignment pages, the macro editor and the dialogs show them. Key names are
// fixed English texts; function labels come from the language file.

#include <cstdint>
#include <string>

#include "config/ButtonAssignment.h"

namespace text {

// The name of a virtual key (or of 0xC1/0xC2/0xC3, the mouse buttons of a
// combination). Keys without a fixed name are named by the character they
// type in the current keyboard layout with no modifier held, upper-cased for
// letters; a key that types nothing has the empty name.
std::u16string KeyName(uint8_t code);

// "Ctrl+Alt+S": the modifiers of `modifiers` (bit 0 Ctrl, bit 2 Alt, bit 1
// Shift, bit 3 Win, shown in that order), then the two keys when not 0.
std::u16string CombinationText(uint8_t modifiers, uint8_t key1, uint8_t key2);

// The label shown beside a button: the combination, the macro's name or the
// program's file name for the functions that carry one, else the language
// text of the function code; empty for no record and for codes without a
// label.
std::u16string FunctionLabel(const config::ButtonAssignment* record);

}  // namespace text

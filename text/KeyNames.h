#pragma once

// Display texts of keys and key combinations, as the assignment pages, the
// macro editor and the dialogs show them: fixed English texts, whatever the
// language file. The labels of whole assignments are config/FunctionLabel.h.

#include <cstdint>
#include <string>

namespace text {

// The name of a virtual key (or of 0xC1/0xC2/0xC3, the mouse buttons of a
// combination). Keys without a fixed name are named by the character they
// type in the current keyboard layout with no modifier held, upper-cased for
// letters; a key that types nothing has the empty name.
std::u16string KeyName(uint8_t code);

// "Ctrl+Alt+S": the modifiers of `modifiers` (bit 0 Ctrl, bit 2 Alt, bit 1
// Shift, bit 3 Win, shown in that order), then the two keys when not 0.
std::u16string CombinationText(uint8_t modifiers, uint8_t key1, uint8_t key2);

}  // namespace text

#pragma once

// Plays the key combination a button was given: its modifiers held while its
// one or two keys are tapped in turn.

#include <cstdint>

namespace actions {

// Modifier bits of a stored combination. The high nibble repeats the low one
// (0x10 Ctrl, 0x20 Shift, 0x40 Alt, 0x80 Win); both count when played.
constexpr uint8_t kComboCtrl = 0x11;
constexpr uint8_t kComboShift = 0x22;
constexpr uint8_t kComboAlt = 0x44;
constexpr uint8_t kComboWin = 0x88;

// `combination` points at the record's three bytes: modifiers, first key,
// second key (a virtual key, 0xC1 to 0xC3 for a mouse button, 0 for none).
// Every key event is followed by a 50 ms pause; mouse-button events are not.
void PlayCombination(const uint8_t* combination);

}  // namespace actions

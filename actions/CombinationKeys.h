#pragma once

// Plays the key combination a button was given: its modifiers held while its
// one or two keys are tapped in turn.

#include <cstdint>

namespace actions {

// `combination` points at the record's three bytes: modifiers (the bits of
// codes/KeyCodes.h), first key, second key (a virtual key, 0xC1 to 0xC3 for a
// mouse button, 0 for none).
// Every key event is followed by a 50 ms pause; mouse-button events are not.
void PlayCombination(const uint8_t* combination);

}  // namespace actions

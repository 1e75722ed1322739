#pragma once

// The program's own key codes, as the assignment record, the combination
// dialog, macro recording and playback, and the key names all read them.

#include <cstdint>

namespace codes {

// Codes that stand for mouse buttons among the virtual keys of a
// combination or a macro event.
constexpr uint8_t kLeftButtonCode = 0xC1;
constexpr uint8_t kRightButtonCode = 0xC2;
constexpr uint8_t kMiddleButtonCode = 0xC3;

// Modifier bits of a stored combination, as the combination dialog sets them
// and the combination text shows them.
constexpr uint8_t kComboCtrl = 0x01;
constexpr uint8_t kComboShift = 0x02;
constexpr uint8_t kComboAlt = 0x04;
constexpr uint8_t kComboWin = 0x08;

// Playing a combination also honours each modifier's bit four places higher
// (0x10 Ctrl, 0x20 Shift, 0x40 Alt, 0x80 Win); nothing sets those bits and
// the combination text does not show them.
constexpr uint8_t PlayedComboBits(uint8_t modifier) { return static_cast<uint8_t>(modifier | modifier << 4); }

}  // namespace codes

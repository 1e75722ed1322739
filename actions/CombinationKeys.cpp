#include "actions/CombinationKeys.h"

#include "actions/KeyStroke.h"
#include "codes/KeyCodes.h"

namespace actions {

namespace {

struct Modifier {
  uint8_t bits;
  uint8_t virtualKey;
};

// Pressed and released in this order, whatever order the combination's text
// shows them in.
constexpr Modifier kModifiers[] = {
    {codes::PlayedComboBits(codes::kComboCtrl), vk::kControl},
    {codes::PlayedComboBits(codes::kComboShift), vk::kShift},
    {codes::PlayedComboBits(codes::kComboAlt), vk::kMenu},
    {codes::PlayedComboBits(codes::kComboWin), vk::kLeftWin},
};

void StrokeModifiers(uint8_t modifiers, bool release) {
  for (const Modifier& modifier : kModifiers)
    if (modifiers & modifier.bits) StrokeKeyOrButton(modifier.virtualKey, release);
}

void TapKey(uint8_t key) {
  if (key == 0) return;
  StrokeKeyOrButton(key, false);
  StrokeKeyOrButton(key, true);
}

}  // namespace

void PlayCombination(const uint8_t* combination) {
  const uint8_t modifiers = combination[0];
  StrokeModifiers(modifiers, false);
  TapKey(combination[1]);
  TapKey(combination[2]);
  StrokeModifiers(modifiers, true);
}

}  // namespace actions

#pragma once

// What a function picked from the function menu does to a button's record.
// Three functions carry a parameter that a dialog asks for first; the
// dialog's answer comes in here as a value. An answer that gives nothing to
// carry out counts as a cancel and leaves the record exactly as it was,
// function code included. Any other function changes the code only: the
// parameters of an earlier choice stay in the record, unused.

#include <cstddef>
#include <cstdint>
#include <string>

#include "config/ButtonAssignment.h"

namespace config {

// Which dialog a picked function needs before it can be stored.
enum class PickParameter { None, Combination, Program, Macro };
PickParameter ParameterOf(uint8_t code);

// The combination-key dialog's answer (modifier bits and two keys).
struct CombinationChoice {
  uint8_t modifiers;
  uint8_t key1;
  uint8_t key2;
};

// Each returns whether the record changed.
bool StoreCombinationPick(ButtonAssignment& record, const CombinationChoice& choice);
bool StoreProgramPick(ButtonAssignment& record, const std::u16string& path);
bool StoreMacroPick(ButtonAssignment& record, int32_t macroIndex);
// A function without a parameter.
void StoreFunctionPick(ButtonAssignment& record, uint8_t code);

// True when giving `code` to button `selected` would leave none of the first
// `count` mouse buttons with the left click: the selected button is the
// only one that has it and `code` is something else. Such a pick is refused.
bool TakesLastLeftClick(const ButtonAssignment* records, std::size_t count, std::size_t selected, uint8_t code);

}  // namespace config

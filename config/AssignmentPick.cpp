#include "config/AssignmentPick.h"

#include "config/FunctionCodes.h"
#include "config/MacroStore.h"

namespace config {

PickParameter ParameterOf(uint8_t code) {
  switch (code) {
    case FN_COMBINATION:
      return PickParameter::Combination;
    case FN_LAUNCH_PROGRAM:
      return PickParameter::Program;
    case FN_MACRO:
      return PickParameter::Macro;
    default:
      return PickParameter::None;
  }
}

bool StoreCombinationPick(ButtonAssignment& record, const CombinationChoice& choice) {
  if (choice.modifiers == 0 && choice.key1 == 0 && choice.key2 == 0) return false;
  record.comboModifiers = choice.modifiers;
  record.comboKey1 = choice.key1;
  record.comboKey2 = choice.key2;
  record.functionCode = FN_COMBINATION;
  return true;
}

bool StoreProgramPick(ButtonAssignment& record, const std::u16string& path) {
  if (path.empty()) return false;
  SetProgramPath(record, path);
  record.functionCode = FN_LAUNCH_PROGRAM;
  return true;
}

bool StoreMacroPick(ButtonAssignment& record, int32_t macroIndex) {
  // -1 is the editor's "no macro"; an index outside the store would name no
  // macro either, and could not even be kept in the record's byte.
  if (macroIndex < 0 || macroIndex >= static_cast<int32_t>(macro::kMaxMacros)) return false;
  record.macroIndex = static_cast<uint8_t>(macroIndex);
  record.functionCode = FN_MACRO;
  return true;
}

void StoreFunctionPick(ButtonAssignment& record, uint8_t code) { record.functionCode = code; }

bool TakesLastLeftClick(const ButtonAssignment* records, std::size_t count, std::size_t selected, uint8_t code) {
  if (selected >= count || code == FN_LEFT_CLICK || records[selected].functionCode != FN_LEFT_CLICK) return false;
  for (std::size_t i = 0; i < count; ++i)
    if (i != selected && records[i].functionCode == FN_LEFT_CLICK) return false;
  return true;
}

}  // namespace config

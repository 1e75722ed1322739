#include "config/FunctionLabel.h"

#include "config/FunctionCodes.h"
#include "config/MacroStore.h"
#include "text/KeyNames.h"
#include "text/LabelTable.h"

namespace config {

std::u16string FunctionLabel(const ButtonAssignment* record) {
  if (!record) return std::u16string();
  switch (record->functionCode) {
    case FN_COMBINATION:
      return text::CombinationText(record->comboModifiers, record->comboKey1, record->comboKey2);
    case FN_MACRO: {
      // The index is a byte but the store has 100 slots.
      const macro::tagMACROINFO* slot = macro::MacroSlot(macro::TheMacroStore, record->macroIndex);
      return slot ? macro::MacroName(*slot) : std::u16string();
    }
    case FN_LAUNCH_PROGRAM:
      return ProgramFileName(ProgramPath(*record));
    default:
      break;
  }
  const char* key = FixedLabelKey(record->functionCode);
  return key ? Label(key) : std::u16string();
}

}  // namespace config

#include "app/PickHandler.h"

#include <algorithm>

#include "text/LabelTable.h"

namespace app {

PickOutcome PickHandler::Handle(config::tagVARNOK24G_DATA_& working, int32_t buttonCount, int32_t& selectedButton,
                                uint32_t pickLParam) {
  const int32_t capacity = static_cast<int32_t>(page_ == config::AssignmentPage::Mouse ? config::kMaxMouseButtons
                                                                                       : config::kMaxKeys);
  const int32_t count = std::clamp(buttonCount, 0, capacity);
  if (selectedButton < 0 || selectedButton >= count) return PickOutcome::Ignored;

  // The function code is a byte; the menu's upper bits name the category.
  const auto code = static_cast<uint8_t>(pickLParam & 0xFFFF);
  config::ButtonAssignment* records = config::PageRecords(working, page_);
  const auto selected = static_cast<std::size_t>(selectedButton);
  if (page_ == config::AssignmentPage::Mouse &&
      config::TakesLastLeftClick(records, static_cast<std::size_t>(count), selected, code)) {
    messages_.ShowMessage(Label("tc_msg1"), config::kWarningCaption);
    return PickOutcome::Refused;
  }
  // The parameter dialogs leave the window free to switch models meanwhile;
  // the working copy is then another model's record, which the answer must
  // not reach.
  const int32_t model = working.modelValue;
  const bool stored = StoreWithParameter(working, records[selected], code, model);
  if (working.modelValue != model) {
    selectedButton = -1;
    return PickOutcome::Dropped;
  }
  if (!stored) return PickOutcome::Cancelled;
  selectedButton = -1;
  return PickOutcome::Stored;
}

bool PickHandler::StoreWithParameter(const config::tagVARNOK24G_DATA_& working, config::ButtonAssignment& record,
                                     uint8_t code, int32_t model) {
  const auto sameModel = [&] { return working.modelValue == model; };
  switch (config::ParameterOf(code)) {
    case config::PickParameter::Combination: {
      config::CombinationChoice choice{};
      return dialogs_.ChooseCombination(record, choice) && sameModel() &&
             config::StoreCombinationPick(record, choice);
    }
    case config::PickParameter::Program: {
      std::u16string path;
      return dialogs_.ChooseProgram(config::ProgramPath(record), path) && sameModel() &&
             config::StoreProgramPick(record, path);
    }
    case config::PickParameter::Macro: {
      int32_t macroIndex = -1;
      return dialogs_.ChooseMacro(record.macroIndex, macroIndex) && sameModel() &&
             config::StoreMacroPick(record, macroIndex);
    }
    case config::PickParameter::None:
      break;
  }
  config::StoreFunctionPick(record, code);
  return true;
}

}  // namespace app

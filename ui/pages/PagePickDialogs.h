#pragma once

// The dialogs a page runs for the three functions that carry a parameter:
// the key combination, the program to launch and the macro. Each runs
// modally over the page and is pre-set from the button's record.

#include <string>

#include "app/PickHandler.h"
#include "ui/window/Window.h"

namespace ui {

class PagePickDialogs : public app::PickDialogs {
 public:
  // `page` owns the dialogs; `exeFolder` (ending in a backslash) holds the
  // skins and the libraries they load.
  PagePickDialogs(const Window& page, std::u16string exeFolder) : page_(page), exeFolder_(std::move(exeFolder)) {}

  bool ChooseCombination(const config::ButtonAssignment& record, config::CombinationChoice& choice) override;
  bool ChooseProgram(const std::u16string& currentPath, std::u16string& path) override;
  bool ChooseMacro(int32_t currentMacro, int32_t& macroIndex) override;

 private:
  const Window& page_;
  std::u16string exeFolder_;
};

}  // namespace ui

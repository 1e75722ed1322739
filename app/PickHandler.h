#pragma once

// What an assignment page does with a function picked from its function
// menu: refuses to take the left click from the last mouse button that has
// it, asks the parameter dialogs of the functions that need one, and writes
// the pick into the selected button's record of the page's working copy.
// The page window shows the outcome; the dialogs are behind PickDialogs.

#include <cstdint>
#include <string>

#include "config/AssignmentPick.h"
#include "config/PageAssignments.h"
#include "config/SettingsRecord.h"
#include "config/UserMessages.h"

namespace app {

// The three parameter dialogs, each run modally and pre-set from the
// button's record. False when the user did not end it with OK.
class PickDialogs {
 public:
  virtual ~PickDialogs() = default;
  virtual bool ChooseCombination(const config::ButtonAssignment& record, config::CombinationChoice& choice) = 0;
  virtual bool ChooseProgram(const std::u16string& currentPath, std::u16string& path) = 0;
  virtual bool ChooseMacro(int32_t currentMacro, int32_t& macroIndex) = 0;
};

enum class PickOutcome {
  Ignored,    // no button selected
  Refused,    // the last left click stays; the warning was shown
  Cancelled,  // a parameter dialog gave nothing to store
  Stored,     // the record changed; the page shows the working copy again
  Dropped,    // the model changed while the dialog was open; nothing stored
};

class PickHandler {
 public:
  PickHandler(config::AssignmentPage page, PickDialogs& dialogs, config::UserMessages& messages)
      : page_(page), dialogs_(dialogs), messages_(messages) {}

  // `pickLParam` is the menu message's lParam: its low 16 bits are the
  // function code. `buttonCount` is how many buttons the page shows. After
  // a stored or dropped pick `selectedButton` is -1; otherwise it stays.
  PickOutcome Handle(config::tagVARNOK24G_DATA_& working, int32_t buttonCount, int32_t& selectedButton,
                     uint32_t pickLParam);

 private:
  // Asks the function's dialog, if it has one, and stores its answer in
  // `record` unless `working` stopped being `model`'s record meanwhile.
  bool StoreWithParameter(const config::tagVARNOK24G_DATA_& working, config::ButtonAssignment& record, uint8_t code,
                          int32_t model);

  config::AssignmentPage page_;
  PickDialogs& dialogs_;
  config::UserMessages& messages_;
};

}  // namespace app

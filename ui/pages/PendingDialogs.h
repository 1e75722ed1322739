#pragma once

// The combination-key dialog and the program-launch dialog as the pages call
// them. Until those windows exist each answers as if the user had
// cancelled, so a pick of either function leaves the button as it was.

#include <windows.h>

#include <string>

#include "config/AssignmentPick.h"
#include "config/ButtonAssignment.h"

namespace ui {

// The combination for a button; true when the user ended with OK.
bool RunCombinationDialog(HWND owner, const config::ButtonAssignment& record, config::CombinationChoice& choice);
// The program a button launches; true when the user ended with OK.
bool RunProgramDialog(HWND owner, const std::u16string& exeFolder, const std::u16string& currentPath,
                      std::u16string& path);

}  // namespace ui

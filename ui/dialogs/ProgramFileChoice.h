#pragma once

// The system's file-open dialog, asking for the program a button starts.

#include <windows.h>

#include <string>

namespace ui {

// Shows the dialog over `owner`, offering executables. True with `path` set
// to the chosen full path when the user confirmed; false, `path` untouched,
// when the user cancelled.
bool ChooseProgramFile(HWND owner, std::u16string& path);

}  // namespace ui

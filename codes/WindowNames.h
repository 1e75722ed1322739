#pragma once

// Window names by which windows of the program are found from elsewhere:
// the editor dialogs carry them as their window text, and the main window
// finds the open ones by name to close them when the program ends.

namespace codes {

inline constexpr char16_t kCombinationDialogName[] = u"CDlgCombo";
inline constexpr char16_t kMacroEditorName[] = u"CDlgMacro";
inline constexpr char16_t kProgramLaunchDialogName[] = u"CDlgAutoStart";

inline constexpr const char16_t* kEditorWindowNames[] = {kCombinationDialogName, kMacroEditorName,
                                                         kProgramLaunchDialogName};

}  // namespace codes

#include "ui/pages/PagePickDialogs.h"

#include "ui/dialogs/DlgMacro.h"
#include "ui/pages/PendingDialogs.h"

namespace ui {

bool PagePickDialogs::ChooseCombination(const config::ButtonAssignment& record, config::CombinationChoice& choice) {
  return RunCombinationDialog(page_.Handle(), record, choice);
}

bool PagePickDialogs::ChooseProgram(const std::u16string& currentPath, std::u16string& path) {
  return RunProgramDialog(page_.Handle(), exeFolder_, currentPath, path);
}

bool PagePickDialogs::ChooseMacro(int32_t currentMacro, int32_t& macroIndex) {
  // The editor's owner is the main window, which the editor disables while
  // it runs; the page itself is a child.
  CDlgMacro editor(GetAncestor(page_.Handle(), GA_ROOT), exeFolder_, currentMacro);
  if (editor.DoModal() != IDOK) return false;
  macroIndex = editor.ChosenMacro();
  return true;
}

}  // namespace ui

#include "ui/pages/PagePickDialogs.h"

#include "ui/dialogs/DlgAutoStart.h"
#include "ui/dialogs/DlgCombo.h"
#include "ui/dialogs/DlgMacro.h"

namespace ui {

namespace {

// The dialogs' owner is the main window, which each disables while it runs;
// the page itself is a child and cannot own a popup.
HWND DialogOwner(const Window& page) { return GetAncestor(page.Handle(), GA_ROOT); }

}  // namespace

bool PagePickDialogs::ChooseCombination(const config::ButtonAssignment&, config::CombinationChoice& choice) {
  // The dialog starts empty: the user presses the whole combination anew.
  CDlgCombo dialog(DialogOwner(page_), exeFolder_);
  if (dialog.DoModal() != IDOK) return false;
  const actions::Combination& chosen = dialog.Chosen();
  choice = config::CombinationChoice{chosen.modifiers, chosen.key1, chosen.key2};
  return true;
}

bool PagePickDialogs::ChooseProgram(const std::u16string& currentPath, std::u16string& path) {
  CDlgAutoStart dialog(DialogOwner(page_), currentPath);
  if (dialog.DoModal() != IDOK) return false;
  path = dialog.Path();
  return true;
}

bool PagePickDialogs::ChooseMacro(int32_t currentMacro, int32_t& macroIndex) {
  CDlgMacro editor(DialogOwner(page_), exeFolder_, currentMacro);
  if (editor.DoModal() != IDOK) return false;
  macroIndex = editor.ChosenMacro();
  return true;
}

}  // namespace ui

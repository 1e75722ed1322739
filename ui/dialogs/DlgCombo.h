#pragma once

// The key-combination dialog: the user presses the keys a button is to send
// and the dialog shows them as "Ctrl+S"; OK hands the three combination
// bytes back to the caller. The keys are heard through the keyboard-hook
// library, loaded from the program's folder while the window is open;
// without it the dialog opens all the same and the combination stays empty.
//
// Enter, Esc, Space and Alt+F4 belong to the combination: they never press
// a button or close the window. Its window text is the name by which the
// main window finds it to close it when the program ends.

#include <string>

#include "actions/CombinationCapture.h"
#include "macro/KeyboardHookLibrary.h"
#include "ui/buttons/BitmapBtn.h"
#include "ui/window/SkinnedDialog.h"

namespace ui {

class CDlgCombo : public SkinnedDialog {
 public:
  // `programFolder` (ending in a separator) holds the hook library.
  CDlgCombo(HWND owner, const std::u16string& programFolder);

  // The combination as it stands: after OK, what the button is to send;
  // all zero when nothing was pressed.
  const actions::Combination& Chosen() const { return capture_.Current(); }

  // The part of the window redrawn when the combination changes.
  static constexpr RECT kCombinationArea = {25, 66, 325, 90};

  HWND OkButton() const { return ok_.Handle(); }
  HWND CancelButton() const { return cancel_.Handle(); }
  HWND CloseButton() const { return close_.Handle(); }

 protected:
  bool OnInitDialog() override;
  // Enter is a key of the combination, never the OK button.
  void OnOK() override {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG& msg) override;
  LRESULT OnDestroy() override;
  void PaintOver(HDC dc) override;

 private:
  std::u16string programFolder_;
  macro::KeyboardHookLibrary hook_;
  actions::CombinationCapture capture_;
  CBitmapBtn ok_, cancel_, close_;
};

}  // namespace ui

#pragma once

// The macro editor: the list of macros on the left, the selected macro's
// events on the right, and the buttons and boxes to make, name, record,
// change and delete macros, on the built-in macro skin. The window only
// shows; what the commands do is macro::MacroEditor's.
//
// The caller gives the macro of its button and, after OK, reads the macro
// chosen. The keyboard-hook library is loaded from the program's folder
// while the window is open. Enter, Esc and Space never close the window;
// while it records, no key reaches the window or its controls at all.

#include <array>
#include <cstdint>
#include <string>

#include "macro/KeyboardHookLibrary.h"
#include "macro/MacroEditor.h"
#include "macro/MacroEditorView.h"
#include "ui/PublicData.h"
#include "ui/buttons/BitmapBtn.h"
#include "ui/lists/ListBoxEx.h"
#include "ui/window/Controls.h"
#include "ui/window/SkinnedDialog.h"

namespace ui {

class CDlgMacro : public SkinnedDialog, public CPublicData, private macro::MacroEditorView {
 public:
  // `programFolder` (ending in a separator) holds the hook library and the
  // skins; `macroIndex` is the caller's button's macro.
  CDlgMacro(HWND owner, const std::u16string& programFolder, int32_t macroIndex);

  // The macro for the caller's button after OK; -1 for none.
  int32_t ChosenMacro() const { return editor_.ChosenMacro(); }

  static constexpr int kLoopCountId = 1000;
  static constexpr int kDelayId = 1001;
  static constexpr int kMacroListId = 256;
  static constexpr int kEventListId = 257;

  // The controls, for tests and tools that drive the window.
  HWND OkButton() const { return ok_.Handle(); }
  HWND CancelButton() const { return cancel_.Handle(); }
  HWND CloseButton() const { return close_.Handle(); }
  HWND NewButton() const { return new_.Handle(); }
  HWND DeleteButton() const { return delete_.Handle(); }
  HWND RecordButton() const { return record_.Handle(); }
  HWND LoopSwitch() const { return loopSwitch_.Handle(); }
  HWND DelaySwitch() const { return delaySwitch_.Handle(); }
  HWND ModifyButton() const { return modify_.Handle(); }
  HWND MouseButton(int index) const { return mouse_[static_cast<std::size_t>(index)].Handle(); }
  CListBoxEx& MacroList() { return macroList_; }
  CListBoxEx& EventList() { return eventList_; }
  const macro::MacroEditor& Editor() const { return editor_; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG& msg) override;
  LRESULT OnClose() override;
  LRESULT OnDestroy() override;
  void PaintOver(HDC dc) override;

 private:
  void CreateButtons();
  void CreateBoxes();
  void CreateLists();
  void Close(INT_PTR result);
  LRESULT OnBoxColor(HDC dc, HWND box);

  // MacroEditorView
  void SetMacroRows(const std::vector<std::u16string>& names) override;
  void AddMacroRow(const std::u16string& name) override;
  void SetMacroRowText(std::size_t row, const std::u16string& name) override;
  void RemoveMacroRow(std::size_t row) override;
  void SelectMacroRow(int32_t row) override;
  void ClearEventRows() override;
  void AddEventRow(const std::u16string& text, macro::RowKind kind) override;
  void SelectEventRow(int32_t row) override;
  void ShowLoop(bool on, const std::u16string& countText, bool countEnabled) override;
  void ShowDelaySwitch(bool on) override;
  void ShowRecording(bool recording) override;
  void PostHookKey(uint32_t virtualKey, uint32_t flags) override;
  void ShowMessage(const std::u16string& text, const std::u16string& caption) override;

  std::u16string programFolder_;
  int32_t macroIndex_;
  macro::KeyboardHookLibrary hook_;
  macro::MacroEditor editor_;

  CBitmapBtn ok_, cancel_, close_, new_, delete_, record_;
  CBitmapBtn loopSwitch_, loopCaption_, delaySwitch_, delayCaption_, modify_;
  std::array<CBitmapBtn, 3> mouse_;  // left, middle, right
  EditBox loopCount_, delay_;
  CListBoxEx macroList_, eventList_;
  Brush boxBrush_;
  // Set while the editor puts a text into the count box, which is no typing.
  bool settingCount_ = false;
};

}  // namespace ui

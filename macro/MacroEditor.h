#pragma once

// The macro editor's behaviour, apart from how it looks: the macro list and
// the selected macro's events as the window shows them, new, delete, rename,
// the loop and delay settings, the pause change, recording from the keyboard
// hook and the on-screen mouse buttons, and OK and Cancel. The editor works
// on the working list of macros; only OK writes the macros back.
//
// Recording: while it runs, every key the hook reports and every press of
// the on-screen mouse buttons is appended to the selected macro, with the
// pause before it when the delay switch is on. The keyboard is the macro's
// then: the window keeps every key away from its controls. Every command
// other than the record button, the two switches and the mouse buttons ends
// a recording first, and so do selecting another macro, OK and Cancel; a
// recording that ends with keys down gets their releases.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "macro/KeyboardHook.h"
#include "macro/KeysDown.h"
#include "macro/MacroEditorView.h"
#include "macro/MacroList.h"

namespace macro {

// Names typed into the macro list keep this many characters.
constexpr std::size_t kMacroNameEditLimit = 10;
// The delay box's value when the editor opens.
inline constexpr char16_t kDefaultPauseText[] = u"100";
// The longest pause "modify" gives an event: a macro holds the program's
// button handling for as long as it plays.
constexpr int32_t kMaxPauseMs = 60000;

// The name a macro gets from its name's edit, which opened holding
// `stored`: typing fills the edit up to kMacroNameEditLimit characters, and
// what the edit held from the start is never cut, so a name left as it was
// (a longer default name of another language, one stored by an earlier
// version) stays whole. The text is cut only past the longer of the two.
std::u16string RenamedName(const std::u16string& stored, const std::u16string& edited);

// The pause typed into the delay box: digits only, at most kMaxPauseMs.
// False for anything else.
bool ReadPause(std::u16string_view text, int32_t& milliseconds);

class MacroEditor {
 public:
  MacroEditor(MacroList& list, MacroEditorView& view, KeyboardHook& hook);

  // Loads the working list from the store and shows it; `macroIndex` (the
  // caller's button's macro) is selected when it names a macro.
  void Open(int32_t macroIndex);
  // The macro to give the caller's button after OK; -1 for none.
  int32_t ChosenMacro() const { return chosen_; }
  int32_t SelectedMacro() const { return selected_; }

  // --- commands
  void SelectMacro(int32_t row);
  void NewMacro();
  void DeleteMacro();
  // A name typed in place into row `row` (-1: the edit closed without a row).
  void RenameMacro(int32_t row, const std::u16string& text);
  void ToggleLoop();
  void LoopCountTyped(const std::u16string& text);
  void ToggleDelay();
  // Gives the pause of the selected event-list row, when it is a pause row,
  // the value of the delay box; a value ReadPause refuses is refused with
  // the language's "tc_macro_msg4" message.
  void ModifyPause(int32_t selectedEventRow, const std::u16string& delayText);
  // The record button.
  void Record();
  // OK stores the macros (true when the registry was written; otherwise
  // the user is warned and the editor stays as it was); Cancel and the
  // close button store nothing.
  bool Ok();
  void Cancel();

  // --- recording
  void StartRecording();
  void StopRecording();
  bool Recording() const { return recording_; }
  bool DelaySwitch() const { return delaySwitch_; }
  bool LoopSwitch() const { return loopSwitch_; }
  // One key reported by the hook: wParam the key code, lParam its flags
  // (0x80 released), `postedAt` the tick count when the report was posted.
  // Pauses are measured between the posting times, so an editor that is
  // busy for a moment does not shift time from one pause into the next.
  void OnHookKey(uintptr_t wParam, intptr_t lParam, uint32_t postedAt);
  // A press (released = false) or release of an on-screen mouse button,
  // named by its key code (codes/KeyCodes.h).
  void OnMouseButton(uint8_t buttonCode, bool released);
  // The rows the event list shows now.
  const std::vector<EventRow>& EventListRows() const { return eventRows_; }

 private:
  void ShowMacro(std::size_t index);
  void ShowNoMacro();
  void ShowLoopState(bool countEnabled);
  void AppendRow(const EventRow& row);
  // Appends one event to the macro being recorded and its row to the list.
  void AppendEvent(tagMACROINFO& macro, uint8_t code, bool released);
  void SetDelaySwitch(bool on);
  tagMACROINFO* SelectedEntry();

  MacroList& list_;
  MacroEditorView& view_;
  KeyboardHook& hook_;

  int32_t chosen_ = -1;
  int32_t selected_ = -1;
  bool loopSwitch_ = false;
  bool delaySwitch_ = false;
  std::u16string loopCountText_ = u"1";
  std::vector<EventRow> eventRows_;

  bool recording_ = false;
  KeysDown keysDown_;
  uintptr_t lastWParam_ = 0;
  intptr_t lastLParam_ = 0;
  uint32_t lastEventTime_ = 0;
};

}  // namespace macro

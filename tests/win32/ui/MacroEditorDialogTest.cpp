// The macro editor window on the program's skin, with the keyboard-hook
// library from the distribution folder: its layout, keys that must not close
// it, renaming in place, recording keys and the on-screen mouse buttons, and
// the keyboard belonging to the macro while it records: keys typed into a
// number box, Tab, the arrows and Alt+F4 are recorded and reach nothing.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "config/MacroStore.h"
#include "config/SettingsStore.h"
#include "fakes/ConfigFixtures.h"
#include "platform/MemoryRegistry.h"
#include "platform/WideText.h"
#include "platform/win32/WideString.h"
#include "text/LabelTable.h"
#include "ui/dialogs/DlgMacro.h"
#include "win32/DistFolder.h"
#include "win32/InputWatch.h"

namespace {

using uitest::ModalScript;
using uitest::PlaceIn;
using uitest::PumpUntil;

void Type(WORD vk) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = vk;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

// Alt held, F4 typed, Alt let go.
void TypeAltF4() {
  INPUT input[4] = {};
  const WORD keys[4] = {VK_MENU, VK_F4, VK_F4, VK_MENU};
  for (int i = 0; i < 4; ++i) {
    input[i].type = INPUT_KEYBOARD;
    input[i].ki.wVk = keys[i];
    input[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
  }
  SendInput(4, input, sizeof(INPUT));
}

std::vector<std::u16string> EventRows(ui::CDlgMacro& dialog) {
  std::vector<std::u16string> rows;
  for (int i = 0; i < dialog.EventList().Count(); ++i) rows.push_back(dialog.EventList().RowText(i));
  return rows;
}

class MacroEditorDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_config::ResetConfiguration();
    for (const char* key : {"tc_ok", "tc_cancel", "tc_macro_new", "tc_macro_del", "tc_macro_start", "tc_macro_end",
                            "tc_macro_loop", "tc_macro_delay", "tc_macro_modify", "tc_new_macro"})
      LabelTable::Instance().Set(LabelTable::IndexOf(key), platform::WidenAscii(key));
    registry.PutValue(config::kMacroKey, config::kMacroValue, platform::kRegBinary, {});
    for (int i = 0; i < 2; ++i)
      macro::SetMacroName(macro::TheMacroStore.macros[i], u"M" + platform::WidenAscii(std::to_string(i)));
    macro::TheMacroStore.macroCount = 2;
  }
  void TearDown() override {
    testing_config::ResetConfiguration();
    LabelTable::Instance().Clear();
  }

  platform::MemoryRegistry registry;
  platform::ScopedService<platform::Registry> installed{registry};
};

TEST_F(MacroEditorDialog, TakesTheSkinsSizeAndEveryControlItsPlaceWithTheMacrosFocused) {
  ui::CDlgMacro dialog(nullptr, wintest::DistFolder(), 0);
  RECT window = {};
  wchar_t title[32] = {};
  bool listHasFocus = false;
  std::vector<std::pair<const char*, RECT>> placed;
  ModalScript script(dialog, {[&] {
    GetWindowRect(dialog.Handle(), &window);
    listHasFocus = GetFocus() == dialog.MacroList().Handle();
    GetWindowTextW(dialog.Handle(), title, 32);
    const HWND d = dialog.Handle();
    placed = {{"OK", PlaceIn(d, dialog.OkButton())},
              {"Cancel", PlaceIn(d, dialog.CancelButton())},
              {"close", PlaceIn(d, dialog.CloseButton())},
              {"new", PlaceIn(d, dialog.NewButton())},
              {"delete", PlaceIn(d, dialog.DeleteButton())},
              {"record", PlaceIn(d, dialog.RecordButton())},
              {"loop switch", PlaceIn(d, dialog.LoopSwitch())},
              {"delay switch", PlaceIn(d, dialog.DelaySwitch())},
              {"modify", PlaceIn(d, dialog.ModifyButton())},
              {"left button", PlaceIn(d, dialog.MouseButton(0))},
              {"middle button", PlaceIn(d, dialog.MouseButton(1))},
              {"right button", PlaceIn(d, dialog.MouseButton(2))},
              {"loop count", PlaceIn(d, GetDlgItem(d, 1000))},
              {"delay", PlaceIn(d, GetDlgItem(d, 1001))},
              {"macro list", PlaceIn(d, GetDlgItem(d, 256))},
              {"event list", PlaceIn(d, GetDlgItem(d, 257))}};
    uitest::Click(dialog.CancelButton());
  }});
  script.Run();
  EXPECT_EQ(window.right - window.left, 450);
  EXPECT_EQ(window.bottom - window.top, 300);
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXFULLSCREEN) - 450) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYFULLSCREEN) - 300) / 2);
  EXPECT_STREQ(title, L"CDlgMacro");
  EXPECT_TRUE(listHasFocus) << "typing must not start in a number box";
  const std::vector<RECT> expected = {{283, 270, 343, 296}, {363, 270, 421, 296}, {415, 0, 441, 26},
                                      {17, 232, 72, 252},   {73, 232, 127, 252},  {291, 220, 431, 246},
                                      {292, 47, 304, 59},   {292, 69, 304, 81},   {292, 89, 359, 110},
                                      {322, 150, 353, 203}, {354, 150, 373, 203}, {374, 150, 405, 203},
                                      {365, 43, 416, 61},   {365, 90, 414, 110},  {18, 62, 127, 233},
                                      {138, 62, 282, 252}};
  ASSERT_EQ(placed.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_TRUE(EqualRect(&placed[i].second, &expected[i])) << placed[i].first;
}

TEST_F(MacroEditorDialog, EnterEscapeAndSpaceNeverCloseIt) {
  ui::CDlgMacro dialog(nullptr, wintest::DistFolder(), 0);
  bool openAfterKeys = false;
  ModalScript script(dialog, {[&] {
                                SetFocus(dialog.OkButton());
                                for (WPARAM key : {VK_SPACE, VK_RETURN, VK_ESCAPE}) {
                                  uitest::PostKey(dialog.OkButton(), key);
                                  uitest::PostKey(dialog.Handle(), key);
                                  uitest::PostKey(dialog.MacroList().Handle(), key);
                                }
                              },
                              [&] { openAfterKeys = IsWindowVisible(dialog.Handle()) && dialog.IsModal(); },
                              [&] { PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0); }});
  EXPECT_EQ(script.Run(), IDCANCEL);
  EXPECT_TRUE(openAfterKeys);
  EXPECT_EQ(registry.WriteCount(config::kMacroKey, config::kMacroValue), 0);
}

TEST_F(MacroEditorDialog, ADoubleClickedNameIsEditedInPlaceAndKeptToTenCharacters) {
  struct Case {
    const char* what;
    WPARAM endKey;
    bool ok;
    const char16_t* row;
    const char16_t* stored;
  };
  const Case cases[] = {
      {"Enter, then OK", VK_RETURN, true, u"Signature1", u"Signature1"},
      {"Enter, then Cancel", VK_RETURN, false, u"Signature1", u"M0"},
      {"Esc, then OK", VK_ESCAPE, true, u"M0", u"M0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    macro::SetMacroName(macro::TheMacroStore.macros[0], u"M0");
    ui::CDlgMacro dialog(nullptr, wintest::DistFolder(), 1);
    bool editOpen = false;
    std::u16string row;
    ModalScript script(dialog, {[&] {
                                  // Row 0 lies in the list's top 18 pixels.
                                  SendMessageW(dialog.MacroList().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                                               MAKELPARAM(20, 9));
                                  const HWND edit = dialog.MacroList().EditWindow();
                                  editOpen = edit != nullptr;
                                  for (char16_t ch : std::u16string(u"Signature123")) PostMessageW(edit, WM_CHAR, ch, 1);
                                  uitest::PostKey(edit, c.endKey);
                                },
                                [&] { row = dialog.MacroList().RowText(0); },
                                [&] { uitest::Click(c.ok ? dialog.OkButton() : dialog.CancelButton()); }});
    script.Run();
    EXPECT_TRUE(editOpen);
    EXPECT_EQ(row, c.row);
    EXPECT_EQ(macro::MacroName(macro::TheMacroStore.macros[0]), c.stored);
  }
}

TEST_F(MacroEditorDialog, RecordsKeysAndTheOnScreenMouseButtonsAndANumberBoxTakesNoKey) {
  ui::CDlgMacro dialog(nullptr, wintest::DistFolder(), 0);
  std::vector<std::u16string> rows;
  auto rowsNow = [&] {
    rows = EventRows(dialog);
    return rows;
  };
  bool keysArrived = false, buttonArrived = false, afterBox = false;
  std::u16string boxText;
  ModalScript script(dialog, {[&] {
                                SetForegroundWindow(dialog.Handle());
                                uitest::Click(dialog.RecordButton());
                                Type('A');
                                keysArrived = PumpUntil([&] { return rowsNow().size() == 2; });
                                const HWND left = dialog.MouseButton(0);
                                SendMessageW(left, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                                SendMessageW(left, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
                                buttonArrived = PumpUntil([&] { return rowsNow().size() == 4; });
                              },
                              [&] {
                                // A number box with the focus takes nothing while
                                // recording: its keys are the macro's.
                                uitest::Click(dialog.LoopSwitch());
                                SetFocus(GetDlgItem(dialog.Handle(), 1001));
                                Type('7');
                                afterBox = PumpUntil([&] { return rowsNow().size() == 6; });
                                wchar_t text[16] = {};
                                GetWindowTextW(GetDlgItem(dialog.Handle(), 1001), text, 16);
                                boxText = platform::win32::FromWide(text);
                              },
                              [&] { uitest::Click(dialog.OkButton()); }});
  EXPECT_EQ(script.Run(), IDOK);
  EXPECT_TRUE(keysArrived);
  EXPECT_TRUE(buttonArrived);
  EXPECT_TRUE(afterBox);
  EXPECT_EQ(boxText, u"100");
  EXPECT_EQ(rows, (std::vector<std::u16string>{u"A", u"A", u"LButton", u"LButton", u"7", u"7"}));
  const macro::tagMACROINFO& stored = macro::TheMacroStore.macros[0];
  ASSERT_EQ(stored.eventCount, 6);
  const uint8_t codes[6][2] = {{0x41, 0}, {0x41, 1}, {0xC1, 0}, {0xC1, 1}, {0x37, 0}, {0x37, 1}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(stored.events[i].vk, codes[i][0]) << i;
    EXPECT_EQ(stored.events[i].released, codes[i][1]) << i;
    EXPECT_EQ(stored.events[i].delayMs, 0) << i;
  }
  EXPECT_EQ(stored.loopEnabled, 1);
  EXPECT_EQ(registry.WriteCount(config::kMacroKey, config::kMacroValue), 1);
}

TEST_F(MacroEditorDialog, WhileRecordingTabArrowsAndAltF4AreRecordedAndMoveNothing) {
  ui::CDlgMacro dialog(nullptr, wintest::DistFolder(), 0);
  HWND focusBefore = nullptr, focusAfter = nullptr;
  bool recorded = false, stillRecording = false, stillOpen = false;
  int selectedMacro = -1;
  std::vector<std::u16string> rows;
  ModalScript script(dialog, {[&] {
                                SetForegroundWindow(dialog.Handle());
                                uitest::Click(dialog.RecordButton());
                                SetFocus(dialog.MacroList().Handle());
                                focusBefore = GetFocus();
                                for (WORD key : {WORD{VK_TAB}, WORD{VK_DOWN}, WORD{VK_DOWN}, WORD{VK_ESCAPE}}) Type(key);
                                TypeAltF4();
                                recorded = PumpUntil([&] { return EventRows(dialog).size() == 12; });
                                rows = EventRows(dialog);
                                focusAfter = GetFocus();
                                stillRecording = dialog.Editor().Recording();
                                stillOpen = IsWindowVisible(dialog.Handle()) && dialog.IsModal();
                                selectedMacro = dialog.MacroList().Selection();
                              },
                              [&] { uitest::Click(dialog.OkButton()); }});
  EXPECT_EQ(script.Run(), IDOK);
  EXPECT_TRUE(recorded);
  EXPECT_EQ(rows, (std::vector<std::u16string>{u"Tab", u"Tab", u"Down", u"Down", u"Down", u"Down", u"Esc", u"Esc",
                                               u"LAlt", u"F4", u"F4", u"LAlt"}));
  EXPECT_EQ(focusAfter, focusBefore);
  EXPECT_EQ(selectedMacro, 0);
  EXPECT_TRUE(stillRecording);
  EXPECT_TRUE(stillOpen);
  const macro::tagMACROINFO& stored = macro::TheMacroStore.macros[0];
  ASSERT_EQ(stored.eventCount, 12);
  EXPECT_EQ(stored.events[8].vk, 0xA4);
  EXPECT_EQ(stored.events[9].vk, 0x73);
}

TEST_F(MacroEditorDialog, OutsideARecordingAltF4ClosesItAsCancel) {
  ui::CDlgMacro dialog(nullptr, wintest::DistFolder(), 0);
  ModalScript script(dialog, {[&] {
    SetForegroundWindow(dialog.Handle());
    TypeAltF4();
  }});
  EXPECT_EQ(script.Run(), IDCANCEL);
  EXPECT_EQ(registry.WriteCount(config::kMacroKey, config::kMacroValue), 0);
}

}  // namespace

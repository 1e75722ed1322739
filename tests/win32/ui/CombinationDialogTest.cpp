// The key-combination dialog on the program's skin, with the keyboard-hook
// library from the distribution folder: its layout and results, the window
// text by which the program's exit finds and closes it, keys that must not
// close it, real keys captured through the library, where the combination
// is written, and opening without the library.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "UiTestSupport.h"
#include "text/LabelTable.h"
#include "ui/dialogs/DlgCombo.h"
#include "win32/DistFolder.h"
#include "win32/InputWatch.h"

namespace {

using uitest::ModalScript;
using uitest::PlaceIn;
using uitest::PumpUntil;
using uitest::PostHookKey;

void SendKey(WORD vk, bool release) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(INPUT));
}

class CombinationDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_ok"), u"OK");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_cancel"), u"Cancel");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_combo_tittle"), u"Key Combination");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_combo_tips"), u"Press the keys.");
  }
  void TearDown() override { LabelTable::Instance().Clear(); }
};

TEST_F(CombinationDialog, TakesTheSkinsSizeInTheMiddleOfTheWorkAreaWithItsButtonsAndName) {
  ui::CDlgCombo dialog(nullptr, wintest::DistFolder());
  RECT window = {}, ok = {}, cancel = {}, close = {};
  wchar_t text[32] = {};
  ModalScript script(dialog, {[&] {
    GetWindowRect(dialog.Handle(), &window);
    ok = PlaceIn(dialog.Handle(), dialog.OkButton());
    cancel = PlaceIn(dialog.Handle(), dialog.CancelButton());
    close = PlaceIn(dialog.Handle(), dialog.CloseButton());
    GetWindowTextW(dialog.Handle(), text, 32);
    uitest::Click(dialog.CancelButton());
  }});
  script.Run();
  EXPECT_EQ(window.right - window.left, 268);
  EXPECT_EQ(window.bottom - window.top, 141);
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXFULLSCREEN) - 268) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYFULLSCREEN) - 141) / 2);
  const RECT expectedOk = {118, 103, 190, 131}, expectedCancel = {191, 103, 263, 131},
             expectedClose = {237, 5, 258, 22};
  EXPECT_TRUE(EqualRect(&ok, &expectedOk));
  EXPECT_TRUE(EqualRect(&cancel, &expectedCancel));
  EXPECT_TRUE(EqualRect(&close, &expectedClose));
  EXPECT_EQ(std::wstring(text), L"CDlgCombo");
}

TEST_F(CombinationDialog, OnlyOkGivesOkAndTheExitClosesItByItsName) {
  struct Case {
    const char* name;
    std::function<void(ui::CDlgCombo&)> act;
    INT_PTR result;
  };
  const Case cases[] = {
      {"OK", [](ui::CDlgCombo& d) { uitest::Click(d.OkButton()); }, IDOK},
      {"Cancel", [](ui::CDlgCombo& d) { uitest::Click(d.CancelButton()); }, IDCANCEL},
      {"close button", [](ui::CDlgCombo& d) { uitest::Click(d.CloseButton()); }, IDCANCEL},
      // What the main window does to open editors when the program ends.
      {"closed by name", [](ui::CDlgCombo&) { PostMessageW(FindWindowW(nullptr, L"CDlgCombo"), WM_CLOSE, 0, 0); },
       IDCANCEL},
  };
  for (const Case& c : cases) {
    ui::CDlgCombo dialog(nullptr, wintest::DistFolder());
    ModalScript script(dialog, {[&] {
                                  PostHookKey(dialog.Handle(), VK_LCONTROL, false);
                                  PostHookKey(dialog.Handle(), 'S', false);
                                },
                                [&] { c.act(dialog); }});
    EXPECT_EQ(script.Run(), c.result) << c.name;
    // The bytes stand as they were when the dialog ended; the caller reads
    // them after OK only.
    EXPECT_EQ(dialog.Chosen().modifiers, 0x01) << c.name;
    EXPECT_EQ(dialog.Chosen().key1, 0x53) << c.name;
  }
}

TEST_F(CombinationDialog, EnterEscapeSpaceAndAltF4NeverCloseIt) {
  ui::CDlgCombo dialog(nullptr, wintest::DistFolder());
  bool openAfterKeys = false;
  constexpr LPARAM kAltHeld = LPARAM{1} << 29;
  ModalScript script(dialog, {[&] {
                                SetFocus(dialog.OkButton());
                                uitest::PostKey(dialog.OkButton(), VK_SPACE);
                                uitest::PostKey(dialog.OkButton(), VK_RETURN);
                                uitest::PostKey(dialog.Handle(), VK_RETURN);
                                uitest::PostKey(dialog.Handle(), VK_ESCAPE);
                                uitest::PostKey(dialog.CancelButton(), VK_ESCAPE);
                                for (HWND target : {dialog.Handle(), dialog.OkButton()}) {
                                  PostMessageW(target, WM_SYSKEYDOWN, VK_F4, kAltHeld | 1);
                                  PostMessageW(target, WM_SYSKEYUP, VK_F4, kAltHeld | 0xC0000001);
                                }
                              },
                              [&] {
                                // Alt+F4 would close the window by a command it posts,
                                // which posts the Cancel command in turn.
                                uitest::PumpPosted();
                                openAfterKeys = IsWindowVisible(dialog.Handle()) && dialog.IsModal();
                              },
                              [&] { uitest::Click(dialog.OkButton()); }});
  // Closed by any of the keys, the dialog would have ended with Cancel.
  EXPECT_EQ(script.Run(), IDOK);
  EXPECT_TRUE(openAfterKeys);
}

// Ctrl+S typed on the keyboard reaches the dialog through the library,
// which is released when the dialog goes.
TEST_F(CombinationDialog, CapturesRealKeysThroughTheLibraryAndReleasesIt) {
  ui::CDlgCombo dialog(nullptr, wintest::DistFolder());
  bool captured = false;
  ModalScript script(dialog, {[&] {
    SendKey(VK_CONTROL, false);
    SendKey('S', false);
    SendKey('S', true);
    SendKey(VK_CONTROL, true);
    captured = PumpUntil([&] { return dialog.Chosen().key1 == 0x53; });
    uitest::Click(dialog.OkButton());
  }});
  EXPECT_EQ(script.Run(), IDOK);
  EXPECT_TRUE(captured);
  EXPECT_EQ(dialog.Chosen().modifiers, 0x01);
  EXPECT_EQ(dialog.Chosen().key1, 0x53);
  EXPECT_EQ(dialog.Chosen().key2, 0x00);
  EXPECT_EQ(GetModuleHandleW(L"KBGetKey.dll"), nullptr) << "the hook library was not released";
}

TEST_F(CombinationDialog, OpensWithoutTheLibraryAndGivesAnEmptyCombination) {
  // The test programs' folder holds no hook library.
  ui::CDlgCombo dialog(nullptr, wintest::TestProgramFolder());
  bool shown = false, keysHandled = false;
  ModalScript script(dialog, {[&] {
    shown = IsWindowVisible(dialog.Handle()) != FALSE;
    SendKey(VK_CONTROL, false);
    SendKey('S', false);
    SendKey('S', true);
    SendKey(VK_CONTROL, true);
    // The keys have reached the dialog once the marker sent after them has.
    keysHandled = win32tests::PumpUntilMarkerTaken(uitest::PumpPending);
    uitest::Click(dialog.OkButton());
  }});
  EXPECT_EQ(script.Run(), IDOK);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(keysHandled);
  EXPECT_EQ(dialog.Chosen().modifiers, 0);
  EXPECT_EQ(dialog.Chosen().key1, 0);
  EXPECT_EQ(dialog.Chosen().key2, 0);
}

// The dialog as painted after the given hook reports; with no library in
// its folder only these reach it.
void Capture(const std::vector<std::pair<WPARAM, bool>>& reports, uitest::Canvas& canvas) {
  ui::CDlgCombo dialog(nullptr, wintest::TestProgramFolder());
  ModalScript script(dialog, {[&] {
                                for (const auto& [key, release] : reports) PostHookKey(dialog.Handle(), key, release);
                              },
                              [&] {
                                UpdateWindow(dialog.Handle());
                                uitest::CaptureWindow(dialog.Handle(), canvas);
                                uitest::Click(dialog.CancelButton());
                              }});
  script.Run();
}

TEST_F(CombinationDialog, WritesTheCombinationInItsFieldAndRedrawsItThere) {
  uitest::Canvas empty(268, 141), ctrlS(268, 141), replaced(268, 141);
  Capture({}, empty);
  Capture({{VK_LCONTROL, false}, {'S', false}, {'S', true}, {VK_LCONTROL, true}}, ctrlS);
  // A finished Ctrl+S replaced by the next press: F12 alone, shorter text.
  Capture({{VK_LCONTROL, false}, {'S', false}, {'S', true}, {VK_LCONTROL, true}, {VK_F12, false}}, replaced);
  // The text starts at (50, 70) and is redrawn within (25, 66)-(325, 90).
  const RECT field = {50, 66, 268, 90};
  int differing = 0, outside = 0, left = 268;
  for (int y = 0; y < 141; ++y)
    for (int x = 0; x < 268; ++x) {
      if (empty.Pixel(x, y) == ctrlS.Pixel(x, y)) continue;
      ++differing;
      if (!PtInRect(&field, POINT{x, y})) ++outside;
      left = std::min(left, x);
    }
  EXPECT_GT(differing, 30);
  EXPECT_EQ(outside, 0);
  EXPECT_GE(left, 50);
  EXPECT_LT(left, 54);
  int stillDiffering = 0;
  for (int y = 0; y < 141; ++y)
    for (int x = 0; x < 268; ++x) stillDiffering += ctrlS.Pixel(x, y) != replaced.Pixel(x, y) ? 1 : 0;
  EXPECT_GT(stillDiffering, 10) << "the replaced combination looks like Ctrl+S";
}

}  // namespace

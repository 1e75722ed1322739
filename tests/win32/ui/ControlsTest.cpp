// The control wrappers: each control runs its own handlers for the
// notifications it sends its parent, the parent sees only what no handler
// took, and the wrappers answer in the program's own types.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "ui/buttons/BitmapBtn.h"
#include "ui/window/Controls.h"
#include "ui/window/Window.h"

namespace {

class Parent : public ui::Window {
 public:
  std::vector<WORD> unhandled;

 protected:
  bool OnCommand(WORD, WORD code, HWND control) override {
    if (control) unhandled.push_back(code);
    return control != nullptr;
  }
};

RECT Area(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent_.Create(0, u"controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Area(20, 20, 400, 300), nullptr));
  }

  LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

  Parent parent_;
};

TEST_F(Controls, APushButtonRunsItsHandlerForEveryClickAndQuickSecondClick) {
  ui::PushButton button;
  ASSERT_TRUE(button.Create(parent_.Handle(), Area(10, 10, 80, 24), 7, u"Go"));
  int clicks = 0;
  button.onClick = [&] { ++clicks; };
  uitest::Click(button.Handle());
  EXPECT_EQ(clicks, 1);
  // What the system sends for a quick second click on a button that reports
  // double clicks.
  parent_.Send(WM_COMMAND, MAKEWPARAM(7, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(button.Handle()));
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(parent_.unhandled.empty());
  EXPECT_EQ(button.Text(), u"Go");
}

TEST_F(Controls, TheParentSeesWhatNoHandlerTakes) {
  ui::PushButton button;
  ASSERT_TRUE(button.Create(parent_.Handle(), Area(10, 10, 80, 24), 7, u"Go"));
  uitest::Click(button.Handle());
  EXPECT_EQ(parent_.unhandled, std::vector<WORD>{BN_CLICKED});
}

TEST_F(Controls, ASkinnedButtonRunsItsClickHandlerForBothClickNotifications) {
  ui::CBitmapBtn button;
  ASSERT_TRUE(button.Create(parent_.Handle(), Area(100, 10, 80, 24)));
  int clicks = 0;
  button.onClick = [&] { ++clicks; };
  for (WORD code : {BN_CLICKED, BN_DOUBLECLICKED, BN_SETFOCUS})
    parent_.Send(WM_COMMAND, MAKEWPARAM(0, code), reinterpret_cast<LPARAM>(button.Handle()));
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(parent_.unhandled, std::vector<WORD>{BN_SETFOCUS});
}

TEST_F(Controls, AnEditBoxReportsChangesAndFocusAndReadsNumbers) {
  ui::EditBox edit;
  ui::EditBox other;
  ASSERT_TRUE(edit.Create(parent_.Handle(), Area(10, 50, 100, 22), 8));
  ASSERT_TRUE(other.Create(parent_.Handle(), Area(10, 80, 100, 22), 9));
  std::vector<std::string> events;
  edit.onChange = [&] { events.push_back("change"); };
  edit.onFocus = [&] { events.push_back("focus"); };
  edit.onBlur = [&] { events.push_back("blur"); };
  SetForegroundWindow(parent_.Handle());
  edit.Focus();
  edit.SetText(u"42");
  other.Focus();
  EXPECT_EQ(events, (std::vector<std::string>{"focus", "change", "blur"}));
  EXPECT_FALSE(edit.HasFocus());

  struct Case {
    const char16_t* text;
    int expected;
  };
  for (const Case& c : {Case{u"42", 42}, Case{u"0", 0}, Case{u"", -1}, Case{u"4x", -1}, Case{u"-3", -1},
                        Case{u"123456789", 123456789}, Case{u"99999999999", -1}}) {
    edit.SetText(c.text);
    EXPECT_EQ(edit.Number(-1), c.expected) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
  }
  edit.SetNumber(250);
  EXPECT_EQ(edit.Text(), u"250");
  edit.SetLimit(3);
  SendMessageW(edit.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  for (wchar_t c : std::wstring(L"12345")) SendMessageW(edit.Handle(), WM_CHAR, c, 0);
  EXPECT_EQ(edit.Text(), u"123");
}

TEST_F(Controls, AListBoxKeepsOrderAndDataAndReportsPicksAndDoubleClicks) {
  ui::ListBox list;
  ASSERT_TRUE(list.Create(parent_.Handle(), Area(200, 50, 150, 120), 10));
  EXPECT_EQ(list.Add(u"zeta", 30), 0);
  EXPECT_EQ(list.Add(u"alpha", 10), 1);
  EXPECT_EQ(list.Add(u"mid", 20), 2);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Selection(), -1);
  int picks = 0, doubleClicks = 0;
  list.onSelectionChange = [&] { ++picks; };
  list.onDoubleClick = [&] { ++doubleClicks; };
  const RECT second = list.EntryRect(1);
  const LPARAM at = Point(second.left + 5, second.top + 2);
  list.Send(WM_LBUTTONDOWN, MK_LBUTTON, at);
  list.Send(WM_LBUTTONUP, 0, at);
  EXPECT_EQ(picks, 1);
  EXPECT_EQ(list.Selection(), 1);
  EXPECT_EQ(list.Data(list.Selection()), 10);
  list.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  list.Send(WM_LBUTTONUP, 0, at);
  EXPECT_EQ(doubleClicks, 1);
  list.Select(2);
  EXPECT_EQ(list.Selection(), 2);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(Controls, AComboBoxKeepsOrderAndDataAndReportsAChoice) {
  ui::ComboBox combo;
  ASSERT_TRUE(combo.Create(parent_.Handle(), Area(200, 200, 150, 120), 11));
  combo.Add(u"second", -0x6F70);
  combo.Add(u"first", 0x9060);
  EXPECT_EQ(combo.Count(), 2);
  EXPECT_EQ(combo.Selection(), -1);
  int choices = 0;
  combo.onSelectionChange = [&] { ++choices; };
  combo.Focus();
  combo.Send(WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(choices, 1);
  EXPECT_EQ(combo.Selection(), 0);
  EXPECT_EQ(combo.Data(0), -0x6F70);
  EXPECT_EQ(combo.Data(1), 0x9060);
  combo.Select(1);
  EXPECT_EQ(combo.Selection(), 1);
  combo.Clear();
  EXPECT_EQ(combo.Count(), 0);
}

}  // namespace

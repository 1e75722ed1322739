// The assignment pages' function menu on the program's own skins: its
// entries stacked in 23-pixel slots, its place at the screen edges, the
// category lists opened, kept, replaced and closed as the pointer moves,
// the picks its owner is told about, and no GDI objects or windows left
// behind by opening and picking again and again.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "text/LabelTable.h"
#include "ui/menus/FunctionMenuBuilder.h"
#include "ui/window/Window.h"
#include "win32/DistFolder.h"
#include "win32/ui/UiTestSupport.h"

namespace {

using uitest::PickRecorder;

class FunctionMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_base_fun"), u"Editing");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_copy"), u"Copy");
    ASSERT_TRUE(owner_.Create(0, u"page", WS_POPUP, RECT{0, 0, 10, 10}, nullptr));
    menu_ = ui::BuildFunctionMenu(owner_.Handle(), wintest::DistFolder());
    ASSERT_NE(menu_, nullptr);
    const ui::Picture entries = ui::LoadPngFile(wintest::DistFolder() + u"skins\\KBMenu_Normal.png");
    const ui::Picture sub = ui::LoadPngFile(wintest::DistFolder() + u"skins\\submenu_normal.png");
    menuWidth_ = entries.Width();
    subSize_ = {sub.Width(), sub.Height()};
    ASSERT_GT(menuWidth_, 0);
    ASSERT_GT(subSize_.cx, 0);
  }
  void TearDown() override {
    menu_.reset();
    LabelTable::Instance().Clear();
  }

  // The pointer resting on a screen point, as the entry buttons report it.
  void Hover(POINT screen) {
    SendMessageW(menu_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(screen.x, screen.y));
  }
  // A point in the middle of top-level entry i of a menu at `origin`.
  POINT OnEntry(POINT origin, int i) const { return {origin.x + menuWidth_ / 2, origin.y + 23 * i + 11}; }

  static RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
  }

  PickRecorder owner_;
  std::unique_ptr<ui::CBmpMenu> menu_;
  int menuWidth_ = 0;
  SIZE subSize_{};
};

TEST_F(FunctionMenuTest, BuiltHiddenThenShownWithElevenEntriesInSlotsOf23) {
  EXPECT_FALSE(IsWindowVisible(menu_->Handle()));
  menu_->ShowAt(POINT{400, 300});
  EXPECT_TRUE(IsWindowVisible(menu_->Handle()));
  const RECT window = WindowRect(menu_->Handle());
  EXPECT_EQ(window.left, 400);
  EXPECT_EQ(window.top, 300);
  EXPECT_EQ(window.right - window.left, menuWidth_);
  EXPECT_EQ(window.bottom - window.top, 11 * 23);
  for (int i = 0; i < 11; ++i) {
    const RECT entry = WindowRect(menu_->EntryButton(i));
    EXPECT_EQ(entry.left - window.left, 0) << i;
    EXPECT_EQ(entry.right - window.left, menuWidth_) << i;
    // The first entry is 22 pixels high, the others 23, and the window's
    // last row lies under no entry.
    EXPECT_EQ(entry.top - window.top, i == 0 ? 0 : 23 * i - 1) << i;
    EXPECT_EQ(entry.bottom - window.top, 23 * (i + 1) - 1) << i;
  }
  EXPECT_EQ(menu_->EntryButton(11), nullptr);
  auto* editing = static_cast<ui::SkinButton*>(ui::Window::FromHandle(menu_->EntryButton(5)));
  ASSERT_NE(editing, nullptr);
  EXPECT_EQ(editing->Text(), u"Editing");
}

TEST_F(FunctionMenuTest, NearTheRightOrBottomEdgeTheMenuMovesAwayByItsOwnSize) {
  const int width = GetSystemMetrics(SM_CXFULLSCREEN), height = GetSystemMetrics(SM_CYFULLSCREEN);
  const int w = menuWidth_, h = 11 * 23;
  struct Case {
    POINT at;
    POINT expected;
  };
  const Case cases[] = {
      {{width - w, height - h}, {width - w, height - h}},  // just fits
      {{width - w + 1, 100}, {width - 2 * w + 1, 100}},
      {{100, height - h + 1}, {100, height - 2 * h + 1}},
      {{width - 5, height - 5}, {width - 5 - w, height - 5 - h}},
  };
  for (const Case& c : cases) {
    menu_->ShowAt(c.at);
    const RECT window = WindowRect(menu_->Handle());
    EXPECT_EQ(window.left, c.expected.x) << c.at.x << "," << c.at.y;
    EXPECT_EQ(window.top, c.expected.y) << c.at.x << "," << c.at.y;
  }
}

TEST_F(FunctionMenuTest, ShowAtCursorOpensAtThePointer) {
  SetCursorPos(333, 222);
  menu_->ShowAtCursor();
  const RECT window = WindowRect(menu_->Handle());
  EXPECT_EQ(window.left, 333);
  EXPECT_EQ(window.top, 222);
}

TEST_F(FunctionMenuTest, CategoryListsOpenKeepReplaceAndClose) {
  const POINT origin = {400, 300};
  menu_->ShowAt(origin);
  Hover(OnEntry(origin, 5));
  ui::CSubBmpMenu* editing = menu_->SubMenu();
  ASSERT_NE(editing, nullptr);
  const HWND editingWindow = editing->Handle();
  ASSERT_TRUE(IsWindowVisible(editingWindow));
  RECT sub = WindowRect(editingWindow);
  // Right of the menu, top at the entry's slot, one slot per function.
  EXPECT_EQ(sub.left, 400 + menuWidth_);
  EXPECT_EQ(sub.top, 300 + 5 * 23);
  EXPECT_EQ(sub.right - sub.left, subSize_.cx);
  EXPECT_EQ(sub.bottom - sub.top, 8 * 23);
  EXPECT_EQ(menu_->Entries()[5].subMenuOpen, 1);

  // The same category again: the very same list stays.
  Hover(OnEntry(origin, 5));
  EXPECT_EQ(menu_->SubMenu(), editing);
  EXPECT_EQ(menu_->SubMenu()->Handle(), editingWindow);
  // Into the list (off the entry): it stays.
  Hover(POINT{sub.left + 20, sub.top + 40});
  EXPECT_EQ(menu_->SubMenu(), editing);
  // Onto another category: replaced by that one's ten functions.
  Hover(OnEntry(origin, 6));
  ASSERT_NE(menu_->SubMenu(), nullptr);
  EXPECT_FALSE(IsWindow(editingWindow));
  EXPECT_EQ(menu_->Entries()[5].subMenuOpen, 0);
  EXPECT_EQ(menu_->SubMenu()->ParentIndex(), 6);
  sub = WindowRect(menu_->SubMenu()->Handle());
  EXPECT_EQ(sub.top, 300 + 6 * 23);
  EXPECT_EQ(sub.bottom - sub.top, 10 * 23);
  // Onto a function of the top level: closed.
  Hover(OnEntry(origin, 4));
  EXPECT_EQ(menu_->SubMenu(), nullptr);
  EXPECT_EQ(menu_->Entries()[6].subMenuOpen, 0);
  // Away from menu and list alike: closed too.
  Hover(OnEntry(origin, 8));
  ASSERT_NE(menu_->SubMenu(), nullptr);
  Hover(POINT{100, 100});
  EXPECT_EQ(menu_->SubMenu(), nullptr);
}

TEST_F(FunctionMenuTest, AtTheRightAndBottomEdgesTheListOpensLeftAndEndsAtTheEntry) {
  const int width = GetSystemMetrics(SM_CXFULLSCREEN), height = GetSystemMetrics(SM_CYFULLSCREEN);
  const POINT origin = {width - menuWidth_, height - 11 * 23};
  menu_->ShowAt(origin);
  Hover(OnEntry(origin, 5));
  ASSERT_NE(menu_->SubMenu(), nullptr);
  const RECT sub = WindowRect(menu_->SubMenu()->Handle());
  EXPECT_EQ(sub.right, origin.x) << "the list touches the menu's left edge";
  EXPECT_EQ(sub.bottom, origin.y + 6 * 23) << "the list's last function is level with the category";
}

TEST_F(FunctionMenuTest, PicksReachTheOwnerWithIndexAndCodes) {
  menu_->ShowAt(POINT{400, 300});
  // A direct function: entry index and function code.
  uitest::Click(menu_->EntryButton(0));
  // A category: nothing.
  uitest::Click(menu_->EntryButton(5));
  uitest::PumpPending();
  ASSERT_EQ(owner_.picks.size(), 1u);
  EXPECT_EQ(owner_.picks[0], (std::pair<WPARAM, LPARAM>{0, 19}));

  // Copy in the editing list; volume up in the multimedia list.
  Hover(OnEntry(POINT{400, 300}, 5));
  ASSERT_NE(menu_->SubMenu(), nullptr);
  uitest::Click(menu_->SubMenu()->EntryButton(1));
  uitest::PumpPending();
  Hover(OnEntry(POINT{400, 300}, 8));
  ASSERT_NE(menu_->SubMenu(), nullptr);
  uitest::Click(menu_->SubMenu()->EntryButton(4));
  uitest::PumpPending();
  ASSERT_EQ(owner_.picks.size(), 3u);
  EXPECT_EQ(owner_.picks[1], (std::pair<WPARAM, LPARAM>{(5 << 16) | 1, (23 << 16) | 65}));
  EXPECT_EQ(owner_.picks[2], (std::pair<WPARAM, LPARAM>{(8 << 16) | 4, (24 << 16) | 53}));
}

TEST_F(FunctionMenuTest, OpeningAndPickingLeavesNothingBehind) {
  const POINT origin = {400, 300};
  auto cycle = [&] {
    menu_->ShowAt(origin);
    Hover(OnEntry(origin, 5));
    RedrawWindow(menu_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (menu_->SubMenu()) {
      RedrawWindow(menu_->SubMenu()->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      uitest::Click(menu_->SubMenu()->EntryButton(1));
    }
    uitest::PumpPending();
    // What the page does on the pick.
    menu_->CloseSubMenu();
    ShowWindow(menu_->Handle(), SW_HIDE);
  };
  // The counts have to see a leak for the test to mean anything.
  {
    const long start = uitest::CountResources().gdiObjects;
    std::vector<ui::Brush> brushes;
    for (int i = 0; i < 10; ++i) brushes.emplace_back(CreateSolidBrush(RGB(i, 0, 0)));
    ASSERT_EQ(uitest::CountResources().gdiObjects, start + 10) << "the GDI object count does not work here";
  }
  for (int i = 0; i < 20; ++i) cycle();
  const uitest::ResourceCounts before = uitest::CountResources();
  for (int i = 0; i < 200; ++i) cycle();
  const uitest::ResourceCounts after = uitest::CountResources();
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_EQ(owner_.picks.size(), 220u);
}

}  // namespace

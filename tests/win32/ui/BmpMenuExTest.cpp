// The device drop-down: one skinned entry per model, the current one marked,
// each entry on the picture of its state, a click reported to the owner as
// the entry's index and id.

#include <windows.h>

#include <gtest/gtest.h>

#include "ui/menus/BmpMenuEx.h"
#include "ui/window/Window.h"
#include "win32/ui/UiTestSupport.h"

namespace {

using uitest::PickRecorder;

class BmpMenuExTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner_.Create(0, u"drop-down owner", WS_POPUP, RECT{0, 0, 200, 200}, nullptr));
    normal_ = uitest::SolidPicture(120, 200, RGB(250, 250, 250));
    over_ = uitest::SolidPicture(120, 200, RGB(83, 97, 103));
    down_ = uitest::SolidPicture(120, 200, RGB(235, 141, 36));
  }

  void Fill(ui::CBmpMenuEx& menu) {
    menu.SetImages(over_, over_, down_, down_, 0, 0, normal_.Width(), normal_.Height());
    menu.SetPosition(300, 200);
    menu.AddEntry(u"Varnok Glide M5", 0x9050);
    menu.AddEntry(u"Varnok Tempo K7", 0x9070);
    menu.AddEntry(u"Varnok Duo S8", 0x9080);
  }

  PickRecorder owner_;
  ui::Picture normal_, over_, down_;
};

TEST_F(BmpMenuExTest, OneEntryPerModelStackedAtTheGivenPlace) {
  ui::CBmpMenuEx menu(owner_.Handle(), owner_.Handle());
  Fill(menu);
  ASSERT_TRUE(menu.Open());
  RECT window;
  GetWindowRect(menu.Handle(), &window);
  EXPECT_EQ(window.left, 300);
  EXPECT_EQ(window.top, 200);
  EXPECT_EQ(window.right - window.left, 120);
  EXPECT_EQ(window.bottom - window.top, 3 * 22);
  ASSERT_EQ(menu.Count(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    RECT entry;
    GetWindowRect(menu.EntryButton(i), &entry);
    EXPECT_EQ(entry.top - window.top, static_cast<LONG>(22 * i)) << i;
    EXPECT_EQ(entry.bottom - entry.top, 22) << i;
  }
  EXPECT_TRUE(IsWindowVisible(menu.Handle()));
}

TEST_F(BmpMenuExTest, MarksTheCurrentModelOnly) {
  ui::CBmpMenuEx menu(owner_.Handle(), owner_.Handle());
  Fill(menu);
  ASSERT_TRUE(menu.Open());
  menu.SetCurrent(0x9070);
  for (std::size_t i = 0; i < 3; ++i) {
    auto* button = static_cast<ui::SkinButton*>(ui::Window::FromHandle(menu.EntryButton(i)));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Checked(), i == 1) << i;
  }
  menu.SetCurrent(0x1234);
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_FALSE(static_cast<ui::SkinButton*>(ui::Window::FromHandle(menu.EntryButton(i)))->Checked());
}

TEST_F(BmpMenuExTest, EachEntryShowsThePictureOfItsState) {
  constexpr COLORREF kNormal = RGB(240, 240, 240), kOver = RGB(60, 70, 80), kDown = RGB(30, 30, 40),
                     kFourth = RGB(90, 20, 20);
  const ui::Picture normal = uitest::SolidPicture(120, 200, kNormal), over = uitest::SolidPicture(120, 200, kOver),
                    down = uitest::SolidPicture(120, 200, kDown), fourth = uitest::SolidPicture(120, 200, kFourth);
  ui::CBmpMenuEx menu(owner_.Handle(), owner_.Handle());
  menu.SetImages(normal, over, down, fourth, 0, 0, 120, 200);
  menu.SetPosition(300, 200);
  menu.AddEntry(u"under the pointer", 0x9050);
  menu.AddEntry(u"current", 0x9060);
  menu.AddEntry(u"pressed", 0x9070);
  menu.AddEntry(u"at rest", 0x9080);
  ASSERT_TRUE(menu.Open());
  SetForegroundWindow(menu.Handle());
  menu.SetCurrent(0x9060);
  SetCursorPos(300 + 60, 200 + 11);
  SendMessageW(menu.EntryButton(0), WM_MOUSEMOVE, 0, MAKELPARAM(60, 11));
  SendMessageW(menu.EntryButton(2), BM_SETSTATE, TRUE, 0);
  uitest::PumpPending();

  uitest::Canvas canvas(120, 4 * 22);
  uitest::CaptureWindow(menu.Handle(), canvas);
  // The corners of each entry show its picture; the name is in the middle.
  const COLORREF expected[] = {kOver, kFourth, kDown, kNormal};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(canvas.Pixel(1, 22 * i + 1), expected[i]) << i;
    EXPECT_EQ(canvas.Pixel(118, 22 * i + 20), expected[i]) << i;
  }
  SendMessageW(menu.EntryButton(2), BM_SETSTATE, FALSE, 0);
  ReleaseCapture();
}

TEST_F(BmpMenuExTest, ClickTellsTheOwnerIndexAndModel) {
  ui::CBmpMenuEx menu(owner_.Handle(), owner_.Handle());
  Fill(menu);
  ASSERT_TRUE(menu.Open());
  uitest::Click(menu.EntryButton(2));
  ASSERT_TRUE(uitest::PumpPosted());
  ASSERT_EQ(owner_.picks.size(), 1u);
  EXPECT_EQ(owner_.picks[0].first, 2u);
  EXPECT_EQ(owner_.picks[0].second, 0x9080);
}

TEST_F(BmpMenuExTest, QuickSecondClickIsASecondPick) {
  ui::CBmpMenuEx menu(owner_.Handle(), owner_.Handle());
  Fill(menu);
  ASSERT_TRUE(menu.Open());
  uitest::PumpPending();
  RECT entry;
  GetWindowRect(menu.EntryButton(1), &entry);
  uitest::ClickTwiceQuickly(POINT{entry.left + 10, entry.top + 10});
  ASSERT_EQ(owner_.picks.size(), 2u);
  for (const auto& pick : owner_.picks) {
    EXPECT_EQ(pick.first, 1u);
    EXPECT_EQ(pick.second, 0x9070);
  }
}

TEST_F(BmpMenuExTest, DestroyingEmptiesTheSharedList) {
  {
    ui::CBmpMenuEx menu(owner_.Handle(), owner_.Handle());
    Fill(menu);
    ASSERT_TRUE(menu.Open());
    EXPECT_EQ(ui::CBmpMenuEx::Entries().size(), 3u);
    menu.Destroy();
    EXPECT_TRUE(ui::CBmpMenuEx::Entries().empty());
    EXPECT_EQ(menu.Handle(), nullptr);
  }
  // The next drop-down starts from an empty list.
  ui::CBmpMenuEx next(owner_.Handle(), owner_.Handle());
  next.AddEntry(u"Varnok Duo S8", 0x9080);
  EXPECT_EQ(ui::CBmpMenuEx::Entries().size(), 1u);
}

}  // namespace

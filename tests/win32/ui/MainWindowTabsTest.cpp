// The device tabs of the main window: the tab of the page on view is
// checked, drawn on the tab's pressed picture with its orange text, the
// other tab at rest; with the program's own tab pictures.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "UiTestSupport.h"
#include "text/LabelTable.h"
#include "ui/buttons/SkinButton.h"
#include "ui/mainwindow/MainWindowLook.h"
#include "win32/DistFolder.h"

namespace {

constexpr RECT kFirstTab = {64, 90, 175, 118};
constexpr RECT kSecondTab = {177, 90, 288, 118};
constexpr COLORREF kSlate = RGB(83, 97, 103);
constexpr COLORREF kOrange = RGB(235, 141, 36);

// The program's folder of this build: its skins hold the tab pictures.
double Luminance(COLORREF color) {
  auto channel = [](BYTE value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(GetRValue(color)) + 0.7152 * channel(GetGValue(color)) + 0.0722 * channel(GetBValue(color));
}

double Contrast(COLORREF a, COLORREF b) {
  double la = Luminance(a), lb = Luminance(b);
  if (la < lb) std::swap(la, lb);
  return (la + 0.05) / (lb + 0.05);
}

class MainWindowTabs : public ::testing::Test {
 protected:
  void SetUp() override {
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_mouse"), u"Mouse");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_keyboard"), u"Keyboard");
    ASSERT_TRUE(host_.Create(0, u"main window", WS_POPUP | WS_VISIBLE, RECT{0, 0, 721, 441}, nullptr));
  }
  void TearDown() override {
    look_.Release();
    host_.Destroy();
    LabelTable::Instance().Clear();
  }

  void Build(uint8_t deviceType) {
    look_.Build(host_.Handle(), wintest::DistFolder(), deviceType, [this](app::CommandButton command) {
      clicked_ = command;
      ++clicks_;
    });
    SetForegroundWindow(host_.Handle());
  }

  // The tab whose click means `command`: each child's click is told to the
  // host as the system tells it, and the look's handler says what it means.
  ui::SkinButton* Tab(app::CommandButton command) {
    std::vector<HWND> children;
    EnumChildWindows(
        host_.Handle(),
        [](HWND child, LPARAM data) -> BOOL {
          reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
      const int before = clicks_;
      host_.Send(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(child));
      if (clicks_ != before && clicked_ == command) return static_cast<ui::SkinButton*>(ui::Window::FromHandle(child));
    }
    return nullptr;
  }

  // Where a child window lies in the host's client area.
  RECT Place(const ui::SkinButton& tab) const {
    RECT r;
    GetWindowRect(tab.Handle(), &r);
    MapWindowPoints(nullptr, host_.Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  ui::Window host_;
  ui::MainWindowLook look_;
  app::CommandButton clicked_ = app::CommandButton::Ok;
  int clicks_ = 0;
};

TEST_F(MainWindowTabs, TheTabOfThePageOnViewIsChecked) {
  struct Case {
    uint8_t deviceType;
    app::MainPage page;
    bool mouseChecked, keyboardChecked;
  };
  const Case cases[] = {
      {3, app::kMousePage, true, false},
      {3, app::kKeyboardPage, false, true},
      {1, app::kMousePage, true, false},
      {2, app::kKeyboardPage, false, true},
  };
  for (const Case& c : cases) {
    Build(c.deviceType);
    look_.MarkOpenTab(c.page);
    ui::SkinButton* mouse = Tab(app::CommandButton::MouseTab);
    ui::SkinButton* keyboard = Tab(app::CommandButton::KeyboardTab);
    ASSERT_NE(mouse, nullptr);
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(mouse->Checked(), c.mouseChecked) << int(c.deviceType) << " " << c.page;
    EXPECT_EQ(keyboard->Checked(), c.keyboardChecked) << int(c.deviceType) << " " << c.page;
    look_.Release();
  }
}

TEST_F(MainWindowTabs, SwitchingPagesMovesTheCheckedLookAndItsTextReads) {
  Build(3);
  const ui::Picture rest = ui::LoadPngFile(wintest::DistFolder() + u"skins\\device_button_normal.png");
  const ui::Picture pressed = ui::LoadPngFile(wintest::DistFolder() + u"skins\\device_button_down.png");
  ASSERT_EQ(rest.Width(), 111);
  ASSERT_EQ(pressed.Width(), 111);
  uitest::Canvas restPicture(111, 28), pressedPicture(111, 28);
  rest.Draw(restPicture.Dc(), 0, 0, 111, 28);
  pressed.Draw(pressedPicture.Dc(), 0, 0, 111, 28);

  ui::SkinButton* mouse = Tab(app::CommandButton::MouseTab);
  ui::SkinButton* keyboard = Tab(app::CommandButton::KeyboardTab);
  ASSERT_NE(mouse, nullptr);
  ASSERT_NE(keyboard, nullptr);
  const RECT mousePlace = Place(*mouse), keyboardPlace = Place(*keyboard);
  EXPECT_TRUE(EqualRect(&mousePlace, &kFirstTab));
  EXPECT_TRUE(EqualRect(&keyboardPlace, &kSecondTab));

  for (app::MainPage page : {app::kMousePage, app::kKeyboardPage, app::kMousePage}) {
    look_.MarkOpenTab(page);
    uitest::Canvas screen(721, 441);
    uitest::CaptureWindow(host_.Handle(), screen);
    for (const auto& [tab, area, open] :
         {std::tuple{mouse, kFirstTab, page == app::kMousePage},
          std::tuple{keyboard, kSecondTab, page == app::kKeyboardPage}}) {
      // The tab shows the picture of its state wherever its text is not;
      // the text is in the state's colour, which stands out from every
      // pixel of that picture under the text.
      const uitest::Canvas& picture = open ? pressedPicture : restPicture;
      const COLORREF text = open ? kOrange : kSlate;
      int ground = 0, inTextColour = 0;
      double least = 21.0;
      for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 111; ++x) {
          const COLORREF shown = screen.Pixel(area.left + x, area.top + y);
          if (shown == picture.Pixel(x, y)) {
            ++ground;
            continue;
          }
          if (shown == text) ++inTextColour;
          least = std::min(least, Contrast(text, picture.Pixel(x, y)));
        }
      EXPECT_GT(ground, 111 * 28 * 3 / 4) << page << " tab at " << area.left;
      EXPECT_GT(inTextColour, 30) << page << " tab at " << area.left;
      EXPECT_GE(least, 4.5) << page << " tab at " << area.left;
      EXPECT_EQ(tab->Checked(), open);
    }
  }
}

}  // namespace

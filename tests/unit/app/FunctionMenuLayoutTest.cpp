// Where the function menu, its entries and its sub-menus go on the screen.
// The menu pictures of these cases are 164 pixels wide; the sub-menu
// picture is 150 x 230; the screen's full-screen client area 1024 x 768.

#include <gtest/gtest.h>

#include "app/FunctionMenuLayout.h"

namespace app {
namespace {

constexpr MenuSize kScreen = {1024, 768};
constexpr int kMenuWidth = 164;
constexpr MenuSize kSubPicture = {150, 230};

TEST(FunctionMenuLayout, EntryButtonsStackInSlotsOf23WithTheFirstOnePixelShorter) {
  struct Case {
    int index;
    MenuRect rect;
  };
  const Case cases[] = {
      {0, {0, 0, kMenuWidth, 22}},     {1, {0, 22, kMenuWidth, 45}},   {2, {0, 45, kMenuWidth, 68}},
      {5, {0, 114, kMenuWidth, 137}},  {10, {0, 229, kMenuWidth, 252}},
  };
  for (const Case& c : cases) EXPECT_EQ(MenuEntryRect(c.index, kMenuWidth), c.rect) << c.index;
  // Eleven entries: the window's last row (252) is under no button.
  EXPECT_EQ(MenuWindowSize(kMenuWidth, 11), (MenuSize{kMenuWidth, 253}));
}

TEST(FunctionMenuLayout, SubEntryButtonsFillWholeSlots) {
  EXPECT_EQ(SubMenuEntryRect(0, 150), (MenuRect{0, 0, 150, 23}));
  EXPECT_EQ(SubMenuEntryRect(1, 150), (MenuRect{0, 23, 150, 46}));
  EXPECT_EQ(SubMenuEntryRect(7, 150), (MenuRect{0, 161, 150, 184}));
  EXPECT_EQ(SubMenuWindowSize(150, 8), (MenuSize{150, 184}));
  EXPECT_EQ(SubMenuWindowSize(150, 3), (MenuSize{150, 69}));
}

TEST(FunctionMenuLayout, MenuOpensAtTheCursorOrFlipsAwayFromTheEdgeByItsOwnSize) {
  const MenuSize menu = {kMenuWidth, 253};
  struct Case {
    MenuPoint cursor;
    MenuPoint expected;
  };
  const Case cases[] = {
      {{100, 100}, {100, 100}},
      {{860, 515}, {860, 515}},   // touching both edges exactly still fits
      {{861, 100}, {697, 100}},   // one pixel over the right edge: left of the cursor
      {{100, 516}, {100, 263}},   // one pixel over the bottom: above the cursor
      {{1000, 700}, {836, 447}},  // the corner: both
      {{0, 0}, {0, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MenuPositionAtCursor(c.cursor, menu, kScreen), c.expected) << c.cursor.x << "," << c.cursor.y;
}

TEST(FunctionMenuLayout, SubMenuPlacementAtTheScreenEdges) {
  struct Case {
    const char* what;
    MenuPoint menu;
    int index;
    int count;
    MenuPoint expected;
  };
  const Case cases[] = {
      // Room on the right and below: right of the menu, top at the entry.
      {"right, down", {100, 100}, 5, 8, {264, 215}},
      // Right edge and bottom edge: left of the menu, bottom at the entry's.
      {"left, up", {800, 500}, 5, 8, {650, 454}},
      // Right edge only: left of the menu, top at the entry.
      {"left, down", {800, 100}, 6, 10, {650, 238}},
      // Bottom edge only: right of the menu, bottom at the entry's.
      {"right, up", {100, 500}, 9, 3, {264, 661}},
      // Reaching both edges exactly still fits on the right and below.
      {"exact fit", {710, 423}, 5, 8, {874, 538}},
      // The whole sub-menu picture decides, not the few entries shown: three
      // entries would fit below here, the 230-pixel picture does not.
      {"picture decides", {100, 400}, 9, 3, {264, 561}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SubMenuPosition(c.menu, c.index, kMenuWidth, kSubPicture, c.count, kScreen), c.expected) << c.what;
}

// A sub-menu that opens on the left touches the menu: the pointer can move
// from the entry into it without crossing a gap that would close it. The
// sub-menu picture is narrower than the menu here, so placing it by the
// menu's width would leave 14 pixels between them.
TEST(FunctionMenuLayout, SubMenuTouchesTheMenuOnEitherSide) {
  const MenuPoint left = SubMenuPosition({800, 100}, 6, kMenuWidth, kSubPicture, 10, kScreen);
  EXPECT_EQ(left.x + kSubPicture.width, 800);
  const MenuPoint right = SubMenuPosition({100, 100}, 6, kMenuWidth, kSubPicture, 10, kScreen);
  EXPECT_EQ(right.x, 100 + kMenuWidth);
}

}  // namespace
}  // namespace app

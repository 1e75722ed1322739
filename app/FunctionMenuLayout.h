#pragma once

// Where the function menu and its sub-menus go on the screen and where their
// entries lie in them. The windows only show what these say, so the rules
// for the screen edges are the same in the program and in its tests.

namespace app {

// Height of one entry slot of the function menu and of its sub-menus.
constexpr int kFunctionMenuEntryHeight = 23;

struct MenuPoint {
  int x;
  int y;
  bool operator==(const MenuPoint& other) const { return x == other.x && y == other.y; }
};

struct MenuSize {
  int width;
  int height;
  bool operator==(const MenuSize& other) const { return width == other.width && height == other.height; }
};

struct MenuRect {
  int left;
  int top;
  int right;
  int bottom;
  bool operator==(const MenuRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

// The button of top-level entry `index`, in the menu's client area. The
// first one is a pixel shorter than the others and the last one leaves the
// window's bottom row free, the way the menu pictures are drawn.
MenuRect MenuEntryRect(int index, int width);
// The button of sub-entry `index`, in the sub-menu's client area.
MenuRect SubMenuEntryRect(int index, int width);

// The menu's window: as wide as its picture, one slot per entry.
MenuSize MenuWindowSize(int pictureWidth, int entryCount);
// The sub-menu's window: as wide as its picture, one slot per sub-entry.
MenuSize SubMenuWindowSize(int pictureWidth, int subEntryCount);

// Top-left corner of the menu opened at `cursor`: beside and below the
// cursor, or to the left of or above it by the menu's own size where it
// would cross the right or bottom edge of `screen` (the full-screen client
// area).
MenuPoint MenuPositionAtCursor(MenuPoint cursor, MenuSize menu, MenuSize screen);

// Top-left corner of the sub-menu of top-level entry `index` of the menu at
// `menu`, whose picture is `menuWidth` wide. `subPicture` is the size of the
// sub-menu picture and `subEntryCount` the number of its entries. To the
// right of the menu with its top at the entry when it fits; to the left
// where it would cross the right edge; bottom-aligned with the entry where
// it would cross the bottom edge.
MenuPoint SubMenuPosition(MenuPoint menu, int index, int menuWidth, MenuSize subPicture, int subEntryCount,
                          MenuSize screen);

}  // namespace app

#include "app/FunctionMenuLayout.h"

namespace app {

MenuRect MenuEntryRect(int index, int width) {
  const int h = kFunctionMenuEntryHeight;
  return {0, index == 0 ? 0 : h * index - 1, width, h * (index + 1) - 1};
}

MenuRect SubMenuEntryRect(int index, int width) {
  const int h = kFunctionMenuEntryHeight;
  return {0, h * index, width, h * (index + 1)};
}

MenuSize MenuWindowSize(int pictureWidth, int entryCount) {
  return {pictureWidth, entryCount * kFunctionMenuEntryHeight};
}

MenuSize SubMenuWindowSize(int pictureWidth, int subEntryCount) {
  return {pictureWidth, subEntryCount * kFunctionMenuEntryHeight};
}

MenuPoint MenuPositionAtCursor(MenuPoint cursor, MenuSize menu, MenuSize screen) {
  MenuPoint at = cursor;
  if (at.x + menu.width > screen.width) at.x -= menu.width;
  if (at.y + menu.height > screen.height) at.y -= menu.height;
  return at;
}

MenuPoint SubMenuPosition(MenuPoint menu, int index, int menuWidth, MenuSize subPicture, int subEntryCount,
                          MenuSize screen) {
  const int h = kFunctionMenuEntryHeight;
  // The decision measures the whole sub-menu picture, so every category
  // opens to the same side at a given place whatever its length.
  const int right = menu.x + subPicture.width + menuWidth;
  const int bottom = menu.y + h * index + subPicture.height;
  const int besideRight = menu.x + menuWidth;
  // On the left the sub-menu touches the menu's left edge: a gap between
  // the two would close the sub-menu as the pointer crosses it.
  const int besideLeft = menu.x - subPicture.width;
  const int topAligned = menu.y + h * index;
  const int bottomAligned = menu.y + h * (index - subEntryCount + 1);
  if (right <= screen.width && bottom <= screen.height) return {besideRight, topAligned};
  if (right >= screen.width && bottom >= screen.height) return {besideLeft, bottomAligned};
  if (right >= screen.width) return {besideLeft, topAligned};
  return {besideRight, bottomAligned};
}

}  // namespace app

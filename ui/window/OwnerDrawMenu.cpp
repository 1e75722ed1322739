#include "ui/window/OwnerDrawMenu.h"

#include <algorithm>
#include <vector>

namespace ui {
namespace {

// Live menu objects; menus are built and tracked on the user-interface
// thread only.
std::vector<OwnerDrawMenu*>& LiveMenus() {
  static std::vector<OwnerDrawMenu*> menus;
  return menus;
}

}  // namespace

OwnerDrawMenu::OwnerDrawMenu() : menu_(CreatePopupMenu()) { LiveMenus().push_back(this); }

OwnerDrawMenu::~OwnerDrawMenu() {
  auto& menus = LiveMenus();
  menus.erase(std::remove(menus.begin(), menus.end(), this), menus.end());
  if (!menu_) return;
  // DestroyMenu would take the sub-menus of other objects with it.
  for (int position = GetMenuItemCount(menu_) - 1; position >= 0; --position) {
    if (FromHandle(GetSubMenu(menu_, position))) RemoveMenu(menu_, static_cast<UINT>(position), MF_BYPOSITION);
  }
  DestroyMenu(menu_);
}

bool OwnerDrawMenu::AppendEntry(UINT id, const void* data, UINT flags) {
  return menu_ && AppendMenuW(menu_, flags | MF_OWNERDRAW, id, static_cast<LPCWSTR>(data));
}

bool OwnerDrawMenu::AppendSubMenu(OwnerDrawMenu& subMenu, const void* data, UINT flags) {
  return menu_ && subMenu.menu_ &&
         AppendMenuW(menu_, flags | MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(subMenu.menu_),
                     static_cast<LPCWSTR>(data));
}

UINT OwnerDrawMenu::Track(HWND owner, POINT at, UINT flags) {
  if (!menu_) return 0;
  return static_cast<UINT>(TrackPopupMenu(menu_, flags, at.x, at.y, 0, owner, nullptr));
}

OwnerDrawMenu* OwnerDrawMenu::FromHandle(HMENU menu) {
  if (!menu) return nullptr;
  for (OwnerDrawMenu* candidate : LiveMenus()) {
    if (candidate->menu_ == menu) return candidate;
  }
  return nullptr;
}

OwnerDrawMenu* OwnerDrawMenu::ForMeasure(const MEASUREITEMSTRUCT& item) {
  for (OwnerDrawMenu* candidate : LiveMenus()) {
    if (candidate->Holds(item.itemID, item.itemData)) return candidate;
  }
  return nullptr;
}

bool OwnerDrawMenu::Holds(UINT id, ULONG_PTR data) const {
  const int count = menu_ ? GetMenuItemCount(menu_) : 0;
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu_, static_cast<UINT>(position), TRUE, &info)) continue;
    if (!(info.fType & MFT_OWNERDRAW)) continue;
    // Item data tells entries apart; an entry without data is known by its
    // command (a popup entry's command is its sub-menu handle on some
    // systems, so both are compared).
    if (data != 0 ? info.dwItemData == data
                  : info.dwItemData == 0 &&
                        (info.wID == id || reinterpret_cast<UINT_PTR>(info.hSubMenu) == static_cast<UINT_PTR>(id)))
      return true;
  }
  return false;
}

}  // namespace ui

#include "ui/menus/FunctionMenuBuilder.h"

#include "config/FunctionMenuTree.h"

namespace ui {

std::unique_ptr<CBmpMenu> BuildFunctionMenu(HWND page, const std::u16string& exeFolder) {
  const std::u16string skins = exeFolder + u"skins\\";
  auto menu = std::make_unique<CBmpMenu>(page, page);
  // The pressed picture is loaded with the others but an entry never shows
  // it; the fourth look is the resting one.
  menu->SetEntryImages(skins + u"KBMenu_Normal.png", skins + u"KBMenu_Over.png", skins + u"KBMenu_Down.png",
                       skins + u"KBMenu_Normal.png");
  menu->SetSubMenuImages(skins + u"submenu_normal.png", skins + u"submenu_over.png", skins + u"submenu_down.png",
                         skins + u"submenu_normal.png");
  const std::vector<config::FunctionMenuEntry> tree = config::BuildFunctionMenuTree();
  for (const config::FunctionMenuEntry& entry : tree) menu->AddEntry(entry.item.label, entry.item.id);
  for (std::size_t i = 0; i < tree.size(); ++i)
    for (const config::FunctionMenuItem& sub : tree[i].subEntries) menu->AddSubEntry(i, sub.label, sub.id);
  if (!menu->Open()) return nullptr;
  ShowWindow(menu->Handle(), SW_HIDE);
  return menu;
}

}  // namespace ui

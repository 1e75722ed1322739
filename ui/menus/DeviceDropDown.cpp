#include "ui/menus/DeviceDropDown.h"

#include "ui/window/Picture.h"

namespace ui {

std::unique_ptr<CBmpMenuEx> OpenDeviceDropDown(HWND owner, const std::u16string& exeFolder,
                                               const app::DeviceList& devices, int32_t currentModel, POINT at) {
  const Picture normal = LoadPngFile(exeFolder + u"skins\\menu1_n.png");
  const Picture over = LoadPngFile(exeFolder + u"skins\\menu1_o.png");
  const Picture down = LoadPngFile(exeFolder + u"skins\\menu1_d.png");
  // Each state has a picture of its own: the names rest on menu1_n, the one
  // under the pointer lights up on menu1_o, and the current model keeps the
  // pressed look of menu1_d. The three text colours could never all read on
  // one shared ground.
  auto menu = std::make_unique<CBmpMenuEx>(owner, owner);
  menu->SetImages(normal, over, down, down, 0, 0, normal.Width(), normal.Height());
  menu->SetPosition(at.x, at.y);
  for (const app::DeviceListEntry& entry : devices)
    if (entry.modelValue != 0) menu->AddEntry(app::EntryName(entry), entry.modelValue);
  if (!menu->Open()) return nullptr;
  menu->SetCurrent(currentModel);
  return menu;
}

}  // namespace ui

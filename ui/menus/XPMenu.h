#pragma once

// The tray icon's popup menu, drawn to match the skin: a banner entry on top,
// then entries with a small picture in a 25-pixel column on a light
// gradient, their text beside it, and a framed light-yellow highlight under
// the pointer. The menu draws and measures whatever entries it is given;
// which entries there are is the main window's business.

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "app/TrayMenu.h"
#include "ui/window/GdiHandles.h"
#include "ui/window/OwnerDrawMenu.h"

namespace ui {

// One entry, handed to the menu as the entry's item data; the owner keeps
// it alive while the menu is tracked.
struct XPMenuItem {
  static constexpr uint32_t kEntry = 1;   // picture and text
  static constexpr uint32_t kBanner = 2;  // picture only

  uint32_t bitmapId = 0;          // bitmap resource drawn normally; 0 for none
  uint32_t selectedBitmapId = 0;  // drawn while highlighted; 0 for none
  uint32_t kind = kEntry;
  uint32_t pictureOffset = 0;  // x in bits 0-7, y in bits 8-15; 0 for none
  std::u16string text;
};

class CXPMenu : public OwnerDrawMenu {
 public:
  // The banner is measured by its command, which the tray menu defines.
  static constexpr UINT kBannerCommand = app::kTrayBanner;
  static constexpr int kEntryWidth = 120;
  static constexpr int kBannerHeight = 25;
  static constexpr int kEntryHeight = 22;
  static constexpr int kPictureColumn = 25;
  static constexpr COLORREF kEntryBackground = RGB(244, 243, 238);
  static constexpr COLORREF kHighlightFrame = RGB(50, 104, 194);
  static constexpr COLORREF kHighlightFill = RGB(254, 236, 191);
  // Column i of the picture column, from the entry's left edge.
  static const std::array<COLORREF, kPictureColumn> kGradient;

  void DrawItem(const DRAWITEMSTRUCT& item) override;
  void MeasureItem(MEASUREITEMSTRUCT& item) override;

 protected:
  // The picture of an entry; the program's bitmap resources.
  virtual Bitmap LoadPicture(uint32_t id) const;

 private:
  void DrawEntry(HDC dc, const RECT& area, const XPMenuItem& entry, bool selected) const;
};

}  // namespace ui

#include "ui/menus/XPMenu.h"

#include "platform/win32/WideString.h"
#include "ui/text/SkinText.h"
#include "ui/window/Picture.h"

namespace ui {
namespace {

void Fill(HDC dc, const RECT& area, COLORREF color) {
  const Brush brush(CreateSolidBrush(color));
  FillRect(dc, &area, brush.Get());
}

// Copies the top-left (width x height) of `picture` to (x, y).
void Blit(HDC dc, HBITMAP picture, int x, int y, int width, int height) {
  MemoryDC source(dc);
  SelectedObject selected(source.Get(), picture);
  BitBlt(dc, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
}

}  // namespace

const std::array<COLORREF, CXPMenu::kPictureColumn> CXPMenu::kGradient = {
    RGB(254, 252, 251), RGB(254, 251, 251), RGB(243, 241, 237), RGB(239, 237, 237), RGB(237, 236, 238),
    RGB(232, 234, 237), RGB(228, 231, 237), RGB(226, 230, 237), RGB(221, 228, 237), RGB(219, 226, 238),
    RGB(216, 224, 238), RGB(212, 222, 238), RGB(210, 220, 238), RGB(206, 218, 239), RGB(202, 215, 238),
    RGB(199, 213, 239), RGB(195, 211, 239), RGB(193, 209, 240), RGB(190, 206, 240), RGB(186, 205, 239),
    RGB(183, 204, 239), RGB(179, 201, 240), RGB(177, 200, 240), RGB(174, 198, 240), RGB(170, 196, 240),
};

void CXPMenu::MeasureItem(MEASUREITEMSTRUCT& item) {
  item.itemWidth = kEntryWidth;
  item.itemHeight = item.itemID == kBannerCommand ? kBannerHeight : kEntryHeight;
}

Bitmap CXPMenu::LoadPicture(uint32_t id) const { return id ? LoadBitmapResource(id) : Bitmap(); }

void CXPMenu::DrawItem(const DRAWITEMSTRUCT& item) {
  const auto* entry = reinterpret_cast<const XPMenuItem*>(item.itemData);
  if (!entry || !item.hDC) return;
  SavedDC saved(item.hDC);
  SetBkMode(item.hDC, TRANSPARENT);
  const RECT& area = item.rcItem;
  if (entry->kind == XPMenuItem::kBanner) {
    // The banner has no highlighted look.
    const Bitmap banner = LoadPicture(entry->bitmapId);
    if (banner) Blit(item.hDC, banner.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top);
    return;
  }
  if (entry->kind == XPMenuItem::kEntry) DrawEntry(item.hDC, area, *entry, (item.itemState & ODS_SELECTED) != 0);
}

void CXPMenu::DrawEntry(HDC dc, const RECT& area, const XPMenuItem& entry, bool selected) const {
  if (selected) {
    const Pen frame(CreatePen(PS_SOLID, 1, kHighlightFrame));
    {
      SelectedObject pen(dc, frame.Get());
      SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
      Rectangle(dc, area.left, area.top, area.right, area.bottom);
    }
    Fill(dc, RECT{area.left + 1, area.top + 1, area.right - 1, area.bottom - 1}, kHighlightFill);
  } else {
    for (int column = 0; column < kPictureColumn; ++column) {
      Fill(dc, RECT{area.left + column, area.top, area.left + column + 1, area.bottom},
           kGradient[static_cast<size_t>(column)]);
    }
    Fill(dc, RECT{area.left + kPictureColumn, area.top, area.right, area.bottom}, kEntryBackground);
  }

  if (const Bitmap picture = LoadPicture(selected ? entry.selectedBitmapId : entry.bitmapId)) {
    POINT origin = {area.left, area.top};
    if (entry.pictureOffset != 0) {
      origin.x += static_cast<LONG>(entry.pictureOffset & 0xFF);
      origin.y += static_cast<LONG>((entry.pictureOffset >> 8) & 0xFF);
    }
    const int width = area.left + kPictureColumn - origin.x;
    const int height = area.bottom - origin.y;
    // A highlighted picture lifts up and to the left by a pixel.
    if (selected) {
      --origin.x;
      --origin.y;
    }
    Blit(dc, picture.Get(), origin.x, origin.y, width, height);
  }

  const Font font = CreateCaptionFont();
  SelectedObject selectedFont(dc, font.Get());
  SetTextColor(dc, RGB(0, 0, 0));
  RECT text = {area.left + kPictureColumn + 8, area.top, area.right, area.bottom};
  DrawTextW(dc, platform::win32::Wide(entry.text), -1, &text,
            DT_LEFT | DT_VCENTER | DT_WORDBREAK | DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS);
}

}  // namespace ui

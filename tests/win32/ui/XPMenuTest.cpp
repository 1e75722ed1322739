// The tray menu's drawing: entry sizes, the picture column's gradient, the
// highlight, where pictures land, the banner and the text.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "UiTestSupport.h"
#include "ui/menus/XPMenu.h"

namespace {

constexpr COLORREF kPicture = RGB(20, 40, 200);
constexpr COLORREF kSelectedPicture = RGB(20, 160, 40);
constexpr COLORREF kBanner = RGB(130, 10, 90);
constexpr COLORREF kMark = RGB(250, 120, 0);
constexpr COLORREF kUntouched = RGB(7, 7, 7);

// The menu's own colours: the picture column's gradient, column by column
// from the entry's left edge, the entry's background, and the highlight.
constexpr COLORREF kGradient[25] = {
    RGB(254, 252, 251), RGB(254, 251, 251), RGB(243, 241, 237), RGB(239, 237, 237), RGB(237, 236, 238),
    RGB(232, 234, 237), RGB(228, 231, 237), RGB(226, 230, 237), RGB(221, 228, 237), RGB(219, 226, 238),
    RGB(216, 224, 238), RGB(212, 222, 238), RGB(210, 220, 238), RGB(206, 218, 239), RGB(202, 215, 238),
    RGB(199, 213, 239), RGB(195, 211, 239), RGB(193, 209, 240), RGB(190, 206, 240), RGB(186, 205, 239),
    RGB(183, 204, 239), RGB(179, 201, 240), RGB(177, 200, 240), RGB(174, 198, 240), RGB(170, 196, 240),
};
constexpr COLORREF kEntryBackground = RGB(244, 243, 238);
constexpr COLORREF kHighlightFrame = RGB(50, 104, 194);
constexpr COLORREF kHighlightFill = RGB(254, 236, 191);

// The menu with pictures of known colours instead of the program's bitmaps.
class PaintedMenu : public ui::CXPMenu {
 protected:
  ui::Bitmap LoadPicture(uint32_t id) const override {
    static const std::map<uint32_t, std::pair<SIZE, COLORREF>> pictures = {
        {153, {{16, 16}, kPicture}}, {1153, {{16, 16}, kSelectedPicture}},
        {156, {{120, 25}, kBanner}}, {158, {{21, 20}, kMark}}};
    const auto found = pictures.find(id);
    if (found == pictures.end()) return ui::Bitmap();
    return uitest::SolidBitmap(found->second.first.cx, found->second.first.cy, found->second.second);
  }
};

// The entry rectangle inside the canvas, wider than measured as the system
// makes it.
constexpr RECT kEntry = {10, 5, 150, 27};

void Draw(ui::CXPMenu& menu, const ui::XPMenuItem* entry, UINT id, bool selected, uitest::Canvas& canvas,
          RECT area = kEntry) {
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_MENU;
  item.itemID = id;
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = selected ? ODS_SELECTED : 0;
  item.hDC = canvas.Dc();
  item.rcItem = area;
  item.itemData = reinterpret_cast<ULONG_PTR>(entry);
  menu.DrawItem(item);
}

ui::XPMenuItem Entry(uint32_t bitmap, uint32_t selectedBitmap, uint32_t offset, const std::u16string& text) {
  ui::XPMenuItem entry;
  entry.bitmapId = bitmap;
  entry.selectedBitmapId = selectedBitmap;
  entry.kind = ui::XPMenuItem::kEntry;
  entry.pictureOffset = offset;
  entry.text = text;
  return entry;
}

TEST(TrayMenu, EntriesAre120WideTheBanner25HighTheOthers22) {
  ui::CXPMenu menu;
  for (const auto& [id, height] : std::map<UINT, UINT>{{7, 25}, {1, 22}, {2, 22}, {0xE0009080u, 22}}) {
    MEASUREITEMSTRUCT item = {ODT_MENU, 0, id, 0, 0, 0};
    menu.MeasureItem(item);
    EXPECT_EQ(item.itemWidth, 120u) << id;
    EXPECT_EQ(item.itemHeight, height) << id;
  }
}

TEST(TrayMenu, AnEntryAtRestGradientColumnBackgroundPictureAndBlackText) {
  PaintedMenu menu;
  const ui::XPMenuItem entry = Entry(153, 1153, 771, u"Configure");
  uitest::Canvas canvas(170, 40, kUntouched);
  Draw(menu, &entry, 1, false, canvas);
  // The gradient fills the column where the picture is not.
  for (int column = 0; column < 25; ++column)
    EXPECT_EQ(canvas.Pixel(kEntry.left + column, kEntry.top), kGradient[column]) << column;
  EXPECT_EQ(canvas.Pixel(kEntry.left + 25, kEntry.top), kEntryBackground);
  EXPECT_EQ(canvas.Pixel(kEntry.right - 1, kEntry.bottom - 1), kEntryBackground);
  // The picture starts three pixels in and three down.
  EXPECT_EQ(canvas.Pixel(kEntry.left + 3, kEntry.top + 3), kPicture);
  EXPECT_EQ(canvas.Pixel(kEntry.left + 18, kEntry.top + 18), kPicture);
  EXPECT_NE(canvas.Pixel(kEntry.left + 2, kEntry.top + 3), kPicture);
  EXPECT_NE(canvas.Pixel(kEntry.left + 3, kEntry.top + 2), kPicture);
  // Black text right of the column; nothing outside the entry.
  EXPECT_GT(canvas.CountDiffering(RECT{kEntry.left + 33, kEntry.top, kEntry.right, kEntry.bottom},
                                  kEntryBackground),
            10);
  bool black = false;
  for (int x = kEntry.left + 33; x < kEntry.right; ++x)
    for (int y = kEntry.top; y < kEntry.bottom; ++y) black = black || canvas.Pixel(x, y) == RGB(0, 0, 0);
  EXPECT_TRUE(black);
  EXPECT_EQ(canvas.CountDiffering(RECT{0, 0, 170, kEntry.top}, kUntouched), 0);
  EXPECT_EQ(canvas.CountDiffering(RECT{0, 0, kEntry.left, 40}, kUntouched), 0);
}

TEST(TrayMenu, AHighlightedEntryIsFramedFilledAndItsPictureLifted) {
  PaintedMenu menu;
  const ui::XPMenuItem entry = Entry(153, 1153, 771, u"Help");
  uitest::Canvas canvas(170, 40, kUntouched);
  Draw(menu, &entry, 5, true, canvas);
  for (const POINT at : {POINT{kEntry.left, kEntry.top}, POINT{kEntry.right - 1, kEntry.top},
                         POINT{kEntry.left, kEntry.bottom - 1}, POINT{kEntry.right - 1, kEntry.bottom - 1}})
    EXPECT_EQ(canvas.Pixel(at.x, at.y), kHighlightFrame) << at.x << "," << at.y;
  EXPECT_EQ(canvas.Pixel(kEntry.left + 1, kEntry.top + 1), kHighlightFill);
  EXPECT_EQ(canvas.Pixel(kEntry.right - 2, kEntry.bottom - 2), kHighlightFill);
  // The selected picture, one pixel up and left of where it sits at rest.
  EXPECT_EQ(canvas.Pixel(kEntry.left + 2, kEntry.top + 2), kSelectedPicture);
  EXPECT_EQ(canvas.Pixel(kEntry.left + 17, kEntry.top + 17), kSelectedPicture);
  EXPECT_EQ(canvas.Pixel(kEntry.left + 18, kEntry.top + 18), kHighlightFill);
  bool black = false;
  for (int x = kEntry.left + 33; x < kEntry.right; ++x)
    for (int y = kEntry.top + 1; y < kEntry.bottom - 1; ++y) black = black || canvas.Pixel(x, y) == RGB(0, 0, 0);
  EXPECT_TRUE(black);
}

TEST(TrayMenu, DeviceEntriesTheCurrentOneMarkedTheOthersWithoutPicture) {
  PaintedMenu menu;
  const ui::XPMenuItem current = Entry(158, 158, 514, u"Varnok Duo S8");
  const ui::XPMenuItem other = Entry(0, 0, 0, u"Varnok Glide M5");
  uitest::Canvas marked(170, 40, kUntouched), plain(170, 40, kUntouched);
  Draw(menu, &current, 0xE0009080u, false, marked);
  Draw(menu, &other, 0xE0009060u, false, plain);
  EXPECT_EQ(marked.Pixel(kEntry.left + 2, kEntry.top + 2), kMark);
  EXPECT_EQ(marked.Pixel(kEntry.left + 1, kEntry.top + 2), kGradient[1]);
  for (int column = 0; column < 25; ++column)
    EXPECT_EQ(plain.Pixel(kEntry.left + column, kEntry.top + 10), kGradient[column]) << column;
}

TEST(TrayMenu, TheBannerIsItsPictureOnlyAndLooksTheSameHighlighted) {
  PaintedMenu menu;
  ui::XPMenuItem banner;
  banner.bitmapId = 156;
  banner.kind = ui::XPMenuItem::kBanner;
  banner.pictureOffset = 771;
  const RECT area = {10, 5, 130, 30};
  uitest::Canvas rest(170, 40, kUntouched), highlighted(170, 40, kUntouched);
  Draw(menu, &banner, 7, false, rest, area);
  Draw(menu, &banner, 7, true, highlighted, area);
  EXPECT_EQ(rest.Pixel(area.left, area.top), kBanner);
  EXPECT_EQ(rest.Pixel(area.right - 1, area.bottom - 1), kBanner);
  EXPECT_EQ(rest.CountDiffering(RECT{area.left, area.top, area.right, area.bottom}, kBanner), 0);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 170; ++x) ASSERT_EQ(rest.Pixel(x, y), highlighted.Pixel(x, y)) << x << "," << y;
}

TEST(TrayMenu, AnEntryWithoutDataDrawsNothingAndTheDcIsLeftAsItWas) {
  PaintedMenu menu;
  uitest::Canvas canvas(170, 40, kUntouched);
  Draw(menu, nullptr, 3, false, canvas);
  EXPECT_EQ(canvas.CountDiffering(RECT{0, 0, 170, 40}, kUntouched), 0);

  const ui::XPMenuItem entry = Entry(153, 1153, 771, u"Exit");
  SetTextColor(canvas.Dc(), RGB(1, 2, 3));
  SetBkMode(canvas.Dc(), OPAQUE);
  const HGDIOBJ font = GetCurrentObject(canvas.Dc(), OBJ_FONT);
  const HGDIOBJ pen = GetCurrentObject(canvas.Dc(), OBJ_PEN);
  Draw(menu, &entry, 2, true, canvas);
  EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(canvas.Dc()), OPAQUE);
  EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PEN), pen);
}

TEST(TrayMenu, TheProgramsOwnPicturesAreTheResources) {
  ui::CXPMenu menu;
  ui::XPMenuItem banner;
  banner.bitmapId = 156;
  banner.kind = ui::XPMenuItem::kBanner;
  uitest::Canvas canvas(130, 25, kUntouched);
  Draw(menu, &banner, 7, false, canvas, RECT{0, 0, 120, 25});
  const ui::Bitmap expected = ui::LoadBitmapResource(156);
  ASSERT_TRUE(expected);
  ui::MemoryDC dc;
  ui::SelectedObject selected(dc.Get(), expected.Get());
  for (const POINT at : {POINT{0, 0}, POINT{60, 12}, POINT{119, 24}})
    EXPECT_EQ(canvas.Pixel(at.x, at.y), GetPixel(dc.Get(), at.x, at.y)) << at.x << "," << at.y;
}

}  // namespace

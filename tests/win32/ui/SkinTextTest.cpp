// Text drawn by the image library onto the skins: it must actually appear
// (a face can be reported as made and still draw nothing), in its colour,
// weight and alignment, and never outside its layout rectangle.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "UiTestSupport.h"
#include "ui/PublicData.h"

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr RECT kLayout = {20, 10, 220, 40};

struct Ink {
  int count = 0;
  int left = 10000;
  int right = -1;
  int outside = 0;
  bool exactColor = false;
};

Ink DrawAndMeasure(const std::u16string& text, bool bold, int alignment, uint32_t argb = 0xFF000000,
                   RECT layout = kLayout) {
  uitest::Canvas canvas(260, 120, kPaper);
  const float x = static_cast<float>(layout.left), y = static_cast<float>(layout.top);
  const float width = static_cast<float>(layout.right - layout.left);
  const float height = static_cast<float>(layout.bottom - layout.top);
  const bool drawn = bold ? ui::CPublicData::DrawTextBold(canvas.Dc(), text, 8.0f, alignment, argb, x, y, width, height)
                          : ui::CPublicData::DrawTextRegular(canvas.Dc(), text, 8.0f, alignment, argb, x, y, width,
                                                             height);
  EXPECT_TRUE(drawn);
  Ink ink;
  const COLORREF color = RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
  for (int py = 0; py < canvas.Height(); ++py)
    for (int px = 0; px < canvas.Width(); ++px) {
      const COLORREF pixel = canvas.Pixel(px, py);
      if (pixel == kPaper) continue;
      const POINT at = {px, py};
      if (!PtInRect(&layout, at)) {
        ++ink.outside;
        continue;
      }
      ++ink.count;
      ink.left = std::min(ink.left, px);
      ink.right = std::max(ink.right, px);
      ink.exactColor = ink.exactColor || pixel == color;
    }
  return ink;
}

TEST(SkinText, TextAppearsInItsColourInsideTheLayoutRectangle) {
  const Ink ink = DrawAndMeasure(u"Restore default settings", false, 0, 0xFF535C6B);
  EXPECT_GT(ink.count, 100);
  EXPECT_TRUE(ink.exactColor);
  EXPECT_EQ(ink.outside, 0);
}

// The bold face sets the same text wider. (Its strokes are heavier too on
// Windows, but Wine's image library draws the glyphs of the regular face at
// the bold face's advances, so the width is what both show.)
TEST(SkinText, BoldIsWiderThanRegular) {
  const std::u16string text = u"Mouse Keyboard";
  const Ink bold = DrawAndMeasure(text, true, 0);
  const Ink regular = DrawAndMeasure(text, false, 0);
  EXPECT_GT(bold.right - bold.left, (regular.right - regular.left) * 105 / 100);
  EXPECT_GT(bold.count, regular.count / 2);
}

TEST(SkinText, AlignmentNearCentreFar) {
  const Ink nearInk = DrawAndMeasure(u"Device", false, 0);
  const Ink centreInk = DrawAndMeasure(u"Device", false, 1);
  const Ink farInk = DrawAndMeasure(u"Device", false, 2);
  EXPECT_LT(nearInk.left, kLayout.left + 6);
  EXPECT_GT(farInk.right, kLayout.right - 6);
  const int middle = (kLayout.left + kLayout.right) / 2;
  EXPECT_NEAR((centreInk.left + centreInk.right) / 2, middle, 4);
}

TEST(SkinText, ALongTextIsCutAtTheRectangleEdges) {
  std::u16string longText;
  for (int i = 0; i < 40; ++i) longText += u"overflowing words ";
  const Ink ink = DrawAndMeasure(longText, false, 0, 0xFF000000, RECT{20, 10, 120, 40});
  EXPECT_GT(ink.count, 100);
  EXPECT_EQ(ink.outside, 0);
}

TEST(SkinText, EmptyTextDrawsNothing) {
  const Ink ink = DrawAndMeasure(u"", false, 0);
  EXPECT_EQ(ink.count + ink.outside, 0);
}

}  // namespace

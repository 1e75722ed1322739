// The shipped English texts and sample model names in the fixed places the
// windows give them, measured with the fonts the program draws them in: a
// text that does not fit is cut with an ellipsis, clipped, or runs into the
// buttons under it.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "config/DeviceCatalogue.h"
#include "fakes/ConfigFixtures.h"
#include "platform/win32/WideString.h"
#include "text/LabelTable.h"
#include "ui/PublicData.h"
#include "ui/menus/XPMenu.h"
#include "ui/text/SkinText.h"

namespace {

std::u16string ShippedFolder() {
  const std::string folder = VN24G_SHIPPED_DATA_DIR;
  return std::u16string(folder.begin(), folder.end()) + u"\\";
}

class ShippedTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadLanguage(ShippedFolder() + u"language.xml"));
    testing_config::ResetConfiguration();
    config::LoadDeviceCatalogue(ShippedFolder());
    ASSERT_FALSE(config::DeviceCatalogue.empty());
  }
  void TearDown() override {
    testing_config::ResetConfiguration();
    LabelTable::Instance().Clear();
  }

  static std::vector<std::u16string> ModelNames() {
    std::vector<std::u16string> names;
    for (const auto& model : config::DeviceCatalogue) names.push_back(config::ModelName(model));
    return names;
  }
};

// A text for a failure message; the shipped English texts are ASCII.
std::string Plain(const std::u16string& text) { return std::string(text.begin(), text.end()); }

// Width of one line of `text` in the caption font of buttons and menus.
int CaptionWidth(const std::u16string& text) {
  const ui::Font font = ui::CreateCaptionFont();
  HDC screen = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(screen, font.Get());
  SIZE size = {};
  GetTextExtentPoint32W(screen, platform::win32::Wide(text), static_cast<int>(text.size()), &size);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return size.cx;
}

TEST_F(ShippedTexts, ButtonCaptionsFitTheirButtons) {
  // Room for a centred caption: the button's width less what its drawing
  // keeps free on either side. The GDI buttons of the main window write a
  // pressed caption between (left + 9, right - 4); the image buttons start
  // theirs 3 pixels in and stay off the face's frame. The reset button
  // carries its icon in its first 26 pixels.
  struct Case {
    const char* where;
    std::u16string caption;
    int room;
  };
  std::vector<Case> cases = {
      {"reset, 65..201", Label("tc_reset"), 136 - 2 * 26},
      {"OK, 414..475", Label("tc_ok"), 61 - 9 - 4},
      {"cancel, 493..556", Label("tc_cancel"), 63 - 9 - 4},
      {"apply, 581..639", Label("tc_apply"), 58 - 9 - 4},
      {"mouse tab, 111 wide", Label("tc_mouse"), 111 - 2 * 3},
      {"keyboard tab, 111 wide", Label("tc_keyboard"), 111 - 2 * 3},
      {"message OK, 188..250", Label("tc_ok"), 62 - 2 * 3},
      {"message cancel, 266..322", Label("tc_cancel"), 56 - 2 * 3},
      {"combination OK, 118..190", Label("tc_ok"), 72 - 2 * 3},
      {"combination cancel, 191..263", Label("tc_cancel"), 72 - 2 * 3},
      {"launch OK, 188..250", Label("tc_ok"), 62 - 2 * 3},
      {"launch cancel, 266..322", Label("tc_cancel"), 56 - 2 * 3},
      {"launch browse, 224..325", Label("tc_auto_brower") + u"...", 101 - 2 * 3},
  };
  for (const std::u16string& name : ModelNames()) cases.push_back({"device drop-down entry", name, 120 - 2 * 3});
  for (const Case& c : cases) {
    EXPECT_FALSE(c.caption.empty()) << c.where;
    EXPECT_LE(CaptionWidth(c.caption), c.room) << c.where << ": " << Plain(c.caption);
  }
}

// The rectangles the system gives the entries of a menu while it is shown.
class MenuMeasurer : public ui::Window {
 public:
  std::vector<RECT> Measure(ui::OwnerDrawMenu& menu) {
    rects_.clear();
    menu_ = menu.Handle();
    current_ = this;
    SetTimer(nullptr, 0, 300, Read);
    menu.Track(Handle(), POINT{200, 200}, TPM_RETURNCMD | TPM_NONOTIFY);
    current_ = nullptr;
    return rects_;
  }

 private:
  static VOID CALLBACK Read(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (current_) {
      for (int i = 0; i < GetMenuItemCount(current_->menu_); ++i) {
        RECT r = {};
        GetMenuItemRect(nullptr, current_->menu_, static_cast<UINT>(i), &r);
        current_->rects_.push_back(r);
      }
    }
    EndMenu();
  }

  static inline MenuMeasurer* current_ = nullptr;
  HMENU menu_ = nullptr;
  std::vector<RECT> rects_;
};

ui::XPMenuItem TrayEntry(uint32_t bitmap, uint32_t offset, const std::u16string& text) {
  ui::XPMenuItem item;
  item.bitmapId = bitmap;
  item.selectedBitmapId = bitmap;
  item.pictureOffset = offset;
  item.text = text;
  return item;
}

TEST_F(ShippedTexts, TrayMenuEntriesFitBesideThePictureColumn) {
  MenuMeasurer owner;
  ASSERT_TRUE(owner.Create(0, u"tray", WS_POPUP | WS_VISIBLE, RECT{0, 0, 1, 1}, nullptr));
  SetForegroundWindow(owner.Handle());
  // An entry's text starts 8 pixels right of the 25-pixel picture column
  // and ends at the entry's right edge.
  constexpr int kTextStart = 25 + 8;

  // The device sub-menu, once as the menu shows it and once on its own to
  // measure its entries.
  std::vector<ui::XPMenuItem> models;
  for (const std::u16string& name : ModelNames()) models.push_back(TrayEntry(0, 0, name));
  ui::CXPMenu attached, devices;
  for (size_t i = 0; i < models.size(); ++i) {
    attached.AppendEntry(static_cast<UINT>(0xE0000000u + i), &models[i]);
    devices.AppendEntry(static_cast<UINT>(0xE0000000u + i), &models[i]);
  }
  // The fixed entries in their order; the device choice opens the sub-menu
  // and shares its entry with the sub-menu's arrow.
  std::vector<ui::XPMenuItem> fixed = {
      TrayEntry(153, 771, Label("tc_config")),         TrayEntry(154, 771, Label("tc_device_sel")),
      TrayEntry(157, 771, Label("tc_help")),           TrayEntry(159, 771, Label("tc_website")),
      TrayEntry(152, 771, Label("tc_about") + u"..."), TrayEntry(155, 771, Label("tc_exit")),
  };
  constexpr size_t kDeviceChoice = 1;
  ui::CXPMenu menu;
  for (size_t i = 0; i < fixed.size(); ++i) {
    if (i == kDeviceChoice)
      menu.AppendSubMenu(attached, &fixed[i]);
    else
      menu.AppendEntry(static_cast<UINT>(10 + i), &fixed[i]);
  }

  for (auto* list : {&fixed, &models}) {
    const std::vector<RECT> rects = owner.Measure(list == &fixed ? menu : devices);
    ASSERT_EQ(rects.size(), list->size());
    for (size_t i = 0; i < rects.size(); ++i) {
      const int width = rects[i].right - rects[i].left;
      EXPECT_GE(width, 120) << i;
      int room = width - kTextStart;
      if (list == &fixed && i == kDeviceChoice) room -= GetSystemMetrics(SM_CXMENUCHECK);
      EXPECT_FALSE((*list)[i].text.empty()) << i;
      EXPECT_LE(CaptionWidth((*list)[i].text), room) << Plain((*list)[i].text);
    }
  }
}

// The lowest pixel row a string drawn with the image library at 8 points
// inks inside its layout rectangle (left, top, right, bottom), or -1.
int InkBottom(const std::u16string& text, int alignment, const RECT& layout) {
  uitest::Canvas canvas(721, 441);
  ui::CPublicData::DrawTextRegular(canvas.Dc(), text, 8.0f, alignment, 0xFF000000, static_cast<float>(layout.left),
                                   static_cast<float>(layout.top), static_cast<float>(layout.right - layout.left),
                                   static_cast<float>(layout.bottom - layout.top));
  int bottom = -1;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x)
      if (canvas.Pixel(x, y) != RGB(255, 255, 255)) bottom = std::max(bottom, y);
  return bottom;
}

TEST_F(ShippedTexts, MessagesEndAboveTheButtonRow) {
  // The message's rectangle (85, 60)-(335, 148) reaches across the OK and
  // Cancel buttons, whose row starts at y = 100; a message keeps a few rows
  // clear above it.
  constexpr RECT kMessage = {85, 60, 335, 148};
  constexpr int kButtonRow = 100, kClearance = 4;
  const std::u16string messages[] = {Label("tc_info"), Label("tc_reinfo"),
                                     u"No Varnok wireless device connected. Application will close now."};
  for (const std::u16string& message : messages) {
    const int bottom = InkBottom(message, 0, kMessage);
    EXPECT_GE(bottom, kMessage.top) << Plain(message);
    EXPECT_LT(bottom, kButtonRow - kClearance) << Plain(message);
  }
}

TEST_F(ShippedTexts, OneLineTextsKeepToOneLine) {
  // A title or label that wrapped would lose its second line at its
  // rectangle's bottom: each fits the first line of its rectangle.
  struct Case {
    std::u16string text;
    int alignment;
    RECT layout;
  };
  constexpr int kLine = 14;
  const Case cases[] = {
      {Label("tc_about"), 0, {10, 7, 154, 27}},
      {Label("tc_reset"), 0, {10, 7, 154, 27}},
      {u"Tips", 0, {10, 7, 154, 27}},
      {Label("tc_device_sel"), 2, {240, 37, 530, 87}},
      {Label("tc_version"), 2, {428, 388, 648, 414}},
      {Label("tc_combo_tittle"), 0, {10, 7, 210, 29}},
      {Label("tc_auto_start"), 0, {10, 5, 210, 27}},
      {Label("tc_auto_sel"), 0, {23, 40, 203, 61}},
  };
  for (const Case& c : cases) {
    const int bottom = InkBottom(c.text, c.alignment, c.layout);
    EXPECT_GE(bottom, c.layout.top) << Plain(c.text);
    EXPECT_LT(bottom, c.layout.top + kLine) << Plain(c.text);
  }
}

// The rightmost pixel column a string drawn with the image library at 8
// points inks inside its layout rectangle, or -1.
int InkRight(const std::u16string& text, const RECT& layout) {
  uitest::Canvas canvas(721, 441);
  ui::CPublicData::DrawTextRegular(canvas.Dc(), text, 8.0f, 0, 0xFF000000, static_cast<float>(layout.left),
                                   static_cast<float>(layout.top), static_cast<float>(layout.right - layout.left),
                                   static_cast<float>(layout.bottom - layout.top));
  int right = -1;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x)
      if (canvas.Pixel(x, y) != RGB(255, 255, 255)) right = std::max(right, x);
  return right;
}

TEST_F(ShippedTexts, CombinationTipsStayAboveTheFieldAndInsideTheWindow) {
  // The tips' rectangle (38, 43)-(297, 104) reaches past the 268-pixel-wide
  // window and down across the field where the combination is written (its
  // frame from y = 66 on, the text from y = 70): the tips keep to one line
  // that ends inside the window.
  constexpr RECT kTips = {38, 43, 297, 104};
  constexpr int kFieldTop = 66, kWindowRight = 268, kMargin = 6;
  const std::u16string tips = Label("tc_combo_tips");
  const int bottom = InkBottom(tips, 0, kTips);
  EXPECT_GE(bottom, kTips.top) << Plain(tips);
  EXPECT_LT(bottom, kFieldTop - 2) << Plain(tips);
  EXPECT_LT(InkRight(tips, kTips), kWindowRight - kMargin) << Plain(tips);
}

}  // namespace

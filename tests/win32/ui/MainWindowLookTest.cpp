// The main window's look: where its buttons and device tabs sit and which pictures they are cut from, the tab layout
// of each device type, and the banner picture of the current model, also
// across model switches.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "app/SingleDevice.h"
#include "fakes/ConfigFixtures.h"
#include "fakes/TempFolder.h"
#include "platform/win32/GdiPlus.h"
#include "text/LabelTable.h"
#include "ui/buttons/BitmapBtn.h"
#include "ui/buttons/GDIBitmapBtn.h"
#include "ui/mainwindow/MainWindowLook.h"

namespace {

using app::CommandButton;
using ui::ImageSlot;
using ui::TextTone;

constexpr int kWindowWidth = 721;
constexpr int kWindowHeight = 441;
constexpr COLORREF kCaptionNormal = RGB(83, 97, 103);
constexpr COLORREF kCaptionOver = RGB(255, 255, 255);
constexpr COLORREF kCaptionPressed = RGB(235, 141, 36);

// The tab pictures: the hover and pressed ones are larger than the normal
// one, whose size every piece takes.
constexpr SIZE kTabPicture = {111, 28};
constexpr SIZE kLargerTabPicture = {130, 40};
constexpr BYTE kTabNormalBlue = 10, kTabOverBlue = 20, kTabDownBlue = 30;

struct Model {
  const char16_t* name;
  int32_t value;
  uint32_t type;
  COLORREF banner;
};
const Model kGlide = {u"Varnok Glide M5", 0x9050, 1, RGB(200, 30, 40)};
const Model kTempo = {u"Varnok Tempo K7", 0x9070, 2, RGB(30, 160, 60)};
const Model kDuo = {u"Varnok Duo S8", 0x9080, 3, RGB(40, 50, 210)};
const Model kWithoutPicture = {u"Varnok Bare B1", 0x9090, 1, 0};

// The pixels of a bitmap, rows from the top, as COLORREF values.
struct Pixels {
  SIZE size = {0, 0};
  std::vector<COLORREF> values;
  COLORREF At(int x, int y) const { return values[static_cast<size_t>(y * size.cx + x)]; }
};

Pixels PixelsOf(HBITMAP bitmap) {
  Pixels pixels;
  BITMAP info = {};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return pixels;
  pixels.size = {info.bmWidth, info.bmHeight};
  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = info.bmWidth;
  format.bmiHeader.biHeight = -info.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> raw(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
  ui::WindowDC screen(nullptr);
  GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(info.bmHeight), raw.data(), &format, DIB_RGB_COLORS);
  for (uint32_t value : raw) pixels.values.push_back(RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF));
  return pixels;
}

// The part of `whole` under `area`.
Pixels Cut(const Pixels& whole, const RECT& area) {
  Pixels piece;
  piece.size = {area.right - area.left, area.bottom - area.top};
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) piece.values.push_back(whole.At(x, y));
  return piece;
}

// How many pixels differ between two pictures; -1 when their sizes differ.
int DifferingPixels(const Pixels& a, const Pixels& b) {
  if (a.size.cx != b.size.cx || a.size.cy != b.size.cy) return -1;
  int differing = 0;
  for (size_t i = 0; i < a.values.size(); ++i) differing += a.values[i] != b.values[i];
  return differing;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

class MainWindowLookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_config::ResetConfiguration();
    app::SetSingleDevice(false);
    for (const auto& [key, text] : {std::pair<const char*, const char16_t*>{"tc_reset", u"Reset"},
                                    {"tc_ok", u"OK"},
                                    {"tc_cancel", u"Cancel"},
                                    {"tc_apply", u"Apply"},
                                    {"tc_mouse", u"Mouse"},
                                    {"tc_keyboard", u"Keyboard"}})
      LabelTable::Instance().Set(LabelTable::IndexOf(key), text);
    ASSERT_TRUE(host_.Create(0, u"main window look", WS_POPUP, RECT{0, 0, 10, 10}, nullptr));

    const std::filesystem::path skins = folder_.Path() / "skins";
    std::filesystem::create_directories(skins);
    const std::u16string skinFolder = folder_.ProgramPath() + u"skins\\";
    ASSERT_TRUE(uitest::SavePng(uitest::CoordinatePicture(kTabPicture.cx, kTabPicture.cy, kTabNormalBlue),
                                skinFolder + u"device_button_normal.png"));
    ASSERT_TRUE(
        uitest::SavePng(uitest::CoordinatePicture(kLargerTabPicture.cx, kLargerTabPicture.cy, kTabOverBlue),
                        skinFolder + u"device_button_over.png"));
    ASSERT_TRUE(
        uitest::SavePng(uitest::CoordinatePicture(kLargerTabPicture.cx, kLargerTabPicture.cy, kTabDownBlue),
                        skinFolder + u"device_button_down.png"));
    for (const Model* model : {&kGlide, &kTempo, &kDuo}) {
      std::filesystem::create_directories(skins / std::filesystem::path(model->name));
      ASSERT_TRUE(uitest::SavePng(uitest::SolidPicture(287, 56, model->banner),
                                  skinFolder + model->name + u"\\Varnok_Device.png"));
    }
  }
  void TearDown() override {
    LabelTable::Instance().Clear();
    testing_config::ResetConfiguration();
  }

  static void MakeCurrent(const Model& model) {
    config::CurrentDevice = testing_config::MakeDevice(model.name, model.value, model.type, {}, {});
  }

  // Builds the look on the host window, its commands reported to the test.
  void Build(ui::MainWindowLook& look, uint8_t deviceType) {
    look.Build(host_.Handle(), folder_.ProgramPath(), deviceType, [this](CommandButton command) {
      reported_ = command;
      ++reports_;
    });
  }

  // The control whose click means `command`, or null.
  HWND Control(CommandButton command) {
    for (HWND child = GetWindow(host_.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      auto* button = dynamic_cast<ui::SkinButton*>(ui::Window::FromHandle(child));
      if (!button || !button->onClick) continue;
      const int before = reports_;
      button->onClick();
      if (reports_ == before + 1 && reported_ == command) return child;
    }
    return nullptr;
  }

  // Where `control` sits in the window's client area.
  RECT PlaceOf(HWND control) const {
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, host_.Handle(), reinterpret_cast<POINT*>(&place), 2);
    return place;
  }

  static bool IsShown(HWND control) { return (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

  fakes::TempFolder folder_;
  ui::Window host_;
  CommandButton reported_ = CommandButton::Help;
  int reports_ = 0;
};

TEST_F(MainWindowLookTest, CommandButtonsSitOnTheirRectanglesCutFromTheThreeWindowPictures) {
  const ui::Bitmap normalResource = ui::LoadBitmapResource(147);
  const ui::Bitmap hoverResource = ui::LoadBitmapResource(148);
  const ui::Bitmap pressedResource = ui::LoadBitmapResource(146);
  const Pixels normal = PixelsOf(normalResource.Get());
  const Pixels hover = PixelsOf(hoverResource.Get());
  const Pixels pressed = PixelsOf(pressedResource.Get());
  for (const Pixels* picture : {&normal, &hover, &pressed}) {
    ASSERT_EQ(picture->size.cx, kWindowWidth);
    ASSERT_EQ(picture->size.cy, kWindowHeight);
  }
  MakeCurrent(kDuo);
  ui::MainWindowLook look;
  Build(look, 3);

  struct Row {
    CommandButton command;
    const char* name;
    RECT rect;
    const char16_t* caption;
  };
  const Row rows[] = {
      {CommandButton::DeviceChoice, "device choice", {532, 32, 558, 54}, u""},
      {CommandButton::Help, "help", {565, 32, 588, 54}, u""},
      {CommandButton::Minimise, "minimise", {593, 32, 617, 54}, u""},
      {CommandButton::Close, "close", {625, 32, 647, 54}, u""},
      {CommandButton::Reset, "reset", {65, 344, 201, 373}, u"Reset"},
      {CommandButton::Ok, "OK", {414, 346, 475, 369}, u"OK"},
      {CommandButton::Cancel, "cancel", {493, 346, 556, 369}, u"Cancel"},
      {CommandButton::Apply, "apply", {581, 346, 639, 369}, u"Apply"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    // The three pictures differ under every button, so a piece shows which
    // one it was cut from.
    const Pixels normalPiece = Cut(normal, row.rect), hoverPiece = Cut(hover, row.rect),
                 pressedPiece = Cut(pressed, row.rect);
    ASSERT_GT(DifferingPixels(normalPiece, hoverPiece), 0);
    ASSERT_GT(DifferingPixels(normalPiece, pressedPiece), 0);
    ASSERT_GT(DifferingPixels(hoverPiece, pressedPiece), 0);
    const HWND control = Control(row.command);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(SameRect(PlaceOf(control), row.rect)) << Describe(PlaceOf(control));
    EXPECT_TRUE(IsShown(control));
    const auto* button = dynamic_cast<const ui::CGDIBitmapBtn*>(ui::Window::FromHandle(control));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(DifferingPixels(PixelsOf(button->Image(ImageSlot::Normal)), normalPiece), 0);
    EXPECT_EQ(DifferingPixels(PixelsOf(button->Image(ImageSlot::Over)), hoverPiece), 0);
    EXPECT_EQ(DifferingPixels(PixelsOf(button->Image(ImageSlot::Down)), pressedPiece), 0);
    EXPECT_EQ(DifferingPixels(PixelsOf(button->Image(ImageSlot::Fourth)), normalPiece), 0);
    EXPECT_EQ(button->Text(), row.caption);
    if (*row.caption) {
      EXPECT_EQ(button->ToneColor(TextTone::Normal), kCaptionNormal);
      EXPECT_EQ(button->ToneColor(TextTone::Over), kCaptionOver);
      EXPECT_EQ(button->ToneColor(TextTone::Pressed), kCaptionPressed);
    }
  }
}

// What a tab shows: its piece of a tab picture is the picture's corner of
// the normal picture's size.
void ExpectTabPiece(const ui::Picture& piece, BYTE blue) {
  ASSERT_EQ(piece.Width(), kTabPicture.cx);
  ASSERT_EQ(piece.Height(), kTabPicture.cy);
  for (const POINT at : {POINT{0, 0}, POINT{kTabPicture.cx - 1, kTabPicture.cy - 1}, POINT{57, 13}}) {
    Gdiplus::Color pixel;
    piece.Get()->GetPixel(at.x, at.y, &pixel);
    EXPECT_EQ(pixel.GetValue(), Gdiplus::Color(255, static_cast<BYTE>(at.x), static_cast<BYTE>(at.y), blue).GetValue())
        << at.x << "," << at.y;
  }
}

TEST_F(MainWindowLookTest, DeviceTabsOfEachDeviceTypeAndTheirPictures) {
  constexpr RECT kFirstTab = {64, 90, 175, 118}, kSecondTab = {177, 90, 288, 118};
  struct Layout {
    uint8_t type;
    bool mouseShown;
    RECT mouse;
    bool keyboardShown;
    RECT keyboard;
  };
  const Layout layouts[] = {
      {1, true, kFirstTab, false, {}},
      {2, false, {}, true, kFirstTab},
      {3, true, kFirstTab, true, kSecondTab},
  };
  auto expectLayout = [&](const Layout& layout) {
    SCOPED_TRACE("device type " + std::to_string(layout.type));
    const HWND mouse = Control(CommandButton::MouseTab);
    const HWND keyboard = Control(CommandButton::KeyboardTab);
    ASSERT_NE(mouse, nullptr);
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(IsShown(mouse), layout.mouseShown);
    EXPECT_EQ(IsShown(keyboard), layout.keyboardShown);
    if (layout.mouseShown) EXPECT_TRUE(SameRect(PlaceOf(mouse), layout.mouse)) << Describe(PlaceOf(mouse));
    if (layout.keyboardShown)
      EXPECT_TRUE(SameRect(PlaceOf(keyboard), layout.keyboard)) << Describe(PlaceOf(keyboard));
  };

  for (const Layout& layout : layouts) {
    MakeCurrent(layout.type == 1 ? kGlide : layout.type == 2 ? kTempo : kDuo);
    ui::MainWindowLook look;
    Build(look, layout.type);
    expectLayout(layout);
  }

  // Models of other types in a row relay the same tabs out.
  MakeCurrent(kDuo);
  ui::MainWindowLook look;
  Build(look, 3);
  for (int type : {2, 1, 3, 1, 2}) {
    look.LayoutDeviceTabs(static_cast<uint8_t>(type));
    expectLayout(layouts[type - 1]);
  }

  struct Tab {
    CommandButton command;
    const char16_t* caption;
  };
  for (const Tab& tab : {Tab{CommandButton::MouseTab, u"Mouse"}, Tab{CommandButton::KeyboardTab, u"Keyboard"}}) {
    const auto* button = dynamic_cast<const ui::CBitmapBtn*>(ui::Window::FromHandle(Control(tab.command)));
    ASSERT_NE(button, nullptr);
    SCOPED_TRACE(std::string(tab.caption[0] == u'M' ? "mouse" : "keyboard") + " tab");
    EXPECT_EQ(button->Text(), tab.caption);
    ExpectTabPiece(button->Image(ImageSlot::Normal), kTabNormalBlue);
    ExpectTabPiece(button->Image(ImageSlot::Over), kTabOverBlue);
    ExpectTabPiece(button->Image(ImageSlot::Down), kTabDownBlue);
    // The checked look (the open page's tab) is the pressed picture: the
    // orange text of that look does not read on the resting one.
    ExpectTabPiece(button->Image(ImageSlot::Fourth), kTabDownBlue);
    EXPECT_EQ(button->ToneColor(TextTone::Normal), kCaptionNormal);
    EXPECT_EQ(button->ToneColor(TextTone::Over), kCaptionOver);
    EXPECT_EQ(button->ToneColor(TextTone::Pressed), kCaptionPressed);
  }
}

TEST_F(MainWindowLookTest, PaintsTheNormalPictureAndTheCurrentModelsBannerAcrossSwitches) {
  const ui::Bitmap normalResource = ui::LoadBitmapResource(147);
  const Pixels normal = PixelsOf(normalResource.Get());
  ASSERT_EQ(normal.size.cx, kWindowWidth);
  // The banner lies in (380, 62) to (667, 118); points well inside it, and
  // points of the background away from the logo, the banner and the texts.
  const POINT inBanner[] = {{382, 64}, {664, 115}, {520, 90}};
  const POINT onBackground[] = {{0, 0}, {720, 440}, {300, 250}, {10, 400}, {378, 90}, {520, 120}};
  auto expectBanner = [&](const ui::MainWindowLook& look, const Model& model) {
    SCOPED_TRACE(std::string(model.name, model.name + std::char_traits<char16_t>::length(model.name)));
    uitest::Canvas canvas(kWindowWidth, kWindowHeight, RGB(1, 2, 3));
    look.Paint(host_.Handle(), canvas.Dc(), nullptr);
    for (const POINT at : onBackground)
      EXPECT_EQ(canvas.Pixel(at.x, at.y), normal.At(at.x, at.y)) << at.x << "," << at.y;
    for (const POINT at : inBanner) {
      const COLORREF expected = model.banner ? model.banner : normal.At(at.x, at.y);
      EXPECT_EQ(canvas.Pixel(at.x, at.y), expected) << at.x << "," << at.y;
    }
  };

  MakeCurrent(kGlide);
  ui::MainWindowLook look;
  Build(look, 1);
  expectBanner(look, kGlide);
  for (const Model* next : {&kDuo, &kTempo, &kGlide, &kWithoutPicture, &kDuo}) {
    MakeCurrent(*next);
    look.ReloadDevicePicture(folder_.ProgramPath());
    expectBanner(look, *next);
  }
}

// Closing the window releases its look until it is opened again: every
// piece cut from the pictures for the command buttons and the tabs goes
// with the rest.
TEST_F(MainWindowLookTest, ReleasingTheLookFreesThePiecesOfTheButtonsAndTabs) {
  MakeCurrent(kDuo);
  {
    // What the first build leaves for later ones (fonts, the picture
    // library) is not the look's.
    ui::MainWindowLook first;
    Build(first, 3);
    first.Release();
  }
  const long before = uitest::CountResources().gdiObjects;
  ui::MainWindowLook look;
  Build(look, 3);
  std::vector<const ui::CGDIBitmapBtn*> commands;
  for (const auto& spec : ui::MainWindowLook::kCommandButtons)
    commands.push_back(dynamic_cast<const ui::CGDIBitmapBtn*>(ui::Window::FromHandle(Control(spec.command))));
  std::vector<const ui::CBitmapBtn*> tabs;
  for (CommandButton tab : {CommandButton::MouseTab, CommandButton::KeyboardTab})
    tabs.push_back(dynamic_cast<const ui::CBitmapBtn*>(ui::Window::FromHandle(Control(tab))));
  for (const auto* button : commands) ASSERT_NE(button, nullptr);
  for (const auto* tab : tabs) ASSERT_NE(tab, nullptr);
  // Eight buttons of four pieces each.
  ASSERT_GE(uitest::CountResources().gdiObjects, before + 32);

  look.Release();
  const ImageSlot slots[] = {ImageSlot::Normal, ImageSlot::Over, ImageSlot::Down, ImageSlot::Fourth};
  for (std::size_t i = 0; i < commands.size(); ++i) {
    for (ImageSlot slot : slots)
      EXPECT_EQ(commands[i]->Image(slot), nullptr) << "command button " << i << " slot " << int(slot);
  }
  for (std::size_t i = 0; i < tabs.size(); ++i) {
    for (ImageSlot slot : slots) EXPECT_TRUE(tabs[i]->Image(slot).Empty()) << "tab " << i << " slot " << int(slot);
  }
  EXPECT_EQ(uitest::CountResources().gdiObjects, before);
}

}  // namespace

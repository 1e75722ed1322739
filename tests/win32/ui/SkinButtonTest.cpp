// The three skinned buttons: which image and text colour each state shows,
// pieces cut from under the button, hover tracking with the capture, the
// press reports, two quick clicks, clicks released off the button, and
// tooltips.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "codes/PrivateMessages.h"
#include "ui/buttons/BitmapBtn.h"
#include "ui/buttons/GDIBitmapBtn.h"
#include "ui/window/ButtonClick.h"

namespace {

using ui::ButtonLook;
using ui::ButtonState;
using ui::ImageSlot;
using ui::TextTone;

constexpr COLORREF kSlotColors[] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0),
                                    RGB(200, 0, 200)};
constexpr RECT kFirst = {20, 20, 120, 50};
constexpr RECT kSecond = {20, 50, 120, 80};  // directly under the first
constexpr int kHostX = 200, kHostY = 150;

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class Host : public ui::Window {
 public:
  std::vector<Received> received;
  bool releaseReportQueuedAtClick = false;

  Host() {
    Create(0, u"buttons", WS_POPUP | WS_VISIBLE, RECT{kHostX, kHostY, kHostX + 300, kHostY + 200}, nullptr);
    SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
  }
  std::vector<Received> Of(UINT message) const {
    std::vector<Received> found;
    for (const Received& r : received)
      if (r.message == message) found.push_back(r);
    return found;
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) {
      MSG queued;
      releaseReportQueuedAtClick =
          PeekMessageW(&queued, Handle(), codes::WM_SKINBTN_PRESS, codes::WM_SKINBTN_PRESS, PM_NOREMOVE) &&
          queued.wParam == WM_LBUTTONUP;
    }
    if (message == WM_COMMAND || message == codes::WM_SKINBTN_PRESS || message == WM_MOUSEMOVE)
      received.push_back({message, wParam, lParam});
    return Window::WindowProc(message, wParam, lParam);
  }
};

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// Pictures of the host's size, one colour per image slot.
struct SlotPictures {
  std::vector<ui::Picture> pictures;
  std::vector<ui::Bitmap> bitmaps;
  SlotPictures() {
    for (COLORREF color : kSlotColors) {
      pictures.push_back(uitest::SolidPicture(300, 200, color));
      bitmaps.push_back(uitest::SolidBitmap(300, 200, color));
    }
  }
};

enum class Kind { Bitmap, Gdi, GdiEx };
const char* Name(Kind kind) { return kind == Kind::Bitmap ? "CBitmapBtn" : kind == Kind::Gdi ? "CGDIBitmapBtn" : "CGDIBitmapBtnEx"; }

std::unique_ptr<ui::SkinButton> MakeButton(Kind kind, HWND parent, const RECT& rect, const SlotPictures& skin) {
  const auto& b = skin.bitmaps;
  if (kind == Kind::Bitmap) {
    auto button = std::make_unique<ui::CBitmapBtn>();
    button->Create(parent, rect);
    const auto& p = skin.pictures;
    button->SetImages(p[0], p[1], p[2], p[3], rect.left, rect.top, Width(rect), Height(rect));
    return button;
  }
  if (kind == Kind::Gdi) {
    auto button = std::make_unique<ui::CGDIBitmapBtn>();
    button->Create(parent, rect);
    button->SetImages(b[0].Get(), b[1].Get(), b[2].Get(), b[3].Get(), rect);
    return button;
  }
  auto button = std::make_unique<ui::CGDIBitmapBtnEx>();
  button->Create(parent, rect);
  button->SetImages(b[0].Get(), b[1].Get(), b[2].Get(), b[3].Get(), b[4].Get(), rect);
  return button;
}

// Asks the parent to draw the button into a canvas, as the system does.
void DrawInto(HWND parent, const ui::SkinButton& button, UINT itemState, uitest::Canvas& canvas) {
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = itemState;
  item.hwndItem = button.Handle();
  item.hDC = canvas.Dc();
  GetClientRect(button.Handle(), &item.rcItem);
  SendMessageW(parent, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
}

int DrawnSlot(HWND parent, const ui::SkinButton& button, UINT itemState) {
  uitest::Canvas canvas(100, 30, RGB(1, 1, 1));
  DrawInto(parent, button, itemState, canvas);
  const COLORREF corner = canvas.Pixel(1, 1);
  for (int slot = 0; slot < 5; ++slot)
    if (corner == kSlotColors[slot]) return slot;
  return -1;
}

POINT Inside(const RECT& rect) { return POINT{rect.left + 10, rect.top + 5}; }
constexpr POINT kAway = {250, 180};  // on the host, off every button

// Puts the pointer on `at` (host client coordinates) and tells `button`.
void MoveTo(HWND host, const ui::SkinButton& button, POINT at, WPARAM keys = 0) {
  POINT screen = at;
  ClientToScreen(host, &screen);
  SetCursorPos(screen.x, screen.y);
  POINT local = screen;
  ScreenToClient(button.Handle(), &local);
  SendMessageW(button.Handle(), WM_MOUSEMOVE, keys, MAKELPARAM(local.x, local.y));
}

TEST(SkinButtonLooks, StateRulesOfTheThreeClasses) {
  const ButtonLook normal{ImageSlot::Normal, TextTone::Normal}, over{ImageSlot::Over, TextTone::Over},
      down{ImageSlot::Down, TextTone::Pressed}, fourthMarked{ImageSlot::Fourth, TextTone::Pressed},
      fourthDisabled{ImageSlot::Fourth, TextTone::Normal}, fifth{ImageSlot::Fifth, TextTone::Normal};
  struct Row {
    const char* name;
    ButtonState state;
    ButtonLook bitmap, gdi, gdiEx;
  };
  auto state = [](bool checked, bool pressed, bool hover, bool disabled, bool changed) {
    ButtonState s;
    s.checked = checked;
    s.pressed = pressed;
    s.hover = hover;
    s.disabled = disabled;
    s.changed = changed;
    return s;
  };
  const Row rows[] = {
      {"rest", state(0, 0, 0, 0, 0), normal, normal, normal},
      {"disabled", state(0, 0, 0, 1, 0), fourthDisabled, fourthDisabled, fourthDisabled},
      {"hover", state(0, 0, 1, 0, 0), over, over, over},
      {"hover beats disabled", state(0, 0, 1, 1, 0), over, over, over},
      {"pressed", state(0, 1, 0, 0, 0), down, down, down},
      {"pressed beats hover", state(0, 1, 1, 0, 0), down, down, down},
      {"checked", state(1, 0, 0, 0, 0), fourthMarked, down, normal},
      {"checked under the pointer", state(1, 0, 1, 0, 0), fourthMarked, down, over},
      {"checked and pressed", state(1, 1, 0, 0, 0), fourthMarked, down, down},
      {"changed", state(0, 0, 0, 0, 1), normal, normal, fifth},
      {"changed under the pointer", state(0, 0, 1, 0, 1), over, over, over},
      {"changed and pressed", state(0, 1, 0, 0, 1), down, down, down},
      {"changed and disabled", state(0, 0, 0, 1, 1), fourthDisabled, fourthDisabled, fourthDisabled},
  };
  const ui::CBitmapBtn bitmap;
  const ui::CGDIBitmapBtn gdi;
  const ui::CGDIBitmapBtnEx gdiEx;
  for (const Row& row : rows) {
    EXPECT_TRUE(bitmap.SelectLook(row.state) == row.bitmap) << row.name;
    EXPECT_TRUE(gdi.SelectLook(row.state) == row.gdi) << row.name;
    EXPECT_TRUE(gdiEx.SelectLook(row.state) == row.gdiEx) << row.name;
  }
}

TEST(SkinButtonDrawing, EachButtonDrawsTheImageOfItsState) {
  Host host;
  const SlotPictures skin;
  for (Kind kind : {Kind::Bitmap, Kind::Gdi, Kind::GdiEx}) {
    SCOPED_TRACE(Name(kind));
    auto button = MakeButton(kind, host.Handle(), kFirst, skin);
    EXPECT_EQ(DrawnSlot(host.Handle(), *button, 0), 0);
    EXPECT_EQ(DrawnSlot(host.Handle(), *button, ODS_SELECTED), 2);
    EXPECT_EQ(DrawnSlot(host.Handle(), *button, ODS_DISABLED), 3);
    button->SetChecked(true);
    EXPECT_EQ(DrawnSlot(host.Handle(), *button, 0), kind == Kind::Bitmap ? 3 : kind == Kind::Gdi ? 2 : 0);
    button->SetChecked(false);
    if (kind == Kind::GdiEx) {
      static_cast<ui::CGDIBitmapBtnEx&>(*button).SetChanged(true);
      EXPECT_EQ(DrawnSlot(host.Handle(), *button, 0), 4);
    }
    MoveTo(host.Handle(), *button, Inside(kFirst));
    ASSERT_TRUE(button->Hover());
    EXPECT_EQ(DrawnSlot(host.Handle(), *button, 0), 1);
    MoveTo(host.Handle(), *button, kAway);
    EXPECT_FALSE(button->Hover());
  }
}

TEST(SkinButtonDrawing, PiecesAreCutFromUnderTheButton) {
  Host host;
  const ui::Picture picture = uitest::CoordinatePicture(200, 150, 9);
  const ui::Bitmap bitmap = uitest::CoordinateBitmap(200, 150, 9);
  ui::CBitmapBtn skinned;
  ASSERT_TRUE(skinned.Create(host.Handle(), kFirst));
  skinned.SetImages(picture, picture, picture, picture, kFirst.left, kFirst.top, Width(kFirst), Height(kFirst));
  ui::CGDIBitmapBtn gdi;
  ASSERT_TRUE(gdi.Create(host.Handle(), kFirst));
  gdi.SetImages(bitmap.Get(), bitmap.Get(), bitmap.Get(), bitmap.Get(), kFirst);
  for (const ui::SkinButton* button : {static_cast<const ui::SkinButton*>(&skinned),
                                       static_cast<const ui::SkinButton*>(&gdi)}) {
    uitest::Canvas canvas(Width(kFirst), Height(kFirst));
    DrawInto(host.Handle(), *button, 0, canvas);
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(kFirst.left, kFirst.top, 9));
    EXPECT_EQ(canvas.Pixel(Width(kFirst) - 1, Height(kFirst) - 1), RGB(kFirst.right - 1, kFirst.bottom - 1, 9));
  }
}

// Bounding box and colours of the caption drawn on a plain picture.
struct Caption {
  RECT box = {1000, 1000, -1, -1};
  bool hasColor = false;
};
Caption DrawnCaption(HWND host, const ui::SkinButton& button, UINT itemState, COLORREF background, COLORREF color) {
  uitest::Canvas canvas(Width(kFirst), Height(kFirst), background);
  DrawInto(host, button, itemState, canvas);
  Caption caption;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      const COLORREF pixel = canvas.Pixel(x, y);
      if (pixel == background) continue;
      caption.hasColor = caption.hasColor || pixel == color;
      caption.box = {std::min<LONG>(caption.box.left, x), std::min<LONG>(caption.box.top, y),
                     std::max<LONG>(caption.box.right, x), std::max<LONG>(caption.box.bottom, y)};
    }
  return caption;
}

TEST(SkinButtonDrawing, CaptionsTakeTheColourOfTheState) {
  Host host;
  const COLORREF paper = RGB(10, 60, 10);
  const ui::Picture plain = uitest::SolidPicture(300, 200, paper);
  const ui::Bitmap plainBitmap = uitest::SolidBitmap(300, 200, paper);
  ui::CBitmapBtn skinned;
  skinned.Create(host.Handle(), kFirst);
  skinned.SetImages(plain, plain, plain, plain, kFirst.left, kFirst.top, Width(kFirst), Height(kFirst));
  skinned.SetText(u"Cancel");
  ui::CGDIBitmapBtn gdi;
  gdi.Create(host.Handle(), kFirst);
  gdi.SetImages(plainBitmap.Get(), plainBitmap.Get(), plainBitmap.Get(), plainBitmap.Get(), kFirst);
  gdi.SetText(u"Cancel", 0, 0);
  for (const ui::SkinButton* button : {static_cast<const ui::SkinButton*>(&skinned),
                                       static_cast<const ui::SkinButton*>(&gdi)}) {
    EXPECT_TRUE(DrawnCaption(host.Handle(), *button, 0, paper, button->ToneColor(TextTone::Normal)).hasColor);
    EXPECT_TRUE(
        DrawnCaption(host.Handle(), *button, ODS_SELECTED, paper, button->ToneColor(TextTone::Pressed)).hasColor);
  }
  EXPECT_EQ(skinned.ToneColor(TextTone::Pressed), RGB(235, 141, 36));
  EXPECT_EQ(gdi.ToneColor(TextTone::Pressed), RGB(236, 27, 35));
}

TEST(SkinButtonDrawing, PressedGdiCaptionMovesDownOnePixelAndSlightlyRight) {
  Host host;
  const COLORREF paper = RGB(10, 60, 10);
  const ui::Bitmap plain = uitest::SolidBitmap(300, 200, paper);
  ui::CGDIBitmapBtn gdi;
  gdi.Create(host.Handle(), kFirst);
  gdi.SetImages(plain.Get(), plain.Get(), plain.Get(), plain.Get(), kFirst);
  gdi.SetText(u"Apply", 0, 0);
  const Caption rest = DrawnCaption(host.Handle(), gdi, 0, paper, gdi.ToneColor(TextTone::Normal));
  const Caption pressed = DrawnCaption(host.Handle(), gdi, ODS_SELECTED, paper, gdi.ToneColor(TextTone::Pressed));
  ASSERT_GE(rest.box.right, 0);
  EXPECT_EQ(pressed.box.top, rest.box.top + 1);
  EXPECT_GE(pressed.box.left - rest.box.left, 1);
  EXPECT_LE(pressed.box.left - rest.box.left, 4);
}

TEST(SkinButtonDrawing, WithoutAnImageTheCaptionIsStillDrawn) {
  Host host;
  const COLORREF behind = RGB(90, 90, 90);
  ui::CBitmapBtn skinned;
  skinned.Create(host.Handle(), kFirst);
  skinned.SetImages(ui::Picture(), ui::Picture(), ui::Picture(), ui::Picture(), 0, 0, 10, 10);
  skinned.SetText(u"OK");
  ui::CGDIBitmapBtnEx gdi;
  gdi.Create(host.Handle(), kFirst);
  gdi.SetText(u"OK", 0, 0);
  for (const ui::SkinButton* button : {static_cast<const ui::SkinButton*>(&skinned),
                                       static_cast<const ui::SkinButton*>(&gdi)}) {
    const Caption caption = DrawnCaption(host.Handle(), *button, 0, behind, button->ToneColor(TextTone::Normal));
    EXPECT_TRUE(caption.hasColor);
    EXPECT_GT(caption.box.left, 0);  // the rest of the canvas kept what was behind
  }
}

TEST(GdiSkinButton, NullSourcesKeepTheirSlotsAndReplacingFreesTheOldSet) {
  Host host;
  const SlotPictures skin;
  const auto& b = skin.bitmaps;
  const auto baseline = uitest::CountResources();
  {
    ui::CGDIBitmapBtn button;
    button.Create(host.Handle(), kFirst);
    button.SetImages(b[0].Get(), b[1].Get(), b[2].Get(), b[3].Get(), kFirst);
    button.SetImages(nullptr, b[4].Get(), nullptr, nullptr, kFirst);
    EXPECT_EQ(DrawnSlot(host.Handle(), button, 0), 0);
    MoveTo(host.Handle(), button, Inside(kFirst));
    EXPECT_EQ(DrawnSlot(host.Handle(), button, 0), 4);
    MoveTo(host.Handle(), button, kAway);

    const long held = uitest::CountResources().gdiObjects;
    button.ReplaceImages(b[2].Get(), b[2].Get(), b[2].Get(), b[2].Get(), kFirst);
    EXPECT_EQ(uitest::CountResources().gdiObjects, held);
    EXPECT_EQ(DrawnSlot(host.Handle(), button, 0), 2);
    // The replaced set is gone: a second replacement fills the other set again.
    button.ReplaceImages(b[3].Get(), nullptr, nullptr, nullptr, kFirst);
    EXPECT_EQ(DrawnSlot(host.Handle(), button, 0), 3);
    EXPECT_EQ(DrawnSlot(host.Handle(), button, ODS_SELECTED), -1);
  }
  EXPECT_EQ(uitest::CountResources().gdiObjects, baseline.gdiObjects);
}

TEST(SkinButtonHover, MovingFromOneButtonOntoTheNext) {
  Host host;
  const SlotPictures skin;
  auto first = MakeButton(Kind::Bitmap, host.Handle(), kFirst, skin);
  auto second = MakeButton(Kind::Bitmap, host.Handle(), kSecond, skin);

  MoveTo(host.Handle(), *first, Inside(kFirst));
  EXPECT_TRUE(first->Hover());
  EXPECT_EQ(GetCapture(), first->Handle());

  // The first holds the capture, so the move onto the second reaches it.
  MoveTo(host.Handle(), *first, Inside(kSecond));
  EXPECT_FALSE(first->Hover());
  EXPECT_NE(GetCapture(), first->Handle());
  MoveTo(host.Handle(), *second, Inside(kSecond));
  EXPECT_TRUE(second->Hover());
  EXPECT_EQ(GetCapture(), second->Handle());
  EXPECT_EQ(DrawnSlot(host.Handle(), *first, 0), 0);
  EXPECT_EQ(DrawnSlot(host.Handle(), *second, 0), 1);
  ReleaseCapture();

  // Every move reached the parent in screen coordinates.
  uitest::PumpPending();
  std::vector<POINT> expected;
  for (const RECT& r : {kFirst, kSecond, kSecond}) {
    POINT p = Inside(r);
    ClientToScreen(host.Handle(), &p);
    expected.push_back(p);
  }
  std::vector<POINT> forwarded;
  for (const Received& move : host.Of(WM_MOUSEMOVE))
    forwarded.push_back(POINT{static_cast<short>(LOWORD(move.lParam)), static_cast<short>(HIWORD(move.lParam))});
  ASSERT_GE(forwarded.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(forwarded[i].x, expected[i].x) << i;
    EXPECT_EQ(forwarded[i].y, expected[i].y) << i;
  }
}

TEST(SkinButtonHover, ADragFromElsewhereDoesNotLightTheButton) {
  Host host;
  const SlotPictures skin;
  // The pointer itself stays off the windows: the moves below are the only ones.
  SetCursorPos(5, 5);
  uitest::PumpPending();
  for (Kind kind : {Kind::Bitmap, Kind::Gdi}) {
    auto button = MakeButton(kind, host.Handle(), kFirst, skin);
    SendMessageW(button->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_FALSE(button->Hover()) << Name(kind);
    EXPECT_NE(GetCapture(), button->Handle()) << Name(kind);
    MSG forwarded;
    EXPECT_FALSE(PeekMessageW(&forwarded, host.Handle(), WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE)) << Name(kind);
  }
}

TEST(SkinButtonHover, TheCaptureAnotherWindowTakesStaysWithItAndFocusLossEndsTheHover) {
  Host host;
  const SlotPictures skin;
  for (Kind kind : {Kind::Bitmap, Kind::Gdi, Kind::GdiEx}) {
    SCOPED_TRACE(Name(kind));
    auto button = MakeButton(kind, host.Handle(), kFirst, skin);
    auto other = MakeButton(kind, host.Handle(), kSecond, skin);
    MoveTo(host.Handle(), *button, Inside(kFirst));
    ASSERT_TRUE(button->Hover());
    SetCapture(other->Handle());
    EXPECT_EQ(GetCapture(), other->Handle());
    ReleaseCapture();

    SetFocus(button->Handle());
    SetFocus(host.Handle());
    EXPECT_FALSE(button->Hover());
  }
}

TEST(SkinButtonClicks, PressReportsArePostedBeforeEachOwnProcessing) {
  Host host;
  const SlotPictures skin;
  auto button = MakeButton(Kind::Bitmap, host.Handle(), kFirst, skin);
  auto& skinned = static_cast<ui::CBitmapBtn&>(*button);
  const LPARAM at = MAKELPARAM(5, 5);
  const LPARAM self = reinterpret_cast<LPARAM>(skinned.Handle());

  // Without the flag a click is only a click.
  SendMessageW(skinned.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(skinned.Handle(), WM_LBUTTONUP, 0, at);
  uitest::PumpPending();
  EXPECT_TRUE(host.Of(codes::WM_SKINBTN_PRESS).empty());
  EXPECT_EQ(host.Of(WM_COMMAND).size(), 1u);

  host.received.clear();
  skinned.SetReportPresses(true);
  SendMessageW(skinned.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  uitest::PumpPending();
  SendMessageW(skinned.Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_TRUE(host.releaseReportQueuedAtClick);
  uitest::PumpPending();
  ASSERT_EQ(host.received.size(), 3u);
  EXPECT_EQ(host.received[0].message, codes::WM_SKINBTN_PRESS);
  EXPECT_EQ(host.received[0].wParam, static_cast<WPARAM>(WM_LBUTTONDOWN));
  EXPECT_EQ(host.received[0].lParam, self);
  EXPECT_EQ(host.received[1].message, static_cast<UINT>(WM_COMMAND));
  EXPECT_EQ(HIWORD(host.received[1].wParam), BN_CLICKED);
  EXPECT_EQ(host.received[1].lParam, self);
  EXPECT_EQ(host.received[2].message, codes::WM_SKINBTN_PRESS);
  EXPECT_EQ(host.received[2].wParam, static_cast<WPARAM>(WM_LBUTTONUP));

  // A quick second press arrives as a double click and is reported as a press.
  host.received.clear();
  SendMessageW(skinned.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(skinned.Handle(), WM_LBUTTONUP, 0, at);
  uitest::PumpPending();
  const auto reports = host.Of(codes::WM_SKINBTN_PRESS);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].wParam, static_cast<WPARAM>(WM_LBUTTONDOWN));
  EXPECT_EQ(reports[1].wParam, static_cast<WPARAM>(WM_LBUTTONUP));
}

// A parent that counts its button's clicks the way the program's windows
// tell them from the button's other notifications.
class ClickCounter : public ui::Window {
 public:
  int clicks = 0;

  ClickCounter() {
    Create(0, u"click counter", WS_POPUP | WS_VISIBLE, RECT{kHostX, kHostY, kHostX + 300, kHostY + 200}, nullptr);
    SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
  }

 protected:
  bool OnCommand(WORD, WORD code, HWND control) override {
    if (!control || !ui::IsButtonClick(code)) return false;
    ++clicks;
    return true;
  }
};

TEST(SkinButtonClicks, TwoQuickClicksAreTwoClicks) {
  const SlotPictures skin;
  for (Kind kind : {Kind::Bitmap, Kind::Gdi, Kind::GdiEx}) {
    SCOPED_TRACE(Name(kind));
    ClickCounter parent;
    auto button = MakeButton(kind, parent.Handle(), kFirst, skin);
    uitest::PumpPending();
    POINT at = Inside(kFirst);
    ClientToScreen(parent.Handle(), &at);
    uitest::ClickTwiceQuickly(at);
    EXPECT_EQ(parent.clicks, 2);
  }
}

TEST(SkinButtonClicks, ReleasingAfterDraggingOff) {
  Host host;
  const SlotPictures skin;
  struct Case {
    Kind kind;
    bool clicks;
  };
  for (const Case c : {Case{Kind::Bitmap, false}, Case{Kind::Gdi, true}, Case{Kind::GdiEx, true}}) {
    SCOPED_TRACE(Name(c.kind));
    auto button = MakeButton(c.kind, host.Handle(), kFirst, skin);
    host.received.clear();
    MoveTo(host.Handle(), *button, Inside(kFirst));
    SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    MoveTo(host.Handle(), *button, kAway, MK_LBUTTON);
    EXPECT_FALSE(button->Hover());
    EXPECT_EQ(GetCapture(), button->Handle());  // the press still holds it
    POINT off = kAway;
    MapWindowPoints(host.Handle(), button->Handle(), &off, 1);
    SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(off.x, off.y));
    uitest::PumpPending();
    const auto commands = host.Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), c.clicks ? 1u : 0u);
    if (c.clicks) {
      EXPECT_EQ(commands[0].wParam, 0u);
      EXPECT_EQ(commands[0].lParam, reinterpret_cast<LPARAM>(button->Handle()));
    }
    ReleaseCapture();
  }
}

std::wstring ToolText(HWND tooltip, HWND button) {
  wchar_t text[80] = {};
  TOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = button;
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  return text;
}

TEST(SkinButtonTooltips, OneToolWhoseTextFollowsTheLastCall) {
  Host host;
  const SlotPictures skin;
  for (Kind kind : {Kind::Bitmap, Kind::Gdi}) {
    SCOPED_TRACE(Name(kind));
    auto button = MakeButton(kind, host.Handle(), kFirst, skin);
    button->SetTooltip(nullptr);
    EXPECT_EQ(button->Tooltip(), nullptr);
    button->SetTooltip(u"Left button");
    const HWND tooltip = button->Tooltip();
    ASSERT_NE(tooltip, nullptr);
    button->SetTooltip(u"Wheel");
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(tooltip, button->Handle()), L"Wheel");
    const LONG style = GetWindowLongW(tooltip, GWL_STYLE);
    if (kind == Kind::Gdi) {
      EXPECT_EQ(style & (TTS_BALLOON | TTS_CLOSE), TTS_BALLOON | TTS_CLOSE);
      EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 200);
      EXPECT_EQ(static_cast<COLORREF>(SendMessageW(tooltip, TTM_GETTIPTEXTCOLOR, 0, 0)), RGB(235, 141, 36));
    } else {
      EXPECT_EQ(style & TTS_BALLOON, 0);
    }
    button.reset();
    EXPECT_FALSE(IsWindow(tooltip));
  }
}

TEST(SkinButtonTooltips, MessagesToTheButtonReachItsTooltip) {
  Host host;
  const SlotPictures skin;
  auto button = MakeButton(Kind::Gdi, host.Handle(), kFirst, skin);
  EXPECT_EQ(button->Tooltip(), nullptr);
  PostMessageW(button->Handle(), WM_NULL, 0, 0);
  uitest::PumpPending();
  const HWND tooltip = button->Tooltip();
  ASSERT_NE(tooltip, nullptr);
  // Created on the way, deactivated until a text is given.
  EXPECT_EQ(GetWindowLongW(tooltip, GWL_STYLE) & (TTS_BALLOON | TTS_CLOSE), TTS_BALLOON | TTS_CLOSE);
  host.Destroy();
  EXPECT_FALSE(IsWindow(tooltip));
}

}  // namespace

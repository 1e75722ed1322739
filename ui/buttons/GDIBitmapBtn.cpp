#include "ui/buttons/GDIBitmapBtn.h"

#include <commctrl.h>

#include "platform/win32/WideString.h"
#include "ui/text/SkinText.h"

namespace ui {
namespace {

// The pages' own pressed colour differs; they set it after creation.
constexpr COLORREF kPressedRed = RGB(236, 27, 35);
constexpr UINT kCaptionFormat = DT_CENTER | DT_WORDBREAK | DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS;

}  // namespace

GdiSkinButton::GdiSkinButton(size_t imageCount)
    : SkinButton(kSkinTextNormal, kSkinTextOver, kPressedRed, TTS_BALLOON | TTS_CLOSE), imageCount_(imageCount) {}

void GdiSkinButton::SetText(const std::u16string& text, int dx, int dy) {
  dx_ = dx;
  dy_ = dy;
  SetCaption(text);
}

HBITMAP GdiSkinButton::Image(ImageSlot slot) const {
  const auto index = static_cast<size_t>(slot);
  return index < imageCount_ ? sets_[current_][index].Get() : nullptr;
}

void GdiSkinButton::ReleaseImages() {
  for (ImageSet& set : sets_)
    for (Bitmap& image : set) image.Reset();
}

void GdiSkinButton::StoreImages(std::initializer_list<HBITMAP> sources, const RECT& source, bool intoSpare) {
  const size_t target = intoSpare ? 1 - current_ : current_;
  const int width = source.right - source.left;
  const int height = source.bottom - source.top;
  WindowDC screen(nullptr);
  MemoryDC from(screen.Get());
  MemoryDC to(screen.Get());
  size_t slot = 0;
  for (HBITMAP picture : sources) {
    if (slot == imageCount_) break;
    Bitmap& image = sets_[target][slot++];
    if (!picture) continue;
    image.Reset();
    if (width <= 0 || height <= 0) continue;
    Bitmap piece(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!piece) continue;
    {
      SelectedObject fromPicture(from.Get(), picture);
      SelectedObject toPiece(to.Get(), piece.Get());
      StretchBlt(to.Get(), 0, 0, width, height, from.Get(), source.left, source.top, width, height, SRCCOPY);
    }
    image = std::move(piece);
  }
  if (intoSpare) {
    for (Bitmap& old : sets_[current_]) old.Reset();
    current_ = target;
  }
  RemoveFrameStyles();
  Redraw();
}

LRESULT GdiSkinButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A quick second press arrives as a double click, which the system's
  // button would pass on to the parent as a double-click notification,
  // itself a click to the program's windows. This button's click is its
  // release, so the second press is made an ordinary press instead.
  if (message == WM_LBUTTONDBLCLK) return Send(WM_LBUTTONDOWN, wParam, lParam);
  return SkinButton::WindowProc(message, wParam, lParam);
}

LRESULT GdiSkinButton::OnLButtonDown(WPARAM keys, POINT at) {
  const HWND parent = Parent();
  if (parent && GetActiveWindow() != parent) SetActiveWindow(parent);
  return Default();
}

LRESULT GdiSkinButton::OnLButtonUp(WPARAM keys, POINT at) {
  // The system's release handling is left out on purpose: it would only
  // count a release over the button, and this button's click is the release
  // wherever the pointer went after the press.
  Redraw();
  SendMessageW(Parent(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), 0), reinterpret_cast<LPARAM>(Handle()));
  return 0;
}

void GdiSkinButton::TooltipActivated() {
  SendMessageW(Tooltip(), TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(200, 0));
  SendMessageW(Tooltip(), TTM_SETTIPTEXTCOLOR, kSkinTextPressed, 0);
}

void GdiSkinButton::Paint(HDC dc, const RECT& client, const ButtonLook& look) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  const HBITMAP picture = Image(look.image);
  MemoryDC source(dc);
  SelectedObject sourcePicture(source.Get(), picture);
  if (Text().empty()) {
    if (picture) BitBlt(dc, 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
    return;
  }
  // Composed off screen so that the text never flickers over the picture.
  MemoryDC compose(dc);
  const Bitmap canvas(CreateCompatibleBitmap(dc, width, height));
  const Font font = CreateCaptionFont();
  SelectedObject composeCanvas(compose.Get(), canvas.Get());
  SelectedObject composeFont(compose.Get(), font.Get());
  // Without a picture the text goes on whatever the button shows now.
  BitBlt(compose.Get(), 0, 0, width, height, picture ? source.Get() : dc, 0, 0, SRCCOPY);
  SetBkMode(compose.Get(), TRANSPARENT);
  SetTextColor(compose.Get(), ToneColor(look.tone));
  SIZE extent = {};
  GetTextExtentPoint32W(compose.Get(), platform::win32::Wide(Text()), static_cast<int>(Text().size()), &extent);
  const int top = height / 2 - extent.cy / 2;
  if (look.tone == TextTone::Pressed) {
    // Pressed text sits a pixel lower and a little to the right.
    RECT area = {client.left + 9, top + 1, client.right - 4, client.bottom + 1};
    DrawTextW(compose.Get(), platform::win32::Wide(Text()), -1, &area, kCaptionFormat);
  } else {
    DrawRestingCaption(compose.Get(), client, extent, top);
  }
  BitBlt(dc, 0, 0, width, height, compose.Get(), 0, 0, SRCCOPY);
}

CGDIBitmapBtn::CGDIBitmapBtn() : GdiSkinButton(4) {}

void CGDIBitmapBtn::SetImages(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP fourth, const RECT& source) {
  StoreImages({normal, over, down, fourth}, source, false);
}

void CGDIBitmapBtn::ReplaceImages(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP fourth,
                                  const RECT& source) {
  StoreImages({normal, over, down, fourth}, source, true);
}

ButtonLook CGDIBitmapBtn::SelectLook(const ButtonState& state) const {
  // A checked mark button lights up like a pressed one.
  if (state.checked || state.pressed) return {ImageSlot::Down, TextTone::Pressed};
  if (state.hover) return {ImageSlot::Over, TextTone::Over};
  if (state.disabled) return {ImageSlot::Fourth, TextTone::Normal};
  return {ImageSlot::Normal, TextTone::Normal};
}

void CGDIBitmapBtn::DrawRestingCaption(HDC dc, const RECT& client, SIZE extent, int top) {
  const int width = client.right - client.left;
  TextOutW(dc, width / 2 + OffsetX() - extent.cx / 2, top + OffsetY(), platform::win32::Wide(Text()),
           static_cast<int>(Text().size()));
}

CGDIBitmapBtnEx::CGDIBitmapBtnEx() : GdiSkinButton(5) {}

void CGDIBitmapBtnEx::SetImages(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP fourth, HBITMAP fifth,
                                const RECT& source) {
  StoreImages({normal, over, down, fourth, fifth}, source, false);
}

void CGDIBitmapBtnEx::ReplaceImages(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP fourth, HBITMAP fifth,
                                    const RECT& source) {
  StoreImages({normal, over, down, fourth, fifth}, source, true);
}

void CGDIBitmapBtnEx::SetChanged(bool changed) {
  changed_ = changed;
  Redraw();
}

ButtonLook CGDIBitmapBtnEx::SelectLook(const ButtonState& state) const {
  // The changed mark shows at rest only; under the pointer or pressed the
  // key looks like any other.
  if (state.pressed) return {ImageSlot::Down, TextTone::Pressed};
  if (state.hover) return {ImageSlot::Over, TextTone::Over};
  if (state.disabled) return {ImageSlot::Fourth, TextTone::Normal};
  return {state.changed ? ImageSlot::Fifth : ImageSlot::Normal, TextTone::Normal};
}

void CGDIBitmapBtnEx::DrawRestingCaption(HDC dc, const RECT& client, SIZE extent, int top) {
  RECT area = {client.left + 8, top, client.right - 5, client.bottom};
  DrawTextW(dc, platform::win32::Wide(Text()), -1, &area, kCaptionFormat);
}

}  // namespace ui

#include "ui/buttons/BitmapBtn.h"

#include "codes/PrivateMessages.h"
#include "platform/win32/WideString.h"
#include "ui/text/SkinText.h"

namespace ui {

CBitmapBtn::CBitmapBtn() : SkinButton(kSkinTextNormal, kSkinTextOver, kSkinTextPressed, 0) {}

void CBitmapBtn::SetImages(const Picture& normal, const Picture& over, const Picture& down, const Picture& fourth,
                           int x, int y, int width, int height) {
  images_ = {normal.Crop(x, y, width, height), over.Crop(x, y, width, height), down.Crop(x, y, width, height),
             fourth.Crop(x, y, width, height)};
  RemoveFrameStyles();
  Redraw();
}

void CBitmapBtn::SetLeftAligned(bool leftAligned) {
  leftAligned_ = leftAligned;
  Redraw();
}

ButtonLook CBitmapBtn::SelectLook(const ButtonState& state) const {
  // The current device in the drop-down stays marked under the pointer.
  if (state.checked) return {ImageSlot::Fourth, TextTone::Pressed};
  if (state.pressed) return {ImageSlot::Down, TextTone::Pressed};
  if (state.hover) return {ImageSlot::Over, TextTone::Over};
  if (state.disabled) return {ImageSlot::Fourth, TextTone::Normal};
  return {ImageSlot::Normal, TextTone::Normal};
}

LRESULT CBitmapBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A quick second click arrives as a double click, which the button treats
  // as a press; it is reported as one, or the release would come unpaired.
  if (reportPresses_ && (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_LBUTTONUP)) {
    PostMessageW(Parent(), codes::WM_SKINBTN_PRESS, message == WM_LBUTTONUP ? WM_LBUTTONUP : WM_LBUTTONDOWN,
                 reinterpret_cast<LPARAM>(Handle()));
  }
  return SkinButton::WindowProc(message, wParam, lParam);
}

void CBitmapBtn::AfterHoverTracking(WPARAM keys, POINT at) {
  // The function menus follow the pointer across their entries from these.
  POINT screen = at;
  ClientToScreen(Handle(), &screen);
  PostMessageW(Parent(), WM_MOUSEMOVE, keys, MAKELPARAM(screen.x, screen.y));
}

void CBitmapBtn::Paint(HDC dc, const RECT& client, const ButtonLook& look) {
  Image(look.image).Draw(dc, 0, 0, client.right - client.left, client.bottom - client.top);
  if (Text().empty()) return;
  const Font font = CreateCaptionFont();  // outlives its selection below
  SavedDC saved(dc);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, font.Get());
  SetTextColor(dc, ToneColor(look.tone));
  RECT area = client;
  area.left += 3;
  const UINT format = DT_VCENTER | DT_WORDBREAK | DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS;
  DrawTextW(dc, platform::win32::Wide(Text()), -1, &area, leftAligned_ ? format : format | DT_CENTER);
}

}  // namespace ui

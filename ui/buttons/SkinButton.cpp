#include "ui/buttons/SkinButton.h"

#include <commctrl.h>

#include "platform/UiToolkit.h"
#include "platform/win32/WideString.h"
#include "ui/window/ButtonClick.h"

namespace ui {

SkinButton::SkinButton(COLORREF normal, COLORREF over, COLORREF pressed, DWORD tooltipStyle)
    : colors_{normal, over, pressed}, tooltipStyle_(tooltipStyle) {}

SkinButton::~SkinButton() { DestroyTooltip(); }

bool SkinButton::Create(HWND parent, const RECT& rect) {
  return CreateControl(L"BUTTON", u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, parent, 0);
}

void SkinButton::PreSubclass() {
  // Skinned buttons are clicked, never tabbed to.
  SetWindowLongW(Handle(), GWL_STYLE, GetWindowLongW(Handle(), GWL_STYLE) & ~WS_TABSTOP);
}

void SkinButton::RemoveFrameStyles() {
  if (Handle())
    SetWindowLongW(Handle(), GWL_STYLE, GetWindowLongW(Handle(), GWL_STYLE) & ~(WS_BORDER | WS_TABSTOP));
}

void SkinButton::SetCaption(const std::u16string& text) {
  caption_ = text;
  // The button draws its caption itself; as the window's text as well it
  // names the button to whatever reads windows rather than pixels.
  if (Handle()) SetWindowTextW(Handle(), platform::win32::Wide(text));
  Redraw();
}

void SkinButton::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Redraw();
}

void SkinButton::SetTextColors(COLORREF normal, COLORREF over, COLORREF pressed) {
  colors_ = {normal, over, pressed};
  Redraw();
}

void SkinButton::EnsureTooltip() {
  if (tooltip_ || !Handle()) return;
  platform::Service<platform::UiToolkit>::Get().UseCommonControls();
  tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | tooltipStyle_, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (tooltip_) SendMessageW(tooltip_, TTM_ACTIVATE, FALSE, 0);
}

void SkinButton::DestroyTooltip() {
  // The tip is a popup owned by the top-level window, not by the button, so
  // it would outlive the button.
  if (tooltip_) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
}

void SkinButton::SetTooltip(const char16_t* text) {
  if (!text || !Handle()) return;
  EnsureTooltip();
  if (!tooltip_) return;
  std::u16string tip(text);
  TOOLINFOW tool = {};
  // The shorter record every version of the common controls accepts.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = Handle();
  tool.uId = 1;
  tool.lpszText = const_cast<wchar_t*>(platform::win32::Wide(tip));
  if (SendMessageW(tooltip_, TTM_GETTOOLCOUNT, 0, 0) == 0) {
    tool.uFlags = 0;
    GetClientRect(Handle(), &tool.rect);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
  TooltipActivated();
}

bool SkinButton::OnNotification(WORD code) {
  if (!IsButtonClick(code) || !onClick) return false;
  onClick();
  return true;
}

bool SkinButton::PreTranslateMessage(MSG& msg) {
  EnsureTooltip();
  if (tooltip_) {
    MSG relayed = msg;
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  }
  return false;
}

bool SkinButton::TrackHover(WPARAM keys) {
  const bool leftDown = (keys & MK_LBUTTON) != 0;
  if (leftDown && !hover_) return false;
  if (GetCapture() != Handle()) {
    if (GetActiveWindow() && Parent()) {
      hover_ = true;
      SetCapture(Handle());
      Redraw();
    }
    return true;
  }
  POINT cursor = {};
  GetCursorPos(&cursor);
  if (WindowFromPoint(cursor) != Handle()) {
    if (hover_) {
      hover_ = false;
      Redraw();
    }
    // A press that started here keeps the capture until its release.
    if (!leftDown) ReleaseCapture();
  }
  return true;
}

LRESULT SkinButton::OnMouseMove(WPARAM keys, POINT at) {
  const LRESULT result = Default();
  if (TrackHover(keys)) AfterHoverTracking(keys, at);
  return result;
}

LRESULT SkinButton::OnCaptureChanged(HWND gaining) {
  // The capture has already gone to `gaining` (or nowhere). Releasing it
  // here would take it from a menu or from another button in the middle of
  // its press. The hover flag stays; the next move over the button takes
  // the capture back.
  if (hover_) Redraw();
  return Default();
}

LRESULT SkinButton::OnKillFocus(HWND gaining) {
  const LRESULT result = Default();
  hover_ = false;
  Redraw();
  return result;
}

LRESULT SkinButton::OnDestroy() {
  DestroyTooltip();
  return Default();
}

bool SkinButton::DrawItem(const DRAWITEMSTRUCT& item) {
  ButtonState state;
  state.checked = checked_;
  state.pressed = (item.itemState & ODS_SELECTED) != 0;
  state.hover = hover_;
  state.disabled = (item.itemState & ODS_DISABLED) != 0;
  state.changed = ChangedFlag();
  RECT client = {};
  GetClientRect(item.hwndItem, &client);
  Paint(item.hDC, client, SelectLook(state));
  return true;
}

}  // namespace ui

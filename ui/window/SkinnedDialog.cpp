#include "ui/window/SkinnedDialog.h"

#include <utility>

#include "ui/window/GdiHandles.h"

namespace ui {

SkinnedDialog::SkinnedDialog(UINT templateId, HWND owner, UINT normalPicture, UINT overPicture, UINT downPicture)
    : Dialog(templateId, owner), pictureIds_{normalPicture, overPicture, downPicture} {}

SkinnedDialog::SkinnedDialog(UINT templateId, HWND owner) : Dialog(templateId, owner), pictureIds_{} {}

void SkinnedDialog::LoadSkin() {
  for (size_t i = 0; i < pictures_.size(); ++i) pictures_[i] = LoadPngResource(pictureIds_[i]);
  CentreInWorkArea(SIZE{NormalPicture().Width(), NormalPicture().Height()});
}

void SkinnedDialog::CentreInWorkArea(SIZE size) {
  // The full-screen client area leaves out the task bar.
  SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXFULLSCREEN) - size.cx) / 2,
               (GetSystemMetrics(SM_CYFULLSCREEN) - size.cy) / 2, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool SkinnedDialog::AddButton(CBitmapBtn& button, const RECT& rect, const std::u16string& caption,
                              std::function<void()> onClick) {
  button.onClick = std::move(onClick);
  if (!button.Create(Handle(), rect)) return false;
  button.SetImages(pictures_[0], pictures_[1], pictures_[2], pictures_[0], rect.left, rect.top,
                   rect.right - rect.left, rect.bottom - rect.top);
  button.SetText(caption);
  return true;
}

bool SkinnedDialog::AddSwitch(CBitmapBtn& button, const RECT& rect, const std::u16string& caption,
                              std::function<void()> onClick) {
  if (!AddButton(button, rect, caption, std::move(onClick))) return false;
  button.SetImages(pictures_[0], pictures_[1], pictures_[2], pictures_[2], rect.left, rect.top,
                   rect.right - rect.left, rect.bottom - rect.top);
  return true;
}

LRESULT SkinnedDialog::OnPaint() {
  PaintDC dc(Handle());
  const RECT client = ClientRect();
  NormalPicture().Draw(dc.Get(), 0, 0, client.right, client.bottom);
  PaintOver(dc.Get());
  return 0;
}

LRESULT SkinnedDialog::OnLButtonDown(WPARAM keys, POINT at) {
  // As if the press were on a caption bar: the system moves the window.
  POINT screen = at;
  ClientToScreen(Handle(), &screen);
  Post(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
  return 0;
}

LRESULT SkinnedDialog::OnDestroy() {
  for (Picture& picture : pictures_) picture = Picture();
  return Default();
}

}  // namespace ui

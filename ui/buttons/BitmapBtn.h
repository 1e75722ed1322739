#pragma once

// The skinned button of the menus, the device tabs and the skinned dialogs:
// four image-library pictures (normal, over, down, fourth), alpha kept,
// scaled into the button; the system's own click behaviour.

#include <array>
#include <string>

#include "ui/buttons/SkinButton.h"
#include "ui/window/Picture.h"

namespace ui {

class CBitmapBtn : public SkinButton {
 public:
  CBitmapBtn();

  // The pieces (x, y, width, height) of the four pictures become the
  // button's images; an empty picture gives an absent image.
  void SetImages(const Picture& normal, const Picture& over, const Picture& down, const Picture& fourth, int x,
                 int y, int width, int height);
  const Picture& Image(ImageSlot slot) const { return images_[static_cast<size_t>(slot)]; }
  // Frees the pieces cut for the button; it draws nothing until it is given
  // images again.
  void ReleaseImages() { images_ = {}; }

  void SetText(const std::u16string& text) { SetCaption(text); }
  // Press reports: every left press and release is posted to the parent as
  // WM_SKINBTN_PRESS before the button handles it.
  void SetReportPresses(bool report) { reportPresses_ = report; }
  void SetLeftAligned(bool leftAligned);

  ButtonLook SelectLook(const ButtonState& state) const override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnEraseBackground(HDC dc) override { return TRUE; }
  void Paint(HDC dc, const RECT& client, const ButtonLook& look) override;
  void AfterHoverTracking(WPARAM keys, POINT at) override;

 private:
  std::array<Picture, 4> images_;
  bool reportPresses_ = false;
  bool leftAligned_ = false;
};

}  // namespace ui

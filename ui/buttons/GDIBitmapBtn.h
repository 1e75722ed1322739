#pragma once

// The skinned buttons of the assignment pages and the main window: pieces of
// BMP pictures kept as device-dependent bitmaps, in two sets so that the
// pictures can be exchanged while the button lives. A release anywhere after
// a press on the button counts as its click.
//
// CGDIBitmapBtn holds four images (normal, over, down, fourth);
// CGDIBitmapBtnEx a fifth one that marks a key whose function was changed.

#include <array>
#include <initializer_list>
#include <string>

#include "ui/buttons/SkinButton.h"
#include "ui/window/GdiHandles.h"

namespace ui {

class GdiSkinButton : public SkinButton {
 public:
  // Caption and its shift from the centre.
  void SetText(const std::u16string& text, int dx, int dy);
  HBITMAP Image(ImageSlot slot) const;
  // Frees the pieces cut for the button (both sets); it draws nothing until
  // it is given images again.
  void ReleaseImages();

 protected:
  explicit GdiSkinButton(size_t imageCount);

  // Cuts `source` (left, top, right, bottom) out of each given bitmap into
  // the current set, or into the spare set which then becomes current; a
  // null bitmap leaves its slot as it is.
  void StoreImages(std::initializer_list<HBITMAP> sources, const RECT& source, bool intoSpare);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnEraseBackground(HDC dc) override { return FALSE; }
  LRESULT OnLButtonDown(WPARAM keys, POINT at) override;
  LRESULT OnLButtonUp(WPARAM keys, POINT at) override;
  void AfterHoverTracking(WPARAM keys, POINT at) override { Redraw(); }
  void TooltipActivated() override;
  void Paint(HDC dc, const RECT& client, const ButtonLook& look) override;
  // Writes the caption, when not pressed, on the composed picture; `top`
  // centres the text's height `extent.cy` in the button.
  virtual void DrawRestingCaption(HDC dc, const RECT& client, SIZE extent, int top) = 0;

  int OffsetX() const { return dx_; }
  int OffsetY() const { return dy_; }

 private:
  using ImageSet = std::array<Bitmap, 5>;
  std::array<ImageSet, 2> sets_;
  size_t imageCount_;
  size_t current_ = 0;
  int dx_ = 0;
  int dy_ = 0;
};

class CGDIBitmapBtn : public GdiSkinButton {
 public:
  CGDIBitmapBtn();
  void SetImages(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP fourth, const RECT& source);
  void ReplaceImages(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP fourth, const RECT& source);
  ButtonLook SelectLook(const ButtonState& state) const override;

 protected:
  void DrawRestingCaption(HDC dc, const RECT& client, SIZE extent, int top) override;
};

class CGDIBitmapBtnEx : public GdiSkinButton {
 public:
  CGDIBitmapBtnEx();
  void SetImages(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP fourth, HBITMAP fifth, const RECT& source);
  void ReplaceImages(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP fourth, HBITMAP fifth,
                     const RECT& source);
  bool Changed() const { return changed_; }
  void SetChanged(bool changed);
  ButtonLook SelectLook(const ButtonState& state) const override;

 protected:
  bool ChangedFlag() const override { return changed_; }
  void DrawRestingCaption(HDC dc, const RECT& client, SIZE extent, int top) override;

 private:
  bool changed_ = false;
};

}  // namespace ui

#pragma once

// The skinned modal dialogs (message, key combination, program launch, macro
// editor) are three built-in pictures of the whole dialog - normal, pointer
// over, pressed - laid on top of each other. The window takes the size of
// the normal picture and sits in the middle of the screen's working area,
// its buttons show the pieces of the pictures under them, and a press
// anywhere else on it drags it.

#include <array>
#include <string>

#include "ui/buttons/BitmapBtn.h"
#include "ui/window/Dialog.h"
#include "ui/window/Picture.h"

namespace ui {

class SkinnedDialog : public Dialog {
 public:
  SkinnedDialog(UINT templateId, HWND owner, UINT normalPicture, UINT overPicture, UINT downPicture);

 protected:
  // Loads the three "PNG" resources, then sizes and centres the window.
  void LoadSkin();
  // Creates `button` at `rect` (left, top, right, bottom) showing the pieces
  // of the pictures there (the normal one also when disabled).
  bool AddButton(CBitmapBtn& button, const RECT& rect, const std::u16string& caption);
  // The same for a button that stays on when checked: its checked look is
  // the piece of the pressed picture.
  bool AddSwitch(CBitmapBtn& button, const RECT& rect, const std::u16string& caption);
  const Picture& NormalPicture() const { return pictures_[0]; }

  // What the dialog writes over its background.
  virtual void PaintOver(HDC dc) {}

  LRESULT OnPaint() override;
  LRESULT OnEraseBackground(HDC dc) override { return TRUE; }
  LRESULT OnHelp() override { return TRUE; }
  LRESULT OnLButtonDown(WPARAM keys, POINT at) override;
  LRESULT OnDestroy() override;

 private:
  std::array<UINT, 3> pictureIds_;
  std::array<Picture, 3> pictures_;
};

}  // namespace ui

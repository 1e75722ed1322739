#pragma once

// The skinned dialogs (message, key combination, program launch, macro
// editor, and the main window) are three pictures of the whole dialog -
// normal, pointer over, pressed - laid on top of each other. The window
// takes the size of the normal picture and sits in the middle of the
// screen's working area, its buttons show the pieces of the pictures under
// them, and a press anywhere else on it drags it. F1 asks for no help.

#include <array>
#include <functional>
#include <string>

#include "ui/buttons/BitmapBtn.h"
#include "ui/window/Dialog.h"
#include "ui/window/Picture.h"

namespace ui {

class SkinnedDialog : public Dialog {
 public:
  SkinnedDialog(UINT templateId, HWND owner, UINT normalPicture, UINT overPicture, UINT downPicture);
  // A skinned dialog that keeps and paints its pictures itself.
  explicit SkinnedDialog(UINT templateId, HWND owner = nullptr);

 protected:
  // Loads the three "PNG" resources, then sizes and centres the window.
  void LoadSkin();
  // Gives the window `size` in the middle of the screen's working area; a
  // screen smaller than the window gives a negative origin rather than a
  // smaller window.
  void CentreInWorkArea(SIZE size);
  // Creates `button` at `rect` (left, top, right, bottom) showing the pieces
  // of the pictures there (the normal one also when disabled); a click runs
  // `onClick`.
  bool AddButton(CBitmapBtn& button, const RECT& rect, const std::u16string& caption,
                 std::function<void()> onClick);
  // The same for a button that stays on while checked: its checked look is
  // the piece of the pressed picture.
  bool AddSwitch(CBitmapBtn& button, const RECT& rect, const std::u16string& caption,
                 std::function<void()> onClick);
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

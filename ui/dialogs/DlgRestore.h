#pragma once

// The program's own message box: a title, a message, OK, Cancel and a close
// button on the built-in message skin. The caller sets the two texts and
// reads the result: IDOK from the OK button only, IDCANCEL from Cancel, the
// close button or the window being closed. Enter, Esc and Space do nothing,
// so a confirmation is never given by a stray key.

#include <string>

#include "ui/PublicData.h"
#include "ui/buttons/BitmapBtn.h"
#include "ui/window/SkinnedDialog.h"

namespace ui {

class CDlgRestore : public SkinnedDialog, public CPublicData {
 public:
  explicit CDlgRestore(HWND owner = nullptr);

  void SetTitle(const std::u16string& title) { title_ = title; }
  void SetMessage(const std::u16string& message) { message_ = message; }

  // Where the texts go on the skin; a message longer than its rectangle is
  // cut at the rectangle's bottom edge.
  static constexpr RECT kMessageArea = {85, 60, 335, 148};
  static constexpr RECT kTitleArea = {10, 7, 154, 27};
  static constexpr uint32_t kTextColor = 0xFF535C6B;

  HWND OkButton() const { return ok_.Handle(); }
  HWND CancelButton() const { return cancel_.Handle(); }
  HWND CloseButton() const { return close_.Handle(); }

 protected:
  bool OnInitDialog() override;
  void OnOK() override {}
  bool PreTranslateMessage(MSG& msg) override;
  void PaintOver(HDC dc) override;

 private:
  CBitmapBtn ok_;
  CBitmapBtn cancel_;
  CBitmapBtn close_;
  std::u16string title_;
  std::u16string message_;
};

}  // namespace ui

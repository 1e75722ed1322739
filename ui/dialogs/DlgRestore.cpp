#include "ui/dialogs/DlgRestore.h"

#include "text/LabelTable.h"
#include "ui/resources/ResourceIds.h"

namespace ui {
namespace {

// "PNG" resources of the message skin, 351 x 141 each.
constexpr UINT kSkinNormal = 151;
constexpr UINT kSkinOver = 136;
constexpr UINT kSkinDown = 150;

constexpr RECT kOkRect = {188, 100, 250, 130};
constexpr RECT kCancelRect = {266, 100, 322, 130};
constexpr RECT kCloseRect = {320, 5, 340, 22};

float Width(const RECT& rect) { return static_cast<float>(rect.right - rect.left); }
float Height(const RECT& rect) { return static_cast<float>(rect.bottom - rect.top); }

}  // namespace

CDlgRestore::CDlgRestore(HWND owner) : SkinnedDialog(IDD_MESSAGE, owner, kSkinNormal, kSkinOver, kSkinDown) {}

bool CDlgRestore::OnInitDialog() {
  LoadSkin();
  AddButton(ok_, kOkRect, Label("tc_ok"), [this] { EndDialog(IDOK); });
  AddButton(cancel_, kCancelRect, Label("tc_cancel"), [this] { EndDialog(IDCANCEL); });
  AddButton(close_, kCloseRect, u"", [this] { EndDialog(IDCANCEL); });
  return true;
}

bool CDlgRestore::PreTranslateMessage(MSG& msg) {
  // The dialog manager would turn Enter and Esc into OK and Cancel, and a
  // focused button clicks itself on Space.
  return IsKeyMessage(msg, {VK_RETURN, VK_ESCAPE, VK_SPACE});
}

void CDlgRestore::PaintOver(HDC dc) {
  DrawTextRegular(dc, message_, 8.0f, 0, kTextColor, static_cast<float>(kMessageArea.left),
                  static_cast<float>(kMessageArea.top), Width(kMessageArea), Height(kMessageArea));
  DrawTextRegular(dc, title_, 8.0f, 0, kTextColor, static_cast<float>(kTitleArea.left),
                  static_cast<float>(kTitleArea.top), Width(kTitleArea), Height(kTitleArea));
}

}  // namespace ui

#include "ui/dialogs/DlgCombo.h"

#include "codes/KeyboardHookLibrary.h"
#include "codes/WindowNames.h"
#include "platform/win32/WideString.h"
#include "text/KeyNames.h"
#include "text/LabelTable.h"
#include "ui/PublicData.h"
#include "ui/resources/ResourceIds.h"

namespace ui {
namespace {

// "PNG" resources of the combination skin, 268 x 141 each.
constexpr UINT kSkinNormal = 141;
constexpr UINT kSkinOver = 142;
constexpr UINT kSkinDown = 140;

constexpr RECT kOkRect = {118, 103, 190, 131};
constexpr RECT kCancelRect = {191, 103, 263, 131};
constexpr RECT kCloseRect = {237, 5, 258, 22};

constexpr uint32_t kCaptionColor = 0xFF535C6B;
constexpr uint32_t kCombinationColor = 0xFF000000;

// Alt+F4 arrives as a system key with the context bit (Alt held) set.
constexpr LPARAM kAltHeld = LPARAM{1} << 29;

bool IsAltF4(const MSG& msg) {
  return (msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP) && msg.wParam == VK_F4 &&
         (msg.lParam & kAltHeld) != 0;
}

}  // namespace

CDlgCombo::CDlgCombo(HWND owner, const std::u16string& programFolder)
    : SkinnedDialog(IDD_COMBINATION, owner, kSkinNormal, kSkinOver, kSkinDown), programFolder_(programFolder) {}

bool CDlgCombo::OnInitDialog() {
  SetWindowTextW(Handle(), platform::win32::Wide(codes::kCombinationDialogName));
  LoadSkin();
  AddButton(ok_, kOkRect, Label("tc_ok"), [this] { EndDialog(IDOK); });
  AddButton(cancel_, kCancelRect, Label("tc_cancel"), [this] { EndDialog(IDCANCEL); });
  AddButton(close_, kCloseRect, u"", [this] { EndDialog(IDCANCEL); });
  hook_.Load(programFolder_ + kbgetkey::kLibraryFile, platform::win32::ToHandle(Handle()));
  // Every key counts from the moment the window is open.
  hook_.SetStatus(true);
  return true;
}

LRESULT CDlgCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kbgetkey::WM_HOOKKEY) return SkinnedDialog::WindowProc(message, wParam, lParam);
  if (capture_.OnHookKey(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam)))
    InvalidateRect(Handle(), &kCombinationArea, TRUE);
  return 0;
}

bool CDlgCombo::PreTranslateMessage(MSG& msg) {
  // The dialog manager would turn Enter and Esc into OK and Cancel, a focused
  // button clicks itself on Space, and Alt+F4 closes the window; the hook
  // has already reported all of them as keys of the combination.
  return IsKeyMessage(msg, {VK_RETURN, VK_ESCAPE, VK_SPACE}) || IsAltF4(msg);
}

LRESULT CDlgCombo::OnDestroy() {
  hook_.Unload();
  return SkinnedDialog::OnDestroy();
}

void CDlgCombo::PaintOver(HDC dc) {
  CPublicData::DrawTextRegular(dc, Label("tc_combo_tittle"), 8.0f, 0, kCaptionColor, 10, 7, 200, 22);
  CPublicData::DrawTextRegular(dc, Label("tc_combo_tips"), 8.0f, 0, kCaptionColor, 38, 43, 259, 61);
  const actions::Combination& combination = capture_.Current();
  CPublicData::DrawTextRegular(dc, text::CombinationText(combination.modifiers, combination.key1, combination.key2),
                               8.0f, 0, kCombinationColor, 50, 70, 225, 87);
}

}  // namespace ui

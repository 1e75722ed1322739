#include "ui/dialogs/DlgAutoStart.h"

#include "codes/WindowNames.h"
#include "config/ButtonAssignment.h"
#include "platform/win32/WideString.h"
#include "text/LabelTable.h"
#include "ui/dialogs/ProgramFileChoice.h"
#include "ui/resources/ResourceIds.h"
#include "ui/text/SkinText.h"
#include "ui/window/GdiHandles.h"

namespace ui {
namespace {

// "PNG" resources of the launch skin, 351 x 141 each.
constexpr UINT kSkinNormal = 138;
constexpr UINT kSkinOver = 139;
constexpr UINT kSkinDown = 137;

constexpr RECT kOkRect = {188, 100, 250, 130};
constexpr RECT kCancelRect = {266, 100, 322, 130};
constexpr RECT kCloseRect = {320, 5, 340, 22};
constexpr RECT kBrowseRect = {224, 63, 325, 88};

constexpr uint32_t kCaptionColor = 0xFF535C6B;

}  // namespace

CDlgAutoStart::CDlgAutoStart(HWND owner, const std::u16string& programPath)
    : SkinnedDialog(IDD_PROGRAM_LAUNCH, owner, kSkinNormal, kSkinOver, kSkinDown),
      openedWith_(programPath),
      path_(programPath),
      fileName_(config::ProgramFileName(programPath)) {}

bool CDlgAutoStart::OnInitDialog() {
  SetWindowTextW(Handle(), platform::win32::Wide(codes::kProgramLaunchDialogName));
  LoadSkin();
  AddButton(ok_, kOkRect, Label("tc_ok"), [this] { EndDialog(IDOK); });
  AddButton(cancel_, kCancelRect, Label("tc_cancel"), [this] { Close(IDCANCEL); });
  AddButton(close_, kCloseRect, u"", [this] { Close(IDCANCEL); });
  AddButton(browse_, kBrowseRect, Label("tc_auto_brower") + u"...", [this] { Browse(); });
  return true;
}

void CDlgAutoStart::Browse() {
  std::u16string chosen;
  if (!ChooseProgramFile(Handle(), chosen)) return;
  path_ = chosen;
  fileName_ = config::ProgramFileName(chosen);
  InvalidateRect(Handle(), &kFileNameArea, TRUE);
}

void CDlgAutoStart::Close(INT_PTR result) {
  if (result != IDOK) {
    path_ = openedWith_;
    fileName_ = config::ProgramFileName(path_);
  }
  EndDialog(result);
}

void CDlgAutoStart::PaintOver(HDC dc) {
  DrawTextRegular(dc, Label("tc_auto_start"), 8.0f, 0, kCaptionColor, 10, 5, 200, 22);
  DrawTextRegular(dc, Label("tc_auto_sel"), 8.0f, 0, kCaptionColor, 23, 40, 180, 21);
  const Font font = CreateCaptionFont();
  const SelectedObject selected(dc, font.Get());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  RECT area = kFileNameArea;
  DrawTextW(dc, platform::win32::Wide(fileName_), -1, &area,
            DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS);
  SetBkMode(dc, oldMode);
}

}  // namespace ui

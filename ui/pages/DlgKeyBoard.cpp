#include "ui/pages/DlgKeyBoard.h"

#include "config/DeviceCatalogue.h"
#include "config/PageAssignments.h"
#include "config/SettingsRecord.h"
#include "config/SettingsStore.h"
#include "ui/resources/ResourceIds.h"

namespace ui {

CDlgKeyBoard::CDlgKeyBoard(HWND mainWindow, const std::u16string& exeFolder)
    : AssignmentPageWindow(mainWindow, exeFolder,
                           Kind{config::AssignmentPage::Keyboard, IDD_KEYBOARD_PAGE, kHoverTimer, u"Keyboard",
                                config::kMaxKeys, {RGB(150, 170, 190), RGB(235, 141, 36)}}) {}

void CDlgKeyBoard::SetLabelImages(std::size_t index, const RECT& rect, LabelImages images) {
  const PagePictures& pictures = Pictures();
  CGDIBitmapBtnEx& label = labels_[index];
  switch (images) {
    case LabelImages::Initial:
      label.SetImages(pictures.Normal(), pictures.Over(), pictures.Down(), pictures.Normal(), pictures.Down(), rect);
      break;
    case LabelImages::Added:
      label.SetImages(pictures.Normal(), pictures.Over(), pictures.Down(), pictures.Down(), pictures.Down(), rect);
      break;
    case LabelImages::Replaced:
      label.ReplaceImages(pictures.Normal(), pictures.Over(), pictures.Down(), pictures.Down(), pictures.Down(), rect);
      break;
  }
}

void CDlgKeyBoard::AfterRefresh() {
  // Always against the applied record: a pick shows as changed once it is
  // applied and the page shown again.
  const std::vector<bool> changed = config::ChangedKeys(config::ActiveSettings, config::CurrentDevice);
  for (std::size_t i = 0; i < changed.size() && i < labels_.size(); ++i) {
    if (labels_[i].Handle()) labels_[i].SetChanged(changed[i]);
  }
}

}  // namespace ui

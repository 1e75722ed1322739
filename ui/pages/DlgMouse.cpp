#include "ui/pages/DlgMouse.h"

#include "ui/resources/ResourceIds.h"

namespace ui {

CDlgMouse::CDlgMouse(HWND mainWindow, const std::u16string& exeFolder)
    : AssignmentPageWindow(mainWindow, exeFolder,
                           Kind{config::AssignmentPage::Mouse, IDD_MOUSE_PAGE, kHoverTimer, u"Mouse",
                                config::kMaxMouseButtons, {RGB(255, 255, 255), RGB(235, 141, 36)}}) {}

void CDlgMouse::SetLabelImages(std::size_t index, const RECT& rect, LabelImages images) {
  const PagePictures& pictures = Pictures();
  CGDIBitmapBtn& label = labels_[index];
  switch (images) {
    case LabelImages::Initial:
      label.SetImages(pictures.Normal(), pictures.Over(), pictures.Down(), pictures.Normal(), rect);
      break;
    case LabelImages::Added:
      label.SetImages(pictures.Normal(), pictures.Over(), pictures.Down(), pictures.Down(), rect);
      break;
    case LabelImages::Replaced:
      label.ReplaceImages(pictures.Normal(), pictures.Over(), pictures.Down(), pictures.Down(), rect);
      break;
  }
}

}  // namespace ui

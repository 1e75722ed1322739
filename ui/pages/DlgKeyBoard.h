#pragma once

// The keyboard page: the current device's keyboard picture with a label for
// each programmable key. A key whose applied function is not its own shows
// its label on the pressed picture.

#include <array>
#include <string>

#include "config/ButtonAssignment.h"
#include "ui/pages/AssignmentPageWindow.h"

namespace ui {

class CDlgKeyBoard : public AssignmentPageWindow {
 public:
  static constexpr UINT_PTR kHoverTimer = 1000;

  CDlgKeyBoard(HWND mainWindow, const std::u16string& exeFolder);

  GdiSkinButton& LabelButton(std::size_t index) override { return labels_[index]; }
  CGDIBitmapBtnEx& KeyLabel(std::size_t index) { return labels_[index]; }

 protected:
  void SetLabelImages(std::size_t index, const RECT& rect, LabelImages images) override;
  void AfterRefresh() override;

 private:
  std::array<CGDIBitmapBtnEx, config::kMaxKeys> labels_;
};

}  // namespace ui

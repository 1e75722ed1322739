#pragma once

// The mouse page: the current device's mouse picture with a label beside
// each programmable button. The only button that still clicks with the left
// button cannot give that function away.

#include <array>
#include <string>

#include "config/ButtonAssignment.h"
#include "ui/pages/AssignmentPageWindow.h"

namespace ui {

class CDlgMouse : public AssignmentPageWindow {
 public:
  static constexpr UINT_PTR kHoverTimer = 1;

  CDlgMouse(HWND mainWindow, const std::u16string& exeFolder);

  GdiSkinButton& LabelButton(std::size_t index) override { return labels_[index]; }

 protected:
  void SetLabelImages(std::size_t index, const RECT& rect, LabelImages images) override;

 private:
  std::array<CGDIBitmapBtn, config::kMaxMouseButtons> labels_;
};

}  // namespace ui

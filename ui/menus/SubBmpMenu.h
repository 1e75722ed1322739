#pragma once

// The second level of the function menu: the functions of one category,
// opened beside the category's entry while the pointer rests on it. A click
// on a function posts WM_BMPMENU_SUBPICK ((category index << 16) | entry
// index, function code) to the menu that opened it, which tells its owner.

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/buttons/BitmapBtn.h"
#include "ui/window/Dialog.h"
#include "ui/window/Picture.h"

namespace ui {

struct tagBMPMENUINFO;

class CSubBmpMenu : public Dialog {
 public:
  // `entries` belongs to the opening menu and outlives this window.
  CSubBmpMenu(HWND menu, int parentIndex, const std::vector<tagBMPMENUINFO>& entries);
  ~CSubBmpMenu() override;

  // Each picture cut to (0, 0, width, height). An entry rests on its piece
  // of `normal` and lights up on `over`.
  void SetImages(const Picture& normal, const Picture& over, const Picture& down, const Picture& fourth, int width,
                 int height);
  // Screen position of the top-left corner, set before Open.
  void SetPosition(int x, int y);
  bool Open();

  int ParentIndex() const { return parentIndex_; }
  HWND EntryButton(std::size_t index) const;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  LRESULT OnPaint() override;
  LRESULT OnEraseBackground(HDC) override { return TRUE; }
  LRESULT OnHelp() override { return TRUE; }

 private:
  int parentIndex_;
  const std::vector<tagBMPMENUINFO>& entries_;
  POINT position_ = {0, 0};
  std::array<Picture, 4> images_;
  std::vector<std::unique_ptr<CBitmapBtn>> buttons_;
};

}  // namespace ui

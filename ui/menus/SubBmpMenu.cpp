#include "ui/menus/SubBmpMenu.h"

#include "app/FunctionMenuLayout.h"
#include "codes/PrivateMessages.h"
#include "ui/menus/BmpMenu.h"
#include "ui/resources/ResourceIds.h"
#include "ui/window/ButtonClick.h"

namespace ui {

CSubBmpMenu::CSubBmpMenu(HWND menu, int parentIndex, const std::vector<tagBMPMENUINFO>& entries)
    : Dialog(IDD_POPUP_MENU, menu), parentIndex_(parentIndex), entries_(entries) {}

CSubBmpMenu::~CSubBmpMenu() { Destroy(); }

void CSubBmpMenu::SetImages(const Picture& normal, const Picture& over, const Picture& down, const Picture& fourth,
                            int width, int height) {
  const Picture* sources[] = {&normal, &over, &down, &fourth};
  for (std::size_t i = 0; i < images_.size(); ++i) images_[i] = sources[i]->Crop(0, 0, width, height);
}

void CSubBmpMenu::SetPosition(int x, int y) { position_ = {x, y}; }

bool CSubBmpMenu::Open() { return CreateModeless(); }

HWND CSubBmpMenu::EntryButton(std::size_t index) const {
  return index < buttons_.size() ? buttons_[index]->Handle() : nullptr;
}

bool CSubBmpMenu::OnInitDialog() {
  // A plain popup is opaque already: the sub-menu needs no layered window
  // to cover what lies under it.
  const app::MenuSize size = app::SubMenuWindowSize(images_[0].Width(), static_cast<int>(entries_.size()));
  // The menu keeps the activation, so its entries go on following the pointer.
  SetWindowPos(Handle(), HWND_TOP, position_.x, position_.y, size.width, size.height,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  for (std::size_t d = 0; d < entries_.size(); ++d) {
    const app::MenuRect slot = app::SubMenuEntryRect(static_cast<int>(d), size.width);
    const RECT rect = {slot.left, slot.top, slot.right, slot.bottom};
    auto button = std::make_unique<CBitmapBtn>();
    button->Create(Handle(), rect);
    button->SetImages(images_[0], images_[1], images_[0], images_[0], rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top);
    button->SetText(entries_[d].label);
    buttons_.push_back(std::move(button));
  }
  return false;
}

bool CSubBmpMenu::OnCommand(WORD, WORD code, HWND control) {
  if (!IsButtonClick(code) || !control) return false;
  for (std::size_t d = 0; d < buttons_.size() && d < entries_.size(); ++d) {
    if (buttons_[d]->Handle() == control) {
      const WPARAM where = (static_cast<WPARAM>(parentIndex_) << 16) | d;
      PostMessageW(Owner(), codes::WM_BMPMENU_SUBPICK, where, entries_[d].id & 0xFFFF);
      return true;
    }
  }
  return false;
}

LRESULT CSubBmpMenu::OnPaint() {
  PaintDC paint(Handle());
  images_[0].Draw(paint.Get(), 0, 0, images_[0].Width(), images_[0].Height());
  return 0;
}

}  // namespace ui

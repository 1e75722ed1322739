#include "ui/menus/BmpMenu.h"

#include "app/FunctionMenuLayout.h"
#include "codes/PrivateMessages.h"
#include "ui/resources/ResourceIds.h"
#include "ui/window/ButtonClick.h"

namespace ui {
namespace {

void LoadPictures(std::array<Picture, 4>& pictures, const std::u16string& normal, const std::u16string& over,
                  const std::u16string& down, const std::u16string& fourth) {
  pictures = {LoadPngFile(normal), LoadPngFile(over), LoadPngFile(down), LoadPngFile(fourth)};
}

app::MenuSize FullScreen() {
  return {GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)};
}

bool Contains(HWND window, POINT screen) {
  RECT rect;
  return window && GetWindowRect(window, &rect) && PtInRect(&rect, screen);
}

}  // namespace

CBmpMenu::CBmpMenu(HWND owner, HWND parent) : Dialog(IDD_POPUP_MENU, parent), owner_(owner) {}

CBmpMenu::~CBmpMenu() { Destroy(); }

void CBmpMenu::SetEntryImages(const std::u16string& normal, const std::u16string& over, const std::u16string& down,
                              const std::u16string& fourth) {
  LoadPictures(entryImages_, normal, over, down, fourth);
}

void CBmpMenu::SetSubMenuImages(const std::u16string& normal, const std::u16string& over,
                                const std::u16string& down, const std::u16string& fourth) {
  LoadPictures(subMenuImages_, normal, over, down, fourth);
}

void CBmpMenu::AddEntry(const std::u16string& label, int32_t id) {
  // The window has room for a fixed number of entry buttons.
  if (entries_.size() >= kMaxEntries) return;
  tagBMPMENUINFO entry;
  entry.label = label;
  entry.id = id;
  entries_.push_back(std::move(entry));
}

void CBmpMenu::AddSubEntry(std::size_t index, const std::u16string& label, int32_t code) {
  if (index >= entries_.size() || entries_[index].subEntries.size() >= kMaxEntries) return;
  tagBMPMENUINFO sub;
  sub.label = label;
  sub.id = code;
  entries_[index].subEntries.push_back(std::move(sub));
  entries_[index].hasSubMenu = 1;
}

bool CBmpMenu::Open() { return CreateModeless(); }

HWND CBmpMenu::EntryButton(std::size_t index) const {
  return index < buttons_.size() ? buttons_[index]->Handle() : nullptr;
}

bool CBmpMenu::OnInitDialog() {
  const Picture& normal = entryImages_[0];
  const int width = normal.Width();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const app::MenuRect slot = app::MenuEntryRect(static_cast<int>(i), width);
    const RECT rect = {slot.left, slot.top, slot.right, slot.bottom};
    auto button = std::make_unique<CBitmapBtn>();
    button->Create(Handle(), rect);
    // The pressed entry keeps its resting picture: the menu closes on the
    // click anyway.
    button->SetImages(normal, entryImages_[1], normal, normal, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top);
    button->SetText(entries_[i].label);
    buttons_.push_back(std::move(button));
  }
  const app::MenuSize size = app::MenuWindowSize(width, static_cast<int>(entries_.size()));
  background_ = normal.Crop(0, 0, size.width, std::min(size.height, normal.Height()));
  return false;
}

void CBmpMenu::ShowAtCursor() {
  POINT cursor = {};
  GetCursorPos(&cursor);
  ShowAt(cursor);
}

void CBmpMenu::ShowAt(POINT at) {
  const app::MenuSize size = app::MenuWindowSize(entryImages_[0].Width(), static_cast<int>(entries_.size()));
  const app::MenuPoint place = app::MenuPositionAtCursor({at.x, at.y}, size, FullScreen());
  position_ = {place.x, place.y};
  SetWindowPos(Handle(), HWND_TOP, place.x, place.y, size.width, size.height, SWP_SHOWWINDOW);
}

void CBmpMenu::CloseSubMenu() {
  if (!subMenu_) return;
  const auto index = static_cast<std::size_t>(subMenu_->ParentIndex());
  if (index < entries_.size()) entries_[index].subMenuOpen = 0;
  subMenu_.reset();
}

void CBmpMenu::OpenSubMenu(std::size_t index) {
  tagBMPMENUINFO& entry = entries_[index];
  entry.subMenuOpen = 1;
  auto subMenu = std::make_unique<CSubBmpMenu>(Handle(), static_cast<int>(index), entry.subEntries);
  const Picture& normal = subMenuImages_[0];
  subMenu->SetImages(normal, subMenuImages_[1], subMenuImages_[2], subMenuImages_[3], normal.Width(),
                     normal.Height());
  const app::MenuPoint place =
      app::SubMenuPosition({position_.x, position_.y}, static_cast<int>(index), entryImages_[0].Width(),
                           {normal.Width(), normal.Height()}, static_cast<int>(entry.subEntries.size()), FullScreen());
  subMenu->SetPosition(place.x, place.y);
  subMenu_ = std::move(subMenu);
  if (subMenu_->Open()) ShowWindow(subMenu_->Handle(), SW_SHOWNA);
}

LRESULT CBmpMenu::OnMouseMove(WPARAM, POINT at) {
  for (std::size_t i = 0; i < buttons_.size() && i < entries_.size(); ++i) {
    const HWND button = buttons_[i]->Handle();
    if (!button) continue;
    if (Contains(button, at)) {
      // Resting on the category whose list is open: keep it, no flicker.
      if (subMenu_ && subMenu_->ParentIndex() == static_cast<int>(i)) break;
      CloseSubMenu();
      if (entries_[i].hasSubMenu && !entries_[i].subMenuOpen) OpenSubMenu(i);
    } else if (entries_[i].subMenuOpen && subMenu_ && !Contains(subMenu_->Handle(), at)) {
      CloseSubMenu();
    }
  }
  return Default();
}

bool CBmpMenu::OnCommand(WORD, WORD code, HWND control) {
  if (!IsButtonClick(code) || !control) return false;
  for (std::size_t i = 0; i < buttons_.size() && i < entries_.size(); ++i) {
    if (buttons_[i]->Handle() != control) continue;
    // A category only opens its list; a click on it picks nothing.
    if (!entries_[i].hasSubMenu) PostMessageW(owner_, codes::WM_BMPMENU_PICK, i, entries_[i].id);
    return true;
  }
  return false;
}

LRESULT CBmpMenu::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == codes::WM_BMPMENU_SUBPICK) {
    const std::size_t parent = wParam >> 16;
    if (parent < entries_.size()) {
      const LPARAM pick = (static_cast<LPARAM>(entries_[parent].id) << 16) | (lParam & 0xFFFF);
      PostMessageW(owner_, codes::WM_BMPMENU_PICK, wParam, pick);
    }
  }
  return Dialog::WindowProc(message, wParam, lParam);
}

LRESULT CBmpMenu::OnPaint() {
  PaintDC paint(Handle());
  background_.Draw(paint.Get(), 0, 0, background_.Width(), background_.Height());
  return 0;
}

void CBmpMenu::Destroy() {
  subMenu_.reset();
  buttons_.clear();
  entries_.clear();
  for (Picture& image : entryImages_) image = Picture();
  for (Picture& image : subMenuImages_) image = Picture();
  background_ = Picture();
  Dialog::Destroy();
}

}  // namespace ui

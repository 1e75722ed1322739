#include "ui/mainwindow/MainWindowPages.h"

#include <utility>

#include "codes/PrivateMessages.h"
#include "config/DeviceCatalogue.h"
#include "config/SettingsRecord.h"
#include "config/SettingsStore.h"
#include "ui/mainwindow/MainWindowLook.h"
#include "ui/window/Picture.h"

namespace ui {

MainWindowPages::MainWindowPages(std::u16string exeFolder, std::function<void()> closeDropDown)
    : exeFolder_(std::move(exeFolder)), closeDropDown_(std::move(closeDropDown)) {}

template <class Page>
void MainWindowPages::Make(std::unique_ptr<Page>& page) {
  if (page) return;
  auto made = std::make_unique<Page>(window_, exeFolder_);
  if (!made->Open(closeDropDown_)) return;
  const RECT& area = MainWindowLook::kPageRect;
  SetWindowPos(made->Handle(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  page = std::move(made);
}

void MainWindowPages::Create(HWND window, uint8_t deviceType) {
  window_ = window;
  if (config::HasMouse(deviceType)) Make(mouse_);
  if (config::HasKeyboard(deviceType)) Make(keyboard_);
}

void MainWindowPages::ReloadSkin(AssignmentPageWindow& page, const char16_t* stem) {
  const std::u16string folder = exeFolder_ + u"skins\\" + config::ModelName(config::CurrentDevice) + u"\\" + stem;
  Bitmap normal, over, down;
  SIZE size = {}, ignored = {};
  LoadBitmapFile(folder + u"_Normal.bmp", normal, size);
  LoadBitmapFile(folder + u"_Over.bmp", over, ignored);
  LoadBitmapFile(folder + u"_Down.bmp", down, ignored);
  page.ReloadPictures(normal.Get(), over.Get(), down.Get(), RECT{0, 0, size.cx, size.cy});
  page.RelayoutForDevice();
}

void MainWindowPages::ApplyModel(uint8_t deviceType) {
  Create(window_, deviceType);
  if (config::HasMouse(deviceType) && mouse_) ReloadSkin(*mouse_, u"Mouse");
  if (config::HasKeyboard(deviceType) && keyboard_) ReloadSkin(*keyboard_, u"Keyboard");
}

void MainWindowPages::Show(app::MainPage page) {
  AssignmentPageWindow* shown = page == app::kMousePage ? static_cast<AssignmentPageWindow*>(mouse_.get())
                                                        : static_cast<AssignmentPageWindow*>(keyboard_.get());
  AssignmentPageWindow* hidden = page == app::kMousePage ? static_cast<AssignmentPageWindow*>(keyboard_.get())
                                                         : static_cast<AssignmentPageWindow*>(mouse_.get());
  if (hidden && hidden->Handle()) ShowWindow(hidden->Handle(), SW_HIDE);
  if (shown && shown->Handle()) ShowWindow(shown->Handle(), SW_SHOW);
}

void MainWindowPages::RefreshLabels(uint8_t deviceType) {
  if (config::HasMouse(deviceType) && mouse_) mouse_->RefreshLabels(config::ActiveSettings);
  if (config::HasKeyboard(deviceType) && keyboard_) keyboard_->RefreshLabels(config::ActiveSettings);
}

void MainWindowPages::PostReload() {
  for (AssignmentPageWindow* page : {static_cast<AssignmentPageWindow*>(mouse_.get()),
                                     static_cast<AssignmentPageWindow*>(keyboard_.get())}) {
    if (page && page->Handle()) page->Post(codes::WM_PAGE_RELOAD, 0, 0);
  }
}

void MainWindowPages::RestoreDefaults(uint8_t deviceType) {
  if (config::HasMouse(deviceType) && mouse_) mouse_->RestoreDefaults();
  if (config::HasKeyboard(deviceType) && keyboard_) keyboard_->RestoreDefaults();
}

void MainWindowPages::CloseFunctionMenus() {
  if (mouse_) mouse_->CloseFunctionMenu();
  if (keyboard_) keyboard_->CloseFunctionMenu();
}

void MainWindowPages::Release() {
  mouse_.reset();
  keyboard_.reset();
}

}  // namespace ui

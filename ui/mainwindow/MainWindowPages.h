#pragma once

// The main window's assignment pages: the mouse page for devices with mouse
// buttons, the keyboard page for devices with keys, both on the same page
// area of the window with at most one of them on view. A page, once made,
// stays until the window goes, even while the current device has no use
// for it.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/MainWindowView.h"
#include "ui/pages/DlgKeyBoard.h"
#include "ui/pages/DlgMouse.h"

namespace ui {

class MainWindowPages {
 public:
  // `closeDropDown` closes the window's device drop-down when a page is
  // clicked.
  MainWindowPages(std::u16string exeFolder, std::function<void()> closeDropDown);

  // Makes the pages a device of `deviceType` needs and that do not exist,
  // as children of `window`.
  void Create(HWND window, uint8_t deviceType);
  // After a model switch: the pages it needs, with the new device's
  // pictures and layout; the labels follow with RefreshLabels.
  void ApplyModel(uint8_t deviceType);
  // Shows `page` and hides the other one.
  void Show(app::MainPage page);

  // The applied assignments again, on the pages of `deviceType`.
  void RefreshLabels(uint8_t deviceType);
  // Tells every page to show the reloaded record once the window's own
  // handling is done.
  void PostReload();
  // The reset's part of the pages of `deviceType`.
  void RestoreDefaults(uint8_t deviceType);
  void CloseFunctionMenus();
  void Release();

  CDlgMouse* Mouse() const { return mouse_.get(); }
  CDlgKeyBoard* Keyboard() const { return keyboard_.get(); }

 private:
  template <class Page>
  void Make(std::unique_ptr<Page>& page);
  void ReloadSkin(AssignmentPageWindow& page, const char16_t* stem);

  HWND window_ = nullptr;
  std::u16string exeFolder_;
  std::function<void()> closeDropDown_;
  std::unique_ptr<CDlgMouse> mouse_;
  std::unique_ptr<CDlgKeyBoard> keyboard_;
};

}  // namespace ui

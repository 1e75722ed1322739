#pragma once

// What the main window's controller asks of the window itself: its look,
// its tray icon and menus, its dialogs and its timer. The Win32 window
// implements it; tests record the calls.

#include <cstdint>
#include <string>
#include <vector>

#include "app/DeviceList.h"
#include "app/DialogChain.h"
#include "app/TrayMenu.h"
#include "config/UserMessages.h"
#include "platform/Handle.h"

namespace app {

// The two pages of the window; the numbers are how the window names them.
enum MainPage : int32_t { kMousePage = 100, kKeyboardPage = 101 };

class MainWindowView : public config::UserMessages {
 public:
  virtual platform::WindowHandle Window() = 0;

  virtual void SetTitle(const std::u16string& title) = 0;
  virtual void AddTrayIcon(const std::u16string& tip) = 0;
  virtual void RemoveTrayIcon() = 0;

  // Creates the controls, pages and panels for a model of `deviceType`;
  // again after ReleaseLook when the window is opened again, where it was.
  virtual void BuildLook(uint8_t deviceType) = 0;
  // After a model switch: the new model's picture, the pages it needs with
  // its skins, and the tabs.
  virtual void ApplyModelLook(uint8_t deviceType) = 0;
  // Shows `page`, hides the other one and repaints.
  virtual void ShowPage(MainPage page) = 0;
  virtual void ReleaseLook() = 0;

  virtual void ShowWindow() = 0;
  virtual void HideWindow() = 0;
  virtual void MinimiseWindow() = 0;
  // Makes `window` (the main window or one of its dialogs) the foreground
  // window with the keyboard.
  virtual void BringToFront(platform::WindowHandle window) = 0;
  // Draws the user's eye to `window`, as the system does for a dialog whose
  // owner was clicked.
  virtual void FlashWindow(platform::WindowHandle window) = 0;
  virtual void RepaintStatusPanels() = 0;

  // The pages, where they exist: show the applied assignments again, or
  // reload them after a cancel.
  virtual void RefreshPageLabels(uint8_t deviceType) = 0;
  virtual void ReloadPages() = 0;
  // The reset's part of the pages of `deviceType`: each puts its buttons'
  // own functions into the applied record, shows them, and makes the
  // working copy equal to the applied record.
  virtual void RestorePageDefaults(uint8_t deviceType) = 0;

  // Closes the device drop-down and the pages' function menus.
  virtual void CloseMenus() = 0;
  virtual void ShowTrayMenu(const std::vector<TrayMenuEntry>& entries) = 0;
  virtual void OpenDeviceDropDown(const DeviceList& devices, int32_t currentModel) = 0;
  // Later handles the pick as OnModelPick.
  virtual void PostModelPick(int32_t modelValue) = 0;

  // The skinned message dialog, owned by the main window; 1 when the user
  // confirmed.
  virtual int ShowMessageDialog(const std::u16string& title, const std::u16string& text) = 0;

  // The program's top-level dialog windows, the main window among them, the
  // topmost first.
  virtual std::vector<ProgramWindow> ProgramWindows() = 0;
  // Asks a dialog to close as its Cancel would; it ends once its loop gets
  // to the request.
  virtual void CloseDialog(platform::WindowHandle dialog) = 0;

  virtual void StartRetryTimer() = 0;
  virtual void StopRetryTimer() = 0;
  // Runs OnLookReleaseTimer once the window has stayed hidden a while.
  virtual void StartLookReleaseTimer() = 0;
  virtual void StopLookReleaseTimer() = 0;

  // Ends the window's modal run with `result`.
  virtual void EndWindow(int result) = 0;
};

}  // namespace app

#pragma once

// The program's one top-level window: a skinned dialog that lives for the
// whole run, hidden until the user opens it from the tray icon. Its
// behaviour is the controller's; this class is the window, its look, its
// tray icon and its menus.

#include <windows.h>

#include <memory>
#include <string>

#include "app/MainWindowController.h"
#include "app/MainWindowView.h"
#include "ui/PublicData.h"
#include "ui/mainwindow/MainWindowLook.h"
#include "ui/mainwindow/MainWindowPages.h"
#include "ui/mainwindow/TrayIcon.h"
#include "ui/menus/BmpMenuEx.h"
#include "ui/window/SkinnedDialog.h"

namespace ui {

class CVarnok24G_ConfigDlg : public SkinnedDialog, public CPublicData, public app::MainWindowView {
 public:
  static constexpr UINT_PTR kRetryTimer = 320;
  static constexpr UINT kRetryPeriodMs = 500;
  static constexpr UINT_PTR kLookReleaseTimer = 321;
  // Long enough that closing and reopening the window at once finds it
  // ready.
  static constexpr UINT kLookReleaseDelayMs = 30000;
  // Times a dialog flashes when its waiting window is clicked.
  static constexpr UINT kFlashCount = 3;

  CVarnok24G_ConfigDlg(int32_t modelValue, const std::u16string& exeFolder, platform::Handle& receiver);
  ~CVarnok24G_ConfigDlg() override;

  const app::MainWindowController& Controller() const { return controller_; }
  // The assignment pages, for tests and tools that drive them.
  const MainWindowPages& Pages() const { return pages_; }

  // app::MainWindowView
  platform::WindowHandle Window() override;
  void SetTitle(const std::u16string& title) override;
  void AddTrayIcon(const std::u16string& tip) override;
  void RemoveTrayIcon() override;
  void BuildLook(uint8_t deviceType) override;
  void ApplyModelLook(uint8_t deviceType) override;
  void ShowPage(app::MainPage page) override;
  void ReleaseLook() override;
  void ShowWindow() override;
  void HideWindow() override;
  void MinimiseWindow() override;
  void BringToFront(platform::WindowHandle window) override;
  void FlashWindow(platform::WindowHandle window) override;
  void RepaintStatusPanels() override;
  void RefreshPageLabels(uint8_t deviceType) override;
  void ReloadPages() override;
  void RestorePageDefaults(uint8_t deviceType) override;
  void CloseMenus() override;
  void ShowTrayMenu(const std::vector<app::TrayMenuEntry>& entries) override;
  void OpenDeviceDropDown(const app::DeviceList& devices, int32_t currentModel) override;
  void PostModelPick(int32_t modelValue) override;
  int ShowMessageDialog(const std::u16string& title, const std::u16string& text) override;
  std::vector<app::ProgramWindow> ProgramWindows() override;
  void CloseDialog(platform::WindowHandle dialog) override;
  void StartRetryTimer() override;
  void StopRetryTimer() override;
  void StartLookReleaseTimer() override;
  void StopLookReleaseTimer() override;
  void EndWindow(int result) override;
  // config::UserMessages
  void ShowMessage(const std::u16string& text, const std::u16string& caption) override;

 protected:
  bool OnInitDialog() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG& msg) override;
  LRESULT OnPaint() override;
  LRESULT OnLButtonDown(WPARAM keys, POINT at) override;
  LRESULT OnTimer(UINT_PTR id) override;
  LRESULT OnDestroy() override;
  void OnOK() override {}
  void OnCancel() override {}

 private:
  void CloseDropDown();

  std::u16string exeFolder_;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  bool placed_ = false;  // centred once; later builds leave it where the user put it
  MainWindowLook look_;
  MainWindowPages pages_;
  TrayIcon tray_;
  std::unique_ptr<CBmpMenuEx> dropDown_;
  app::MainWindowController controller_;
};

}  // namespace ui

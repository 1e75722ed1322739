#pragma once

// How the main window looks: a borderless 721 x 441 window drawn from three
// whole-window pictures (normal, pointer over, pressed), its title and
// command buttons cut from them, the device tabs, the logo, the model's
// banner picture, two lines of text and the two status panels.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/MainWindowController.h"
#include "ui/buttons/BitmapBtn.h"
#include "ui/buttons/GDIBitmapBtn.h"
#include "ui/mainwindow/StatusPanel.h"
#include "ui/window/GdiHandles.h"
#include "ui/window/Picture.h"

namespace ui {

class MainWindowLook {
 public:
  // Where the buttons sit (left, top, right, bottom), in client pixels.
  static constexpr RECT kDeviceChoiceRect = {532, 32, 558, 54};
  static constexpr RECT kHelpRect = {565, 32, 588, 54};
  static constexpr RECT kMinimiseRect = {593, 32, 617, 54};
  static constexpr RECT kCloseRect = {625, 32, 647, 54};
  static constexpr RECT kResetRect = {65, 344, 201, 373};
  static constexpr RECT kOkRect = {414, 346, 475, 369};
  static constexpr RECT kCancelRect = {493, 346, 556, 369};
  static constexpr RECT kApplyRect = {581, 346, 639, 369};
  static constexpr RECT kFirstTabRect = {64, 90, 175, 118};
  static constexpr RECT kSecondTabRect = {177, 90, 288, 118};
  static constexpr RECT kPageRect = {48, 118, 669, 338};
  // The status areas repainted when the window shows.
  static constexpr RECT kBatteryArea = {184, 392, 208, 404};
  static constexpr RECT kSignalArea = {67, 392, 92, 404};

  // The command buttons cut from the window's three pictures: what a click
  // means, where the button sits and the label of its caption (none for
  // the buttons whose picture says it all).
  struct CommandButtonSpec {
    app::CommandButton command;
    RECT rect;
    const char* captionKey;
  };
  static constexpr std::array<CommandButtonSpec, 8> kCommandButtons = {{
      {app::CommandButton::DeviceChoice, kDeviceChoiceRect, nullptr},
      {app::CommandButton::Help, kHelpRect, nullptr},
      {app::CommandButton::Minimise, kMinimiseRect, nullptr},
      {app::CommandButton::Close, kCloseRect, nullptr},
      {app::CommandButton::Reset, kResetRect, "tc_reset"},
      {app::CommandButton::Ok, kOkRect, "tc_ok"},
      {app::CommandButton::Cancel, kCancelRect, "tc_cancel"},
      {app::CommandButton::Apply, kApplyRect, "tc_apply"},
  }};

  using CommandHandler = std::function<void(app::CommandButton)>;

  // Creates everything for a model of `deviceType` of the current device;
  // a click on a command button or a tab runs `onCommand` with its meaning.
  void Build(HWND window, const std::u16string& exeFolder, uint8_t deviceType, const CommandHandler& onCommand);
  void Paint(HWND window, HDC dc, HICON icon) const;
  void LayoutDeviceTabs(uint8_t deviceType);
  // Shows the tab of the page on view checked, the other one not.
  void MarkOpenTab(app::MainPage page);
  // The current device's banner, loaded beside the one on screen before the
  // old one goes.
  void ReloadDevicePicture(const std::u16string& exeFolder);
  void Release();

  void RepaintStatusAreas(HWND window) const;
  SIZE Size() const { return normal_.Size(); }

 private:
  void AddStateButton(CGDIBitmapBtn& button, HWND window, const RECT& rect, const std::u16string& caption);
  void AddTab(CBitmapBtn& tab, HWND window, const char* captionKey, const Picture& normal, const Picture& over,
              const Picture& down);

  Bitmap normal_;
  Bitmap hover_;
  Bitmap pressed_;
  Picture logo_;
  std::array<Picture, 2> devicePicture_;
  int lastSlot_ = 0;  // the slot loaded last

  std::array<CGDIBitmapBtn, kCommandButtons.size()> commandButtons_;
  CBitmapBtn mouseTab_, keyboardTab_;
  std::unique_ptr<BatteryDlg> battery_;
  std::unique_ptr<SignalDlg> signal_;
};

}  // namespace ui

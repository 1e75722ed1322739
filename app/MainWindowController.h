#pragma once

// How the main window behaves, apart from how it looks: start-up of the
// window, the tray icon and its menu, the command buttons, switching
// models, the receiver coming back, the driver retry and the ordered
// shutdown. Runs on the main thread only.

#include <cstdint>
#include <string>

#include "actions/ActionExecutor.h"
#include "actions/EventDispatch.h"
#include "actions/FaceBookFunction.h"
#include "app/DeviceList.h"
#include "app/MainWindowView.h"
#include "device/USBDriver.h"
#include "platform/Handle.h"

namespace app {

// The maker's site, opened from the tray menu.
inline const std::u16string kMakerWebSite = u"https://www.varnok.example/";

enum class CommandButton { MouseTab, KeyboardTab, Minimise, Close, Reset, Ok, Cancel, Apply, Help, DeviceChoice };

class MainWindowController {
 public:
  // `receiver` is the application's receiver handle, replaced when a
  // receiver is plugged in again.
  MainWindowController(MainWindowView& view, std::u16string exeFolder, int32_t currentModel,
                       platform::Handle& receiver);

  void Initialise();
  void Shutdown();

  void OnTrayNotify(intptr_t mouseMessage);
  // WM_COMMAND from the tray menu; true when it was one of its commands.
  bool OnCommand(uintptr_t command);
  void OnCommandButton(CommandButton button);
  // A model picked from the tray menu or the device drop-down; refused,
  // with the open dialog brought forward, while a dialog is open.
  void OnModelPick(int32_t modelValue);
  // A click on the main window while it waits for a dialog.
  void OnClickWhileWaiting();
  void OnRetryTimer();
  // A while after the window was hidden: its look goes until it is opened
  // again.
  void OnLookReleaseTimer();
  void OnDeviceArrival(const std::u16string& interfaceName);
  void OnSetScrollValues(uintptr_t wheelScrollLines, intptr_t scrollSetting);
  // A press reported by the driver: carried out at once, on this thread.
  void OnDriverEvent(uint32_t eventCode);

  // Switches to another listed model; false when it is not listed or is the
  // current one.
  bool SwitchModel(int32_t modelValue);
  void ShowMainWindow();

  // Until the user first opens the window nothing may show it.
  bool MayShow() const { return shown_; }
  int32_t CurrentModel() const { return currentModel_; }
  uint8_t DeviceType() const { return deviceType_; }
  MainPage CurrentPage() const { return currentPage_; }
  const DeviceList& Devices() const { return devices_; }
  const std::u16string& SettingsKeyPath() const { return settingsKeyPath_; }

 private:
  void RefreshModelData();
  void ShowPageOfDevice();
  void EnsureLook();
  void HideMainWindow();
  void EnableDriverOrRetry();
  bool SendMasks();
  void OpenDeviceDropDown();
  void OpenHelp();
  // Opens the window from the tray (or for a second instance) and brings
  // what the user has to answer to the front.
  void OpenFromTray(bool toFront);
  // The main window, or the dialog open over it that the user has to
  // answer first.
  platform::WindowHandle FrontWindow();
  bool DialogOpen() { return FrontWindow() != view_.Window(); }
  // Ends every open dialog as its Cancel would, then the window.
  void Exit();

  MainWindowView& view_;
  std::u16string exeFolder_;
  int32_t currentModel_;
  platform::Handle& receiver_;
  uint8_t deviceType_ = 0;
  DeviceList devices_{};
  MainPage currentPage_ = kMousePage;
  bool shown_ = false;    // opened at least once
  bool visible_ = false;  // open now (minimised counts as open)
  bool lookBuilt_ = false;
  std::u16string settingsKeyPath_;
  platform::Handle deviceNotification_ = 0;
  device::CUSBDriver driver_;
  actions::CFaceBookFunction socialSite_;
  actions::ActionExecutor executor_{socialSite_};
  actions::CEventDispatcher dispatcher_{executor_};
};

}  // namespace app

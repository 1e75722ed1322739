#pragma once

#include <cstdint>
#include <string>

#include "app/AppWindows.h"
#include "platform/Handle.h"

namespace app {

// The application object: prepares the process, makes sure one instance
// runs, settles the current model and runs the main window. Its start-up
// routine always answers false: when it returns, the process ends.
class CVarnok24G_ConfigApp {
 public:
  static constexpr const char16_t* kMutexName = u"VARNOK24G_CONFIG_MUTEX";

  explicit CVarnok24G_ConfigApp(AppWindows& windows) : windows_(windows) {}
  ~CVarnok24G_ConfigApp();
  CVarnok24G_ConfigApp(const CVarnok24G_ConfigApp&) = delete;
  CVarnok24G_ConfigApp& operator=(const CVarnok24G_ConfigApp&) = delete;

  bool InitInstance();
  int ExitInstance();

  // True when this process is the only instance. Otherwise the running
  // instance has been asked to show its window (when it could be found) and
  // this one must end.
  bool ClaimSingleInstance(const std::u16string& mainWindowTitle);

  // Reads the device count and the current model from VNType.ini. False when
  // the list is empty: the program then has nothing to configure.
  bool ReadDeviceList();

  // Makes sure a current model is known, asking the user when the device
  // list does not name one; the choice is written back. False when the user
  // chose nothing.
  bool SettleCurrentModel();

  const std::u16string& ExeFolder() const { return exeFolder_; }
  int32_t CurrentModel() const { return currentModel_; }
  bool HoldsMutex() const { return mutex_ != 0; }
  platform::Handle Receiver() const { return receiver_; }

 private:
  std::u16string DeviceListPath() const { return exeFolder_ + u"VNType.ini"; }

  AppWindows& windows_;
  platform::Handle mutex_ = 0;
  platform::Handle receiver_ = 0;  // the receiver's open HID interface
  std::u16string exeFolder_;
  int32_t currentModel_ = 0;
};

}  // namespace app

#include "app/Varnok24GConfigApp.h"

#include "app/HexSetting.h"
#include "app/SingleDevice.h"
#include "codes/PrivateMessages.h"
#include "config/DeviceCatalogue.h"
#include "config/SettingsStore.h"
#include "device/ReceiverDetection.h"
#include "platform/DebugOutput.h"
#include "platform/IniFile.h"
#include "platform/NamedMutex.h"
#include "platform/Process.h"
#include "platform/UiToolkit.h"
#include "platform/WindowInspection.h"
#include "platform/WindowMessages.h"
#include "text/LabelTable.h"

namespace app {
namespace {

constexpr std::size_t kPathCapacity = 260;

int32_t ReadHexValue(const std::u16string& file, const char16_t* section, const char16_t* key) {
  return ParseHexSetting(platform::Service<platform::IniFile>::Get().ReadString(
      file, section, key, u"", kPathCapacity));
}

}  // namespace

CVarnok24G_ConfigApp::~CVarnok24G_ConfigApp() { device::CloseReceiver(receiver_); }

bool CVarnok24G_ConfigApp::InitInstance() {
  exeFolder_ = platform::ExeFolderOf(platform::Service<platform::Process>::Get().ExecutablePath());
  // Every text shown from here on, the main window's title included, comes
  // from the language file.
  LoadLanguage(exeFolder_ + u"language.xml");

  // Without a receiver there is nothing to configure; this is decided before
  // the instance check, so even a second instance says so.
  if (!device::DetectReceiver(receiver_)) {
    windows_.ShowNoReceiverMessage();
    return false;
  }

  config::LoadDeviceCatalogue(exeFolder_);
  config::LoadAllSettings();

  if (!ClaimSingleInstance(Label("tc_mouse_title"))) return false;
  if (!ReadDeviceList()) return false;
  if (!SettleCurrentModel()) return false;

  windows_.RunMainWindow(currentModel_, exeFolder_, receiver_);
  return false;
}

bool CVarnok24G_ConfigApp::SettleCurrentModel() {
  if (currentModel_ != 0) return true;
  int32_t chosen = 0;
  if (!windows_.ChooseDevice(chosen) || chosen == 0) return false;
  currentModel_ = chosen;
  platform::Service<platform::IniFile>::Get().WriteString(DeviceListPath(), u"CUR_DEVICE", u"CurDevice",
                                                          FormatHexSetting(chosen));
  return true;
}

bool CVarnok24G_ConfigApp::ClaimSingleInstance(const std::u16string& mainWindowTitle) {
  auto& mutexes = platform::Service<platform::NamedMutex>::Get();
  const platform::NamedMutexResult result = mutexes.Create(kMutexName);
  mutex_ = result.handle;
  if (!result.alreadyExisted) return true;

  // Another instance runs: show its window exactly as a double click on its
  // tray icon would, and leave.
  auto& windows = platform::Service<platform::WindowMessages>::Get();
  const platform::WindowHandle first = windows.FindWindowByTitle(mainWindowTitle);
  if (first != 0) {
    windows.Post(first, codes::WM_TRAY_NOTIFY, 0, platform::kMsgLeftButtonDoubleClick);
  } else if (mutex_ != 0) {
    mutexes.Close(mutex_);
    mutex_ = 0;
  }
  return false;
}

bool CVarnok24G_ConfigApp::ReadDeviceList() {
  const std::u16string list = DeviceListPath();
  const int32_t deviceCount = ReadHexValue(list, u"DEVICE_NUM", u"DeviceNum");
  if (deviceCount == 0) {
    platform::Service<platform::DebugOutput>::Get().Write(u"DeviceNum is 0\n");
    return false;
  }
  SetSingleDevice(deviceCount == 1);
  currentModel_ = ReadHexValue(list, u"CUR_DEVICE", u"CurDevice");
  return true;
}

int CVarnok24G_ConfigApp::ExitInstance() {
  if (mutex_ != 0) {
    auto& mutexes = platform::Service<platform::NamedMutex>::Get();
    mutexes.Release(mutex_);
    mutexes.Close(mutex_);
    mutex_ = 0;
  }
  platform::Service<platform::UiToolkit>::Get().Stop();
  std::vector<config::tagVARNOK24G_UI_INFORMATION>().swap(config::DeviceCatalogue);
  std::vector<config::tagVARNOK24G_DATA_>().swap(config::DeviceSettingsList);
  return 0;
}

}  // namespace app

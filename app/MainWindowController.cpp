#include "app/MainWindowController.h"

#include <utility>

#include "app/HexSetting.h"
#include "app/SingleDevice.h"
#include "codes/WindowNames.h"
#include "config/DeviceCatalogue.h"
#include "config/SettingsStore.h"
#include "device/InterceptionMasks.h"
#include "device/ReceiverDetection.h"
#include "platform/Clock.h"
#include "platform/HidEnumeration.h"
#include "platform/IniFile.h"
#include "platform/Shell.h"
#include "platform/WindowInspection.h"
#include "platform/WindowMessages.h"
#include "text/LabelTable.h"

namespace app {
namespace {

constexpr uint32_t kReceiverSettleMs = 200;
constexpr int kExitResult = 2;

}  // namespace

MainWindowController::MainWindowController(MainWindowView& view, std::u16string exeFolder, int32_t currentModel,
                                           platform::Handle& receiver)
    : view_(view), exeFolder_(std::move(exeFolder)), currentModel_(currentModel), receiver_(receiver) {}

void MainWindowController::Initialise() {
  deviceNotification_ = platform::Service<platform::HidEnumeration>::Get().RegisterArrivalNotification(view_.Window());
  view_.AddTrayIcon(Label("tc_mouse_title"));

  config::SelectCurrentSettings(currentModel_);
  config::SelectCurrentDevice(currentModel_);
  deviceType_ = static_cast<uint8_t>(config::CurrentDevice.deviceType);
  RefreshModelData();

  // The look is built when the user first opens the window: most starts
  // never show it, and its pictures and pages are most of the memory and
  // start-up time.
  ShowPageOfDevice();
  // The title is what a second instance looks for.
  view_.SetTitle(Label("tc_mouse_title"));

  driver_.PaceByHandledEvents();
  driver_.StartEventChannel(view_.Window());
  EnableDriverOrRetry();
  // Kept until shutdown: every social-site action uses the same library.
  socialSite_.LoadQuickAccess();
}

void MainWindowController::OnDriverEvent(uint32_t eventCode) {
  dispatcher_.OnDriverEvent(eventCode, deviceType_);
  driver_.EventHandled();
}

void MainWindowController::RefreshModelData() {
  settingsKeyPath_ = config::SettingsKeyPath(config::ModelName(config::CurrentDevice));
  devices_ = BuildDeviceList();
}

void MainWindowController::ShowPageOfDevice() {
  currentPage_ = config::HasMouse(deviceType_) || !config::HasKeyboard(deviceType_) ? kMousePage : kKeyboardPage;
  if (lookBuilt_) view_.ShowPage(currentPage_);
}

void MainWindowController::EnsureLook() {
  if (lookBuilt_) return;
  view_.BuildLook(deviceType_);
  lookBuilt_ = true;
  view_.ShowPage(currentPage_);
}

void MainWindowController::HideMainWindow() {
  visible_ = false;
  view_.HideWindow();
  view_.StartLookReleaseTimer();
}

void MainWindowController::OnLookReleaseTimer() {
  view_.StopLookReleaseTimer();
  // Opened again meanwhile: the look is in use.
  if (visible_ || !lookBuilt_) return;
  view_.CloseMenus();
  view_.ReleaseLook();
  lookBuilt_ = false;
}

bool MainWindowController::SendMasks() { return device::SendInterceptionMasks(deviceType_); }

void MainWindowController::EnableDriverOrRetry() {
  if (driver_.EnableDriver()) {
    SendMasks();
  } else {
    view_.StartRetryTimer();
  }
}

void MainWindowController::OnRetryTimer() {
  if (driver_.EnableDriver()) {
    SendMasks();
    view_.StopRetryTimer();
  }
}

void MainWindowController::OnDeviceArrival(const std::u16string& interfaceName) {
  if (!device::IsReceiverInterfaceName(interfaceName)) return;
  // The new receiver needs a moment before its interfaces can be opened.
  platform::Service<platform::Clock>::Get().Sleep(kReceiverSettleMs);
  device::DetectReceiver(receiver_);
  EnableDriverOrRetry();
}

void MainWindowController::OnSetScrollValues(uintptr_t wheelScrollLines, intptr_t scrollSetting) {
  config::ActiveSettings.wheelScrollLines = static_cast<int32_t>(wheelScrollLines);
  config::ActiveSettings.scrollSetting = static_cast<int32_t>(scrollSetting);
}

void MainWindowController::OnTrayNotify(intptr_t mouseMessage) {
  if (mouseMessage == static_cast<intptr_t>(platform::kMsgLeftButtonDoubleClick)) {
    OpenFromTray(true);
  } else if (mouseMessage == static_cast<intptr_t>(platform::kMsgRightButtonDown)) {
    // The menu needs the program in front to go away when the user clicks
    // elsewhere; an open dialog stays above its window meanwhile.
    view_.BringToFront(FrontWindow());
    view_.ShowTrayMenu(BuildTrayMenu(devices_, IsSingleDevice(), currentModel_));
  }
}

platform::WindowHandle MainWindowController::FrontWindow() {
  return app::FrontWindow(view_.ProgramWindows(), view_.Window());
}

void MainWindowController::OpenFromTray(bool toFront) {
  // While a dialog is open, the window it belongs to is already open with
  // the edit it serves: opening it again would drop that edit under it.
  const bool dialogOpen = DialogOpen();
  if (!dialogOpen || !visible_) ShowMainWindow();
  if (toFront || dialogOpen) view_.BringToFront(FrontWindow());
}

void MainWindowController::OnClickWhileWaiting() {
  const platform::WindowHandle front = FrontWindow();
  if (front == view_.Window()) return;
  view_.BringToFront(front);
  view_.FlashWindow(front);
}

void MainWindowController::Exit() {
  // The innermost dialog first: each returns to the one it was opened from,
  // which then finds its own request waiting.
  const std::vector<platform::WindowHandle> open = WaitingChain(view_.ProgramWindows(), view_.Window());
  for (auto dialog = open.rbegin(); dialog != open.rend(); ++dialog) view_.CloseDialog(*dialog);
  view_.EndWindow(kExitResult);
}

void MainWindowController::ShowMainWindow() {
  shown_ = true;
  visible_ = true;
  view_.StopLookReleaseTimer();
  EnsureLook();
  view_.ShowWindow();
  view_.RepaintStatusPanels();
  view_.RefreshPageLabels(deviceType_);
  // Reopening drops whatever was edited and not applied.
  config::WorkingSettings = config::ActiveSettings;
}

bool MainWindowController::OnCommand(uintptr_t command) {
  if (IsModelCommand(command)) {
    view_.PostModelPick(static_cast<int32_t>(command & kModelCommandMask));
    return true;
  }
  switch (command) {
    case kTrayShow:
      OpenFromTray(false);
      return true;
    case kTrayExit:
      Exit();
      return true;
    case kTrayAbout:
      view_.ShowMessageDialog(Label("tc_about"), Label("tc_info"));
      return true;
    case kTrayHelp:
      OpenHelp();
      return true;
    case kTrayWebSite:
      platform::Service<platform::Shell>::Get().Open(kMakerWebSite);
      return true;
    case kTrayBanner:
      return true;
    default:
      return false;
  }
}

void MainWindowController::OpenHelp() {
  platform::Service<platform::Shell>::Get().Open(exeFolder_ + u"help.chm");
}

void MainWindowController::OnCommandButton(CommandButton button) {
  view_.CloseMenus();
  const config::MaskSender sendMasks = [this] { return SendMasks(); };
  switch (button) {
    case CommandButton::MouseTab:
      currentPage_ = kMousePage;
      view_.ShowPage(currentPage_);
      break;
    case CommandButton::KeyboardTab:
      currentPage_ = kKeyboardPage;
      view_.ShowPage(currentPage_);
      break;
    case CommandButton::Minimise:
      view_.MinimiseWindow();
      break;
    case CommandButton::Close:
      HideMainWindow();  // the program stays in the tray
      break;
    case CommandButton::Reset: {
      const int32_t model = currentModel_;
      // A reset answered for another model than the one now shown is dropped.
      if (view_.ShowMessageDialog(Label("tc_reset"), Label("tc_reinfo")) == 1 && model == currentModel_) {
        config::RestoreDefaultSettings(currentModel_, deviceType_, sendMasks);
        // After the scroll values are back, so that the working copy the
        // next apply stores carries them rather than zeros.
        view_.RestorePageDefaults(deviceType_);
      }
      break;
    }
    case CommandButton::Ok:
      config::ApplySettings(settingsKeyPath_, currentModel_, sendMasks, view_);
      HideMainWindow();
      break;
    case CommandButton::Cancel:
      HideMainWindow();
      config::ReloadSettings(settingsKeyPath_);
      // A reset before the cancel has already told the driver the default
      // masks; the record now back in force needs its own.
      SendMasks();
      view_.ReloadPages();
      break;
    case CommandButton::Apply:
      config::ApplySettings(settingsKeyPath_, currentModel_, sendMasks, view_);
      break;
    case CommandButton::Help:
      OpenHelp();
      break;
    case CommandButton::DeviceChoice:
      OpenDeviceDropDown();
      break;
  }
}

void MainWindowController::OpenDeviceDropDown() {
  if (IsSingleDevice()) return;
  view_.CloseMenus();
  view_.OpenDeviceDropDown(devices_, currentModel_);
}

void MainWindowController::OnModelPick(int32_t modelValue) {
  // The open dialog edits the current model's records: the switch waits
  // for the user to answer it, which is what the user is shown.
  if (DialogOpen()) {
    view_.BringToFront(FrontWindow());
    return;
  }
  view_.CloseMenus();
  SwitchModel(modelValue);
}

bool MainWindowController::SwitchModel(int32_t modelValue) {
  if (!FindDeviceListEntry(devices_, modelValue) || modelValue == currentModel_) return false;

  // The model being left keeps what it had applied, stored or not.
  config::StoreCurrentSettings(settingsKeyPath_, currentModel_);
  currentModel_ = modelValue;
  config::SelectCurrentSettings(modelValue);
  config::WorkingSettings = config::ActiveSettings;
  config::SelectCurrentDevice(modelValue);
  deviceType_ = static_cast<uint8_t>(config::CurrentDevice.deviceType);
  RefreshModelData();

  if (lookBuilt_) view_.ApplyModelLook(deviceType_);
  ShowPageOfDevice();
  SendMasks();
  return true;
}

void MainWindowController::Shutdown() {
  auto& windows = platform::Service<platform::WindowMessages>::Get();
  // The editor dialogs that may be open; each is asked to close so nothing is
  // left behind the vanished main window.
  for (const char16_t* name : codes::kEditorWindowNames) {
    const platform::WindowHandle editor = windows.FindWindowByTitle(name);
    if (editor != 0) windows.Post(editor, platform::kMsgClose, 0, 0);
  }
  view_.CloseMenus();
  view_.StopLookReleaseTimer();
  view_.ReleaseLook();
  lookBuilt_ = false;

  platform::Service<platform::IniFile>::Get().WriteString(exeFolder_ + u"VNType.ini", u"CUR_DEVICE", u"CurDevice",
                                                          FormatHexSetting(config::CurrentDevice.modelValue));

  devices_ = DeviceList{};
  std::vector<config::tagVARNOK24G_UI_INFORMATION>().swap(config::DeviceCatalogue);
  std::vector<config::tagVARNOK24G_DATA_>().swap(config::DeviceSettingsList);

  view_.RemoveTrayIcon();
  if (deviceNotification_ != 0) {
    platform::Service<platform::HidEnumeration>::Get().UnregisterArrivalNotification(deviceNotification_);
    deviceNotification_ = 0;
  }
  driver_.ShutdownEventChannel();
  socialSite_.ReleaseQuickAccess();
}

}  // namespace app

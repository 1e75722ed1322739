#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/MainWindowController.h"
#include "app/SingleDevice.h"
#include "config/DeviceCatalogue.h"
#include "config/FunctionCodes.h"
#include "config/SettingsStore.h"
#include "device/ReceiverDetection.h"
#include "fakes/ConfigFixtures.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeDriver.h"
#include "fakes/FakeHidBus.h"
#include "fakes/FakeProcess.h"
#include "fakes/FakeWindowMessages.h"
#include "fakes/TempFolder.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/MemoryRegistry.h"
#include "platform/Shell.h"

namespace app {
namespace {

using platform::ScopedService;

// Everything the controller asks of its window, as one line per call.
class RecordingView final : public MainWindowView {
 public:
  std::vector<std::string> calls;
  std::vector<TrayMenuEntry> trayMenu;
  std::vector<int32_t> picks;
  int messageAnswer = 2;
  // What happens elsewhere while the message dialog waits for the user.
  std::function<void()> whileMessageOpen;
  // The program's dialogs as the window layer would report them.
  std::vector<ProgramWindow> windows{{kMain, 0, false, true}};

  static constexpr platform::WindowHandle kMain = 0x4242;
  platform::WindowHandle Window() override { return kMain; }
  void SetTitle(const std::u16string&) override { calls.push_back("title"); }
  void AddTrayIcon(const std::u16string&) override { calls.push_back("tray+"); }
  void RemoveTrayIcon() override { calls.push_back("tray-"); }
  void BuildLook(uint8_t type) override { calls.push_back("build" + std::to_string(type)); }
  void ApplyModelLook(uint8_t type) override { calls.push_back("look" + std::to_string(type)); }
  void ShowPage(MainPage page) override { calls.push_back("page" + std::to_string(page)); }
  void ReleaseLook() override { calls.push_back("release"); }
  void ShowWindow() override { calls.push_back("show"); }
  void HideWindow() override { calls.push_back("hide"); }
  void MinimiseWindow() override { calls.push_back("minimise"); }
  void BringToFront(platform::WindowHandle window) override { calls.push_back("front " + Name(window)); }
  void FlashWindow(platform::WindowHandle window) override { calls.push_back("flash " + Name(window)); }
  void RepaintStatusPanels() override { calls.push_back("panels"); }
  void RefreshPageLabels(uint8_t) override { calls.push_back("labels"); }
  void ReloadPages() override { calls.push_back("reload"); }
  void RestorePageDefaults(uint8_t) override { calls.push_back("restore pages"); }
  void CloseMenus() override { calls.push_back("closemenus"); }
  void ShowTrayMenu(const std::vector<TrayMenuEntry>& entries) override {
    trayMenu = entries;
    calls.push_back("traymenu");
  }
  void OpenDeviceDropDown(const DeviceList&, int32_t) override { calls.push_back("dropdown"); }
  void PostModelPick(int32_t model) override { picks.push_back(model); }
  int ShowMessageDialog(const std::u16string&, const std::u16string&) override {
    calls.push_back("message");
    if (whileMessageOpen) whileMessageOpen();
    return messageAnswer;
  }
  std::vector<ProgramWindow> ProgramWindows() override { return windows; }
  void CloseDialog(platform::WindowHandle dialog) override { calls.push_back("close " + Name(dialog)); }
  void StartRetryTimer() override { calls.push_back("timer+"); }
  void StopRetryTimer() override { calls.push_back("timer-"); }
  void StartLookReleaseTimer() override { calls.push_back("release timer+"); }
  void StopLookReleaseTimer() override { calls.push_back("release timer-"); }
  void EndWindow(int result) override { calls.push_back("end" + std::to_string(result)); }
  void ShowMessage(const std::u16string&, const std::u16string&) override { calls.push_back("warning"); }

  static std::string Name(platform::WindowHandle window) {
    return window == kMain ? "main" : std::to_string(window);
  }

  bool Called(const std::string& call) const {
    for (const auto& c : calls)
      if (c == call) return true;
    return false;
  }
};

class ManualClock final : public platform::Clock {
 public:
  std::vector<uint32_t> sleeps;
  uint32_t TickCount() override { return 0; }
  void Sleep(uint32_t ms) override { sleeps.push_back(ms); }
};

class RecordingShell final : public platform::Shell {
 public:
  std::vector<std::u16string> opened;
  bool Open(const std::u16string& target) override {
    opened.push_back(target);
    return true;
  }
};

constexpr int32_t kMouseModel = 0x9050;
constexpr int32_t kKeyboardModel = 0x9070;
constexpr int32_t kSetModel = 0x9080;

class MainWindowControllerTest : public ::testing::Test {
 protected:
  MainWindowControllerTest()
      : driver_(driverFake_), hid_(hidFake_), registry_(registryFake_), clock_(clockFake_), shell_(shellFake_),
        windows_(windowsFake_) {
    testing_config::ResetConfiguration();
    config::DeviceCatalogue = {
        testing_config::MakeDevice(u"Varnok Glide M5", kMouseModel, 1, {1, 2, 3, 5, 4, 9, 10, 16, 17}, {}),
        testing_config::MakeDevice(u"Varnok Tempo K7", kKeyboardModel, 2, {}, {96, 97, 110}),
        testing_config::MakeDevice(u"Varnok Duo S8", kSetModel, 3, {1, 2, 3}, {96, 97}),
    };
    config::LoadAllSettings();
    SetSingleDevice(false);
    hidFake_.AddReceiver(0x2000, 0xFF00, 0x000E);
    device::DetectReceiver(receiver_);
  }
  ~MainWindowControllerTest() override {
    controller_.Shutdown();
    device::CloseReceiver(receiver_);
    testing_config::ResetConfiguration();
  }

  std::vector<uint8_t> StoredRecord(const std::u16string& model) {
    auto value = registryFake_.GetValue(config::SettingsKeyPath(model), u"ButtonSetting");
    return value ? value->bytes : std::vector<uint8_t>();
  }

  fakes::TempFolder folder_;
  fakes::FakeDriver driverFake_;
  fakes::FakeHidBus hidFake_;
  platform::MemoryRegistry registryFake_;
  ManualClock clockFake_;
  RecordingShell shellFake_;
  fakes::FakeWindowMessages windowsFake_;
  ScopedService<platform::ControlDevice> driver_;
  ScopedService<platform::HidEnumeration> hid_;
  ScopedService<platform::Registry> registry_;
  ScopedService<platform::Clock> clock_;
  ScopedService<platform::Shell> shell_;
  ScopedService<platform::WindowMessages> windows_;
  platform::Handle receiver_ = 0;
  RecordingView view_;
  MainWindowController controller_{view_, folder_.ProgramPath(), kSetModel, receiver_};
};

TEST_F(MainWindowControllerTest, StartsHiddenWithTheTrayIconAndTheDriverArmed) {
  controller_.Initialise();
  EXPECT_FALSE(controller_.MayShow());
  // Nothing of the look is built for a window nobody has opened.
  EXPECT_EQ(view_.calls, (std::vector<std::string>{"tray+", "title"}));
  EXPECT_EQ(controller_.SettingsKeyPath(), u"Software\\Varnok\\VN24G\\Varnok Duo S8");
  EXPECT_TRUE(driverFake_.Enabled());
  EXPECT_NE(driverFake_.MouseMask(), 0u);
}

TEST_F(MainWindowControllerTest, KeyboardModelShowsTheKeyboardPage) {
  MainWindowController keyboard(view_, folder_.ProgramPath(), kKeyboardModel, receiver_);
  keyboard.Initialise();
  EXPECT_EQ(keyboard.CurrentPage(), kKeyboardPage);
  keyboard.ShowMainWindow();
  EXPECT_TRUE(view_.Called("build2"));
  EXPECT_TRUE(view_.Called("page101"));
  keyboard.Shutdown();
}

TEST_F(MainWindowControllerTest, AbsentDriverIsRetriedByTheTimerUntilItAnswers) {
  driverFake_.SetPresent(false);
  controller_.Initialise();
  EXPECT_TRUE(view_.Called("timer+"));
  controller_.OnRetryTimer();
  EXPECT_FALSE(view_.Called("timer-"));
  EXPECT_EQ(driverFake_.MouseMask(), 0u);

  driverFake_.SetPresent(true);
  controller_.OnRetryTimer();
  EXPECT_TRUE(view_.Called("timer-"));
  EXPECT_TRUE(driverFake_.Enabled());
  EXPECT_NE(driverFake_.MouseMask(), 0u);
}

TEST_F(MainWindowControllerTest, OnlyTheTrayOrItsShowCommandShowTheWindow) {
  controller_.Initialise();
  config::WorkingSettings.mouseAssignments[0].functionCode = 65;  // an edit never applied
  controller_.OnTrayNotify(0x0201);  // a single click does nothing
  EXPECT_FALSE(controller_.MayShow());

  controller_.OnTrayNotify(515);
  EXPECT_TRUE(controller_.MayShow());
  EXPECT_TRUE(view_.Called("show"));
  EXPECT_TRUE(view_.Called("front main"));
  EXPECT_EQ(std::memcmp(&config::WorkingSettings, &config::ActiveSettings, sizeof(config::ActiveSettings)), 0);
}

int Count(const std::vector<std::string>& calls, const std::string& call) {
  return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

TEST_F(MainWindowControllerTest, TheLookExistsWhileTheWindowIsOpenAndGoesAWhileAfterItIsHidden) {
  controller_.Initialise();
  controller_.SwitchModel(kMouseModel);  // hidden, never opened: nothing to rebuild
  EXPECT_FALSE(view_.Called("look1"));

  controller_.OnTrayNotify(515);
  EXPECT_EQ(Count(view_.calls, "build1"), 1);
  EXPECT_TRUE(view_.Called("page100"));

  // Closed and opened again before the timer: the same look serves.
  controller_.OnCommandButton(CommandButton::Close);
  EXPECT_TRUE(view_.Called("release timer+"));
  controller_.OnTrayNotify(515);
  controller_.OnLookReleaseTimer();  // a timer message already queued
  EXPECT_EQ(Count(view_.calls, "build1"), 1);
  EXPECT_FALSE(view_.Called("release"));

  // While built, a model switch changes it in place.
  controller_.SwitchModel(kSetModel);
  EXPECT_TRUE(view_.Called("look3"));

  // Hidden by each of the three buttons, then the timer: released once, and
  // built afresh for the model of the moment on the next opening.
  for (CommandButton hide : {CommandButton::Close, CommandButton::Ok, CommandButton::Cancel}) {
    view_.calls.clear();
    controller_.OnCommandButton(hide);
    controller_.OnLookReleaseTimer();
    controller_.OnLookReleaseTimer();
    EXPECT_EQ(Count(view_.calls, "release"), 1);
    controller_.SwitchModel(kKeyboardModel);
    controller_.SwitchModel(kSetModel);
    EXPECT_FALSE(view_.Called("look2"));
    EXPECT_FALSE(view_.Called("look3"));
    controller_.OnTrayNotify(515);
    EXPECT_EQ(Count(view_.calls, "build3"), 1);
    EXPECT_TRUE(view_.Called("page100"));
    EXPECT_TRUE(view_.Called("labels"));
  }
}

TEST_F(MainWindowControllerTest, TrayMenuOffersTheModelsUnlessThereIsOnlyOne) {
  controller_.Initialise();
  controller_.OnTrayNotify(516);
  ASSERT_EQ(view_.trayMenu.size(), 7u);
  const TrayMenuEntry& models = view_.trayMenu[2];
  ASSERT_EQ(models.subMenu.size(), 3u);
  EXPECT_EQ(models.subMenu[1].command, 0xE0009070u);
  EXPECT_FALSE(models.subMenu[1].checked);
  EXPECT_TRUE(models.subMenu[2].checked);
  std::vector<uint32_t> commands;
  for (const auto& entry : view_.trayMenu) commands.push_back(entry.command);
  EXPECT_EQ(commands, (std::vector<uint32_t>{7, 1, 0, 5, 6, 3, 2}));

  SetSingleDevice(true);
  controller_.OnTrayNotify(516);
  EXPECT_EQ(view_.trayMenu.size(), 6u);
  view_.calls.clear();
  controller_.OnCommandButton(CommandButton::DeviceChoice);
  EXPECT_FALSE(view_.Called("dropdown"));
}

TEST_F(MainWindowControllerTest, TrayMenuHasRoomForTwentyThreeModels) {
  config::DeviceCatalogue.clear();
  for (int i = 0; i < 30; ++i)
    config::DeviceCatalogue.push_back(testing_config::MakeDevice(u"Model", 0x100 + i, 1, {1}, {}));
  controller_.Initialise();
  controller_.OnTrayNotify(516);
  EXPECT_EQ(view_.trayMenu[2].subMenu.size(), 23u);
  EXPECT_EQ(controller_.Devices()[29].modelValue, 0x100 + 29);
}

TEST_F(MainWindowControllerTest, TrayCommands) {
  controller_.Initialise();
  EXPECT_TRUE(controller_.OnCommand(0xE0009070u));
  EXPECT_EQ(view_.picks, (std::vector<int32_t>{kKeyboardModel}));

  EXPECT_TRUE(controller_.OnCommand(5));
  EXPECT_TRUE(controller_.OnCommand(6));
  EXPECT_EQ(shellFake_.opened, (std::vector<std::u16string>{folder_.ProgramPath() + u"help.chm", kMakerWebSite}));

  EXPECT_TRUE(controller_.OnCommand(3));
  EXPECT_TRUE(view_.Called("message"));
  EXPECT_TRUE(controller_.OnCommand(2));
  EXPECT_TRUE(view_.Called("end2"));
  EXPECT_FALSE(controller_.OnCommand(4));
}

TEST_F(MainWindowControllerTest, SwitchingStoresTheLeftModelsAppliedRecord) {
  controller_.Initialise();
  controller_.ShowMainWindow();
  config::ActiveSettings.mouseAssignments[0].functionCode = 65;  // applied this run, never stored
  const std::vector<uint8_t> applied = testing_config::BytesOf(config::ActiveSettings);
  ASSERT_NE(StoredRecord(u"Varnok Duo S8"), applied);

  EXPECT_TRUE(controller_.SwitchModel(kKeyboardModel));
  EXPECT_EQ(StoredRecord(u"Varnok Duo S8"), applied);
  EXPECT_EQ(controller_.CurrentModel(), kKeyboardModel);
  EXPECT_EQ(controller_.DeviceType(), 2);
  EXPECT_EQ(controller_.CurrentPage(), kKeyboardPage);
  EXPECT_EQ(config::ActiveSettings.modelValue, kKeyboardModel);
  EXPECT_EQ(controller_.SettingsKeyPath(), u"Software\\Varnok\\VN24G\\Varnok Tempo K7");
  EXPECT_TRUE(view_.Called("look2"));
}

TEST_F(MainWindowControllerTest, SwitchingToTheCurrentOrAnUnlistedModelDoesNothing) {
  controller_.Initialise();
  const int writes = registryFake_.WriteCount(config::SettingsKeyPath(u"Varnok Duo S8"), u"ButtonSetting");
  EXPECT_FALSE(controller_.SwitchModel(kSetModel));
  EXPECT_FALSE(controller_.SwitchModel(0x1234));
  EXPECT_FALSE(controller_.SwitchModel(0));
  EXPECT_EQ(registryFake_.WriteCount(config::SettingsKeyPath(u"Varnok Duo S8"), u"ButtonSetting"), writes);
  EXPECT_EQ(controller_.CurrentModel(), kSetModel);
}

TEST_F(MainWindowControllerTest, ReceiverArrivalEnablesTheDriverAgain) {
  controller_.Initialise();
  const std::size_t enables = driverFake_.Calls().size();
  controller_.OnDeviceArrival(u"\\\\?\\USB#Vid_1234&Pid_0001#x#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
  EXPECT_TRUE(clockFake_.sleeps.empty());
  EXPECT_EQ(driverFake_.Calls().size(), enables);

  controller_.OnDeviceArrival(u"\\\\?\\usb#vid_3c7a&pid_1000#5&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
  EXPECT_EQ(clockFake_.sleeps, (std::vector<uint32_t>{200}));
  EXPECT_GT(driverFake_.Calls().size(), enables);
  // The driver stayed open, so it was not opened a second time.
  std::size_t opens = 0;
  for (const auto& call : driverFake_.Calls()) opens += call.step == fakes::FakeDriver::Step::kOpen;
  EXPECT_EQ(opens, 1u);
}

TEST_F(MainWindowControllerTest, CancelBringsTheStoredRecordBackWithItsMasks) {
  // The stored record gives the right button away; a reset then puts the
  // defaults (and their masks) in force until the cancel.
  config::ActiveSettings.mouseAssignments[1].functionCode = config::FN_COPY;
  config::StoreCurrentSettings(config::SettingsKeyPath(u"Varnok Duo S8"), kSetModel);
  controller_.Initialise();
  const uint32_t storedMask = driverFake_.MouseMask();
  view_.messageAnswer = 1;
  controller_.OnCommandButton(CommandButton::Reset);
  ASSERT_NE(driverFake_.MouseMask(), storedMask);

  controller_.OnTrayNotify(515);
  const std::vector<uint8_t> stored = StoredRecord(u"Varnok Duo S8");
  controller_.OnCommandButton(CommandButton::Cancel);
  EXPECT_EQ(testing_config::BytesOf(config::ActiveSettings), stored);
  EXPECT_EQ(driverFake_.MouseMask(), storedMask);
  EXPECT_TRUE(view_.Called("hide"));
  EXPECT_TRUE(view_.Called("reload"));
}

TEST_F(MainWindowControllerTest, ResetOnlyWhenConfirmed) {
  controller_.Initialise();
  config::ActiveSettings.mouseAssignments[1].functionCode = 21;
  view_.messageAnswer = 2;
  controller_.OnCommandButton(CommandButton::Reset);
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[1].functionCode, 21);
  EXPECT_FALSE(view_.Called("restore pages"));
  view_.messageAnswer = 1;
  controller_.OnCommandButton(CommandButton::Reset);
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[1].functionCode, 2);
  EXPECT_TRUE(view_.Called("message"));
  EXPECT_TRUE(view_.Called("restore pages"));
}

TEST_F(MainWindowControllerTest, OkAppliesAndStoresThenHides) {
  controller_.Initialise();
  config::WorkingSettings = config::ActiveSettings;
  config::WorkingSettings.mouseAssignments[0].functionCode = 65;
  controller_.OnCommandButton(CommandButton::Ok);
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[0].functionCode, 65);
  EXPECT_EQ(StoredRecord(u"Varnok Duo S8"), testing_config::BytesOf(config::ActiveSettings));
  EXPECT_TRUE(view_.Called("hide"));
  EXPECT_FALSE(view_.Called("warning"));
}

TEST_F(MainWindowControllerTest, ShutdownInItsOrder) {
  folder_.Write("VNType.ini", "[DEVICE_NUM]\r\nDeviceNum=3\r\n[CUR_DEVICE]\r\nCurDevice=0x9050\r\n");
  windowsFake_.windows[u"CDlgMacro"] = 0x51;
  controller_.Initialise();
  view_.calls.clear();
  controller_.Shutdown();

  ASSERT_EQ(windowsFake_.posted.size(), 1u);
  EXPECT_EQ(windowsFake_.posted[0].window, 0x51u);
  EXPECT_EQ(windowsFake_.posted[0].message, 0x0010u);
  EXPECT_EQ(view_.calls, (std::vector<std::string>{"closemenus", "release timer-", "release", "tray-"}));
  EXPECT_EQ(platform::Service<platform::IniFile>::Get().ReadString(folder_.ProgramPath() + u"VNType.ini",
                                                                  u"CUR_DEVICE", u"CurDevice", u"", 260),
            u"0x9080");
  EXPECT_TRUE(config::DeviceCatalogue.empty());
  EXPECT_TRUE(config::DeviceSettingsList.empty());
  // The driver is left with its mouse and key masks cleared and closed.
  const std::vector<std::string> steps = driverFake_.Steps();
  ASSERT_GE(steps.size(), 4u);
  EXPECT_EQ(steps.back(), "close");
  EXPECT_EQ(driverFake_.MouseMask(), 0u);
  EXPECT_EQ(driverFake_.KeyMask(), 0u);
}

TEST_F(MainWindowControllerTest, ScrollValuesFromOutside) {
  controller_.Initialise();
  controller_.OnSetScrollValues(7, 2);
  EXPECT_EQ(config::ActiveSettings.wheelScrollLines, 7);
  EXPECT_EQ(config::ActiveSettings.scrollSetting, 2);
}

}  // namespace
}  // namespace app

namespace app {
namespace {

TEST_F(MainWindowControllerTest, DriverEventRunsTheButtonsAssignment) {
  controller_.Initialise();
  config::ActiveSettings.mouseAssignments[1].functionCode = config::FN_COPY;  // the right button
  fakes::FakeDesktop desktop;

  controller_.OnDriverEvent(0x02);  // right button down
  const std::vector<std::string> press = desktop.InputLog();
  std::vector<std::string> keys;
  for (const std::string& line : press)
    if (line.rfind("key ", 0) == 0) keys.push_back(line.substr(0, line.find(" scan")));
  // Ctrl down, C down, C up, Ctrl up.
  EXPECT_EQ(keys, (std::vector<std::string>{"key 11 1", "key 43 1", "key 43 3", "key 11 3"}));

  desktop.Clear();
  controller_.OnDriverEvent(0x00);  // released: nothing more
  EXPECT_TRUE(desktop.InputLog().empty());
}

// The social-site library's zoom-in export: records the windows it is given.
std::vector<platform::WindowHandle> zoomedWindows;
void RecordZoomIn(platform::WindowHandle window) { zoomedWindows.push_back(window); }

TEST_F(MainWindowControllerTest, TheSocialSiteLibraryServesFromStartUpUntilShutdown) {
  fakes::FakeDesktop desktop;
  constexpr platform::Handle kLibrary = 0x7000;
  desktop.libraryFiles[u"C:\\Program Files\\VN24G\\QuickAccess.dll"] = kLibrary;
  desktop.libraryExports[{kLibrary, "OpenZoomInWindow"}] = reinterpret_cast<uintptr_t>(&RecordZoomIn);
  const platform::WindowHandle editor =
      desktop.AddWindow(fakes::FakeDesktop::kDesktop, u"Edit", {0, 0, 800, 600}, 0, u"notes.txt");
  desktop.foreground = editor;
  zoomedWindows.clear();

  controller_.Initialise();
  EXPECT_EQ(desktop.LoadedReferences(kLibrary), 1);
  config::ActiveSettings.mouseAssignments[1].functionCode = 130;  // the right button zooms the site in
  controller_.OnDriverEvent(0x02);
  controller_.OnDriverEvent(0x00);
  EXPECT_EQ(zoomedWindows, (std::vector<platform::WindowHandle>{editor}));

  controller_.Shutdown();
  EXPECT_EQ(desktop.LoadedReferences(kLibrary), 0);
  EXPECT_EQ(desktop.releasedHandleUses, 0);
  EXPECT_EQ(desktop.ComBalance(), 0);
  // Released, the shortcut does nothing.
  controller_.OnDriverEvent(0x02);
  EXPECT_EQ(zoomedWindows.size(), 1u);
}


// The main window waiting for the macro editor (0x51), which waits for a
// message of its own (0x52); the tray menu's device drop-down (0x53) is
// shown by an earlier, enabled state of the window and waits for nothing.
class WaitingMainWindowTest : public MainWindowControllerTest {
 protected:
  static constexpr platform::WindowHandle kEditor = 0x51;
  static constexpr platform::WindowHandle kEditorMessage = 0x52;

  void OpenEditorWithMessage() {
    view_.windows = {{kEditorMessage, kEditor, true, true},
                     {kEditor, RecordingView::kMain, true, false},
                     {RecordingView::kMain, 0, true, false}};
  }
  std::vector<std::string> CallsFrom(std::size_t first) const {
    return {view_.calls.begin() + static_cast<std::ptrdiff_t>(first), view_.calls.end()};
  }
};

TEST_F(WaitingMainWindowTest, ExitClosesTheOpenDialogsInnermostFirstThenEndsTheWindow) {
  controller_.Initialise();
  controller_.OnTrayNotify(515);
  OpenEditorWithMessage();
  const std::size_t before = view_.calls.size();
  EXPECT_TRUE(controller_.OnCommand(2));
  EXPECT_EQ(CallsFrom(before), (std::vector<std::string>{"close 82", "close 81", "end2"}));
}

TEST_F(WaitingMainWindowTest, TheTrayAndClicksOnTheWindowBringTheInnermostDialogForward) {
  controller_.Initialise();
  controller_.OnTrayNotify(515);
  config::WorkingSettings.mouseAssignments[0].functionCode = 65;  // the edit the open dialog serves
  OpenEditorWithMessage();

  struct Case {
    const char* what;
    std::function<void()> act;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"tray menu", [&] { controller_.OnTrayNotify(516); }, {"front 82", "traymenu"}},
      {"tray double click", [&] { controller_.OnTrayNotify(515); }, {"front 82"}},
      {"open command", [&] { controller_.OnCommand(1); }, {"front 82"}},
      {"click on the window", [&] { controller_.OnClickWhileWaiting(); }, {"front 82", "flash 82"}},
      {"model picked", [&] { controller_.OnModelPick(kKeyboardModel); }, {"front 82"}},
  };
  for (const Case& c : cases) {
    const std::size_t before = view_.calls.size();
    c.act();
    EXPECT_EQ(CallsFrom(before), c.calls) << c.what;
  }
  // Nothing under the dialog was reopened or switched.
  EXPECT_EQ(config::WorkingSettings.mouseAssignments[0].functionCode, 65);
  EXPECT_EQ(controller_.CurrentModel(), kSetModel);
  EXPECT_EQ(config::ActiveSettings.modelValue, kSetModel);
}

TEST_F(WaitingMainWindowTest, WithoutADialogTheWindowItselfComesForward) {
  controller_.Initialise();
  // The device drop-down is open beside the enabled window.
  view_.windows = {{0x53, RecordingView::kMain, true, true}, {RecordingView::kMain, 0, true, true}};
  controller_.OnTrayNotify(516);
  EXPECT_TRUE(view_.Called("front main"));
  const std::size_t before = view_.calls.size();
  controller_.OnClickWhileWaiting();
  EXPECT_EQ(CallsFrom(before), std::vector<std::string>{});
  controller_.OnModelPick(kKeyboardModel);
  EXPECT_EQ(controller_.CurrentModel(), kKeyboardModel);
}

TEST_F(WaitingMainWindowTest, AboutOverTheHiddenWindowComesForwardWithTheWindowOpened) {
  controller_.Initialise();
  view_.windows = {{kEditor, RecordingView::kMain, true, true}, {RecordingView::kMain, 0, false, false}};
  controller_.OnTrayNotify(515);
  EXPECT_TRUE(view_.Called("show"));
  EXPECT_EQ(view_.calls.back(), "front 81");
}

TEST_F(WaitingMainWindowTest, AResetAnsweredAfterTheModelChangedIsDropped) {
  controller_.Initialise();
  config::ActiveSettings.mouseAssignments[1].functionCode = 21;
  config::StoreCurrentSettings(config::SettingsKeyPath(u"Varnok Duo S8"), kSetModel);
  const std::vector<uint8_t> duo = StoredRecord(u"Varnok Duo S8");
  view_.messageAnswer = 1;
  view_.whileMessageOpen = [&] {
    controller_.SwitchModel(kMouseModel);
    config::ActiveSettings.mouseAssignments[1].functionCode = 21;  // the Glide's own edit
  };
  controller_.OnCommandButton(CommandButton::Reset);
  EXPECT_FALSE(view_.Called("restore pages"));
  EXPECT_EQ(config::ActiveSettings.modelValue, kMouseModel);
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[1].functionCode, 21);
  EXPECT_EQ(StoredRecord(u"Varnok Duo S8"), duo);
}

}  // namespace
}  // namespace app

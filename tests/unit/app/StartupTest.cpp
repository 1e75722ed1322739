#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/HexSetting.h"
#include "app/SingleDevice.h"
#include "app/Varnok24GConfigApp.h"
#include "codes/PrivateMessages.h"
#include "config/DeviceCatalogue.h"
#include "fakes/FakeHidBus.h"
#include "fakes/FakeProcess.h"
#include "fakes/FakeWindowMessages.h"
#include "fakes/TempFolder.h"
#include "platform/IniFile.h"
#include "platform/LocalNamedMutex.h"
#include "platform/Process.h"
#include "text/LabelTable.h"

namespace app {
namespace {

using codes::WM_TRAY_NOTIFY;
using platform::ExeFolderOf;
using platform::ScopedService;

// Records which start-up windows were shown and answers the device choice.
class RecordingWindows final : public AppWindows {
 public:
  int noReceiverMessages = 0;
  int deviceChoices = 0;
  bool choose = false;
  int32_t choice = 0;
  std::vector<int32_t> mainWindowRuns;

  void ShowNoReceiverMessage() override { ++noReceiverMessages; }
  bool ChooseDevice(int32_t& modelValue) override {
    ++deviceChoices;
    if (choose) modelValue = choice;
    return choose;
  }
  void RunMainWindow(int32_t modelValue, const std::u16string&, platform::Handle&) override {
    mainWindowRuns.push_back(modelValue);
  }
};

TEST(HexSetting, ParsesStoredForms) {
  const struct {
    const char16_t* text;
    int32_t value;
  } cases[] = {
      {u"1", 1},          {u"0x1", 1},           {u"0X1", 1},         {u"0", 0},
      {u"", 0},           {u"0x", 0},            {u"zz", 0},          {u"0x9080", 0x9080},
      {u"9080", 0x9080},  {u"  0x2a", 0x2A},     {u"3 models", 3},    {u"7fffffff", 0x7FFFFFFF},
      {u"ffffffff", -1},  {u"123456789", -1},  // too long: saturates, never becomes 0
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseHexSetting(c.text), c.value) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
  }
}

TEST(ExeFolder, KeepsDriveAndDirectoryWithTheSeparator) {
  EXPECT_EQ(ExeFolderOf(u"C:\\Program Files\\Varnok\\vn24g.exe"), u"C:\\Program Files\\Varnok\\");
  EXPECT_EQ(ExeFolderOf(u"C:\\vn24g.exe"), u"C:\\");
  EXPECT_EQ(ExeFolderOf(u"C:vn24g.exe"), u"C:");
  EXPECT_EQ(ExeFolderOf(u"/opt/vn24g/vn24g"), u"/opt/vn24g/");
  EXPECT_EQ(ExeFolderOf(u"vn24g.exe"), u"");
}

// Start-up against a real device list in a scratch folder that stands in for
// the program's folder; the current directory is never looked at.
class StartupFixture : public ::testing::Test {
 protected:
  StartupFixture()
      : process_(processFake_), debug_(debugFake_), hid_(hidFake_), windows_(windowsFake_), mutex_(mutexFake_) {
    processFake_.path = folder_.ProgramPath() + u"vn24g.exe";
    hidFake_.AddReceiver(0x2000, 0xFF00, 0x000E);
    folder_.Write("language.xml",
                  "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                  "<language><config><tc_mouse_title>Varnok Probe</tc_mouse_title></config></language>\n");
    SetSingleDevice(false);
  }

  void WriteDeviceList(std::optional<std::string> deviceNum, std::optional<std::string> curDevice) {
    std::string ini = "[DEVICE_NAME]\r\nName0=Varnok Mouse\r\n";
    if (deviceNum) ini += "[DEVICE_NUM]\r\nDeviceNum=" + *deviceNum + "\r\n";
    if (curDevice) ini += "[CUR_DEVICE]\r\nCurDevice=" + *curDevice + "\r\n";
    folder_.Write("VNType.ini", ini);
  }

  fakes::TempFolder folder_;
  RecordingWindows windowsShown_;
  fakes::FakeProcess processFake_;
  fakes::CapturedDebugOutput debugFake_;
  fakes::FakeHidBus hidFake_;
  fakes::FakeWindowMessages windowsFake_;
  ScopedService<platform::Process> process_;
  ScopedService<platform::DebugOutput> debug_;
  ScopedService<platform::HidEnumeration> hid_;
  ScopedService<platform::WindowMessages> windows_;
  platform::LocalNamedMutex mutexFake_;
  ScopedService<platform::NamedMutex> mutex_;
};

TEST_F(StartupFixture, WithoutAReceiverSaysSoAndEndsBeforeTheInstanceCheck) {
  hidFake_.interfaces.clear();
  WriteDeviceList("0", "0x9080");
  // Even with another instance running, the message comes first.
  auto& mutexes = platform::Service<platform::NamedMutex>::Get();
  const platform::NamedMutexResult first = mutexes.Create(CVarnok24G_ConfigApp::kMutexName);
  CVarnok24G_ConfigApp application(windowsShown_);
  application.InitInstance();
  mutexes.Close(first.handle);
  EXPECT_EQ(windowsShown_.noReceiverMessages, 1);
  EXPECT_TRUE(windowsShown_.mainWindowRuns.empty());
  EXPECT_FALSE(application.HoldsMutex());
  EXPECT_EQ(debugFake_.text, u"");  // the device list was never read
  EXPECT_EQ(application.Receiver(), 0u);
  application.ExitInstance();
}

TEST_F(StartupFixture, KeepsTheReceiverOpenUntilDestroyed) {
  WriteDeviceList("1", "0x9080");
  {
    CVarnok24G_ConfigApp application(windowsShown_);
    application.InitInstance();
    EXPECT_NE(application.Receiver(), 0u);
    EXPECT_EQ(hidFake_.OpenPaths().size(), 1u);
    application.ExitInstance();
    EXPECT_EQ(hidFake_.OpenPaths().size(), 1u);
  }
  EXPECT_TRUE(hidFake_.OpenPaths().empty());
}

TEST_F(StartupFixture, SecondInstanceFindsTheFirstByTheLanguageFilesTitle) {
  WriteDeviceList("1", "0x9080");
  windowsFake_.windows[u"Varnok Probe"] = 0x77;
  auto& mutexes = platform::Service<platform::NamedMutex>::Get();
  const platform::NamedMutexResult first = mutexes.Create(CVarnok24G_ConfigApp::kMutexName);

  CVarnok24G_ConfigApp second(windowsShown_);
  second.InitInstance();
  ASSERT_EQ(windowsFake_.posted.size(), 1u);
  EXPECT_EQ(windowsFake_.posted[0].window, 0x77u);
  EXPECT_EQ(second.CurrentModel(), 0);  // it went no further
  second.ExitInstance();
  mutexes.Close(first.handle);
}

TEST_F(StartupFixture, LoadsTheCatalogueFromTheProgramFolderAndFreesItAtExit) {
  // A model whose description lies beside the program.
  WriteDeviceList("1", "0x9080");
  std::filesystem::create_directories(folder_.Path() / "skins" / "Varnok Mouse");
  folder_.Write("skins/Varnok Mouse/DeviceSkn.xml",
                "<?xml version=\"1.0\"?>\n<skin><device_type name=\"Varnok Mouse\" value=\"0x9080\" "
                "type=\"1\"><mouse_button button_num=\"1\"><button button_type=\"0x01\" "
                "pos=\"1,2,3,4\" mark_pos=\"5,6,7,8\" tips=\"Left\"/></mouse_button></device_type></skin>\n");
  CVarnok24G_ConfigApp application(windowsShown_);
  application.InitInstance();
  EXPECT_EQ(config::DeviceCatalogue.size(), 1u);
  application.ExitInstance();
  EXPECT_TRUE(config::DeviceCatalogue.empty());
}

TEST_F(StartupFixture, DeviceCountDecidesWhetherToGoOnAndTheSingleDeviceFlag) {
  const struct {
    std::optional<std::string> deviceNum;
    bool goesOn;
    bool single;
  } cases[] = {
      {"1", true, true},  {"0x1", true, true},  {"2", true, false}, {"0x3", true, false},
      {"0", false, false}, {"", false, false},  {std::nullopt, false, false}, {"none", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.deviceNum.value_or("<missing>"));
    WriteDeviceList(c.deviceNum, "0x9080");
    debugFake_.text.clear();
    SetSingleDevice(!c.single);  // must be overwritten when start-up goes on

    CVarnok24G_ConfigApp application(windowsShown_);
    application.InitInstance();
    EXPECT_EQ(application.CurrentModel(), c.goesOn ? 0x9080 : 0);
    if (c.goesOn) {
      EXPECT_EQ(IsSingleDevice(), c.single);
      EXPECT_EQ(debugFake_.text, u"");
    } else {
      EXPECT_EQ(debugFake_.text, u"DeviceNum is 0\n");
    }
    application.ExitInstance();
  }
}

TEST_F(StartupFixture, RecordedModelRunsTheMainWindowWithoutAsking) {
  const struct {
    std::string curDevice;
    int32_t model;
  } cases[] = {{"0x9080", 0x9080}, {"9070", 0x9070}, {"0X9050", 0x9050}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.curDevice);
    WriteDeviceList("3", c.curDevice);
    windowsShown_ = RecordingWindows();
    CVarnok24G_ConfigApp application(windowsShown_);
    application.InitInstance();
    EXPECT_EQ(windowsShown_.deviceChoices, 0);
    EXPECT_EQ(windowsShown_.mainWindowRuns, (std::vector<int32_t>{c.model}));
    application.ExitInstance();
  }
}

TEST_F(StartupFixture, WithoutARecordedModelTheUserChooses) {
  const std::optional<std::string> unrecorded[] = {std::string("0"), std::string(""), std::string("none"),
                                                   std::nullopt};
  for (const auto& curDevice : unrecorded) {
    SCOPED_TRACE(curDevice.value_or("<missing>"));
    // Cancelled: nothing runs and the file stays as it was.
    WriteDeviceList("3", curDevice);
    const std::string before = folder_.Read("VNType.ini");
    windowsShown_ = RecordingWindows();
    {
      CVarnok24G_ConfigApp application(windowsShown_);
      application.InitInstance();
      application.ExitInstance();
    }
    EXPECT_EQ(windowsShown_.deviceChoices, 1);
    EXPECT_TRUE(windowsShown_.mainWindowRuns.empty());
    EXPECT_EQ(folder_.Read("VNType.ini"), before);

    // Chosen: written back in the stored form, then the main window runs.
    windowsShown_ = RecordingWindows();
    windowsShown_.choose = true;
    windowsShown_.choice = 0x9A7B;
    {
      CVarnok24G_ConfigApp application(windowsShown_);
      application.InitInstance();
      application.ExitInstance();
    }
    EXPECT_EQ(windowsShown_.mainWindowRuns, (std::vector<int32_t>{0x9A7B}));
    EXPECT_EQ(platform::Service<platform::IniFile>::Get().ReadString(folder_.ProgramPath() + u"VNType.ini",
                                                                    u"CUR_DEVICE", u"CurDevice", u"", 260),
              u"0x9a7b");
  }
}

TEST_F(StartupFixture, ExitReleasesTheInstanceMutex) {
  WriteDeviceList("1", "0x9080");
  auto& mutexes = platform::Service<platform::NamedMutex>::Get();
  {
    CVarnok24G_ConfigApp application(windowsShown_);
    application.InitInstance();
    EXPECT_TRUE(application.HoldsMutex());
    platform::NamedMutexResult probe = mutexes.Create(CVarnok24G_ConfigApp::kMutexName);
    EXPECT_TRUE(probe.alreadyExisted);
    mutexes.Close(probe.handle);
    application.ExitInstance();
    EXPECT_FALSE(application.HoldsMutex());
  }
  platform::NamedMutexResult after = mutexes.Create(CVarnok24G_ConfigApp::kMutexName);
  EXPECT_FALSE(after.alreadyExisted);
  mutexes.Close(after.handle);
}

class SecondInstance : public ::testing::Test {
 protected:
  SecondInstance() : windows_(windowsFake_), mutex_(mutexFake_) {
    first_ = platform::Service<platform::NamedMutex>::Get().Create(CVarnok24G_ConfigApp::kMutexName);
  }
  ~SecondInstance() override { platform::Service<platform::NamedMutex>::Get().Close(first_.handle); }

  fakes::FakeWindowMessages windowsFake_;
  ScopedService<platform::WindowMessages> windows_;
  platform::LocalNamedMutex mutexFake_;
  ScopedService<platform::NamedMutex> mutex_;
  RecordingWindows windowsShown_;
  platform::NamedMutexResult first_;
};

TEST_F(SecondInstance, AsksTheRunningInstanceToShowItself) {
  windowsFake_.windows[u"Varnok Wireless Configuration"] = 0x1234;
  CVarnok24G_ConfigApp second(windowsShown_);
  EXPECT_FALSE(second.ClaimSingleInstance(u"Varnok Wireless Configuration"));
  ASSERT_EQ(windowsFake_.posted.size(), 1u);
  EXPECT_EQ(windowsFake_.posted[0].window, 0x1234u);
  EXPECT_EQ(windowsFake_.posted[0].message, WM_TRAY_NOTIFY);
  EXPECT_EQ(windowsFake_.posted[0].wParam, 0u);
  EXPECT_EQ(windowsFake_.posted[0].lParam, 515);
  second.ExitInstance();
}

TEST_F(SecondInstance, WithoutTheRunningWindowLetsGoOfTheMutexAndPostsNothing) {
  windowsFake_.windows[u"Another title"] = 0x1234;
  CVarnok24G_ConfigApp second(windowsShown_);
  EXPECT_FALSE(second.ClaimSingleInstance(u"Varnok Wireless Configuration"));
  EXPECT_FALSE(second.HoldsMutex());
  EXPECT_TRUE(windowsFake_.posted.empty());
}

}  // namespace
}  // namespace app

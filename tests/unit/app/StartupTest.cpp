#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/ExeFolder.h"
#include "app/HexSetting.h"
#include "app/PrivateMessages.h"
#include "app/SingleDevice.h"
#include "app/Varnok24GConfigApp.h"
#include "fakes/FakeProcess.h"
#include "fakes/FakeWindowMessages.h"
#include "fakes/TempFolder.h"
#include "platform/NamedMutex.h"

namespace app {
namespace {

using platform::ScopedService;

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
  StartupFixture() : process_(processFake_), debug_(debugFake_) {
    processFake_.path = folder_.ProgramPath() + u"vn24g.exe";
    SetSingleDevice(false);
  }

  void WriteDeviceList(std::optional<std::string> deviceNum, std::optional<std::string> curDevice) {
    std::string ini = "[DEVICE_NAME]\r\nName0=Varnok Mouse\r\n";
    if (deviceNum) ini += "[DEVICE_NUM]\r\nDeviceNum=" + *deviceNum + "\r\n";
    if (curDevice) ini += "[CUR_DEVICE]\r\nCurDevice=" + *curDevice + "\r\n";
    folder_.Write("VNType.ini", ini);
  }

  fakes::TempFolder folder_;
  fakes::FakeProcess processFake_;
  fakes::CapturedDebugOutput debugFake_;
  ScopedService<platform::Process> process_;
  ScopedService<platform::DebugOutput> debug_;
};

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

    CVarnok24G_ConfigApp application;
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

TEST_F(StartupFixture, CurrentModelIsReadAsHexadecimal) {
  const struct {
    std::optional<std::string> curDevice;
    int32_t model;
  } cases[] = {{"0x9080", 0x9080}, {"9070", 0x9070}, {"0", 0}, {"", 0}, {std::nullopt, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.curDevice.value_or("<missing>"));
    WriteDeviceList("3", c.curDevice);
    CVarnok24G_ConfigApp application;
    application.InitInstance();
    EXPECT_EQ(application.CurrentModel(), c.model);
    application.ExitInstance();
  }
}

TEST_F(StartupFixture, ExitReleasesTheInstanceMutex) {
  WriteDeviceList("1", "0x9080");
  auto& mutexes = platform::Service<platform::NamedMutex>::Get();
  {
    CVarnok24G_ConfigApp application;
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
  SecondInstance() : windows_(windowsFake_) {
    first_ = platform::Service<platform::NamedMutex>::Get().Create(CVarnok24G_ConfigApp::kMutexName);
  }
  ~SecondInstance() override { platform::Service<platform::NamedMutex>::Get().Close(first_.handle); }

  fakes::FakeWindowMessages windowsFake_;
  ScopedService<platform::WindowMessages> windows_;
  platform::NamedMutexResult first_;
};

TEST_F(SecondInstance, AsksTheRunningInstanceToShowItself) {
  windowsFake_.windows[u"Varnok Wireless Configuration"] = 0x1234;
  CVarnok24G_ConfigApp second;
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
  CVarnok24G_ConfigApp second;
  EXPECT_FALSE(second.ClaimSingleInstance(u"Varnok Wireless Configuration"));
  EXPECT_FALSE(second.HoldsMutex());
  EXPECT_TRUE(windowsFake_.posted.empty());
}

}  // namespace
}  // namespace app

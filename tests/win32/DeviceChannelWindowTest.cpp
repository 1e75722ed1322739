// The driver channel with the Win32 threads, semaphore, hidden window and
// posted messages, delivering to a real window's message queue; and the
// reading of device broadcasts. Runs in both Windows flavours: the driver
// here is the in-process fake.

#include <windows.h>
#include <dbt.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "codes/PrivateMessages.h"
#include "device/USBDriver.h"
#include "fakes/FakeDriver.h"
#include "fakes/WatchedThreading.h"
#include "platform/HidEnumeration.h"
#include "platform/Threading.h"
#include "win32/EventTargetWindow.h"

namespace {

using device::CUSBDriver;
using win32tests::EventTargetWindow;

TEST(DeviceChannelWindowTest, EventsReachTheWindowInOrder) {
  fakes::FakeDriver driver;
  platform::ScopedService<platform::ControlDevice> driverService(driver);
  EventTargetWindow target;
  CUSBDriver channel;
  channel.StartEventChannel(target.Value());
  ASSERT_TRUE(channel.EnableDriver());
  const std::vector<uint32_t> codes = {0x08, 0x00, 0x40000223, 0x101, 0x1FF};
  ASSERT_EQ(driver.QueueEvents(codes), codes.size());
  ASSERT_TRUE(target.PumpUntil([&] { return target.events.size() >= codes.size(); }));
  EXPECT_EQ(target.events, codes);
  EXPECT_EQ(target.eventLParams, std::vector<LPARAM>(codes.size(), 0));
  channel.ShutdownEventChannel();
}

TEST(DeviceChannelWindowTest, HiddenWindowIsAnInvisibleOnePixelPopup) {
  fakes::FakeDriver driver;
  platform::ScopedService<platform::ControlDevice> driverService(driver);
  CUSBDriver channel;
  channel.StartEventChannel(0);
  const HWND hidden = FindWindowW(nullptr, L"Varnok24gms");
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(hidden), device::DriverChannel().hiddenWindow);
  EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(hidden, GWL_STYLE)) & WS_POPUP, static_cast<DWORD>(WS_POPUP));
  RECT bounds = {};
  GetWindowRect(hidden, &bounds);
  EXPECT_EQ(bounds.left, 1);
  EXPECT_EQ(bounds.top, 1);
  EXPECT_EQ(bounds.right - bounds.left, 1);
  EXPECT_EQ(bounds.bottom - bounds.top, 1);
  channel.ShutdownEventChannel();
  EXPECT_FALSE(IsWindow(hidden));
}

TEST(DeviceChannelWindowTest, SemaphoreRefusesReleasesBeyondItsMaximum) {
  platform::Threading& threads = platform::Service<platform::Threading>::Get();
  const platform::Handle semaphore = threads.NewSemaphore(0, 8000);
  ASSERT_NE(semaphore, 0u);
  EXPECT_TRUE(threads.Release(semaphore, 7999));
  EXPECT_TRUE(threads.Release(semaphore, 1));
  EXPECT_FALSE(threads.Release(semaphore, 1));
  EXPECT_TRUE(threads.Wait(semaphore));
  EXPECT_TRUE(threads.Release(semaphore, 1));
  threads.Close(semaphore);
}

TEST(DeviceChannelWindowTest, ShutdownWithoutDriverEndsTheThread) {
  fakes::FakeDriver driver;
  driver.SetPresent(false);
  fakes::WatchedThreading threads;
  platform::ScopedService<platform::ControlDevice> driverService(driver);
  platform::ScopedService<platform::Threading> threadService(threads);
  CUSBDriver channel;
  channel.StartEventChannel(0);
  EXPECT_FALSE(channel.EnableDriver());
  channel.ShutdownEventChannel();
  EXPECT_TRUE(threads.threadEnded);
  EXPECT_EQ(driver.Steps(), std::vector<std::string>{"open refused"});
}

// A device broadcast as a sender would lay it out, `name` written as given
// (terminated or not) and `size` stated in its header.
std::vector<uint8_t> Broadcast(DWORD type, const std::u16string& name, bool terminated, DWORD statedSize = 0) {
  const std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
  std::vector<uint8_t> bytes(nameOffset + (name.size() + 1) * sizeof(wchar_t) + 64, 0xEE);
  auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
  const std::size_t size = nameOffset + (name.size() + (terminated ? 1 : 0)) * sizeof(wchar_t);
  broadcast->dbcc_size = statedSize != 0 ? statedSize : static_cast<DWORD>(size);
  broadcast->dbcc_devicetype = type;
  broadcast->dbcc_reserved = 0;
  std::memcpy(broadcast->dbcc_name, name.data(), name.size() * sizeof(wchar_t));
  if (terminated) broadcast->dbcc_name[name.size()] = 0;
  return bytes;
}

TEST(DeviceBroadcastTest, OnlyInterfaceArrivalsAreRead) {
  const std::u16string name = u"\\\\?\\USB#VID_3C7A&PID_2000#5&1A2B3C4D&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
  const std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
  struct Case {
    const char* what;
    WPARAM event;
    std::vector<uint8_t> broadcast;
    bool arrival;
    std::u16string expected;
  };
  const Case cases[] = {
      {"arrival", DBT_DEVICEARRIVAL, Broadcast(DBT_DEVTYP_DEVICEINTERFACE, name, true), true, name},
      {"removal", DBT_DEVICEREMOVECOMPLETE, Broadcast(DBT_DEVTYP_DEVICEINTERFACE, name, true), false, u""},
      {"volume", DBT_DEVICEARRIVAL, Broadcast(DBT_DEVTYP_VOLUME, name, true), false, u""},
      // No terminator: the name ends where the stated size ends.
      {"unterminated", DBT_DEVICEARRIVAL, Broadcast(DBT_DEVTYP_DEVICEINTERFACE, name, false), true, name},
      {"stated size cuts the name", DBT_DEVICEARRIVAL,
       Broadcast(DBT_DEVTYP_DEVICEINTERFACE, name, false, static_cast<DWORD>(nameOffset + 8 * sizeof(wchar_t))),
       true, name.substr(0, 8)},
      {"stated size below the header", DBT_DEVICEARRIVAL,
       Broadcast(DBT_DEVTYP_DEVICEINTERFACE, name, true, static_cast<DWORD>(sizeof(DEV_BROADCAST_HDR))), false,
       u""},
  };
  platform::HidEnumeration& hid = platform::Service<platform::HidEnumeration>::Get();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::u16string read = u"stale";
    EXPECT_EQ(hid.ReadArrival(c.event, reinterpret_cast<intptr_t>(c.broadcast.data()), read), c.arrival);
    EXPECT_EQ(read, c.expected);
  }
  std::u16string read;
  EXPECT_FALSE(hid.ReadArrival(DBT_DEVICEARRIVAL, 0, read));
}

}  // namespace

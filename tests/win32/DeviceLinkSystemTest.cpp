// The device link's real Win32 services on a machine without the receiver
// and the filter driver: the program must see both as absent and carry on.

#include <gtest/gtest.h>

#include "device/InterceptionMasks.h"
#include "device/ReceiverDetection.h"
#include "device/USBDriver.h"
#include "fakes/WatchedThreading.h"

#if !VN24G_SIMULATED_HARDWARE

namespace {

TEST(DeviceLinkSystemTest, MissingDriverIsReportedAbsent) {
  fakes::WatchedThreading threads;
  platform::ScopedService<platform::Threading> threadService(threads);
  device::CUSBDriver channel;
  channel.StartEventChannel(0);
  EXPECT_FALSE(channel.OpenDriver());
  EXPECT_FALSE(channel.EnableDriver());
  EXPECT_EQ(device::DriverChannel().driver.load(), 0u);
  EXPECT_FALSE(device::SendInterceptionMasks(3));
  channel.ShutdownEventChannel();
  EXPECT_TRUE(threads.threadEnded);
}

TEST(DeviceLinkSystemTest, NoReceiverAmongTheSystemsHidInterfaces) {
  platform::Handle receiver = 0;
  EXPECT_FALSE(device::DetectReceiver(receiver));
  EXPECT_EQ(receiver, 0u);
}

}  // namespace

#endif

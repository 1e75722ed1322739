// The whole device link of the simulated program: the channel, the masks and
// the receiver detection with their Win32 threads, windows and messages,
// talking through the simulated services to the device simulator process.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#if VN24G_SIMULATED_HARDWARE

#include <windows.h>
#include <dbt.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "config/DeviceCatalogue.h"
#include "config/SettingsStore.h"
#include "device/DriverControlCodes.h"
#include "device/InterceptionMasks.h"
#include "device/ReceiverDetection.h"
#include "device/USBDriver.h"
#include "fakes/WatchedThreading.h"
#include "platform/ControlDevice.h"
#include "platform/HidEnumeration.h"
#include "platform/simulated/SimulatorClient.h"
#include "win32/EventTargetWindow.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using device::CUSBDriver;
using simulator::LogEntry;
using simulator::LogStep;
using win32tests::EventTargetWindow;

// The simulator outlives a test program that started it; this one is asked
// to leave when the tests are done, so nothing holds the run's output open.
class SimulatorEnvironment : public ::testing::Environment {
 public:
  void TearDown() override {
    if (auto connection = simulator::Connection::Open(simulator::Connection::Start::kNo)) simulator::Quit(*connection);
  }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new SimulatorEnvironment);

std::string Text(const LogEntry& entry) {
  char text[64];
  switch (entry.step) {
    case LogStep::kOpen: return "open";
    case LogStep::kOpenRefused: return "open refused";
    case LogStep::kClose: return "close";
    case LogStep::kControl: break;
  }
  std::snprintf(text, sizeof text, "%X=%X%s", entry.code, entry.value, entry.ok ? "" : " failed");
  return text;
}

// The simulated control device, counting the event fetches under way.
class WatchedControlDevice final : public platform::ControlDevice {
 public:
  platform::Handle Open(const std::u16string& path) override { return real_.Open(path); }
  bool Control(platform::Handle device, uint32_t code, const void* input, uint32_t inputSize, void* output,
               uint32_t outputSize) override {
    const bool fetch = code == device::kIoctlGetEvent;
    if (fetch) ++fetching;
    const bool ok = real_.Control(device, code, input, inputSize, output, outputSize);
    if (fetch) --fetching;
    return ok;
  }
  void Close(platform::Handle device) override { real_.Close(device); }

  std::atomic<int> fetching{0};

 private:
  platform::ControlDevice& real_ = platform::Service<platform::ControlDevice>::Get();
};

class DeviceLinkSimulatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    control_ = simulator::Connection::Open(simulator::Connection::Start::kIfMissing);
    ASSERT_TRUE(control_) << "the device simulator could not be started";
    ASSERT_TRUE(simulator::Reset(*control_));
  }
  void TearDown() override {
    channel_.reset();
    config::CurrentDevice = {};
    config::ActiveSettings = {};
  }

  std::vector<std::string> Log() {
    std::vector<LogEntry> entries;
    EXPECT_TRUE(simulator::GetLog(*control_, entries));
    std::vector<std::string> lines;
    for (const LogEntry& entry : entries) lines.insert(lines.end(), entry.repeat, Text(entry));
    return lines;
  }
  simulator::Status Status() {
    simulator::Status status = {};
    std::vector<uint32_t> plugged;
    EXPECT_TRUE(simulator::GetStatus(*control_, status, plugged));
    return status;
  }
  std::string SemaphoreRegistration() {
    char text[32];
    std::snprintf(text, sizeof text, "222400=%X", static_cast<unsigned>(device::DriverChannel().semaphore.load()));
    return text;
  }

  std::unique_ptr<simulator::Connection> control_;
  fakes::WatchedThreading threads_;
  platform::ScopedService<platform::Threading> threadService_{threads_};
  EventTargetWindow target_;
  std::unique_ptr<CUSBDriver> channel_ = std::make_unique<CUSBDriver>();
};

TEST_F(DeviceLinkSimulatorTest, CallingOrderFromStartToShutdown) {
  config::CurrentDevice.modelValue = 0x9070;
  config::CurrentDevice.deviceType = 2;
  config::CurrentDevice.keyCount = 1;
  config::CurrentDevice.keys[0].buttonCode = 96;
  config::ActiveSettings.keyAssignments[0].functionCode = 65;

  channel_->StartEventChannel(target_.Value());
  ASSERT_TRUE(channel_->EnableDriver());
  ASSERT_TRUE(device::SendInterceptionMasks(2));
  EXPECT_THAT(Log(), ElementsAre("open", SemaphoreRegistration(), "222414=1", "22240C=0", "222410=0", "222434=0",
                                 "22240C=180", "222410=19C0000", "222434=1"));
  simulator::Status status = Status();
  EXPECT_EQ(status.registered, 1u);
  EXPECT_EQ(status.enabled, 1u);
  EXPECT_EQ(status.mouseMask, 0x180u);
  EXPECT_EQ(status.keyMask, 0x19C0000u);
  EXPECT_EQ(status.extraKeyMask, 0x1u);

  ASSERT_TRUE(simulator::ClearLog(*control_));
  channel_->ShutdownEventChannel();
  EXPECT_THAT(Log(), ElementsAre("22240C=0", "222410=0", "222404=0", "close"));
  status = Status();
  EXPECT_EQ(status.registered, 0u);
  EXPECT_EQ(status.handlesOpen, 0u);
  EXPECT_EQ(status.extraKeyMask, 0x1u);  // left as it was
  EXPECT_TRUE(threads_.threadEnded);
}

TEST_F(DeviceLinkSimulatorTest, DriverAbsentAtStartThenPresent) {
  ASSERT_TRUE(simulator::SetDriverPresent(*control_, false));
  channel_->StartEventChannel(target_.Value());
  EXPECT_FALSE(channel_->EnableDriver());
  EXPECT_FALSE(device::SendInterceptionMasks(1));
  EXPECT_THAT(Log(), ElementsAre("open refused"));

  ASSERT_TRUE(simulator::SetDriverPresent(*control_, true));
  EXPECT_TRUE(channel_->EnableDriver());
  EXPECT_TRUE(channel_->EnableDriver());
  EXPECT_THAT(Log(), ElementsAre("open refused", "open", SemaphoreRegistration(), "222414=1", "222414=1"));
}

TEST_F(DeviceLinkSimulatorTest, QueuedEventsArriveOnceAndInOrder) {
  channel_->StartEventChannel(target_.Value());
  ASSERT_TRUE(channel_->EnableDriver());
  const std::vector<uint32_t> codes = {0x08, 0x00, 0x50000004};
  ASSERT_EQ(simulator::QueueEvents(*control_, codes), 3u);
  ASSERT_TRUE(target_.PumpUntil([&] { return target_.events.size() >= 3; }));
  // Nothing more comes after the three: the ended channel has posted all it
  // ever will.
  channel_->ShutdownEventChannel();
  ASSERT_TRUE(target_.Drain());
  EXPECT_EQ(target_.events, codes);
  EXPECT_EQ(Status().fetched, 3u);
}

// The event thread takes the codes without a pipe request each, yet the
// driver's log counts every fetch, in its place before what came after it.
TEST_F(DeviceLinkSimulatorTest, EveryFetchIsLoggedBeforeTheShutdown) {
  channel_->StartEventChannel(target_.Value());
  ASSERT_TRUE(channel_->EnableDriver());
  ASSERT_TRUE(simulator::ClearLog(*control_));
  ASSERT_EQ(simulator::QueueEvents(*control_, {0x08, 0x00, 0x10, 0x00}), 4u);
  ASSERT_TRUE(target_.PumpUntil([&] { return target_.events.size() >= 4; }));
  channel_->ShutdownEventChannel();
  EXPECT_THAT(Log(), ElementsAre("222408=0", "222408=0", "222408=0", "222408=0", "22240C=0", "222410=0",
                                 "222404=0", "close"));
  const simulator::Status status = Status();
  EXPECT_EQ(status.fetched, 4u);
  EXPECT_EQ(status.pending, 0u);
}

// A stalled driver holds the fetch whichever way it would have gone; once
// released, the held code and those after it arrive in order.
TEST_F(DeviceLinkSimulatorTest, HeldFetchWaitsForTheDriver) {
  WatchedControlDevice device;
  platform::ScopedService<platform::ControlDevice> watched(device);
  // The channel ends while the watched device is still the one it uses.
  struct EndChannel {
    CUSBDriver& channel;
    ~EndChannel() { channel.ShutdownEventChannel(); }
  } end{*channel_};
  channel_->StartEventChannel(target_.Value());
  ASSERT_TRUE(channel_->EnableDriver());
  ASSERT_TRUE(simulator::HoldEvents(*control_, true));
  ASSERT_EQ(simulator::QueueEvents(*control_, {0x08, 0x00}), 2u);
  // The thread is in its fetch, which the driver holds: all it posted
  // before has been handled once the window has handled a later message.
  ASSERT_TRUE(target_.PumpUntil([&] { return device.fetching > 0; }));
  ASSERT_TRUE(target_.Drain());
  EXPECT_TRUE(target_.events.empty());
  EXPECT_EQ(device.fetching, 1);
  ASSERT_TRUE(simulator::HoldEvents(*control_, false));
  ASSERT_TRUE(target_.PumpUntil([&] { return target_.events.size() >= 2; }));
  EXPECT_EQ(target_.events, (std::vector<uint32_t>{0x08, 0x00}));
}

// A fetch the driver refuses is refused however the codes are kept: the
// refused wake-up takes no code, the next fetch takes the first.
TEST_F(DeviceLinkSimulatorTest, RefusedFetchTakesNoCode) {
  channel_->StartEventChannel(target_.Value());
  ASSERT_TRUE(channel_->EnableDriver());
  ASSERT_TRUE(simulator::ClearLog(*control_));
  ASSERT_TRUE(simulator::FailCode(*control_, device::kIoctlGetEvent, 1));
  ASSERT_EQ(simulator::QueueEvents(*control_, {0x08, 0x00}), 2u);
  ASSERT_TRUE(target_.PumpUntil([&] { return !target_.events.empty(); }));
  // Whatever the thread would fetch or post of its own accord it has done
  // once it has ended.
  channel_->ShutdownEventChannel();
  ASSERT_TRUE(target_.Drain());
  EXPECT_EQ(target_.events, (std::vector<uint32_t>{0x08}));
  EXPECT_THAT(Log(), ElementsAre("222408=0 failed", "222408=0", "22240C=0", "222410=0", "222404=0", "close"));
  EXPECT_EQ(Status().pending, 1u);
}

// Paced delivery: while the window has not handled what it was given, the
// further events wait in the driver instead of piling up in its message
// queue; each handled event lets the next one through, none lost, in order.
TEST_F(DeviceLinkSimulatorTest, PacedEventsWaitInTheDriverUntilHandled) {
  channel_->PaceByHandledEvents();
  channel_->StartEventChannel(target_.Value());
  ASSERT_TRUE(channel_->EnableDriver());
  std::vector<uint32_t> codes;
  for (uint32_t code = 1; code <= 200; ++code) codes.push_back(code);
  ASSERT_EQ(simulator::QueueEvents(*control_, codes), 200u);
  // The thread has given what it may and waits for the window to catch up.
  const platform::Handle credits = device::DriverChannel().credits;
  ASSERT_TRUE(target_.PumpUntil([&] { return threads_.Starved(credits); }));
  ASSERT_TRUE(target_.Drain());
  const std::size_t given = target_.events.size();
  EXPECT_GT(given, 0u);
  EXPECT_LT(given, 200u);
  EXPECT_EQ(Status().pending, 200u - given);

  std::size_t handled = 0;
  ASSERT_TRUE(target_.PumpUntil([&] {
    for (; handled < target_.events.size(); ++handled) channel_->EventHandled();
    return target_.events.size() >= 200;
  }, 20000));
  EXPECT_EQ(target_.events, codes);
  EXPECT_EQ(Status().pending, 0u);
  channel_->ShutdownEventChannel();
  EXPECT_TRUE(threads_.threadEnded);
}

// Shutdown while the thread waits for the window to catch up: it ends at
// once, and the driver is left in order.
TEST_F(DeviceLinkSimulatorTest, ShutdownWhilePacedDeliveryWaits) {
  channel_->PaceByHandledEvents();
  channel_->StartEventChannel(target_.Value());
  ASSERT_TRUE(channel_->EnableDriver());
  std::vector<uint32_t> codes(100, 0x60000000);
  ASSERT_EQ(simulator::QueueEvents(*control_, codes), 100u);
  ASSERT_TRUE(target_.PumpUntil([&] { return !target_.events.empty(); }));
  // The thread has given what it may and waits.
  const platform::Handle credits = device::DriverChannel().credits;
  ASSERT_TRUE(target_.PumpUntil([&] { return threads_.Starved(credits); }));
  ASSERT_GT(Status().pending, 0u);
  ASSERT_TRUE(simulator::ClearLog(*control_));
  channel_->ShutdownEventChannel();
  EXPECT_TRUE(threads_.threadEnded);
  EXPECT_THAT(Log(), ElementsAre("22240C=0", "222410=0", "222404=0", "close"));
}

TEST_F(DeviceLinkSimulatorTest, ShutdownWithTheDriverNeverOpened) {
  ASSERT_TRUE(simulator::SetDriverPresent(*control_, false));
  channel_->StartEventChannel(target_.Value());
  EXPECT_FALSE(channel_->EnableDriver());
  channel_->ShutdownEventChannel();
  EXPECT_THAT(Log(), ElementsAre("open refused"));
  EXPECT_TRUE(threads_.threadEnded);
}

TEST_F(DeviceLinkSimulatorTest, DriverRefusingEveryCode) {
  ASSERT_TRUE(simulator::FailCode(*control_, 0, simulator::kForever));
  channel_->StartEventChannel(target_.Value());
  const std::string registration = SemaphoreRegistration();
  EXPECT_FALSE(channel_->EnableDriver());
  EXPECT_FALSE(device::SendInterceptionMasks(3));
  channel_->ShutdownEventChannel();
  EXPECT_THAT(Log(), ElementsAre("open", registration + " failed", "close"));
  EXPECT_EQ(Status().handlesOpen, 0u);
  EXPECT_TRUE(threads_.threadEnded);
}

TEST_F(DeviceLinkSimulatorTest, RefusedClearSendsNoNewMask) {
  channel_->StartEventChannel(target_.Value());
  ASSERT_TRUE(channel_->EnableDriver());
  ASSERT_TRUE(simulator::ClearLog(*control_));
  ASSERT_TRUE(simulator::FailCode(*control_, device::kIoctlKeyMask, 1));
  EXPECT_FALSE(device::SendInterceptionMasks(3));
  EXPECT_THAT(Log(), ElementsAre("22240C=0", "222410=0 failed"));
}

TEST_F(DeviceLinkSimulatorTest, FloodBeyondTheSemaphoreMaximum) {
  channel_->StartEventChannel(target_.Value());
  ASSERT_TRUE(channel_->EnableDriver());
  // A stalled driver: the thread sits in its first fetch and the releases
  // pile up in the semaphore until it is full.
  ASSERT_TRUE(simulator::HoldEvents(*control_, true));
  std::vector<uint32_t> flood;
  for (uint32_t code = 1; code <= 9000; ++code) flood.push_back(code);
  const uint32_t queued = simulator::QueueEvents(*control_, flood);
  // 8000 pending, plus the one the thread may already have taken.
  EXPECT_GE(queued, 8000u);
  EXPECT_LE(queued, 8001u);
  EXPECT_EQ(Status().dropped, 9000u - queued);

  ASSERT_TRUE(simulator::HoldEvents(*control_, false));
  ASSERT_TRUE(target_.PumpUntil([&] { return target_.events.size() >= queued; }, 120000));
  std::vector<uint32_t> expected(flood.begin(), flood.begin() + queued);
  EXPECT_EQ(target_.events, expected);

  // Shut down in the middle of another flood: no hang, the thread ends.
  EXPECT_GE(simulator::QueueEvents(*control_, flood), 8000u);
  channel_->ShutdownEventChannel();
  EXPECT_TRUE(threads_.threadEnded);
  EXPECT_EQ(Status().handlesOpen, 0u);
}

TEST_F(DeviceLinkSimulatorTest, LongLogComesBackWhole) {
  channel_->StartEventChannel(target_.Value());
  ASSERT_TRUE(channel_->EnableDriver());
  platform::ControlDevice& driver = platform::Service<platform::ControlDevice>::Get();
  for (uint32_t mask = 1; mask <= 400; ++mask) {
    ASSERT_TRUE(driver.Control(device::DriverChannel().driver, device::kIoctlMouseMask, &mask, 4, nullptr, 0));
  }
  const std::vector<std::string> log = Log();
  ASSERT_EQ(log.size(), 3u + 400u);
  EXPECT_EQ(log.back(), "22240C=190");
}

class ReceiverThroughSimulatorTest : public DeviceLinkSimulatorTest {
 protected:
  void TearDown() override {
    device::CloseReceiver(receiver_);
    EXPECT_EQ(Status().hidOpen, 0u);
    DeviceLinkSimulatorTest::TearDown();
  }
  // The receiver handle's usage page and usage; 0 and 0 when it answers nothing.
  std::pair<int, int> Usage() {
    uint16_t page = 0;
    uint16_t usage = 0;
    if (!platform::Service<platform::HidEnumeration>::Get().GetUsage(receiver_, page, usage)) return {0, 0};
    return {page, usage};
  }
  platform::Handle receiver_ = 0;
};

TEST_F(ReceiverThroughSimulatorTest, TheNewerReceiverIsPreferred) {
  ASSERT_TRUE(simulator::Plug(*control_, 0x1000));
  ASSERT_TRUE(simulator::Plug(*control_, 0x2000));
  ASSERT_TRUE(device::DetectReceiver(receiver_));
  EXPECT_EQ(Usage(), std::make_pair(0xFF00, 0x000E));
  // Only the kept interface is still open; pulling the newer receiver out
  // leaves the handle answering nothing, so it was that receiver's.
  EXPECT_EQ(Status().hidOpen, 1u);
  ASSERT_TRUE(simulator::Unplug(*control_, 0x2000));
  EXPECT_EQ(Usage(), std::make_pair(0, 0));
}

TEST_F(ReceiverThroughSimulatorTest, EachProductByItsRow) {
  struct Case {
    uint16_t product;
    uint32_t flags;
    uint32_t extraPath;
    bool found;
    uint16_t page;
  };
  const Case cases[] = {
      {0x2000, simulator::kPlugLowerCase, 0, true, 0xFF00},
      {0x2001, 0, 0, true, 0xFF00},
      {0x1000, simulator::kPlugLowerCase, 0, true, 0xF1F2},
      {0x2000, 0, 6000, true, 0xFF00},                                  // a device path far longer than usual
      {0x2000, simulator::kPlugUnreadableDetail, 0, false, 0},          // its vendor interface cannot be read
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << "product " << c.product << " flags " << c.flags);
    ASSERT_TRUE(simulator::Reset(*control_));
    ASSERT_TRUE(simulator::Plug(*control_, c.product, c.flags, c.extraPath));
    EXPECT_EQ(device::DetectReceiver(receiver_), c.found);
    if (c.found) {
      EXPECT_EQ(Usage().first, c.page);
      EXPECT_EQ(Status().hidOpen, 1u);
    } else {
      EXPECT_EQ(receiver_, 0u);
      EXPECT_EQ(Status().hidOpen, 0u);
    }
    device::CloseReceiver(receiver_);
  }
}

TEST_F(ReceiverThroughSimulatorTest, ReceiverVanishingDuringEnumeration) {
  ASSERT_TRUE(simulator::Plug(*control_, 0x2000, simulator::kPlugVanishAfterList));
  ASSERT_TRUE(simulator::Plug(*control_, 0x1000));
  ASSERT_TRUE(device::DetectReceiver(receiver_));
  EXPECT_EQ(Usage(), std::make_pair(0xF1F2, 0xF1F2));
}

TEST_F(ReceiverThroughSimulatorTest, DetectionWithoutReceiverClosesTheOldHandle) {
  ASSERT_TRUE(simulator::Plug(*control_, 0x2000));
  ASSERT_TRUE(device::DetectReceiver(receiver_));
  ASSERT_TRUE(simulator::Unplug(*control_, 0x2000));
  EXPECT_FALSE(device::DetectReceiver(receiver_));
  EXPECT_EQ(receiver_, 0u);
  EXPECT_EQ(Status().hidOpen, 0u);
}

TEST_F(ReceiverThroughSimulatorTest, PlugAnnouncesTheReceiverToRegisteredWindows) {
  platform::HidEnumeration& hid = platform::Service<platform::HidEnumeration>::Get();
  const platform::Handle registration = hid.RegisterArrivalNotification(target_.Value());
  ASSERT_NE(registration, 0u);
  ASSERT_TRUE(simulator::Plug(*control_, 0x2001, simulator::kPlugLowerCase));
  ASSERT_TRUE(target_.PumpUntil([&] { return !target_.deviceChanges.empty(); }));
  ASSERT_TRUE(simulator::Unplug(*control_, 0x2001));
  ASSERT_TRUE(target_.PumpUntil([&] { return target_.deviceChanges.size() >= 2; }));
  hid.UnregisterArrivalNotification(registration);
  // A window still registered hears the plug and the unplug that follow;
  // notices go out one at a time in order, so once it has heard the
  // unplug, any notice of the plug for the target has come too.
  EventTargetWindow witness;
  const platform::Handle witnessRegistration = hid.RegisterArrivalNotification(witness.Value());
  ASSERT_NE(witnessRegistration, 0u);
  ASSERT_TRUE(simulator::Plug(*control_, 0x2000));
  ASSERT_TRUE(simulator::Unplug(*control_, 0x2000));
  ASSERT_TRUE(target_.PumpUntil([&] { return witness.deviceChanges.size() >= 2; }));
  hid.UnregisterArrivalNotification(witnessRegistration);

  ASSERT_EQ(target_.deviceChanges.size(), 2u);
  const auto& arrival = target_.deviceChanges[0];
  EXPECT_EQ(arrival.event, static_cast<WPARAM>(DBT_DEVICEARRIVAL));
  EXPECT_TRUE(arrival.arrival);
  EXPECT_EQ(arrival.name, u"\\\\?\\usb#vid_3c7a&pid_2001#5&1a2b3c4d&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
  EXPECT_TRUE(device::IsReceiverInterfaceName(arrival.name));
  // The removal notice is not an arrival.
  EXPECT_EQ(target_.deviceChanges[1].event, static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE));
  EXPECT_FALSE(target_.deviceChanges[1].arrival);
}

}  // namespace

#endif

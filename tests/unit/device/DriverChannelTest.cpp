#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "codes/PrivateMessages.h"
#include "config/DeviceCatalogue.h"
#include "config/SettingsStore.h"
#include "device/DriverControlCodes.h"
#include "device/InterceptionMasks.h"
#include "device/USBDriver.h"
#include "fakes/ConcurrentWindowMessages.h"
#include "fakes/FakeDriver.h"
#include "fakes/WatchedThreading.h"
#include "platform/HiddenWindow.h"
#include "platform/Threading.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using device::CUSBDriver;
using device::DriverChannel;
using fakes::FakeDriver;
using fakes::WatchedThreading;

constexpr platform::WindowHandle kMainWindow = 0x4711;

class RecordingHiddenWindow final : public platform::HiddenWindow {
 public:
  platform::WindowHandle Create(const std::u16string& className, const std::u16string& windowName) override {
    createdName = windowName;
    createdClass = className;
    return 0x9999;
  }
  void Destroy(platform::WindowHandle window) override { destroyed = window; }
  std::u16string createdName;
  std::u16string createdClass;
  platform::WindowHandle destroyed = 0;
};

// A post that holds the event thread until the test lets it go, so the
// driver can pile up events behind it.
class GatedWindowMessages final : public platform::WindowMessages {
 public:
  platform::WindowHandle FindWindowByTitle(const std::u16string&) override { return 0; }
  bool Post(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    std::unique_lock<std::mutex> lock(mutex_);
    held_ = true;
    changed_.notify_all();
    changed_.wait(lock, [&] { return open_; });
    codes_.push_back(static_cast<uint32_t>(wParam));
    return true;
  }
  void WaitUntilHeld() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return held_; });
  }
  void Open() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  std::vector<uint32_t> Codes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return codes_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool held_ = false;
  bool open_ = false;
  std::vector<uint32_t> codes_;
};

// Polls a condition that another thread makes true; the limit only guards
// against a broken channel hanging the run.
template <class Condition>
bool Eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

void UseMouseModel() {
  config::CurrentDevice = {};
  config::CurrentDevice.modelValue = 0x9010;
  config::CurrentDevice.deviceType = 1;
  config::CurrentDevice.mouseButtonCount = 2;
  config::CurrentDevice.mouseButtons[0].buttonCode = 1;
  config::CurrentDevice.mouseButtons[1].buttonCode = 2;
  config::ActiveSettings = {};
  config::ActiveSettings.mouseAssignments[0].functionCode = 1;
  config::ActiveSettings.mouseAssignments[1].functionCode = 1;  // right button clicks left
}

void UseKeyboardWithFunctionKeys() {
  config::CurrentDevice = {};
  config::CurrentDevice.modelValue = 0x9070;
  config::CurrentDevice.deviceType = 2;
  config::CurrentDevice.keyCount = 1;
  config::CurrentDevice.keys[0].buttonCode = 96;
  config::ActiveSettings = {};
  config::ActiveSettings.keyAssignments[0].functionCode = 21;
}

class DriverChannelTest : public ::testing::Test {
 protected:
  ~DriverChannelTest() override {
    channel_.reset();
    config::CurrentDevice = {};
    config::ActiveSettings = {};
  }

  CUSBDriver& Channel() { return *channel_; }
  uint32_t SemaphoreValue() const { return static_cast<uint32_t>(DriverChannel().semaphore.load()); }

  FakeDriver driver_;
  fakes::ConcurrentWindowMessages posts_;
  WatchedThreading threads_;
  RecordingHiddenWindow hiddenWindow_;
  platform::ScopedService<platform::ControlDevice> driverService_{driver_};
  platform::ScopedService<platform::WindowMessages> postService_{posts_};
  platform::ScopedService<platform::Threading> threadService_{threads_};
  platform::ScopedService<platform::HiddenWindow> windowService_{hiddenWindow_};
  std::unique_ptr<CUSBDriver> channel_ = std::make_unique<CUSBDriver>();
};

TEST_F(DriverChannelTest, StartCreatesSemaphoreThreadAndHiddenWindow) {
  EXPECT_TRUE(Channel().StartEventChannel(kMainWindow));
  EXPECT_NE(DriverChannel().semaphore.load(), 0u);
  EXPECT_NE(DriverChannel().thread, 0u);
  EXPECT_EQ(DriverChannel().target.load(), kMainWindow);
  EXPECT_EQ(threads_.semaphoreMaximum, 8000);
  EXPECT_EQ(threads_.threadStackSize, 4096u);
  EXPECT_EQ(hiddenWindow_.createdName, u"Varnok24gms");
  // Starting the channel does not touch the driver.
  EXPECT_TRUE(driver_.Calls().empty());

  Channel().ShutdownEventChannel();
  EXPECT_EQ(hiddenWindow_.destroyed, 0x9999u);
}

TEST_F(DriverChannelTest, OpenRegistersEnablesAndShutdownUndoesInOrder) {
  UseKeyboardWithFunctionKeys();
  Channel().StartEventChannel(kMainWindow);
  ASSERT_TRUE(Channel().EnableDriver());
  ASSERT_TRUE(device::SendInterceptionMasks(2));
  EXPECT_EQ(driver_.OpenedPaths(), std::vector<std::u16string>{u"\\\\.\\vn24gms"});
  EXPECT_THAT(driver_.Steps(), ElementsAre("open", "0x222400", "0x222414", "0x22240C", "0x222410", "0x222434",
                                           "0x22240C", "0x222410", "0x222434"));
  const std::vector<FakeDriver::Call> calls = driver_.Calls();
  EXPECT_EQ(calls[1].value, SemaphoreValue());  // the semaphore's handle value is registered
  EXPECT_EQ(calls[2].value, 1u);
  EXPECT_EQ(driver_.ExtraKeyMask(), 0x1u);

  const std::size_t before = calls.size();
  Channel().ShutdownEventChannel();
  const std::vector<std::string> steps = driver_.Steps();
  EXPECT_THAT(std::vector<std::string>(steps.begin() + before, steps.end()),
              ElementsAre("0x22240C", "0x222410", "0x222404", "close"));
  EXPECT_EQ(driver_.Calls()[before].value, 0u);
  EXPECT_EQ(driver_.Calls()[before + 1].value, 0u);
  // The extra key mask is left as it was.
  EXPECT_EQ(driver_.ExtraKeyMask(), 0x1u);
  EXPECT_EQ(DriverChannel().driver.load(), 0u);
  EXPECT_TRUE(threads_.threadEnded);
}

TEST_F(DriverChannelTest, DriverAbsentAtStartThenPresent) {
  UseMouseModel();
  driver_.SetPresent(false);
  Channel().StartEventChannel(kMainWindow);
  EXPECT_FALSE(Channel().EnableDriver());
  EXPECT_FALSE(device::SendInterceptionMasks(1));
  EXPECT_EQ(DriverChannel().driver.load(), 0u);
  EXPECT_NE(DriverChannel().thread, 0u);
  EXPECT_THAT(driver_.Steps(), ElementsAre("open refused"));

  // The driver arrives: the next retry opens, registers, enables, and the
  // caller sends the masks.
  driver_.SetPresent(true);
  ASSERT_TRUE(Channel().EnableDriver());
  ASSERT_TRUE(device::SendInterceptionMasks(1));
  EXPECT_THAT(driver_.Steps(), ElementsAre("open refused", "open", "0x222400", "0x222414", "0x22240C", "0x222410",
                                           "0x222434", "0x22240C", "0x222410"));
  EXPECT_EQ(driver_.MouseMask(), 0x182u);
  EXPECT_EQ(driver_.KeyMask(), 0x19C0000u);

  // Already open: only the enable code goes out.
  const std::size_t before = driver_.Calls().size();
  EXPECT_TRUE(Channel().EnableDriver());
  const std::vector<std::string> steps = driver_.Steps();
  EXPECT_THAT(std::vector<std::string>(steps.begin() + before, steps.end()), ElementsAre("0x222414"));
}

TEST_F(DriverChannelTest, RefusedRegistrationClosesTheHandle) {
  driver_.Refuse(device::kIoctlRegister);
  Channel().StartEventChannel(kMainWindow);
  EXPECT_FALSE(Channel().OpenDriver());
  EXPECT_FALSE(Channel().EnableDriver());
  EXPECT_EQ(DriverChannel().driver.load(), 0u);
  EXPECT_FALSE(driver_.HandleOpen());
  EXPECT_THAT(driver_.Steps(), ElementsAre("open", "0x222400", "close", "open", "0x222400", "close"));
}

TEST_F(DriverChannelTest, RefusedEnableStillCountsAsEnabled) {
  driver_.Refuse(device::kIoctlEnable);
  Channel().StartEventChannel(kMainWindow);
  EXPECT_TRUE(Channel().EnableDriver());
  EXPECT_TRUE(driver_.HandleOpen());
}

TEST_F(DriverChannelTest, DriverThatRefusesEverything) {
  UseMouseModel();
  driver_.RefuseEverything();
  Channel().StartEventChannel(kMainWindow);
  EXPECT_FALSE(Channel().EnableDriver());
  EXPECT_FALSE(device::SendInterceptionMasks(1));
  Channel().ShutdownEventChannel();
  EXPECT_THAT(driver_.Steps(), ElementsAre("open", "0x222400", "close"));
  EXPECT_TRUE(threads_.threadEnded);
  EXPECT_TRUE(posts_.Posts().empty());
}

TEST_F(DriverChannelTest, EachReleaseGivesOneFetchAndOnePostInOrder) {
  Channel().StartEventChannel(kMainWindow);
  ASSERT_TRUE(Channel().EnableDriver());
  const std::vector<uint32_t> codes = {0x08, 0x00, 0x50000004};
  ASSERT_EQ(driver_.QueueEvents(codes), 3u);
  ASSERT_TRUE(posts_.WaitForPosts(3));
  std::vector<uint32_t> received;
  for (const auto& post : posts_.Posts()) {
    EXPECT_EQ(post.window, kMainWindow);
    EXPECT_EQ(post.message, codes::WM_DRIVER_EVENT);
    EXPECT_EQ(post.lParam, 0);
    received.push_back(static_cast<uint32_t>(post.wParam));
  }
  EXPECT_EQ(received, codes);
  EXPECT_EQ(driver_.CountOf(device::kIoctlGetEvent), 3u);
}

TEST_F(DriverChannelTest, RefusedFetchLosesThatEventOnly) {
  Channel().StartEventChannel(kMainWindow);
  ASSERT_TRUE(Channel().EnableDriver());
  driver_.Refuse(device::kIoctlGetEvent);
  ASSERT_EQ(driver_.QueueEvents({0x10}), 1u);
  ASSERT_TRUE(Eventually([&] { return driver_.CountOf(device::kIoctlGetEvent) == 1; }));
  driver_.Allow(device::kIoctlGetEvent);
  // The lost event's code is still queued in the driver; the next release
  // fetches it, so one release still gives exactly one fetch and one post.
  ASSERT_EQ(driver_.QueueEvents({0x20}), 1u);
  ASSERT_TRUE(posts_.WaitForPosts(1));
  Channel().ShutdownEventChannel();
  EXPECT_EQ(posts_.Posts().size(), 1u);
  EXPECT_EQ(driver_.CountOf(device::kIoctlGetEvent), 2u);
}

TEST_F(DriverChannelTest, ShutdownWithDriverNeverOpenedSendsNothingAndEndsTheThread) {
  driver_.SetPresent(false);
  Channel().StartEventChannel(kMainWindow);
  EXPECT_FALSE(Channel().EnableDriver());
  Channel().ShutdownEventChannel();
  EXPECT_THAT(driver_.Steps(), ElementsAre("open refused"));
  EXPECT_TRUE(threads_.threadEnded);
  EXPECT_EQ(DriverChannel().semaphore.load(), 0u);
  EXPECT_EQ(DriverChannel().thread, 0u);
}

TEST_F(DriverChannelTest, ShutdownClosesTheDriverOnlyAfterTheEventThreadHasEnded) {
  Channel().StartEventChannel(kMainWindow);
  ASSERT_TRUE(Channel().EnableDriver());
  // An event is being fetched when the program exits; the driver answers
  // the request once it is unregistered.
  driver_.HoldFetches(true, device::kIoctlUnregister);
  ASSERT_EQ(driver_.QueueEvents({0x08}), 1u);
  ASSERT_TRUE(driver_.WaitUntilFetchHeld());
  bool threadEndedAtClose = false;
  driver_.beforeClose = [&] { threadEndedAtClose = threads_.threadEnded; };

  const std::size_t before = driver_.Calls().size();
  Channel().ShutdownEventChannel();
  const std::vector<std::string> steps = driver_.Steps();
  EXPECT_THAT(std::vector<std::string>(steps.begin() + before, steps.end()),
              ElementsAre("0x22240C", "0x222410", "0x222404", "0x222408", "close"));
  EXPECT_TRUE(threadEndedAtClose);
  EXPECT_FALSE(driver_.ClosedDuringCall());
  EXPECT_FALSE(driver_.HandleOpen());
}

TEST_F(DriverChannelTest, ThreadThatDoesNotEndKeepsTheDriverHandleAndTheSemaphore) {
  Channel().StartEventChannel(kMainWindow);
  ASSERT_TRUE(Channel().EnableDriver());
  // The driver never answers the fetch in time: the bounded wait runs out.
  driver_.HoldFetches(true);
  ASSERT_EQ(driver_.QueueEvents({0x08}), 1u);
  ASSERT_TRUE(driver_.WaitUntilFetchHeld());
  const platform::Handle semaphore = DriverChannel().semaphore;
  threads_.endWaitRunsOut = true;

  const std::size_t before = driver_.Calls().size();
  Channel().ShutdownEventChannel();
  const std::vector<std::string> steps = driver_.Steps();
  // The goodbye still reaches the driver, but nothing is closed under the
  // thread that is still using the handle and the semaphore.
  EXPECT_THAT(std::vector<std::string>(steps.begin() + before, steps.end()),
              ElementsAre("0x22240C", "0x222410", "0x222404"));
  EXPECT_TRUE(driver_.HandleOpen());
  EXPECT_FALSE(driver_.ClosedDuringCall());
  EXPECT_THAT(threads_.closed, ::testing::Not(::testing::Contains(semaphore)));
  EXPECT_EQ(DriverChannel().driver.load(), 0u);

  // Answered at last, the thread finishes its fetch, sees the stop flag and
  // ends.
  driver_.HoldFetches(false);
  EXPECT_TRUE(threads_.FinishThread());
  EXPECT_FALSE(driver_.ClosedDuringCall());
}

TEST_F(DriverChannelTest, ClosingWhileTheChannelRunsWaitsForTheFetchInProgressAndTheDriverCanBeReopened) {
  Channel().StartEventChannel(kMainWindow);
  ASSERT_TRUE(Channel().EnableDriver());
  driver_.HoldFetches(true, device::kIoctlUnregister);
  ASSERT_EQ(driver_.QueueEvents({0x08}), 1u);
  ASSERT_TRUE(driver_.WaitUntilFetchHeld());

  std::size_t before = driver_.Calls().size();
  EXPECT_TRUE(Channel().CloseDriver());
  std::vector<std::string> steps = driver_.Steps();
  EXPECT_THAT(std::vector<std::string>(steps.begin() + before, steps.end()),
              ElementsAre("0x22240C", "0x222410", "0x222404", "0x222408", "close"));
  EXPECT_FALSE(driver_.ClosedDuringCall());
  EXPECT_FALSE(driver_.HandleOpen());
  EXPECT_EQ(DriverChannel().driver.load(), 0u);

  // The thread is still there: a new open registers the same semaphore and
  // its events arrive again.
  before = driver_.Calls().size();
  ASSERT_TRUE(Channel().EnableDriver());
  steps = driver_.Steps();
  EXPECT_THAT(std::vector<std::string>(steps.begin() + before, steps.end()),
              ElementsAre("open", "0x222400", "0x222414"));
  EXPECT_EQ(driver_.Calls()[before + 1].value, SemaphoreValue());
  ASSERT_EQ(driver_.QueueEvents({0x10}), 1u);
  ASSERT_TRUE(posts_.WaitForPosts(2));
  EXPECT_EQ(posts_.Posts().back().wParam, 0x10u);
}

TEST_F(DriverChannelTest, ForgottenShutdownRunsWhenTheChannelGoes) {
  Channel().StartEventChannel(kMainWindow);
  ASSERT_TRUE(Channel().EnableDriver());
  channel_.reset();
  EXPECT_FALSE(driver_.HandleOpen());
  EXPECT_TRUE(threads_.threadEnded);
}

TEST(DriverChannelFloodTest, EventsBeyondTheSemaphoreMaximumAreRefusedAndShutdownStillEnds) {
  FakeDriver driver;
  GatedWindowMessages gate;
  WatchedThreading threads;
  platform::ScopedService<platform::ControlDevice> driverService(driver);
  platform::ScopedService<platform::WindowMessages> postService(gate);
  platform::ScopedService<platform::Threading> threadService(threads);
  CUSBDriver channel;
  channel.StartEventChannel(kMainWindow);
  ASSERT_TRUE(channel.EnableDriver());

  // The first event holds the thread in its post; the rest pile up.
  ASSERT_EQ(driver.QueueEvents({1}), 1u);
  gate.WaitUntilHeld();
  std::vector<uint32_t> flood;
  for (uint32_t code = 2; code < 2 + 9000; ++code) flood.push_back(code);
  const std::size_t queued = driver.QueueEvents(flood);
  EXPECT_EQ(queued, static_cast<std::size_t>(device::kMaxPendingEvents));

  // Shut down with the semaphore at its maximum and the thread busy.
  gate.Open();
  channel.ShutdownEventChannel();
  EXPECT_TRUE(threads.threadEnded);
  // Whatever arrived came in order, without gaps or repeats.
  const std::vector<uint32_t> codes = gate.Codes();
  ASSERT_FALSE(codes.empty());
  for (std::size_t i = 0; i < codes.size(); ++i) ASSERT_EQ(codes[i], i + 1);
  EXPECT_LE(codes.size(), queued + 1);
}

}  // namespace

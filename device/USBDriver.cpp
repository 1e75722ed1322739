#include "device/USBDriver.h"

#include <chrono>

#include "codes/PrivateMessages.h"
#include "device/DriverControlCodes.h"
#include "platform/ControlDevice.h"
#include "platform/HiddenWindow.h"
#include "platform/Threading.h"
#include "platform/WindowMessages.h"

namespace device {
namespace {

using platform::Handle;
using platform::Service;

constexpr uint32_t kEventThreadStackSize = 4096;
constexpr char16_t kHiddenWindowClass[] = u"CUSBDriver";
constexpr char16_t kHiddenWindowName[] = u"Varnok24gms";

platform::ControlDevice& Driver() { return Service<platform::ControlDevice>::Get(); }
platform::Threading& Threads() { return Service<platform::Threading>::Get(); }

// A control code whose only input is one 32-bit value.
bool SendValue(Handle driver, uint32_t code, uint32_t value) {
  return Driver().Control(driver, code, &value, sizeof value, nullptr, 0);
}

// Tells an open driver goodbye: no button or key withheld any more, our
// semaphore no longer released. The handle is then forgotten, so the event
// thread starts no further fetch with it, and returned still open: the
// caller closes it once the thread can no longer be using it. 0 when the
// driver was not open.
Handle LeaveDriver() {
  DriverChannelState& state = DriverChannel();
  const Handle driver = state.driver;
  if (driver == 0) return 0;
  SendValue(driver, kIoctlMouseMask, 0);
  SendValue(driver, kIoctlKeyMask, 0);
  Driver().Control(driver, kIoctlUnregister, nullptr, 0, nullptr, 0);
  state.driver = 0;
  return driver;
}

}  // namespace

DriverChannelState& DriverChannel() {
  static DriverChannelState state;
  return state;
}

CUSBDriver::CUSBDriver() {
  DriverChannelState& state = DriverChannel();
  state.driver = 0;
  state.semaphore = 0;
  state.stop = 0;
}

void CUSBDriver::PaceByHandledEvents() {
  DriverChannelState& state = DriverChannel();
  if (state.credits == 0) state.credits = Threads().NewSemaphore(kMaxEventsInFlight, kMaxEventsInFlight);
}

void CUSBDriver::EventHandled() {
  const Handle credits = DriverChannel().credits;
  if (credits != 0) Threads().Release(credits, 1);
}

CUSBDriver::~CUSBDriver() {
  if (started_) ShutdownEventChannel();
}

bool CUSBDriver::StartEventChannel(platform::WindowHandle target) {
  DriverChannelState& state = DriverChannel();
  state.target = target;
  state.semaphore = Threads().NewSemaphore(0, kMaxPendingEvents);
  state.thread = Threads().StartThread(kEventThreadStackSize, &CUSBDriver::EventThread, this);
  state.hiddenWindow = Service<platform::HiddenWindow>::Get().Create(kHiddenWindowClass, kHiddenWindowName);
  started_ = true;
  return true;
}

bool CUSBDriver::OpenDriver() {
  DriverChannelState& state = DriverChannel();
  // Opening twice would leak the first handle and register the semaphore a
  // second time; an open, registered driver is what the caller wants anyway.
  if (state.driver != 0) return true;
  const Handle driver = Driver().Open(kDriverDevicePath);
  if (driver == 0) return false;
  // The driver receives the handle as a 32-bit value; Windows handle values
  // fit in 32 bits even in a 64-bit process.
  if (!SendValue(driver, kIoctlRegister, static_cast<uint32_t>(state.semaphore.load()))) {
    Driver().Close(driver);
    return false;
  }
  state.driver = driver;
  return true;
}

bool CUSBDriver::EnableDriver() {
  if (DriverChannel().driver == 0 && !OpenDriver()) return false;
  SendValue(DriverChannel().driver, kIoctlEnable, 1);
  return true;
}

bool CUSBDriver::CloseDriver() {
  DriverChannelState& state = DriverChannel();
  const Handle driver = LeaveDriver();
  if (driver == 0) return true;
  // The event thread may have read the handle just before it was forgotten
  // and still be fetching with it. It fetches under the fetch lock, so once
  // the lock has been ours the handle is unused for good. A fetch the driver
  // never answers must not hold the caller; the handle it still uses is
  // then left open rather than closed under it (see ShutdownEventChannel).
  if (!state.fetching.try_lock_for(std::chrono::milliseconds(kEventThreadEndWaitMs))) return true;
  state.fetching.unlock();
  Driver().Close(driver);
  return true;
}

void CUSBDriver::ShutdownEventChannel() {
  DriverChannelState& state = DriverChannel();
  // The driver hears the goodbye first, in its order, while the thread may
  // still be fetching; the handle stays open until the thread is gone.
  const Handle driver = LeaveDriver();
  // The stop flag goes up before the wake-up release, so the woken thread
  // is sure to see it.
  state.stop = 1;
  const Handle semaphore = state.semaphore;
  // When a flood has the count at its maximum this release fails, but then
  // the thread is not blocked: it drains the pending count, skipping the
  // fetch because the driver handle is forgotten, and sees the flag after
  // the next wait.
  if (semaphore != 0) Threads().Release(semaphore, 1);
  // A thread waiting for the target to catch up is woken the same way.
  const Handle credits = state.credits;
  if (credits != 0) Threads().Release(credits, 1);
  bool threadEnded = true;
  if (state.thread != 0) {
    // Bounded: a thread stuck in a driver call must not hold the program's
    // exit.
    threadEnded = Threads().WaitForThread(state.thread, kEventThreadEndWaitMs);
    Threads().Close(state.thread);
    state.thread = 0;
  }
  // The driver handle and the semaphore are what the thread works with, so
  // they are closed only once it has ended. A thread still stuck after the
  // bounded wait keeps both: they are left to the system to reclaim when
  // the process ends, because closing them under it would let it call
  // through a freed connection (simulated device) or a handle value that
  // may already name something else.
  if (threadEnded) {
    if (driver != 0) Driver().Close(driver);
    if (semaphore != 0) Threads().Close(semaphore);
    if (credits != 0) Threads().Close(credits);
  }
  state.semaphore = 0;
  state.credits = 0;
  if (state.hiddenWindow != 0) Service<platform::HiddenWindow>::Get().Destroy(state.hiddenWindow);
  state.hiddenWindow = 0;
  state.target = 0;
  started_ = false;
}

uint32_t CUSBDriver::EventThread(void* /*parameter*/) {
  DriverChannelState& state = DriverChannel();
  while (state.stop == 0) {
    // Paced: the next event is fetched only once the target may take it;
    // until then it stays with the driver.
    const Handle credits = state.credits;
    if (credits != 0 && (!Threads().Wait(credits) || state.stop != 0)) break;
    // A failed wait means there is no semaphore to wait on; nothing could
    // ever wake the thread for an event again, and looping on the failure
    // would only burn a processor.
    if (!Threads().Wait(state.semaphore)) break;
    uint32_t code = 0;
    bool fetched = false;
    {
      std::lock_guard<std::timed_mutex> fetching(state.fetching);
      const Handle driver = state.driver;
      fetched = driver != 0 && Driver().Control(driver, kIoctlGetEvent, &code, sizeof code, &code, sizeof code);
    }
    const platform::WindowHandle target = state.target;
    const bool posted = fetched && target != 0 &&
                        Service<platform::WindowMessages>::Get().Post(target, codes::WM_DRIVER_EVENT, code, 0);
    // An event nobody will report handled must not use up a count.
    if (!posted && credits != 0) Threads().Release(credits, 1);
  }
  return 0;
}

}  // namespace device

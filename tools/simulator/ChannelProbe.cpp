// Load probe of the driver event channel: the program's own channel code
// delivers a flood of events from the simulator to a window of this
// process, which checks that every event arrives once and in order and
// reports the rate. The latency mode times single events instead: the
// driver's get-event round trip on its own, the system's cost of waking a
// waiting thread of another process and of a message posted to a window of
// another thread, and the whole way from queuing one
// event in the simulator to its message at the window. The key-path mode
// runs beside the program, whose button of event 0x08 must send keys: it
// times each press from the simulator's semaphore release to the first key
// the program sends, as a low-level keyboard hook of this process sees it,
// and, as the system's floor, a key this process sends to its own hook.
//
//   vn24g_channel_probe COUNT [BURST]
//   vn24g_channel_probe latency COUNT
//   vn24g_channel_probe keypath COUNT
//
// Exit code 0 when all COUNT events arrived in order, 1 otherwise.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "codes/PrivateMessages.h"
#include "device/DriverControlCodes.h"
#include "device/USBDriver.h"
#include "platform/ControlDevice.h"
#include "platform/simulated/SimulatorClient.h"

namespace {

struct Tally {
  std::vector<bool> seen;
  uint32_t received = 0;
  uint32_t duplicated = 0;
  uint32_t outOfOrder = 0;
  uint32_t unexpected = 0;
  uint32_t last = 0;
  DWORD lastTick = 0;
};

Tally tally;

// A message timed from its post to its arrival at the target window.
constexpr UINT kTimedPost = WM_APP + 1;
std::atomic<int64_t> timedPostArrivedAt{0};
HANDLE changed = CreateEventW(nullptr, FALSE, FALSE, nullptr);

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTimedPost) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    timedPostArrivedAt = now.QuadPart;
    SetEvent(changed);
    return 0;
  }
  if (message != codes::WM_DRIVER_EVENT) return DefWindowProcW(window, message, wParam, lParam);
  const auto code = static_cast<uint32_t>(wParam);
  tally.lastTick = GetTickCount();
  ++tally.received;
  if (code == 0 || code >= tally.seen.size()) {
    ++tally.unexpected;
  } else if (tally.seen[code]) {
    ++tally.duplicated;
  } else {
    tally.seen[code] = true;
    if (code != tally.last + 1) ++tally.outOfOrder;
  }
  tally.last = code;
  return 0;
}

HWND CreateTarget() {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = TargetProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"vn24gChannelProbe";
  RegisterClassW(&windowClass);
  return CreateWindowExW(0, windowClass.lpszClassName, L"channel probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

double Microseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

void PrintPercentiles(const char* what, std::vector<double> samples) {
  if (samples.empty()) {
    std::printf("%s: no samples\n", what);
    return;
  }
  std::sort(samples.begin(), samples.end());
  const auto at = [&](double share) { return samples[static_cast<std::size_t>(share * (samples.size() - 1))]; };
  std::printf("%s: p50 %.1f us, p99 %.1f us over %zu events\n", what, at(0.50), at(0.99), samples.size());
}

// The driver's get-event request alone, as the event thread makes it: a
// semaphore of this process registered with the driver, `count` events
// queued up front, then one wait and one fetch per event, each timed.
// This process's semaphore registered with the driver, as the event thread
// registers the program's.
class RegisteredSemaphore {
 public:
  RegisteredSemaphore()
      : driver_(platform::Service<platform::ControlDevice>::Get()),
        device_(driver_.Open(device::kDriverDevicePath)),
        semaphore_(CreateSemaphoreW(nullptr, 0, device::kMaxPendingEvents, nullptr)) {
    auto value = static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(semaphore_));
    registered_ = device_ != 0 && driver_.Control(device_, device::kIoctlRegister, &value, sizeof value, nullptr, 0);
    if (!registered_) std::fprintf(stderr, "probe: the driver could not be opened\n");
  }
  ~RegisteredSemaphore() {
    if (registered_) driver_.Control(device_, device::kIoctlUnregister, nullptr, 0, nullptr, 0);
    if (device_ != 0) driver_.Close(device_);
    CloseHandle(semaphore_);
  }
  bool Registered() const { return registered_; }
  HANDLE Semaphore() const { return semaphore_; }
  bool Fetch(uint32_t& code) {
    return driver_.Control(device_, device::kIoctlGetEvent, &code, sizeof code, &code, sizeof code);
  }

 private:
  platform::ControlDevice& driver_;
  platform::Handle device_;
  HANDLE semaphore_;
  bool registered_ = false;
};

bool TimeGetEvent(simulator::Connection& control, uint32_t count) {
  RegisteredSemaphore registration;
  if (!registration.Registered()) return false;
  const HANDLE semaphore = registration.Semaphore();
  std::vector<uint32_t> codes(std::min<uint32_t>(count, device::kMaxPendingEvents));
  for (std::size_t i = 0; i < codes.size(); ++i) codes[i] = static_cast<uint32_t>(i + 1);
  const uint32_t queued = simulator::QueueEvents(control, codes);
  std::vector<double> samples;
  bool inOrder = queued == codes.size();
  for (uint32_t i = 0; i < queued; ++i) {
    if (WaitForSingleObject(semaphore, 5000) != WAIT_OBJECT_0) break;
    uint32_t code = 0;
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    const bool fetched = registration.Fetch(code);
    QueryPerformanceCounter(&after);
    inOrder = inOrder && fetched && code == i + 1;
    samples.push_back(Microseconds(before, after));
  }
  PrintPercentiles("get-event round trip", samples);
  return inOrder && samples.size() == codes.size();
}

double Microseconds(int64_t from, int64_t to) {
  LARGE_INTEGER a, b;
  a.QuadPart = from;
  b.QuadPart = to;
  return Microseconds(a, b);
}

// Waits, on `changed`, until `done` holds or `milliseconds` have passed.
template <class Condition>
bool AwaitCondition(Condition done, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!done()) {
    const DWORD waited = GetTickCount() - start;
    if (waited > milliseconds) return false;
    WaitForSingleObject(changed, milliseconds - waited);
  }
  return true;
}

// Runs `work` on a thread of its own while this thread only dispatches what
// arrives for it (its windows' messages, its hook's calls), so that nothing
// done here delays what is being timed.
template <class Work>
void RunWhileDispatching(Work work) {
  const DWORD dispatcher = GetCurrentThreadId();
  std::thread worker([&] {
    work();
    PostThreadMessageW(dispatcher, WM_QUIT, 0, 0);
  });
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  worker.join();
}

// What the system itself costs before the program's event thread runs: the
// simulator releases the semaphore of this process, a thread here waits on
// it and takes the time it woke. The queue command's own answer comes after
// the release, so a second thread waits.
bool TimeWake(simulator::Connection& control, uint32_t count) {
  RegisteredSemaphore registration;
  if (!registration.Registered()) return false;
  std::atomic<int64_t> wokeAt{0};
  std::atomic<bool> stop{false};
  std::thread waiter([&] {
    while (!stop) {
      if (WaitForSingleObject(registration.Semaphore(), 100) != WAIT_OBJECT_0) continue;
      LARGE_INTEGER now;
      QueryPerformanceCounter(&now);
      uint32_t code = 0;
      registration.Fetch(code);
      wokeAt = now.QuadPart;
      SetEvent(changed);
    }
  });
  std::vector<double> samples;
  for (uint32_t code = 1; code <= count; ++code) {
    wokeAt = 0;
    std::vector<int64_t> releasedAt;
    if (simulator::QueueEvents(control, {code}, &releasedAt) != 1 || releasedAt.size() != 1) break;
    if (!AwaitCondition([&] { return wokeAt != 0; }, 5000)) break;
    samples.push_back(Microseconds(releasedAt[0], wokeAt));
  }
  stop = true;
  waiter.join();
  PrintPercentiles("semaphore release to a waiting thread of another process", samples);
  return samples.size() == count;
}

// The system's cost of what the event thread does with each event: a
// message posted from one thread to a window of another that waits for
// messages, timed from just before the post to the window procedure.
bool TimePost(uint32_t count) {
  const HWND target = CreateTarget();
  std::vector<double> samples;
  RunWhileDispatching([&] {
    for (uint32_t i = 0; i < count; ++i) {
      timedPostArrivedAt = 0;
      LARGE_INTEGER posted;
      QueryPerformanceCounter(&posted);
      if (!PostMessageW(target, kTimedPost, 0, 0)) break;
      if (!AwaitCondition([] { return timedPostArrivedAt != 0; }, 5000)) break;
      samples.push_back(Microseconds(posted.QuadPart, timedPostArrivedAt));
    }
  });
  DestroyWindow(target);
  PrintPercentiles("message posted to a waiting window of another thread", samples);
  return samples.size() == count;
}

// One event at a time from the simulator's queue through the program's
// event channel to the window, timed from just before the queue command.
bool TimeQueueToWindow(simulator::Connection& control, uint32_t count) {
  const HWND target = CreateTarget();
  device::CUSBDriver channel;
  channel.StartEventChannel(reinterpret_cast<platform::WindowHandle>(target));
  if (!channel.EnableDriver()) {
    std::fprintf(stderr, "probe: the driver could not be opened\n");
    return false;
  }
  std::vector<double> samples;
  for (uint32_t code = 1; code <= count; ++code) {
    LARGE_INTEGER before, after;
    const uint32_t received = tally.received;
    QueryPerformanceCounter(&before);
    if (simulator::QueueEvents(control, {code}) != 1) break;
    MSG message;
    const DWORD deadline = GetTickCount() + 5000;
    while (tally.received == received && static_cast<int32_t>(GetTickCount() - deadline) < 0) {
      if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
      }
    }
    QueryPerformanceCounter(&after);
    if (tally.received == received || tally.last != code) break;
    samples.push_back(Microseconds(before, after));
  }
  channel.ShutdownEventChannel();
  PrintPercentiles("queue to window", samples);
  return samples.size() == count;
}

int Latency(uint32_t count) {
  tally.seen.assign(static_cast<std::size_t>(count) + 1, false);
  std::unique_ptr<simulator::Connection> control = simulator::Connection::Open(simulator::Connection::Start::kIfMissing);
  if (!control || !simulator::Reset(*control)) {
    std::fprintf(stderr, "probe: no simulator\n");
    return 1;
  }
  const bool roundTrips = TimeGetEvent(*control, count);
  const bool wakes = TimeWake(*control, count);
  const bool posts = TimePost(count);
  const bool wholeWay = TimeQueueToWindow(*control, count);
  return roundTrips && wakes && posts && wholeWay ? 0 : 1;
}

// The keys a low-level hook of this process saw since it was armed.
struct KeyWatch {
  std::atomic<int64_t> firstDownAt{0};
  std::atomic<int> downs{0};
  std::atomic<int> ups{0};
  void Arm() {
    firstDownAt = 0;
    downs = 0;
    ups = 0;
  }
  bool AllReleased() const { return downs > 0 && ups >= downs; }
};

KeyWatch keys;

LRESULT CALLBACK WatchKeys(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN) {
      int64_t none = 0;
      keys.firstDownAt.compare_exchange_strong(none, now.QuadPart);
      ++keys.downs;
    } else {
      ++keys.ups;
    }
    SetEvent(changed);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

constexpr uint32_t kPressCode = 0x08;
constexpr uint32_t kReleaseCode = 0x00;
constexpr WORD kFloorKey = VK_F24;  // nothing acts on it

void SendFloorKey() {
  INPUT strokes[2] = {};
  for (INPUT& stroke : strokes) {
    stroke.type = INPUT_KEYBOARD;
    stroke.ki.wVk = kFloorKey;
  }
  strokes[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, strokes, sizeof(INPUT));
}

int KeyPath(uint32_t count) {
  std::unique_ptr<simulator::Connection> control = simulator::Connection::Open(simulator::Connection::Start::kNo);
  if (!control) {
    std::fprintf(stderr, "probe: no simulator\n");
    return 1;
  }
  // The hook runs on this thread; the presses are made from another.
  const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, WatchKeys, GetModuleHandleW(nullptr), 0);
  if (!hook) {
    std::fprintf(stderr, "probe: no keyboard hook\n");
    return 1;
  }
  std::vector<double> floor, path;
  RunWhileDispatching([&] {
    for (uint32_t i = 0; i < count; ++i) {
      keys.Arm();
      LARGE_INTEGER sent;
      QueryPerformanceCounter(&sent);
      SendFloorKey();
      if (!AwaitCondition([] { return keys.AllReleased(); }, 5000)) break;
      floor.push_back(Microseconds(sent.QuadPart, keys.firstDownAt));
    }
    for (uint32_t i = 0; i < count; ++i) {
      keys.Arm();
      std::vector<int64_t> releasedAt;
      if (simulator::QueueEvents(*control, {kPressCode}, &releasedAt) != 1 || releasedAt.size() != 1) break;
      if (!AwaitCondition([] { return keys.firstDownAt != 0; }, 5000)) break;
      path.push_back(Microseconds(releasedAt[0], keys.firstDownAt));
      if (simulator::QueueEvents(*control, {kReleaseCode}) != 1) break;
      if (!AwaitCondition([] { return keys.AllReleased(); }, 5000)) break;
      Sleep(1);
    }
  });
  UnhookWindowsHookEx(hook);
  PrintPercentiles("key sent to a hook of the same process", floor);
  PrintPercentiles("semaphore release to the program's key at a hook of another process", path);
  return floor.size() == count && path.size() == count ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "latency") == 0) {
    return Latency(argc >= 3 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 0)) : 1000);
  }
  if (argc >= 2 && std::strcmp(argv[1], "keypath") == 0) {
    return KeyPath(argc >= 3 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 0)) : 200);
  }
  const uint32_t count = argc >= 2 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 0)) : 100000;
  const uint32_t burst = argc >= 3 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 0)) : 4000;
  tally.seen.assign(static_cast<std::size_t>(count) + 1, false);

  std::unique_ptr<simulator::Connection> control = simulator::Connection::Open(simulator::Connection::Start::kIfMissing);
  if (!control || !simulator::Reset(*control)) {
    std::fprintf(stderr, "probe: no simulator\n");
    return 1;
  }
  const HWND target = CreateTarget();
  device::CUSBDriver channel;
  channel.StartEventChannel(reinterpret_cast<platform::WindowHandle>(target));
  if (!channel.EnableDriver()) {
    std::fprintf(stderr, "probe: the driver could not be opened\n");
    return 1;
  }

  std::atomic<uint32_t> queued{0};
  std::atomic<bool> floodDone{false};
  const DWORD start = GetTickCount();
  tally.lastTick = start;
  std::thread flood([&] {
    queued = simulator::Flood(*control, count, 1, burst);
    floodDone = true;
  });

  // Pump until everything arrived, or nothing more has come for a while
  // after the flood ended.
  MSG message;
  while (tally.received < count) {
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&message);
      continue;
    }
    if (floodDone && GetTickCount() - tally.lastTick > 5000) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  const DWORD elapsed = tally.lastTick - start;
  flood.join();
  channel.ShutdownEventChannel();

  uint32_t missing = 0;
  for (uint32_t code = 1; code <= count; ++code) missing += !tally.seen[code];
  const double seconds = elapsed > 0 ? elapsed / 1000.0 : 0.001;
  std::printf("probe: %u events queued in bursts of %u, %u received in %.2f s (%.0f events/s)\n", queued.load(),
              burst, tally.received, seconds, tally.received / seconds);
  std::printf("probe: lost %u, duplicated %u, out of order %u, unexpected %u\n", missing, tally.duplicated,
              tally.outOfOrder, tally.unexpected);
  const bool perfect = queued == count && tally.received == count && missing == 0 && tally.duplicated == 0 &&
                       tally.outOfOrder == 0 && tally.unexpected == 0;
  return perfect ? 0 : 1;
}

// Load probe of the driver event channel: the program's own channel code
// delivers a flood of events from the simulator to a window of this
// process, which checks that every event arrives once and in order and
// reports the rate.
//
//   vn24g_channel_probe COUNT [BURST]
//
// Exit code 0 when all COUNT events arrived in order, 1 otherwise.

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "codes/PrivateMessages.h"
#include "device/USBDriver.h"
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

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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

}  // namespace

int main(int argc, char** argv) {
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

// Throughput of the driver event channel: the driver's release wakes the
// event thread, which fetches one code through the control device and posts
// it. The driver and the window are minimal stand-ins, so the figure is the
// channel's own cost per event.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "device/DriverControlCodes.h"
#include "device/USBDriver.h"
#include "platform/ControlDevice.h"
#include "platform/Threading.h"
#include "platform/WindowMessages.h"

namespace {

class InstantDriver final : public platform::ControlDevice {
 public:
  platform::Handle Open(const std::u16string&) override { return 1; }
  bool Control(platform::Handle, uint32_t code, const void* input, uint32_t, void* output, uint32_t) override {
    if (code == device::kIoctlRegister) std::memcpy(&semaphore, input, sizeof semaphore);
    if (code == device::kIoctlGetEvent) {
      const uint32_t event = next++;
      std::memcpy(output, &event, sizeof event);
    }
    return true;
  }
  void Close(platform::Handle) override {}

  uint32_t semaphore = 0;
  std::atomic<uint32_t> next{1};
};

class CountingWindowMessages final : public platform::WindowMessages {
 public:
  platform::WindowHandle FindWindowByTitle(const std::u16string&) override { return 0; }
  bool Post(platform::WindowHandle, uint32_t, uintptr_t, intptr_t) override {
    posted.fetch_add(1, std::memory_order_release);
    return true;
  }
  std::atomic<uint64_t> posted{0};
};

void BM_DriverChannelEvents(benchmark::State& state) {
  InstantDriver driver;
  CountingWindowMessages posts;
  platform::ScopedService<platform::ControlDevice> driverService(driver);
  platform::ScopedService<platform::WindowMessages> postService(posts);
  platform::Threading& threads = platform::Service<platform::Threading>::Get();
  device::CUSBDriver channel;
  channel.StartEventChannel(0x4711);
  if (!channel.EnableDriver()) {
    state.SkipWithError("the channel did not open");
    return;
  }
  const auto burst = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    const uint64_t target = posts.posted.load() + static_cast<uint64_t>(burst);
    threads.Release(driver.semaphore, burst);
    while (posts.posted.load(std::memory_order_acquire) < target) std::this_thread::yield();
  }
  state.SetItemsProcessed(state.iterations() * burst);
  channel.ShutdownEventChannel();
}
BENCHMARK(BM_DriverChannelEvents)->Arg(1)->Arg(100)->Arg(4000)->UseRealTime();

}  // namespace

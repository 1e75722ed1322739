// Cost of one driver event from the handler to the synthesised input: the
// dispatcher finds the button and its assignment, the executor runs the
// action, and the input goes to a sink that drops it. The figure is the
// program's own work per event, without the system's.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "actions/ActionExecutor.h"
#include "actions/EventDispatch.h"
#include "config/FunctionCodes.h"
#include "platform/Clock.h"
#include "platform/SyntheticInput.h"

namespace {

class DroppedInput final : public platform::SyntheticInput, public platform::Clock {
 public:
  void KeyEvent(uint8_t virtualKey, uint8_t, uint32_t flags, uintptr_t) override {
    benchmark::DoNotOptimize(virtualKey);
    benchmark::DoNotOptimize(flags);
  }
  void MouseEvent(uint32_t flags, int32_t, int32_t, int32_t data, uintptr_t) override {
    benchmark::DoNotOptimize(flags);
    benchmark::DoNotOptimize(data);
  }
  uintptr_t MessageExtraInfo() override { return 0; }
  platform::ScreenPoint CursorPos() override { return {0, 0}; }
  void MoveCursor(platform::ScreenPoint) override {}
  bool MouseButtonsSwapped() override { return false; }
  uint32_t TickCount() override { return 0; }
  void Sleep(uint32_t) override {}
};

// A mouse-and-keyboard set with the usual buttons; the fourth mouse button
// copies and the volume-up key mutes.
struct Bench {
  DroppedInput input;
  platform::ScopedService<platform::SyntheticInput> inputService{input};
  platform::ScopedService<platform::Clock> clockService{input};
  config::tagVARNOK24G_UI_INFORMATION device{};
  config::tagVARNOK24G_DATA_ settings{};
  actions::CFaceBookFunction site;
  actions::ActionExecutor executor{site};
  actions::CEventDispatcher dispatcher{executor, device, settings};

  Bench() {
    const uint8_t mouse[] = {1, 2, 3, 5, 4, 9, 10, 16, 17};
    const uint8_t keys[] = {96, 97, 98, 99, 100, 101, 102, 103, 110, 112, 113, 114, 115, 116, 117};
    device.modelValue = 0x9070;
    device.deviceType = 3;
    device.mouseButtonCount = sizeof mouse;
    device.keyCount = sizeof keys;
    for (std::size_t i = 0; i < sizeof mouse; ++i) {
      device.mouseButtons[i].buttonCode = mouse[i];
      settings.mouseAssignments[i].functionCode = mouse[i];
    }
    for (std::size_t i = 0; i < sizeof keys; ++i) {
      device.keys[i].buttonCode = keys[i];
      settings.keyAssignments[i].functionCode = keys[i];
    }
    settings.mouseAssignments[3].functionCode = config::FN_COPY;
    settings.keyAssignments[13].functionCode = config::FN_MUTE;
  }
};

// Time per event, whatever the number of events an iteration handles.
void CountEvents(benchmark::State& state, int perIteration) {
  state.counters["per_event"] =
      benchmark::Counter(perIteration, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The press runs Ctrl+C; the release that must follow it runs nothing.
void BM_MousePressAndRelease(benchmark::State& state) {
  Bench bench;
  for (auto _ : state) {
    bench.dispatcher.OnDriverEvent(0x08, 3);
    bench.dispatcher.OnDriverEvent(0x00, 3);
  }
  CountEvents(state, 2);
}
BENCHMARK(BM_MousePressAndRelease);

// Wheel events need no release, so each one is a press with its action.
void BM_WheelNotch(benchmark::State& state) {
  Bench bench;
  for (auto _ : state) bench.dispatcher.OnDriverEvent(0x101, 3);
  CountEvents(state, 1);
}
BENCHMARK(BM_WheelNotch);

void BM_ConsumerKey(benchmark::State& state) {
  Bench bench;
  for (auto _ : state) bench.dispatcher.OnDriverEvent(0x400000E9, 3);
  CountEvents(state, 1);
}
BENCHMARK(BM_ConsumerKey);

void BM_UnmappedCode(benchmark::State& state) {
  Bench bench;
  uint32_t code = 0x12345678;
  for (auto _ : state) {
    benchmark::DoNotOptimize(code);
    bench.dispatcher.OnDriverEvent(code, 3);
  }
  CountEvents(state, 1);
}
BENCHMARK(BM_UnmappedCode);

}  // namespace

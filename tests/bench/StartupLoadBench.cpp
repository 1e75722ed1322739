// Start-up loading of the configuration: the device list with every model's
// description, then every model's stored settings and the macro store.

#include <benchmark/benchmark.h>

#include <string>

#include "config/DeviceCatalogue.h"
#include "config/SettingsStore.h"
#include "platform/MemoryRegistry.h"

namespace {

std::u16string ShippedFolder() {
  const std::string folder = VN24G_SHIPPED_DATA_DIR;
  return std::u16string(folder.begin(), folder.end()) + u"\\";
}

void BM_LoadDeviceCatalogue(benchmark::State& state) {
  const std::u16string folder = ShippedFolder();
  for (auto _ : state) {
    config::DeviceCatalogue.clear();
    config::LoadDeviceCatalogue(folder);
    benchmark::DoNotOptimize(config::DeviceCatalogue.data());
  }
  state.counters["models"] = static_cast<double>(config::DeviceCatalogue.size());
  config::DeviceCatalogue.clear();
}
BENCHMARK(BM_LoadDeviceCatalogue);

// Every model already has its record and the macros are stored: the usual
// start-up, which only reads.
void BM_LoadAllSettings(benchmark::State& state) {
  platform::MemoryRegistry registry;
  platform::ScopedService<platform::Registry> installed(registry);
  config::DeviceCatalogue.clear();
  config::LoadDeviceCatalogue(ShippedFolder());
  config::LoadAllSettings();  // writes the defaults once
  for (auto _ : state) {
    config::LoadAllSettings();
    benchmark::DoNotOptimize(config::DeviceSettingsList.data());
  }
  config::DeviceCatalogue.clear();
  config::DeviceSettingsList.clear();
}
BENCHMARK(BM_LoadAllSettings);

}  // namespace

// Feeds arbitrary bytes to the model-description reader as a DeviceSkn.xml,
// then uses the record as the program would: defaults are built from it and
// it becomes the current device.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/DeviceCatalogue.h"
#include "config/SettingsStore.h"
#include "platform/FileSystem.h"
#include "platform/MemoryRegistry.h"

namespace {

// Every file read gives the fuzzer's bytes.
class OneFile : public platform::FileSystem {
 public:
  OneFile(const uint8_t* data, size_t size) : bytes_(data, data + size) {}
  bool ReadWholeFile(const std::u16string&, std::vector<uint8_t>& bytes) override {
    bytes = bytes_;
    return true;
  }
  bool WriteWholeFile(const std::u16string&, const std::vector<uint8_t>&) override { return false; }
  bool FileExists(const std::u16string&) override { return true; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OneFile file(data, size);
  platform::ScopedService<platform::FileSystem> files(file);
  platform::MemoryRegistry registry;
  platform::ScopedService<platform::Registry> keys(registry);

  config::DeviceCatalogue.clear();
  config::LoadDeviceDescription(u"skins\\Model\\DeviceSkn.xml");
  if (!config::DeviceCatalogue.empty()) {
    const config::tagVARNOK24G_UI_INFORMATION& device = config::DeviceCatalogue[0];
    if (device.mouseButtonCount < 0 || device.mouseButtonCount > 15 || device.keyCount < 0 || device.keyCount > 20 ||
        device.name[19] != u'\0')
      __builtin_trap();
    config::LoadAllSettings();
    config::SelectCurrentDevice(device.modelValue);
    config::RestoreDefaultSettings(device.modelValue, static_cast<uint8_t>(device.deviceType), [] { return true; });
  }
  config::DeviceCatalogue.clear();
  config::DeviceSettingsList.clear();
  return 0;
}

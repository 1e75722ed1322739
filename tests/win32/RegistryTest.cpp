// The settings store against the system registry: the same cases the native
// build runs against the in-memory registry, so the two are known to agree.
// The cases write under HKEY_LOCAL_MACHINE of the test's own Wine prefix and
// remove what they wrote.

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/WideString.h"
#include "unit/config/SettingsStoreSuite.h"

namespace {

using platform::win32::Wide;

struct SystemRegistryEnvironment {
  void Reset() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Varnok");
    HKEY desktop = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Control Panel\\Desktop", 0, KEY_SET_VALUE, &desktop) == ERROR_SUCCESS) {
      RegDeleteValueW(desktop, L"WheelScrollLines");
      RegCloseKey(desktop);
    }
  }

  void Put(const std::u16string& path, const std::u16string& name, uint32_t type, const std::vector<uint8_t>& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, Wide(path), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, Wide(name), 0, type, bytes.data(), static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
    RegCloseKey(key);
  }

  std::optional<settings_suite::StoredValue> Get(const std::u16string& path, const std::u16string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(path), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<settings_suite::StoredValue> value;
    if (RegQueryValueExW(key, Wide(name), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
      value.emplace();
      value->type = type;
      value->bytes.resize(size);
      if (RegQueryValueExW(key, Wide(name), nullptr, &type, value->bytes.data(), &size) != ERROR_SUCCESS)
        value.reset();
    }
    RegCloseKey(key);
    return value;
  }

  bool KeyExists(const std::u16string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(path), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
};

}  // namespace

namespace settings_suite {
INSTANTIATE_TYPED_TEST_SUITE_P(SystemRegistry, SettingsStoreSuite, ::testing::Types<SystemRegistryEnvironment>);
}

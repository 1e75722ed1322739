// The settings store against the system registry: the same cases the native
// build runs against the in-memory registry, so the two are known to agree.
// The cases write under HKEY_LOCAL_MACHINE of the test's own Wine prefix and
// remove what they wrote. They put and read values in the registry's 32-bit
// view, where the 32-bit program keeps them: every build of the program must
// find there what another build stored.

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/WideString.h"
#include "unit/config/SettingsStoreSuite.h"

namespace {

using platform::win32::Wide;

void DeleteProgramKeys(REGSAM view) {
  HKEY software = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | view, &software) != ERROR_SUCCESS) return;
  RegDeleteTreeW(software, L"Varnok");
  RegCloseKey(software);
}

bool KeyExistsIn(REGSAM view, const std::u16string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(path), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

struct SystemRegistryEnvironment {
  void Reset() {
    DeleteProgramKeys(KEY_WOW64_32KEY);
    DeleteProgramKeys(KEY_WOW64_64KEY);
    HKEY desktop = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Control Panel\\Desktop", 0, KEY_SET_VALUE, &desktop) == ERROR_SUCCESS) {
      RegDeleteValueW(desktop, L"WheelScrollLines");
      RegCloseKey(desktop);
    }
  }

  void Put(const std::u16string& path, const std::u16string& name, uint32_t type, const std::vector<uint8_t>& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, Wide(path), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, Wide(name), 0, type, bytes.data(), static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
    RegCloseKey(key);
  }

  std::optional<settings_suite::StoredValue> Get(const std::u16string& path, const std::u16string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(path), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
      return std::nullopt;
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

  bool KeyExists(const std::u16string& path) { return KeyExistsIn(KEY_WOW64_32KEY, path); }
};

}  // namespace

namespace settings_suite {
INSTANTIATE_TYPED_TEST_SUITE_P(SystemRegistry, SettingsStoreSuite, ::testing::Types<SystemRegistryEnvironment>);
}

namespace {

// What the program stores lands in the 32-bit view and nowhere else, so the
// other flavour and the installer's access rights find it there.
TEST(RegistryViewTest, TheProgramKeepsItsKeysInTheThirtyTwoBitView) {
  const std::u16string path = u"Software\\Varnok\\VN24G\\View Probe";
  DeleteProgramKeys(KEY_WOW64_32KEY);
  DeleteProgramKeys(KEY_WOW64_64KEY);
  platform::Registry& registry = platform::Service<platform::Registry>::Get();
  platform::RegistryKey key = 0;
  ASSERT_TRUE(registry.CreateKey(path, platform::kRegistryAccess, key));
  const uint8_t data[2] = {7, 9};
  EXPECT_TRUE(registry.SetValue(key, u"Probe", platform::kRegBinary, data, sizeof(data)));
  registry.CloseKey(key);

  EXPECT_TRUE(KeyExistsIn(KEY_WOW64_32KEY, path));
#if defined(_WIN64)
  EXPECT_FALSE(KeyExistsIn(KEY_WOW64_64KEY, u"Software\\Varnok"));
#endif
  DeleteProgramKeys(KEY_WOW64_32KEY);
}

}  // namespace

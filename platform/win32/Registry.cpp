#include "platform/Registry.h"

#include "platform/win32/WideString.h"

namespace platform {
namespace {

using win32::FromHandle;
using win32::ToHandle;
using win32::Wide;

HKEY Handle(RegistryKey key) { return FromHandle<HKEY>(key); }

// Both flavours of the program, the installer and the uninstaller keep the
// settings in the 32-bit view of the registry: a 64-bit build that wrote the
// 64-bit view would find none of what the 32-bit program stored, and the
// access rights the installer grants would be on a key it never uses. On
// 32-bit Windows the flag is ignored.
REGSAM InThe32BitView(uint32_t access) { return static_cast<REGSAM>(access) | KEY_WOW64_32KEY; }

class Win32Registry : public Registry {
 public:
  bool OpenKey(const std::u16string& path, uint32_t access, RegistryKey& key) override {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(path), 0, InThe32BitView(access), &opened);
    key = result == ERROR_SUCCESS ? ToHandle(opened) : 0;
    return key != 0;
  }

  bool CreateKey(const std::u16string& path, uint32_t access, RegistryKey& key) override {
    HKEY created = nullptr;
    const LONG result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, Wide(path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        InThe32BitView(access), nullptr, &created, nullptr);
    key = result == ERROR_SUCCESS ? ToHandle(created) : 0;
    return key != 0;
  }

  bool QueryValue(RegistryKey key, const std::u16string& name, uint32_t& type, void* data, uint32_t capacity,
                  uint32_t& size) override {
    DWORD valueType = 0;
    DWORD bytes = capacity;
    const LONG result =
        RegQueryValueExW(Handle(key), Wide(name), nullptr, &valueType, static_cast<BYTE*>(data), &bytes);
    if (result != ERROR_SUCCESS) return false;
    type = valueType;
    size = bytes;
    return true;
  }

  bool SetValue(RegistryKey key, const std::u16string& name, uint32_t type, const void* data,
                uint32_t size) override {
    return RegSetValueExW(Handle(key), Wide(name), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  }

  void CloseKey(RegistryKey key) override { RegCloseKey(Handle(key)); }
};

}  // namespace
}  // namespace platform

template <>
platform::Registry& platform::Service<platform::Registry>::Default() {
  static Win32Registry registry;
  return registry;
}

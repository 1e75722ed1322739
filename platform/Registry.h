#pragma once

// The registry, as the program uses it: keys under HKEY_LOCAL_MACHINE opened
// or created with one access mask, values read into and written from
// caller-owned buffers. Paths are relative to HKEY_LOCAL_MACHINE and use
// backslashes ("Software\Varnok\VN24G\24GMacro").

#include <cstdint>
#include <string>

#include "platform/Service.h"

namespace platform {

// Value types, with the numbers the system uses.
inline constexpr uint32_t kRegNone = 0;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;

// KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY: every key the program opens
// is opened with this mask. The Windows service adds the flag of the 32-bit
// view, so the 32-bit and the 64-bit build share one set of settings.
inline constexpr uint32_t kRegistryAccess = 0x2001F;

// An open key; 0 is never a valid key.
using RegistryKey = std::uintptr_t;

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key. False when the key does not exist or cannot be
  // opened; `key` is then 0.
  virtual bool OpenKey(const std::u16string& path, uint32_t access, RegistryKey& key) = 0;

  // Opens the key, creating it (and the keys above it) when it is missing:
  // non-volatile, no class, default security.
  virtual bool CreateKey(const std::u16string& path, uint32_t access, RegistryKey& key) = 0;

  // Reads value `name` into `data`, which holds `capacity` bytes. True when
  // the value exists and fits; `type` and `size` then give its type and byte
  // count. A value larger than `capacity` fails, and the buffer's content is
  // unspecified then (the system may have written part of it).
  virtual bool QueryValue(RegistryKey key, const std::u16string& name, uint32_t& type,
                          void* data, uint32_t capacity, uint32_t& size) = 0;

  // Creates or replaces value `name`.
  virtual bool SetValue(RegistryKey key, const std::u16string& name, uint32_t type,
                        const void* data, uint32_t size) = 0;

  virtual void CloseKey(RegistryKey key) = 0;
};

template <>
Registry& Service<Registry>::Default();

// Closes its key when it goes out of scope.
class ScopedRegistryKey {
 public:
  ScopedRegistryKey() = default;
  ~ScopedRegistryKey() { Close(); }
  ScopedRegistryKey(const ScopedRegistryKey&) = delete;
  ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;

  bool Open(const std::u16string& path) {
    Close();
    return Service<Registry>::Get().OpenKey(path, kRegistryAccess, key_);
  }
  // Opens the key, or creates it when it does not open.
  bool OpenOrCreate(const std::u16string& path) {
    return Open(path) || Service<Registry>::Get().CreateKey(path, kRegistryAccess, key_);
  }
  void Close() {
    if (key_ != 0) Service<Registry>::Get().CloseKey(key_);
    key_ = 0;
  }
  RegistryKey get() const { return key_; }
  explicit operator bool() const { return key_ != 0; }

 private:
  RegistryKey key_ = 0;
};

}  // namespace platform

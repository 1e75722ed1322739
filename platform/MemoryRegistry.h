#pragma once

// A registry kept in memory: the native build's registry, and the one unit
// tests observe. Key and value names compare without regard to the case of
// ASCII letters, as the system's do.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace platform {

class MemoryRegistry : public Registry {
 public:
  struct Value {
    uint32_t type = kRegNone;
    std::vector<uint8_t> bytes;
  };

  bool OpenKey(const std::u16string& path, uint32_t access, RegistryKey& key) override;
  bool CreateKey(const std::u16string& path, uint32_t access, RegistryKey& key) override;
  bool QueryValue(RegistryKey key, const std::u16string& name, uint32_t& type, void* data,
                  uint32_t capacity, uint32_t& size) override;
  bool SetValue(RegistryKey key, const std::u16string& name, uint32_t type, const void* data,
                uint32_t size) override;
  void CloseKey(RegistryKey key) override;

  // Direct access for tests, bypassing handles.
  bool KeyExists(const std::u16string& path) const;
  std::optional<Value> GetValue(const std::u16string& path, const std::u16string& name) const;
  void PutValue(const std::u16string& path, const std::u16string& name, uint32_t type,
                std::vector<uint8_t> bytes);
  // How many times SetValue wrote `name` under `path` since the last Clear.
  int WriteCount(const std::u16string& path, const std::u16string& name) const;

  // Makes the key (and everything below it) impossible to open or create,
  // as a key without access rights would be.
  void DenyAccess(const std::u16string& path);

  void Clear();
  std::size_t OpenKeyCount() const { return handles_.size(); }

 private:
  // Normalised key path: components lower-cased, joined by single backslashes.
  static std::u16string Normalise(const std::u16string& path);
  bool Denied(const std::u16string& normalisedPath) const;

  struct Key {
    std::map<std::u16string, Value> values;        // by lower-cased name
    std::map<std::u16string, int> writes;          // by lower-cased name
  };
  std::map<std::u16string, Key> keys_;             // by normalised path
  std::vector<std::u16string> denied_;
  std::map<RegistryKey, std::u16string> handles_;  // open handle -> normalised path
  RegistryKey nextHandle_ = 0x100;
};

}  // namespace platform

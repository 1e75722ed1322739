#include "platform/MemoryRegistry.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

std::u16string LowerAscii(const std::u16string& text) {
  std::u16string out = text;
  for (char16_t& unit : out)
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
  return out;
}

}  // namespace

std::u16string MemoryRegistry::Normalise(const std::u16string& path) {
  std::u16string out;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(u'\\', start);
    if (end == std::u16string::npos) end = path.size();
    if (end > start) {
      if (!out.empty()) out.push_back(u'\\');
      out += LowerAscii(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return out;
}

bool MemoryRegistry::Denied(const std::u16string& normalisedPath) const {
  for (const std::u16string& denied : denied_) {
    if (normalisedPath == denied) return true;
    if (normalisedPath.size() > denied.size() && normalisedPath.compare(0, denied.size(), denied) == 0 &&
        normalisedPath[denied.size()] == u'\\')
      return true;
  }
  return false;
}

bool MemoryRegistry::OpenKey(const std::u16string& path, uint32_t, RegistryKey& key) {
  key = 0;
  const std::u16string normal = Normalise(path);
  if (Denied(normal) || keys_.find(normal) == keys_.end()) return false;
  key = nextHandle_++;
  handles_[key] = normal;
  return true;
}

bool MemoryRegistry::CreateKey(const std::u16string& path, uint32_t access, RegistryKey& key) {
  key = 0;
  const std::u16string normal = Normalise(path);
  if (Denied(normal)) return false;
  // Every key above the new one exists too, as in the real registry.
  for (std::size_t cut = normal.find(u'\\'); cut != std::u16string::npos; cut = normal.find(u'\\', cut + 1))
    keys_[normal.substr(0, cut)];
  keys_[normal];
  return OpenKey(path, access, key);
}

bool MemoryRegistry::QueryValue(RegistryKey key, const std::u16string& name, uint32_t& type, void* data,
                                uint32_t capacity, uint32_t& size) {
  auto handle = handles_.find(key);
  if (handle == handles_.end()) return false;
  const Key& stored = keys_[handle->second];
  auto value = stored.values.find(LowerAscii(name));
  if (value == stored.values.end()) return false;
  if (value->second.bytes.size() > capacity) return false;
  type = value->second.type;
  size = static_cast<uint32_t>(value->second.bytes.size());
  if (size != 0) std::memcpy(data, value->second.bytes.data(), size);
  return true;
}

bool MemoryRegistry::SetValue(RegistryKey key, const std::u16string& name, uint32_t type, const void* data,
                              uint32_t size) {
  auto handle = handles_.find(key);
  if (handle == handles_.end()) return false;
  Key& stored = keys_[handle->second];
  const std::u16string lowered = LowerAscii(name);
  Value& value = stored.values[lowered];
  value.type = type;
  const auto* bytes = static_cast<const uint8_t*>(data);
  value.bytes.assign(bytes, bytes + size);
  ++stored.writes[lowered];
  return true;
}

void MemoryRegistry::CloseKey(RegistryKey key) { handles_.erase(key); }

bool MemoryRegistry::KeyExists(const std::u16string& path) const {
  return keys_.find(Normalise(path)) != keys_.end();
}

std::optional<MemoryRegistry::Value> MemoryRegistry::GetValue(const std::u16string& path,
                                                              const std::u16string& name) const {
  auto key = keys_.find(Normalise(path));
  if (key == keys_.end()) return std::nullopt;
  auto value = key->second.values.find(LowerAscii(name));
  if (value == key->second.values.end()) return std::nullopt;
  return value->second;
}

void MemoryRegistry::PutValue(const std::u16string& path, const std::u16string& name, uint32_t type,
                              std::vector<uint8_t> bytes) {
  RegistryKey key = 0;
  if (!CreateKey(path, kRegistryAccess, key)) return;
  Key& stored = keys_[handles_[key]];
  stored.values[LowerAscii(name)] = Value{type, std::move(bytes)};
  CloseKey(key);
}

int MemoryRegistry::WriteCount(const std::u16string& path, const std::u16string& name) const {
  auto key = keys_.find(Normalise(path));
  if (key == keys_.end()) return 0;
  auto count = key->second.writes.find(LowerAscii(name));
  return count == key->second.writes.end() ? 0 : count->second;
}

void MemoryRegistry::DenyAccess(const std::u16string& path) { denied_.push_back(Normalise(path)); }

void MemoryRegistry::Clear() {
  keys_.clear();
  denied_.clear();
  handles_.clear();
}

}  // namespace platform

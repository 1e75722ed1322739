#include "platform/LocalNamedMutex.h"

namespace platform {

NamedMutexResult LocalNamedMutex::Create(const std::u16string& name) {
  NamedMutexResult result;
  int& references = references_[name];
  result.alreadyExisted = references > 0;
  ++references;
  result.handle = nextHandle_++;
  handles_[result.handle] = name;
  return result;
}

void LocalNamedMutex::Close(Handle mutex) {
  auto it = handles_.find(mutex);
  if (it == handles_.end()) return;
  auto name = references_.find(it->second);
  if (name != references_.end() && --name->second == 0) references_.erase(name);
  handles_.erase(it);
}

}  // namespace platform

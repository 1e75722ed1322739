#include <map>
#include "platform/NamedMutex.h"

// Natively a name is shared by the objects of this process only: enough for
// the core's tests, which model a second instance inside one process.

namespace platform {
namespace {

class NativeNamedMutex final : public NamedMutex {
 public:
  NamedMutexResult Create(const std::u16string& name) override {
    NamedMutexResult result;
    Entry& entry = byName_[name];
    result.alreadyExisted = entry.references > 0;
    ++entry.references;
    result.handle = nextHandle_++;
    handles_[result.handle] = name;
    return result;
  }
  void Release(Handle) override {}
  void Close(Handle mutex) override {
    auto it = handles_.find(mutex);
    if (it == handles_.end()) return;
    auto entry = byName_.find(it->second);
    if (entry != byName_.end() && --entry->second.references == 0) byName_.erase(entry);
    handles_.erase(it);
  }

 private:
  struct Entry {
    int references = 0;
  };
  std::map<std::u16string, Entry> byName_;
  std::map<Handle, std::u16string> handles_;
  Handle nextHandle_ = 0x100;
};

}  // namespace

template <>
NamedMutex& Service<NamedMutex>::Default() {
  static NativeNamedMutex instance;
  return instance;
}

}  // namespace platform

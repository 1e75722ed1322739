#pragma once

// Named mutexes whose names are shared by this process only: the native
// build's, and the one tests use so that a test never meets a real instance
// of the program (or another test program) holding the same name.

#include <map>
#include <string>

#include "platform/NamedMutex.h"

namespace platform {

class LocalNamedMutex final : public NamedMutex {
 public:
  NamedMutexResult Create(const std::u16string& name) override;
  void Release(Handle) override {}
  void Close(Handle mutex) override;

 private:
  std::map<std::u16string, int> references_;
  std::map<Handle, std::u16string> handles_;
  Handle nextHandle_ = 0x100;
};

}  // namespace platform

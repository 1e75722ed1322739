#pragma once

// Named mutexes, visible to every process of the session: the single-instance
// rendezvous.

#include <string>

#include "platform/Handle.h"
#include "platform/Service.h"

namespace platform {

struct NamedMutexResult {
  Handle handle = 0;           // 0 when the mutex could not be created
  bool alreadyExisted = false; // another holder had created it first
};

class NamedMutex {
 public:
  virtual ~NamedMutex() = default;
  // Creates or opens the mutex without taking ownership of it.
  virtual NamedMutexResult Create(const std::u16string& name) = 0;
  virtual void Release(Handle mutex) = 0;
  virtual void Close(Handle mutex) = 0;
};

template <>
NamedMutex& Service<NamedMutex>::Default();

}  // namespace platform

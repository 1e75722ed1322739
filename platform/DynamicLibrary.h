#pragma once

// Libraries loaded while the program runs, and the functions they export.

#include <cstdint>
#include <string>

#include "platform/Handle.h"
#include "platform/Service.h"

namespace platform {

class DynamicLibrary {
 public:
  virtual ~DynamicLibrary() = default;

  // Loads the library at `path`; 0 when it cannot be loaded.
  virtual Handle Load(const std::u16string& path) = 0;

  // Address of the export `name` of a loaded library; 0 when it is missing.
  virtual uintptr_t Export(Handle library, const char* name) = 0;

  // Gives back one reference from Load. The handle must not be used after
  // its last reference is gone.
  virtual void Free(Handle library) = 0;
};

template <>
DynamicLibrary& Service<DynamicLibrary>::Default();

}  // namespace platform

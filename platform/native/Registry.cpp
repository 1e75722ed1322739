#include "platform/MemoryRegistry.h"

// There is no system registry outside Windows: the native build keeps one in
// memory for the life of the process.
template <>
platform::Registry& platform::Service<platform::Registry>::Default() {
  static MemoryRegistry registry;
  return registry;
}

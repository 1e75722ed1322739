#include "platform/LocalNamedMutex.h"

// Natively a name is shared by the objects of this process only: enough for
// the core's tests, which model a second instance inside one process.

namespace platform {

template <>
NamedMutex& Service<NamedMutex>::Default() {
  static LocalNamedMutex instance;
  return instance;
}

}  // namespace platform

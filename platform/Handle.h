#pragma once

#include <cstdint>

namespace platform {

// Operating-system handles (kernel objects, windows) as opaque values: the
// core keeps and passes them on but never looks inside. 0 means none.
using Handle = std::uintptr_t;
using WindowHandle = std::uintptr_t;

}  // namespace platform

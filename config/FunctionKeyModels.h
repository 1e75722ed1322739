#pragma once

// Models whose function keys F1 to F12 double as their media keys. On these
// models the driver reports such a key as a function key too and takes it
// over through a mask of its own, so event dispatch and the interception
// masks treat them apart. Every other model is described by its files
// alone; a new model of this kind also needs its value added here.

#include <cstdint>

namespace config {

inline constexpr int32_t kFunctionKeyMediaModels[] = {0x9060, 0x9070, 0x9080};

constexpr bool HasFunctionKeyMediaKeys(int32_t modelValue) {
  for (const int32_t model : kFunctionKeyMediaModels)
    if (model == modelValue) return true;
  return false;
}

}  // namespace config

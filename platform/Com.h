#pragma once

// The component library on the calling thread. Browser documents are
// reached through it, and the social-site library may use it.

#include "platform/Service.h"

namespace platform {

class Com {
 public:
  virtual ~Com() = default;

  // Initialises the library for the calling thread. True when the call
  // succeeded (also when it was already initialised): then exactly one
  // Uninitialize is owed on the same thread. False when nothing is owed.
  virtual bool Initialize() = 0;
  virtual void Uninitialize() = 0;
};

template <>
Com& Service<Com>::Default();

}  // namespace platform

#pragma once

// The windowing toolkit a process starts before it shows anything: the
// common control classes, and the image library that decodes PNG pictures
// and draws the skins' text.

#include "platform/Service.h"

namespace platform {

class UiToolkit {
 public:
  virtual ~UiToolkit() = default;
  // Registers the common control classes.
  virtual void Start() = 0;
  // Starts the image library the first time a picture or a skin text needs
  // it: a program that only sits in the tray never loads it. Failures are
  // not reported: pictures that cannot be decoded show as empty.
  virtual void UseImageLibrary() = 0;
  // Stops the image library if it was started; every picture must be gone.
  virtual void Stop() = 0;
};

template <>
UiToolkit& Service<UiToolkit>::Default();

}  // namespace platform

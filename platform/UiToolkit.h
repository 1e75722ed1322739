#pragma once

// The parts of the windowing toolkit that windows need but a program sitting
// in the tray does not: the common control classes, and the image library
// that decodes PNG pictures and draws the skins' text. Each starts the first
// time something needs it.

#include "platform/Service.h"

namespace platform {

class UiToolkit {
 public:
  virtual ~UiToolkit() = default;
  // Registers the common control classes, once, before the first of them is
  // made.
  virtual void UseCommonControls() = 0;
  // Starts the image library, once, before the first picture or skin text.
  // Failures are not reported: pictures that cannot be decoded show as
  // empty.
  virtual void UseImageLibrary() = 0;
  // Stops the image library if it was started; every picture must be gone.
  virtual void Stop() = 0;
};

template <>
UiToolkit& Service<UiToolkit>::Default();

}  // namespace platform

#pragma once

// The windows start-up shows. The application object decides when; the
// window layer shows them.

#include <cstdint>
#include <string>

#include "platform/Handle.h"

namespace app {

class AppWindows {
 public:
  virtual ~AppWindows() = default;

  // The fixed message shown when no receiver is plugged in; returns when the
  // user has closed it.
  virtual void ShowNoReceiverMessage() = 0;

  // Asks which model is in use. True with `modelValue` set when the user
  // chose one.
  virtual bool ChooseDevice(int32_t& modelValue) = 0;

  // Runs the main window for `modelValue` until the program is told to end.
  // `receiver` is the application's receiver handle, which the window may
  // replace when a receiver is plugged in again.
  virtual void RunMainWindow(int32_t modelValue, const std::u16string& exeFolder, platform::Handle& receiver) = 0;
};

// The message's texts are fixed: it can show before any language text is
// known to be usable.
inline const std::u16string kNoReceiverTitle = u"Tips";
inline const std::u16string kNoReceiverText = u"No Varnok wireless device connected. Application will close now.";

}  // namespace app

#pragma once

// Finding top-level windows and posting messages to them, including windows
// of other processes.

#include <cstdint>
#include <string>

#include "platform/Handle.h"
#include "platform/Service.h"

namespace platform {

class WindowMessages {
 public:
  virtual ~WindowMessages() = default;

  // A top-level window whose title is exactly `title`, of any class; 0 if none.
  virtual WindowHandle FindWindowByTitle(const std::u16string& title) = 0;

  virtual bool Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;

  // Whether the first `message` waiting among those posted to `window`, a
  // window of the calling thread, carries `wParam`; it stays queued.
  virtual bool IsPosted(WindowHandle /*window*/, uint32_t /*message*/, uintptr_t /*wParam*/) { return false; }
};

template <>
WindowMessages& Service<WindowMessages>::Default();

}  // namespace platform

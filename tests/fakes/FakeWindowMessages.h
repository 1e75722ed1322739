#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/WindowMessages.h"

namespace fakes {

// Top-level windows by title, and every message posted to any window.
class FakeWindowMessages final : public platform::WindowMessages {
 public:
  struct Posted {
    platform::WindowHandle window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
  };

  std::map<std::u16string, platform::WindowHandle> windows;
  std::vector<Posted> posted;
  // What IsPosted finds waiting.
  std::vector<Posted> waiting;

  platform::WindowHandle FindWindowByTitle(const std::u16string& title) override {
    auto it = windows.find(title);
    return it == windows.end() ? 0 : it->second;
  }
  bool Post(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    posted.push_back({window, message, wParam, lParam});
    return window != 0;
  }
  bool IsPosted(platform::WindowHandle window, uint32_t message, uintptr_t wParam) override {
    for (const Posted& queued : waiting) {
      if (queued.window == window && queued.message == message) return queued.wParam == wParam;
    }
    return false;
  }
};

}  // namespace fakes

#include "app/DialogChain.h"

#include <algorithm>

namespace app {
namespace {

const ProgramWindow* Find(const std::vector<ProgramWindow>& windows, platform::WindowHandle handle) {
  for (const ProgramWindow& window : windows)
    if (window.handle == handle) return &window;
  return nullptr;
}

// The window `waiting` waits for: the topmost visible window it owns. A
// window that is enabled waits for nothing, whatever it owns (a menu or a
// drop-down stays open beside it).
const ProgramWindow* WaitedFor(const std::vector<ProgramWindow>& windows, const ProgramWindow& waiting) {
  if (waiting.enabled) return nullptr;
  for (const ProgramWindow& window : windows)
    if (window.visible && window.owner == waiting.handle && window.handle != waiting.handle) return &window;
  return nullptr;
}

}  // namespace

std::vector<platform::WindowHandle> WaitingChain(const std::vector<ProgramWindow>& windows,
                                                 platform::WindowHandle main) {
  std::vector<platform::WindowHandle> chain;
  const ProgramWindow* current = Find(windows, main);
  while (current) {
    current = WaitedFor(windows, *current);
    // A loop of owners cannot be made by the system; the guard keeps a
    // wrong report from hanging the program.
    if (!current || std::find(chain.begin(), chain.end(), current->handle) != chain.end()) break;
    chain.push_back(current->handle);
  }
  return chain;
}

platform::WindowHandle FrontWindow(const std::vector<ProgramWindow>& windows, platform::WindowHandle main) {
  const std::vector<platform::WindowHandle> chain = WaitingChain(windows, main);
  return chain.empty() ? main : chain.back();
}

}  // namespace app

#include "actions/MacroPlayback.h"

#include <algorithm>
#include <vector>

#include "actions/KeyStroke.h"
#include "codes/MainWindowCommands.h"
#include "platform/Clock.h"
#include "platform/WindowInspection.h"
#include "platform/WindowMessages.h"
#include "text/LabelTable.h"

namespace actions {

using macro::kEventSlots;
using macro::MacroEvent;
using macro::MacroSlot;
using macro::MacroStore;
using macro::tagMACROINFO;
using macro::TheMacroStore;

namespace {

// The keys and buttons a macro holds down at a moment, in the order they
// went down, by the code the system saw.
class HeldKeys {
 public:
  void Track(uint8_t vk, bool released) {
    const uint8_t code = FoldSideModifier(vk);
    const auto it = std::find(held_.begin(), held_.end(), code);
    if (released) {
      if (it != held_.end()) held_.erase(it);
    } else if (it == held_.end()) {
      held_.push_back(code);
    }
  }

  // Lets go of everything still held, the last pressed first.
  void ReleaseAll() {
    for (auto it = held_.rbegin(); it != held_.rend(); ++it) PlayMacroEvent(*it, true);
    held_.clear();
  }

 private:
  std::vector<uint8_t> held_;
};

// Playback must not type into the program's own window; a window without a
// title counts as the main window when the title text is empty too.
bool MayPlayInto(platform::WindowInspection& windows, const std::u16string& mainWindowTitle) {
  const platform::WindowHandle front = windows.ForegroundWindow();
  return front != 0 && windows.Title(front) != mainWindowTitle;
}

// A macro may play for minutes; an exit command for the main window does not
// wait behind it. Playback runs on the main window's thread, so the command
// sits in this thread's queue.
bool ExitWaiting(platform::WindowHandle mainWindow) {
  return mainWindow != 0 && platform::Service<platform::WindowMessages>::Get().IsPosted(
                                mainWindow, platform::kMsgCommand, codes::kExitCommand);
}

// A recorded pause; false when an exit command cut it short.
bool Pause(platform::Clock& clock, uint32_t milliseconds, platform::WindowHandle mainWindow) {
  const uint32_t start = clock.TickCount();
  for (uint32_t waited = 0; waited < milliseconds; waited = clock.TickCount() - start) {
    if (!clock.SleepUntilPosted(milliseconds - waited)) return true;
    if (ExitWaiting(mainWindow)) return false;
  }
  return true;
}

}  // namespace

void PlayMacroEvent(uint8_t vk, bool released) { StrokeKeyOrButton(vk, released); }

void PlayMacro(uint8_t index) { PlayMacro(TheMacroStore, index, Label("tc_mouse_title")); }

void PlayMacro(const MacroStore& store, std::size_t index, const std::u16string& mainWindowTitle) {
  const tagMACROINFO* macro = MacroSlot(store, index);
  if (macro == nullptr) return;
  const int32_t plays = macro->loopEnabled != 0 ? macro->loopCount : 1;
  const std::size_t count = std::min<std::size_t>(macro->eventCount, kEventSlots);
  if (plays <= 0 || count == 0) return;

  platform::WindowInspection& windows = platform::Service<platform::WindowInspection>::Get();
  platform::Clock& clock = platform::Service<platform::Clock>::Get();
  // Looked up once: the main window lives as long as the program.
  const platform::WindowHandle mainWindow =
      platform::Service<platform::WindowMessages>::Get().FindWindowByTitle(mainWindowTitle);
  HeldKeys held;
  for (int32_t play = 0; play < plays; ++play) {
    for (std::size_t j = 0; j < count; ++j) {
      if (!MayPlayInto(windows, mainWindowTitle) || ExitWaiting(mainWindow)) {
        // Stopped early: leave no key or button down behind.
        held.ReleaseAll();
        return;
      }
      const MacroEvent& event = macro->events[j];
      const bool released = event.released != 0;
      PlayMacroEvent(event.vk, released);
      held.Track(event.vk, released);
      if (event.delayMs > 0 && !Pause(clock, static_cast<uint32_t>(event.delayMs), mainWindow)) {
        held.ReleaseAll();
        return;
      }
    }
  }
}

}  // namespace actions

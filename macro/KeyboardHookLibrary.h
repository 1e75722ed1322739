#pragma once

// The keyboard-hook library KBGetKey.dll loaded for one window: installed
// for that window on Load, switched off, removed and freed on Unload (or
// when the object goes). A missing library or export only skips the calls
// to it.

#include <string>

#include "macro/KeyboardHook.h"
#include "platform/Handle.h"

namespace macro {

class KeyboardHookLibrary : public KeyboardHook {
 public:
  KeyboardHookLibrary() = default;
  ~KeyboardHookLibrary() override;
  KeyboardHookLibrary(const KeyboardHookLibrary&) = delete;
  KeyboardHookLibrary& operator=(const KeyboardHookLibrary&) = delete;

  // Loads the library from the full path `libraryPath`, hooks the keyboard
  // for `window` and switches the reports off. A second Load while loaded
  // does nothing.
  void Load(const std::u16string& libraryPath, platform::WindowHandle window);
  // Switches the reports off, unhooks and frees the library.
  void Unload();

  bool IsLoaded() const { return library_ != 0; }
  bool CanSwitch() const override { return setStatus_ != 0; }
  void SetStatus(bool on) override;

 private:
  platform::Handle library_ = 0;
  uintptr_t setStatus_ = 0;
  uintptr_t remove_ = 0;
};

}  // namespace macro

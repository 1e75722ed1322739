#include "platform/Accessibility.h"
#include "platform/Com.h"
#include "platform/OperatingSystem.h"
#include "platform/SyntheticInput.h"
#include "platform/WindowInspection.h"

// The native build has no desktop: no windows to look at, no input stream to
// feed, no component library and no session to lock. These answer as an
// empty desktop would; tests that need one install fakes.

namespace platform {
namespace {

class NoInput final : public SyntheticInput {
 public:
  void KeyEvent(uint8_t, uint8_t, uint32_t, uintptr_t) override {}
  void MouseEvent(uint32_t, int32_t, int32_t, int32_t, uintptr_t) override {}
  uintptr_t MessageExtraInfo() override { return 0; }
  ScreenPoint CursorPos() override { return {0, 0}; }
  void MoveCursor(ScreenPoint) override {}
  bool MouseButtonsSwapped() override { return false; }
};

class NoWindows final : public WindowInspection {
 public:
  WindowHandle ForegroundWindow() override { return 0; }
  WindowHandle DesktopWindow() override { return 0; }
  WindowHandle WindowAt(ScreenPoint) override { return 0; }
  WindowHandle ChildAt(WindowHandle, ScreenPoint) override { return 0; }
  ScreenPoint ToClient(WindowHandle, ScreenPoint point) override { return point; }
  std::u16string Title(WindowHandle) override { return {}; }
  std::u16string ClassName(WindowHandle) override { return {}; }
  uint32_t Style(WindowHandle) override { return 0; }
  ScreenRect Rect(WindowHandle) override { return {0, 0, 0, 0}; }
  WindowHandle Parent(WindowHandle) override { return 0; }
  WindowHandle FirstChild(WindowHandle) override { return 0; }
  WindowHandle NextSibling(WindowHandle) override { return 0; }
  WindowHandle PreviousSibling(WindowHandle) override { return 0; }
  WindowHandle ChildAfter(WindowHandle, WindowHandle) override { return 0; }
  void ForEachDescendant(WindowHandle, const std::function<bool(WindowHandle)>&) override {}
  intptr_t Send(WindowHandle, uint32_t, uintptr_t, intptr_t) override { return 0; }
  bool Post(WindowHandle, uint32_t, uintptr_t, intptr_t) override { return false; }
};

class NoOperatingSystem final : public OperatingSystem {
 public:
  OsVersionInfo Version() override { return {0, 0, 0}; }
  bool IsWow64Process() override { return false; }
  bool DisableFileSystemRedirection(uintptr_t&) override { return false; }
  void RevertFileSystemRedirection(uintptr_t) override {}
  void LockSession() override {}
};

class NoCom final : public Com {
 public:
  bool Initialize() override { return false; }
  void Uninitialize() override {}
};

class NoAccessibility final : public Accessibility {
 public:
  DocumentScroll ScrollDocument(Handle, WindowHandle, int32_t) override { return DocumentScroll::NoDocument; }
};

}  // namespace

template <>
SyntheticInput& Service<SyntheticInput>::Default() {
  static NoInput instance;
  return instance;
}

template <>
WindowInspection& Service<WindowInspection>::Default() {
  static NoWindows instance;
  return instance;
}

template <>
OperatingSystem& Service<OperatingSystem>::Default() {
  static NoOperatingSystem instance;
  return instance;
}

template <>
Com& Service<Com>::Default() {
  static NoCom instance;
  return instance;
}

template <>
Accessibility& Service<Accessibility>::Default() {
  static NoAccessibility instance;
  return instance;
}

}  // namespace platform

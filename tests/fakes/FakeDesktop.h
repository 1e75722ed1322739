#pragma once

// A desktop for the action engine's tests: a tree of windows, and a record of
// everything the program does to the system, in the order it does it:
// synthesised keys and mouse events, pauses, cursor moves, messages sent and
// posted, shell launches, library loads and calls, the component library,
// session locks and debugger output. Constructing one installs it as every
// one of those services; destroying it puts the previous ones back.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Accessibility.h"
#include "platform/Clock.h"
#include "platform/Com.h"
#include "platform/DebugOutput.h"
#include "platform/DynamicLibrary.h"
#include "platform/KeyboardLayout.h"
#include "platform/OperatingSystem.h"
#include "platform/Process.h"
#include "platform/Shell.h"
#include "platform/SyntheticInput.h"
#include "platform/WindowInspection.h"

namespace fakes {

using platform::Handle;
using platform::ScreenPoint;
using platform::ScreenRect;
using platform::WindowHandle;

// Log lines, built the same way the fake writes them. Numbers are in
// upper-case hexadecimal without a prefix, except pauses, wheel data and
// positions, which are decimal.
std::string Hex(uint64_t value);
std::string KeyLine(uint8_t virtualKey, uint32_t flags, uint8_t scanCode = 0);
std::string MouseLine(uint32_t flags, int32_t data = 0, int32_t dx = 0, int32_t dy = 0, uintptr_t extra = 0);
std::string SleepLine(uint32_t milliseconds);
std::string CursorLine(ScreenPoint point);
std::string PostLine(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
std::string SendLine(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
std::string OpenLine(const std::u16string& target);

class FakeDesktop final : public platform::SyntheticInput,
                          public platform::Clock,
                          public platform::KeyboardLayout,
                          public platform::WindowInspection,
                          public platform::Shell,
                          public platform::DynamicLibrary,
                          public platform::OperatingSystem,
                          public platform::Com,
                          public platform::Accessibility,
                          public platform::DebugOutput,
                          public platform::Process {
 public:
  FakeDesktop();
  ~FakeDesktop() override;
  FakeDesktop(const FakeDesktop&) = delete;
  FakeDesktop& operator=(const FakeDesktop&) = delete;

  // Everything recorded, in order.
  std::vector<std::string> log;
  // The lines of synthesised input and pauses only.
  std::vector<std::string> InputLog() const;
  void Clear() { log.clear(); }

  // --- input and time
  uintptr_t extraInfo = 0;      // what MessageExtraInfo answers ...
  uintptr_t extraInfoStep = 0;  // ... and how it changes after each answer
  ScreenPoint cursor{0, 0};
  bool buttonsSwapped = false;
  uint32_t now = 1000;  // TickCount; every Sleep advances it
  // Runs after every recorded pause (to change the desktop mid-action).
  std::function<void()> onSleep;

  // --- windows. The desktop window is `desktop`; top-level windows are its
  // children but report 0 as their parent, as real ones do.
  struct Window {
    std::u16string className;
    std::u16string title;
    uint32_t style = 0;
    ScreenRect rect{0, 0, 0, 0};
    WindowHandle parent = 0;
    std::vector<WindowHandle> children;  // top of the z-order first
  };
  static constexpr WindowHandle kDesktop = 0x10;
  WindowHandle foreground = 0;
  // Adds a window under `parent` (kDesktop for a top-level one), below its
  // existing siblings; returns its handle.
  WindowHandle AddWindow(WindowHandle parent, const std::u16string& className, ScreenRect rect,
                         uint32_t style = 0, const std::u16string& title = u"");
  Window& At(WindowHandle window) { return windows_.at(window); }

  // --- shell, libraries, system
  std::u16string executablePath = u"C:\\Program Files\\VN24G\\vn24g.exe";
  // Files that load, by path, with the handle they load as.
  std::map<std::u16string, Handle> libraryFiles;
  // Exports by library handle and name.
  std::map<std::pair<Handle, std::string>, uintptr_t> libraryExports;
  // Look-ups in, and frees of, a handle whose last reference is gone.
  int releasedHandleUses = 0;
  int LoadedReferences(Handle library) const;

  platform::OsVersionInfo version{2, 6, 1};
  bool wow64 = false;
  bool hasRedirectionSwitch = true;
  bool comInitializes = true;
  int ComBalance() const { return comBalance_; }
  platform::DocumentScroll documentScroll = platform::DocumentScroll::NoDocument;

  // SyntheticInput
  void KeyEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags, uintptr_t extra) override;
  void MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uintptr_t extra) override;
  uintptr_t MessageExtraInfo() override {
    const uintptr_t answer = extraInfo;
    extraInfo += extraInfoStep;
    return answer;
  }
  ScreenPoint CursorPos() override { return cursor; }
  void MoveCursor(ScreenPoint point) override;
  bool MouseButtonsSwapped() override { return buttonsSwapped; }
  // Clock
  uint32_t TickCount() override { return now; }
  void Sleep(uint32_t milliseconds) override;
  // KeyboardLayout: the scan codes of a US layout for the keys the tests use
  uint32_t ScanCodeOf(uint32_t virtualKey) override;
  int TranslateUnshifted(uint32_t, uint32_t, uint16_t&) override { return 0; }
  // WindowInspection
  WindowHandle ForegroundWindow() override { return foreground; }
  WindowHandle DesktopWindow() override { return kDesktop; }
  WindowHandle WindowAt(ScreenPoint point) override;
  WindowHandle ChildAt(WindowHandle parent, ScreenPoint clientPoint) override;
  ScreenPoint ToClient(WindowHandle window, ScreenPoint point) override;
  std::u16string Title(WindowHandle window) override;
  std::u16string ClassName(WindowHandle window) override;
  uint32_t Style(WindowHandle window) override;
  ScreenRect Rect(WindowHandle window) override;
  WindowHandle Parent(WindowHandle window) override;
  WindowHandle FirstChild(WindowHandle window) override;
  WindowHandle NextSibling(WindowHandle window) override;
  WindowHandle PreviousSibling(WindowHandle window) override;
  WindowHandle ChildAfter(WindowHandle parent, WindowHandle after) override;
  void ForEachDescendant(WindowHandle parent, const std::function<bool(WindowHandle)>& visit) override;
  intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  bool Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  // Shell
  bool Open(const std::u16string& target) override;
  // DynamicLibrary
  Handle Load(const std::u16string& path) override;
  uintptr_t Export(Handle library, const char* name) override;
  void Free(Handle library) override;
  // OperatingSystem
  platform::OsVersionInfo Version() override { return version; }
  bool IsWow64Process() override { return wow64; }
  bool DisableFileSystemRedirection(uintptr_t& previous) override;
  void RevertFileSystemRedirection(uintptr_t previous) override;
  void LockSession() override;
  // Com
  bool Initialize() override;
  void Uninitialize() override;
  // Accessibility
  platform::DocumentScroll ScrollDocument(Handle library, WindowHandle server, int32_t dx) override;
  // DebugOutput
  void Write(const std::u16string& text) override;
  // Process
  std::u16string ExecutablePath() override { return executablePath; }

 private:
  const Window* Find(WindowHandle window) const;
  const std::vector<WindowHandle>* Siblings(WindowHandle window) const;
  bool Visit(WindowHandle parent, const std::function<bool(WindowHandle)>& visit) const;
  WindowHandle Deepest(WindowHandle parent, ScreenPoint point) const;

  std::map<WindowHandle, Window> windows_;
  WindowHandle nextHandle_ = 0x100;
  std::map<Handle, int> libraryReferences_;
  int comBalance_ = 0;
  struct Installed;
  std::unique_ptr<Installed> installed_;
};

}  // namespace fakes

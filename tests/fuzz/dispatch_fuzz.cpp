// Feeds random driver event streams, models and assignment records to the
// dispatcher and the program's own executor. Event codes and stored records
// come from outside the program: whatever they hold, nothing may be read
// outside the records, a record may only be run for a button the model
// lists, and a code that is no function must do nothing at all.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "actions/ActionExecutor.h"
#include "actions/EventDispatch.h"
#include "config/FunctionCodes.h"
#include "config/MacroStore.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "platform/Shell.h"
#include "platform/SyntheticInput.h"
#include "platform/WindowInspection.h"

namespace {

// Reads the input front to back; past its end every value is 0.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t U8() { return at_ < size_ ? data_[at_++] : 0; }
  uint16_t U16() { return static_cast<uint16_t>(U8() | U8() << 8); }
  uint32_t U32() { return U16() | static_cast<uint32_t>(U16()) << 16; }
  bool AtEnd() const { return at_ >= size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// A desktop of one window, whose class the input chooses, that stays in front
// for a limited number of looks so that long macros end.
class FuzzDesktop final : public platform::SyntheticInput,
                          public platform::Clock,
                          public platform::WindowInspection,
                          public platform::Shell,
                          public platform::DebugOutput {
 public:
  uint64_t outputs = 0;
  int frontLooks = 4000;
  std::u16string className;

  void KeyEvent(uint8_t, uint8_t, uint32_t, uintptr_t) override { ++outputs; }
  void MouseEvent(uint32_t, int32_t, int32_t, int32_t, uintptr_t) override { ++outputs; }
  uintptr_t MessageExtraInfo() override { return 0; }
  platform::ScreenPoint CursorPos() override { return {10, 10}; }
  void MoveCursor(platform::ScreenPoint) override { ++outputs; }
  bool MouseButtonsSwapped() override { return false; }
  uint32_t TickCount() override { return 0; }
  void Sleep(uint32_t) override {}

  platform::WindowHandle ForegroundWindow() override { return --frontLooks > 0 ? 1 : 0; }
  platform::WindowHandle DesktopWindow() override { return 2; }
  platform::WindowHandle WindowAt(platform::ScreenPoint) override { return 1; }
  platform::WindowHandle ChildAt(platform::WindowHandle parent, platform::ScreenPoint) override { return parent; }
  platform::ScreenPoint ToClient(platform::WindowHandle, platform::ScreenPoint point) override { return point; }
  std::u16string Title(platform::WindowHandle) override { return u"target"; }
  std::u16string ClassName(platform::WindowHandle window) override { return window == 1 ? className : u""; }
  uint32_t Style(platform::WindowHandle) override { return 0xFFFFFFFF; }
  platform::ScreenRect Rect(platform::WindowHandle) override { return {0, 0, 100, 20}; }
  platform::WindowHandle Parent(platform::WindowHandle) override { return 0; }
  platform::WindowHandle FirstChild(platform::WindowHandle) override { return 0; }
  platform::WindowHandle NextSibling(platform::WindowHandle) override { return 0; }
  platform::WindowHandle PreviousSibling(platform::WindowHandle) override { return 0; }
  platform::WindowHandle ChildAfter(platform::WindowHandle, platform::WindowHandle) override { return 0; }
  void ForEachDescendant(platform::WindowHandle, const std::function<bool(platform::WindowHandle)>&) override {}
  intptr_t Send(platform::WindowHandle, uint32_t, uintptr_t, intptr_t) override {
    ++outputs;
    return 0;
  }
  bool Post(platform::WindowHandle, uint32_t, uintptr_t, intptr_t) override {
    ++outputs;
    return true;
  }

  bool Open(const std::u16string& target) override {
    if (target.empty() || target.size() > config::kProgramPathUnits) std::abort();
    ++outputs;
    return true;
  }
  void Write(const std::u16string&) override {}
};

const char16_t* const kClasses[] = {u"Edit", u"_WwG", u"EXCEL7", u"MozillaWindowClass", u"Internet Explorer_Server",
                                    u"paneClassDC", u"ScrollBar", u"SysListView32"};

// Runs each accepted record through the program's executor and checks what
// the dispatcher handed over.
class CheckedExecutor final : public actions::AssignmentExecutor {
 public:
  CheckedExecutor(FuzzDesktop& desktop, const config::tagVARNOK24G_UI_INFORMATION& device,
                  const config::tagVARNOK24G_DATA_& settings, actions::CFaceBookFunction& site)
      : desktop_(desktop), device_(device), settings_(settings), site_(site) {}

  void Execute(const config::ButtonAssignment& record) override {
    const config::ButtonAssignment* mouse = settings_.mouseAssignments;
    const config::ButtonAssignment* keys = settings_.keyAssignments;
    const bool isMouse = &record >= mouse && &record < mouse + config::UsedMouseButtons(device_);
    const bool isKey = &record >= keys && &record < keys + config::UsedKeys(device_);
    if (!isMouse && !isKey) std::abort();  // a record of no listed button
    const uint64_t before = desktop_.outputs;
    actions::ExecuteAssignment(record, site_);
    if (config::FindFunction(record.functionCode) == nullptr && desktop_.outputs != before) std::abort();
  }

 private:
  FuzzDesktop& desktop_;
  const config::tagVARNOK24G_UI_INFORMATION& device_;
  const config::tagVARNOK24G_DATA_& settings_;
  actions::CFaceBookFunction& site_;
};

void FillRecords(Reader& in, config::ButtonAssignment* records, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    config::ButtonAssignment& r = records[i];
    r.buttonIndex = in.U8();
    r.functionCode = in.U8();
    r.macroIndex = in.U8();
    r.comboModifiers = in.U8();
    r.comboKey1 = in.U8();
    r.comboKey2 = in.U8();
  }
}

void FillPaths(uint8_t mode, config::ButtonAssignment* records, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    char16_t* path = records[i].programPath;
    switch (mode % 3) {
      case 0: break;  // empty
      case 1: std::memcpy(path, u"C:\\Tools\\app.exe", 17 * sizeof(char16_t)); break;
      default:  // the whole field, no terminator
        for (size_t k = 0; k < config::kProgramPathUnits; ++k) path[k] = u'x';
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Reader in(data, size);
  FuzzDesktop desktop;
  platform::ScopedService<platform::SyntheticInput> input(desktop);
  platform::ScopedService<platform::Clock> clock(desktop);
  platform::ScopedService<platform::WindowInspection> windows(desktop);
  platform::ScopedService<platform::Shell> shell(desktop);
  platform::ScopedService<platform::DebugOutput> debug(desktop);

  const uint8_t deviceType = in.U8();
  desktop.className = kClasses[in.U8() % (sizeof kClasses / sizeof kClasses[0])];
  auto device = std::make_unique<config::tagVARNOK24G_UI_INFORMATION>();
  auto settings = std::make_unique<config::tagVARNOK24G_DATA_>();
  std::memset(device.get(), 0, sizeof *device);
  std::memset(settings.get(), 0, sizeof *settings);
  const uint8_t model = in.U8();
  device->modelValue = model < 3 ? 0x9060 + 0x10 * model : static_cast<int32_t>(in.U32());
  device->mouseButtonCount = static_cast<int32_t>(in.U32());
  device->keyCount = static_cast<int32_t>(in.U32());
  for (auto& button : device->mouseButtons) button.buttonCode = in.U8();
  for (auto& key : device->keys) key.buttonCode = in.U8();
  FillRecords(in, settings->mouseAssignments, config::kMaxMouseButtons);
  FillRecords(in, settings->keyAssignments, config::kMaxKeys);
  const uint8_t pathMode = in.U8();
  FillPaths(pathMode, settings->mouseAssignments, config::kMaxMouseButtons);
  FillPaths(pathMode, settings->keyAssignments, config::kMaxKeys);

  // Three stored macros with any loop settings, counts and events.
  std::memset(&macro::TheMacroStore, 0, sizeof(macro::TheMacroStore));
  macro::TheMacroStore.macroCount = static_cast<int32_t>(in.U32());
  for (size_t slot = 0; slot < 3; ++slot) {
    macro::tagMACROINFO& m = macro::TheMacroStore.macros[slot];
    m.loopEnabled = static_cast<int32_t>(in.U8());
    m.loopCount = static_cast<int32_t>(static_cast<int8_t>(in.U8()));
    m.eventCount = in.U16();
    for (size_t e = 0; e < 8; ++e) {
      m.events[e].vk = in.U8();
      m.events[e].released = in.U8();
      m.events[e].delayMs = static_cast<int32_t>(in.U32());
    }
  }

  actions::CFaceBookFunction site;
  CheckedExecutor executor(desktop, *device, *settings, site);
  actions::CEventDispatcher dispatcher(executor, *device, *settings);
  while (!in.AtEnd()) dispatcher.OnDriverEvent(in.U32(), deviceType);
  std::memset(&macro::TheMacroStore, 0, sizeof(macro::TheMacroStore));
  return 0;
}

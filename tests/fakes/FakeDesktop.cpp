#include "fakes/FakeDesktop.h"

#include <algorithm>
#include <cstdio>

#include "platform/WideText.h"

namespace fakes {

std::string Hex(uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof(text), "%llX", static_cast<unsigned long long>(value));
  return text;
}

namespace {

std::string MessageName(uint32_t message) {
  switch (message) {
    case platform::kMsgKeyDown: return "keydown";
    case platform::kMsgKeyUp: return "keyup";
    case platform::kMsgSysCommand: return "syscommand";
    case platform::kMsgHScroll: return "hscroll";
    default: return Hex(message);
  }
}

std::string MessageLine(const char* verb, WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  // lParam as the 32-bit value a 32-bit program sees, on every build.
  return std::string(verb) + " " + Hex(window) + " " + MessageName(message) + " " + Hex(wParam) + " " +
         Hex(static_cast<uint32_t>(lParam));
}

bool Contains(const ScreenRect& r, ScreenPoint p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

std::string KeyLine(uint8_t virtualKey, uint32_t flags, uint8_t scanCode) {
  std::string line = "key " + Hex(virtualKey) + " " + Hex(flags);
  if (scanCode != 0) line += " scan " + Hex(scanCode);
  return line;
}

std::string MouseLine(uint32_t flags, int32_t data, int32_t dx, int32_t dy, uintptr_t extra) {
  char text[16];
  std::snprintf(text, sizeof(text), "%04X", flags);
  std::string line = std::string("mouse ") + text;
  if (data != 0) line += " data " + std::to_string(data);
  if (dx != 0 || dy != 0) line += " at " + std::to_string(dx) + "," + std::to_string(dy);
  if (extra != 0) line += " extra " + Hex(extra);
  return line;
}

std::string SleepLine(uint32_t milliseconds) { return "sleep " + std::to_string(milliseconds); }

std::string CursorLine(ScreenPoint point) {
  return "cursor " + std::to_string(point.x) + "," + std::to_string(point.y);
}

std::string PostLine(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return MessageLine("post", window, message, wParam, lParam);
}

std::string SendLine(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return MessageLine("send", window, message, wParam, lParam);
}

std::string OpenLine(const std::u16string& target) { return "open " + platform::NarrowAscii(target); }

struct FakeDesktop::Installed {
  explicit Installed(FakeDesktop& d)
      : input(d), clock(d), layout(d), windows(d), shell(d), libraries(d), os(d), com(d), accessibility(d),
        debug(d), process(d) {}
  platform::ScopedService<platform::SyntheticInput> input;
  platform::ScopedService<platform::Clock> clock;
  platform::ScopedService<platform::KeyboardLayout> layout;
  platform::ScopedService<platform::WindowInspection> windows;
  platform::ScopedService<platform::Shell> shell;
  platform::ScopedService<platform::DynamicLibrary> libraries;
  platform::ScopedService<platform::OperatingSystem> os;
  platform::ScopedService<platform::Com> com;
  platform::ScopedService<platform::Accessibility> accessibility;
  platform::ScopedService<platform::DebugOutput> debug;
  platform::ScopedService<platform::Process> process;
};

FakeDesktop::FakeDesktop() : installed_(std::make_unique<Installed>(*this)) {
  windows_[kDesktop].className = u"#32769";
}

FakeDesktop::~FakeDesktop() = default;

std::vector<std::string> FakeDesktop::InputLog() const {
  std::vector<std::string> input;
  for (const std::string& line : log)
    if (line.rfind("key ", 0) == 0 || line.rfind("mouse ", 0) == 0 || line.rfind("sleep ", 0) == 0 ||
        line.rfind("cursor ", 0) == 0)
      input.push_back(line);
  return input;
}

void FakeDesktop::KeyEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags, uintptr_t extra) {
  std::string line = KeyLine(virtualKey, flags, scanCode);
  if (extra != 0) line += " extra " + Hex(extra);
  log.push_back(line);
}

void FakeDesktop::MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uintptr_t extra) {
  log.push_back(MouseLine(flags, data, dx, dy, extra));
}

void FakeDesktop::MoveCursor(ScreenPoint point) {
  cursor = point;
  log.push_back(CursorLine(point));
}

void FakeDesktop::Sleep(uint32_t milliseconds) {
  log.push_back(SleepLine(milliseconds));
  now += milliseconds;
  if (onSleep) onSleep();
}

uint32_t FakeDesktop::ScanCodeOf(uint32_t virtualKey) {
  static const std::map<uint32_t, uint32_t> kScanCodes = {
      {0x10, 0x2A}, {0x11, 0x1D}, {0x12, 0x38}, {0x2E, 0x53}, {0x41, 0x1E}, {0x42, 0x30},
      {0x43, 0x2E}, {0x53, 0x1F}, {0x5B, 0x5B}, {0x70, 0x3B}, {0x71, 0x3C}, {0x73, 0x3E},
  };
  const auto it = kScanCodes.find(virtualKey);
  return it == kScanCodes.end() ? 0 : it->second;
}

WindowHandle FakeDesktop::AddWindow(WindowHandle parent, const std::u16string& className, ScreenRect rect,
                                    uint32_t style, const std::u16string& title) {
  const WindowHandle handle = nextHandle_;
  nextHandle_ += 0x10;
  Window& window = windows_[handle];
  window.className = className;
  window.title = title;
  window.style = style;
  window.rect = rect;
  window.parent = parent == kDesktop ? 0 : parent;
  windows_.at(parent).children.push_back(handle);
  return handle;
}

const FakeDesktop::Window* FakeDesktop::Find(WindowHandle window) const {
  const auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

const std::vector<WindowHandle>* FakeDesktop::Siblings(WindowHandle window) const {
  const Window* w = Find(window);
  if (w == nullptr || window == kDesktop) return nullptr;
  const Window* parent = Find(w->parent == 0 ? kDesktop : w->parent);
  return parent ? &parent->children : nullptr;
}

WindowHandle FakeDesktop::Deepest(WindowHandle parent, ScreenPoint point) const {
  for (WindowHandle child : Find(parent)->children)
    if (Contains(Find(child)->rect, point)) return Deepest(child, point);
  return parent;
}

WindowHandle FakeDesktop::WindowAt(ScreenPoint point) {
  const WindowHandle found = Deepest(kDesktop, point);
  return found;
}

WindowHandle FakeDesktop::ChildAt(WindowHandle parent, ScreenPoint clientPoint) {
  const Window* w = Find(parent);
  if (w == nullptr) return 0;
  const ScreenPoint screen{clientPoint.x + w->rect.left, clientPoint.y + w->rect.top};
  if (!Contains(w->rect, screen)) return 0;
  for (WindowHandle child : w->children)
    if (Contains(Find(child)->rect, screen)) return child;
  return parent;
}

ScreenPoint FakeDesktop::ToClient(WindowHandle window, ScreenPoint point) {
  const Window* w = Find(window);
  if (w == nullptr) return point;
  return {point.x - w->rect.left, point.y - w->rect.top};
}

std::u16string FakeDesktop::Title(WindowHandle window) {
  const Window* w = Find(window);
  return w ? w->title : std::u16string();
}

std::u16string FakeDesktop::ClassName(WindowHandle window) {
  const Window* w = Find(window);
  return w ? w->className : std::u16string();
}

uint32_t FakeDesktop::Style(WindowHandle window) {
  const Window* w = Find(window);
  return w ? w->style : 0;
}

ScreenRect FakeDesktop::Rect(WindowHandle window) {
  const Window* w = Find(window);
  return w ? w->rect : ScreenRect{0, 0, 0, 0};
}

WindowHandle FakeDesktop::Parent(WindowHandle window) {
  const Window* w = Find(window);
  return w ? w->parent : 0;
}

WindowHandle FakeDesktop::FirstChild(WindowHandle window) {
  const Window* w = Find(window);
  return w && !w->children.empty() ? w->children.front() : 0;
}

WindowHandle FakeDesktop::NextSibling(WindowHandle window) {
  const std::vector<WindowHandle>* siblings = Siblings(window);
  if (siblings == nullptr) return 0;
  const auto it = std::find(siblings->begin(), siblings->end(), window);
  return it + 1 < siblings->end() ? *(it + 1) : 0;
}

WindowHandle FakeDesktop::PreviousSibling(WindowHandle window) {
  const std::vector<WindowHandle>* siblings = Siblings(window);
  if (siblings == nullptr) return 0;
  const auto it = std::find(siblings->begin(), siblings->end(), window);
  return it != siblings->begin() ? *(it - 1) : 0;
}

WindowHandle FakeDesktop::ChildAfter(WindowHandle parent, WindowHandle after) {
  if (after == 0) return FirstChild(parent);
  const Window* a = Find(after);
  if (a == nullptr || (a->parent == 0 ? kDesktop : a->parent) != parent) return 0;
  return NextSibling(after);
}

bool FakeDesktop::Visit(WindowHandle parent, const std::function<bool(WindowHandle)>& visit) const {
  for (WindowHandle child : Find(parent)->children) {
    if (!visit(child)) return false;
    if (!Visit(child, visit)) return false;
  }
  return true;
}

void FakeDesktop::ForEachDescendant(WindowHandle parent, const std::function<bool(WindowHandle)>& visit) {
  // As the system does, no parent means the top-level windows.
  const WindowHandle root = parent == 0 ? kDesktop : parent;
  if (Find(root) != nullptr) Visit(root, visit);
}

intptr_t FakeDesktop::Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  log.push_back(SendLine(window, message, wParam, lParam));
  return 0;
}

bool FakeDesktop::Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  log.push_back(PostLine(window, message, wParam, lParam));
  return true;
}

bool FakeDesktop::Open(const std::u16string& target) {
  log.push_back(OpenLine(target));
  return true;
}

Handle FakeDesktop::Load(const std::u16string& path) {
  log.push_back("load " + platform::NarrowAscii(path));
  const auto it = libraryFiles.find(path);
  if (it == libraryFiles.end()) return 0;
  ++libraryReferences_[it->second];
  return it->second;
}

int FakeDesktop::LoadedReferences(Handle library) const {
  const auto it = libraryReferences_.find(library);
  return it == libraryReferences_.end() ? 0 : it->second;
}

uintptr_t FakeDesktop::Export(Handle library, const char* name) {
  log.push_back("export " + Hex(library) + " " + name);
  if (LoadedReferences(library) <= 0) {
    ++releasedHandleUses;
    return 0;
  }
  const auto it = libraryExports.find({library, name});
  return it == libraryExports.end() ? 0 : it->second;
}

void FakeDesktop::Free(Handle library) {
  log.push_back("free " + Hex(library));
  if (LoadedReferences(library) <= 0) {
    ++releasedHandleUses;
    return;
  }
  --libraryReferences_[library];
}

bool FakeDesktop::DisableFileSystemRedirection(uintptr_t& previous) {
  log.push_back("redirection off");
  if (!hasRedirectionSwitch) return false;
  previous = 0x5EED;
  return true;
}

void FakeDesktop::RevertFileSystemRedirection(uintptr_t previous) {
  log.push_back("redirection back " + Hex(previous));
}

void FakeDesktop::LockSession() { log.push_back("lock"); }

bool FakeDesktop::Initialize() {
  log.push_back("com init");
  if (!comInitializes) return false;
  ++comBalance_;
  return true;
}

void FakeDesktop::Uninitialize() {
  log.push_back("com uninit");
  --comBalance_;
}

platform::DocumentScroll FakeDesktop::ScrollDocument(Handle library, WindowHandle server, int32_t dx) {
  log.push_back("scroll document " + Hex(server) + " " + std::to_string(dx) + " with " + Hex(library));
  return documentScroll;
}

void FakeDesktop::Write(const std::u16string& text) { log.push_back("debug " + platform::NarrowAscii(text)); }

}  // namespace fakes

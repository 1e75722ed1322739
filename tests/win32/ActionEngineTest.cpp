// The action engine against the real system: driver events turned into
// synthesised input that real windows receive, copying out of the system's
// own text editor, sideways scrolling of real scroll bars, macros played
// into a window of another thread with their timing, and the social-site
// library built by this project.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "actions/ActionExecutor.h"
#include "actions/EventDispatch.h"
#include "actions/MacroPlayback.h"
#include "codes/SocialSiteLibrary.h"
#include "config/FunctionCodes.h"
#include "config/MacroStore.h"
#include "fakes/ConfigFixtures.h"
#include "fakes/FakeProcess.h"
#include "text/LabelTable.h"
#include "win32/DistFolder.h"
#include "win32/InputWatch.h"

namespace {

using win32tests::InputWatch;
using win32tests::KeyTargetWindow;
using win32tests::PumpPending;
using win32tests::PumpUntilMarkerTaken;
using win32tests::WaitUntil;

constexpr uint32_t kExtendedInjected = LLKHF_EXTENDED | LLKHF_INJECTED;
constexpr uint32_t kExtendedInjectedUp = LLKHF_EXTENDED | LLKHF_INJECTED | LLKHF_UP;

std::string Describe(const std::vector<InputWatch::Event>& events) {
  std::string text;
  for (const auto& e : events) {
    char line[64];
    std::snprintf(line, sizeof line, "%s %X %X", e.keyboard ? "key" : "mouse", e.code, e.flags);
    text += text.empty() ? line : std::string(", ") + line;
  }
  return text;
}

std::string Describe(const std::vector<KeyTargetWindow::Key>& keys) {
  std::string text;
  for (const auto& k : keys) {
    char line[64];
    std::snprintf(line, sizeof line, "%X %X %lX", k.message, static_cast<unsigned>(k.vk),
                  static_cast<unsigned long>(k.lParam));
    text += text.empty() ? line : std::string(", ") + line;
  }
  return text;
}

// The program's dispatch with its own executor, for a model of the test's
// choosing; every button starts with its own function.
struct Harness {
  config::tagVARNOK24G_UI_INFORMATION device{};
  config::tagVARNOK24G_DATA_ settings{};
  actions::CFaceBookFunction site;
  actions::ActionExecutor executor{site};
  actions::CEventDispatcher dispatcher{executor, device, settings};

  explicit Harness(const config::tagVARNOK24G_UI_INFORMATION& model) : device(model) {
    for (std::size_t i = 0; i < config::kMaxMouseButtons; ++i)
      settings.mouseAssignments[i].functionCode = device.mouseButtons[i].buttonCode;
    for (std::size_t i = 0; i < config::kMaxKeys; ++i)
      settings.keyAssignments[i].functionCode = device.keys[i].buttonCode;
  }
};

// Windows of programs that earlier tests started may still be coming up and
// take the front for a moment; the target is in front when keys sent now
// reach it.
bool KeepInFront(KeyTargetWindow& target) {
  for (int attempt = 0; attempt < 20; ++attempt)
    if (target.BringToFront() && target.AllArrived(3000)) return true;
  return false;
}

std::string ForegroundTitle() {
  wchar_t title[256] = {};
  GetWindowTextW(GetForegroundWindow(), title, 256);
  std::string ascii;
  for (const wchar_t* c = title; *c; ++c) ascii.push_back(*c < 0x80 ? static_cast<char>(*c) : '?');
  return ascii;
}

TEST(ActionEngineWin32Test, DriverEventsBecomeInputThatTheWindowInFrontReceives) {
  KeyTargetWindow target(L"target");
  InputWatch watch;
  Harness harness(testing_config::MakeDevice(u"Set", 0x9070, 3, {1, 2, 3, 5, 4}, {110, 115}));
  harness.settings.mouseAssignments[3].functionCode = config::FN_COPY;         // fourth button
  harness.settings.mouseAssignments[2].functionCode = config::FN_RIGHT_CLICK;  // middle button
  harness.settings.keyAssignments[0].functionCode = config::FN_VOLUME_UP;      // play key
  config::ButtonAssignment& mute = harness.settings.keyAssignments[1];
  mute.functionCode = config::FN_COMBINATION;
  mute.comboModifiers = 0x01;
  mute.comboKey1 = 'B';

  // Under a loaded Wine the desktop now and then takes the front away in the
  // middle of a run; the keys then go nowhere, which says nothing about the
  // program. Such a run is repeated: a fault of the program fails every run.
  bool delivered = false;
  for (int attempt = 0; attempt < 3 && !delivered; ++attempt) {
    ASSERT_TRUE(KeepInFront(target)) << "in front: " << ForegroundTitle();
    watch.Clear();
    target.Clear();
    harness.dispatcher.OnDriverEvent(0x08, 3);        // fourth button down
    harness.dispatcher.OnDriverEvent(0x0C, 3);        // middle button down as well
    harness.dispatcher.OnDriverEvent(0x00, 3);        // both up: nothing
    harness.dispatcher.OnDriverEvent(0x400000CD, 3);  // play key
    harness.dispatcher.OnDriverEvent(0x400000E2, 3);  // mute key
    // Once the marker sent after the events has come, so has all they made.
    ASSERT_TRUE(watch.AllArrived()) << Describe(watch.Events());
    // The right click may take the front from the target, so only the copy
    // that comes before it is waited for there.
    delivered = WaitUntil([&] { return target.Keys().size() >= 4; });
  }

  const std::vector<InputWatch::Event> seen = watch.Events();
  const std::vector<std::pair<bool, uint32_t>> expected = {
      {true, 0x11}, {true, 0x43}, {true, 0x43}, {true, 0x11},  // Ctrl+C, extended
      {false, WM_RBUTTONDOWN}, {false, WM_RBUTTONUP},
      {true, VK_VOLUME_UP}, {true, VK_VOLUME_UP},
      {true, 0x11}, {true, 'B'}, {true, 'B'}, {true, 0x11},    // the combination: plain keys
  };
  const uint32_t flags[] = {kExtendedInjected, kExtendedInjected, kExtendedInjectedUp, kExtendedInjectedUp,
                            LLMHF_INJECTED,    LLMHF_INJECTED,    kExtendedInjected,   kExtendedInjectedUp,
                            LLKHF_INJECTED,    LLKHF_INJECTED,    LLKHF_INJECTED | LLKHF_UP,
                            LLKHF_INJECTED | LLKHF_UP};
  ASSERT_EQ(seen.size(), expected.size()) << Describe(seen);
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].keyboard, expected[i].first) << i << ": " << Describe(seen);
    EXPECT_EQ(seen[i].code, expected[i].second) << i << ": " << Describe(seen);
    EXPECT_EQ(seen[i].flags, flags[i]) << i << ": " << Describe(seen);
  }

  // The window in front got Ctrl+C as extended keys (bit 24 of lParam).
  ASSERT_TRUE(delivered) << "in front: " << ForegroundTitle();
  const std::vector<KeyTargetWindow::Key> keys = target.Keys();
  EXPECT_EQ(keys[0].message, WM_KEYDOWN);
  EXPECT_EQ(keys[0].vk, static_cast<WPARAM>(VK_CONTROL));
  EXPECT_EQ(keys[1].message, WM_KEYDOWN);
  EXPECT_EQ(keys[1].vk, static_cast<WPARAM>('C'));
  EXPECT_EQ(keys[2].message, WM_KEYUP);
  EXPECT_EQ(keys[2].vk, static_cast<WPARAM>('C'));
  EXPECT_EQ(keys[3].message, WM_KEYUP);
  EXPECT_EQ(keys[3].vk, static_cast<WPARAM>(VK_CONTROL));
  for (int i = 0; i < 4; ++i) EXPECT_NE(keys[i].lParam & (1 << 24), 0) << Describe(keys);
}

// --- copying out of the system's text editor

struct FoundWindow {
  DWORD process;
  HWND window;
};

BOOL CALLBACK FindEditorWindow(HWND window, LPARAM context) {
  auto* found = reinterpret_cast<FoundWindow*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (process != found->process || std::wcscmp(className, L"Notepad") != 0 || !IsWindowVisible(window)) return TRUE;
  found->window = window;
  return FALSE;
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

TEST(ActionEngineWin32Test, AButtonAssignedCopyCopiesTheSelectedTextOutOfTheTextEditor) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring file = std::wstring(folder) + L"vn24g-copy-test.txt";
  const char content[] = "Copied by a remapped button";
  {
    FILE* out = _wfopen(file.c_str(), L"wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(content, 1, sizeof content - 1, out);
    std::fclose(out);
  }
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();

  std::wstring command = L"notepad.exe \"" + file + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION editor = {};
  ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &editor));
  FoundWindow found{editor.dwProcessId, nullptr};
  WaitUntil([&] {
    EnumWindows(FindEditorWindow, reinterpret_cast<LPARAM>(&found));
    return found.window != nullptr;
  });
  ASSERT_NE(found.window, nullptr) << "the text editor did not open";
  const HWND edit = FindWindowExW(found.window, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  // The file is loaded once the editor shows text. (The text of another
  // process's control is asked for by message.)
  WaitUntil([&] { return SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0) > 0; });
  SetForegroundWindow(found.window);
  WaitUntil([&] { return GetForegroundWindow() == found.window; }, 3000);
  SendMessageW(edit, EM_SETSEL, 0, -1);

  Harness harness(testing_config::MakeDevice(u"Mouse", 0x1000, 1, {1, 2, 3, 5, 4}, {}));
  harness.settings.mouseAssignments[3].functionCode = config::FN_COPY;
  harness.dispatcher.OnDriverEvent(0x08, 1);
  harness.dispatcher.OnDriverEvent(0x00, 1);
  const bool copied = WaitUntil([] { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; });

  TerminateProcess(editor.hProcess, 0);
  WaitForSingleObject(editor.hProcess, 5000);
  CloseHandle(editor.hThread);
  CloseHandle(editor.hProcess);
  DeleteFileW(file.c_str());
  ASSERT_TRUE(copied) << "nothing reached the clipboard";
  EXPECT_EQ(ClipboardText(), L"Copied by a remapped button");
}

// --- sideways scrolling of real windows

// A top-level window in the top left corner holding a view of a given class
// and, below it, a horizontal scroll bar whose position it keeps: the scroll
// messages of the bar move it one step per line.
class ScrollHost {
 public:
  explicit ScrollHost(const wchar_t* viewClass) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW host = {};
    host.lpfnWndProc = &ScrollHost::Procedure;
    host.hInstance = instance;
    host.lpszClassName = L"vn24gScrollHost";
    RegisterClassW(&host);
    WNDCLASSW view = {};
    view.lpfnWndProc = DefWindowProcW;
    view.hInstance = instance;
    view.lpszClassName = viewClass;
    RegisterClassW(&view);
    window_ = CreateWindowExW(WS_EX_TOPMOST, L"vn24gScrollHost", L"scroll host", WS_POPUP | WS_VISIBLE, 0, 0, 600,
                              400, nullptr, nullptr, instance, nullptr);
    view_ = CreateWindowExW(0, viewClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 600, 380, window_, nullptr, instance,
                            nullptr);
    bar_ = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 380, 600, 20, window_,
                           nullptr, instance, nullptr);
    SetScrollRange(bar_, SB_CTL, 0, 100, FALSE);
    SetScrollPos(bar_, SB_CTL, 50, TRUE);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
  }
  ~ScrollHost() { DestroyWindow(window_); }

  HWND View() const { return view_; }
  // Puts the cursor over the view; true when the view is what lies there.
  bool PointAtView() const {
    SetCursorPos(200, 150);
    return WindowFromPoint(POINT{200, 150}) == view_;
  }
  int Position() const { return GetScrollPos(bar_, SB_CTL); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HSCROLL && lParam != 0) {
      const HWND bar = reinterpret_cast<HWND>(lParam);
      const int position = GetScrollPos(bar, SB_CTL);
      if (LOWORD(wParam) == SB_LINELEFT) SetScrollPos(bar, SB_CTL, position - 1, TRUE);
      if (LOWORD(wParam) == SB_LINERIGHT) SetScrollPos(bar, SB_CTL, position + 1, TRUE);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  HWND view_ = nullptr;
  HWND bar_ = nullptr;
};

// A mouse whose wheel tilts scroll left and right.
Harness TiltMouse() {
  return Harness(testing_config::MakeDevice(u"Tilt", 0x1000, 1, {1, 2, 16, 17}, {}));
}

TEST(ActionEngineWin32Test, TiltingScrollsAnEditControlWithAHorizontalScrollBar) {
  ScrollHost host(L"vn24gPlainView");
  const HWND edit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | ES_MULTILINE | ES_AUTOHSCROLL,
                                    0, 0, 300, 200, host.View(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowTextW(edit, std::wstring(400, L'w').c_str());
  SendMessageW(edit, EM_SETSEL, 0, 0);
  SetCursorPos(100, 100);
  ASSERT_EQ(WindowFromPoint(POINT{100, 100}), edit);
  Harness harness = TiltMouse();

  harness.dispatcher.OnDriverEvent(0x201, 1);  // tilt right: sent at once
  const int right = GetScrollPos(edit, SB_HORZ);
  EXPECT_GT(right, 0);
  harness.dispatcher.OnDriverEvent(0x2FF, 1);  // tilt left: posted
  WaitUntil([&] { return GetScrollPos(edit, SB_HORZ) < right; }, 3000);
  EXPECT_EQ(GetScrollPos(edit, SB_HORZ), 0);
}

// Tilts the wheel and lets the window settle: true when the bar reaches
// `position` and is still there once this thread has taken the marker sent
// after the tilt, that is, all the tilt posted or clicked.
bool TiltTo(Harness& harness, const ScrollHost& host, uint32_t tilt, int position) {
  harness.dispatcher.OnDriverEvent(tilt, 1);
  WaitUntil([&] { return host.Position() == position; });
  return PumpUntilMarkerTaken(PumpPending) && host.Position() == position;
}

TEST(ActionEngineWin32Test, TiltingOverADocumentViewMovesTheScrollBarBesideIt) {
  ScrollHost host(L"_WwG");
  ASSERT_TRUE(host.PointAtView());
  Harness harness = TiltMouse();
  EXPECT_TRUE(TiltTo(harness, host, 0x2FF, 47)) << host.Position();
  EXPECT_TRUE(TiltTo(harness, host, 0x201, 50)) << host.Position();
}

TEST(ActionEngineWin32Test, TiltingOverASpreadsheetClicksTheScrollBarsArrowsAndPutsTheCursorBack) {
  ScrollHost host(L"EXCEL7");
  ASSERT_TRUE(host.PointAtView());
  Harness harness = TiltMouse();
  EXPECT_TRUE(TiltTo(harness, host, 0x2FF, 47)) << host.Position();
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, 200);
  EXPECT_EQ(cursor.y, 150);
  EXPECT_TRUE(TiltTo(harness, host, 0x201, 50)) << host.Position();
}

// --- macros

constexpr wchar_t kMainTitle[] = L"Varnok 2.4G test main window";

class MacroWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(&macro::TheMacroStore, 0, sizeof(macro::TheMacroStore));
    macro::TheMacroStore.macroCount = 1;
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_mouse_title"),
                               std::u16string(reinterpret_cast<const char16_t*>(kMainTitle)));
  }
  void TearDown() override {
    std::memset(&macro::TheMacroStore, 0, sizeof(macro::TheMacroStore));
    LabelTable::Instance().Clear();
  }
  macro::tagMACROINFO& Macro() { return macro::TheMacroStore.macros[0]; }
  void Add(uint8_t vk, bool released, int32_t delayMs) {
    macro::tagMACROINFO& m = Macro();
    m.events[m.eventCount++] = {vk, static_cast<uint8_t>(released ? 1 : 0), {}, delayMs};
  }
};

// The pauses themselves are the native playback tests' to check, on their
// clock; here the keys of a looped macro with pauses reach a window of
// another thread, all of them, in order.
TEST_F(MacroWin32Test, AMacroWithLoopsAndPausesPlaysItsKeysInOrderIntoTheWindowInFront) {
  KeyTargetWindow target(L"macro target");
  ASSERT_TRUE(target.BringToFront());
  Add('A', false, 100);
  Add('A', true, 0);
  Add('B', false, 200);
  Add('B', true, 30);
  Macro().loopEnabled = 1;
  Macro().loopCount = 2;

  actions::PlayMacro(uint8_t{0});
  ASSERT_TRUE(target.AllArrived()) << "in front: " << ForegroundTitle();
  const std::vector<KeyTargetWindow::Key> keys = target.Keys();
  ASSERT_EQ(keys.size(), 8u) << Describe(keys);
  const WPARAM vks[] = {'A', 'A', 'B', 'B', 'A', 'A', 'B', 'B'};
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].vk, vks[i]) << Describe(keys);
    EXPECT_EQ(keys[i].message, i % 2 == 0 ? static_cast<UINT>(WM_KEYDOWN) : static_cast<UINT>(WM_KEYUP));
  }
}

TEST_F(MacroWin32Test, PlaybackStopsWhenTheMainWindowComesToTheFrontAndReleasesWhatItHeld) {
  KeyTargetWindow target(L"macro target");
  ASSERT_TRUE(target.BringToFront());
  InputWatch watch;
  // Fifteen taps with long pauses: the main window has seconds to come up
  // after the first tap, however busy the machine.
  Add(VK_LCONTROL, false, 0);
  for (int i = 0; i < 15; ++i) {
    Add('X', false, 0);
    Add('X', true, 300);
  }
  Add(VK_LCONTROL, true, 0);

  std::unique_ptr<KeyTargetWindow> mainWindow;
  std::thread opener([&] {
    WaitUntil([&] {
      for (const InputWatch::Event& key : watch.KeyEvents())
        if (key.code == 'X') return true;
      return false;
    });
    mainWindow = std::make_unique<KeyTargetWindow>(kMainTitle);
    mainWindow->BringToFront();
  });
  actions::PlayMacro(uint8_t{0});
  opener.join();

  ASSERT_TRUE(watch.AllArrived());
  const std::vector<InputWatch::Event> keys = watch.KeyEvents();
  int xDown = 0, xUp = 0, ctrlDown = 0, ctrlUp = 0;
  for (const InputWatch::Event& key : keys) {
    const bool up = (key.flags & LLKHF_UP) != 0;
    if (key.code == 'X') (up ? xUp : xDown)++;
    if (key.code == VK_LCONTROL || key.code == VK_CONTROL) (up ? ctrlUp : ctrlDown)++;
  }
  EXPECT_GT(xDown, 0);
  EXPECT_LT(xDown, 15);
  EXPECT_EQ(xDown, xUp) << Describe(keys);
  EXPECT_EQ(ctrlDown, 1) << Describe(keys);
  EXPECT_EQ(ctrlUp, 1) << Describe(keys);
  ASSERT_FALSE(keys.empty());
  EXPECT_TRUE(keys.back().code == VK_LCONTROL || keys.back().code == VK_CONTROL) << Describe(keys);
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0);
  EXPECT_EQ(GetAsyncKeyState('X') & 0x8000, 0);
}

// --- the social-site library

TEST(ActionEngineWin32Test, TheSocialSiteLibraryZoomsTheWindowInFrontUntilItIsReleased) {
  fakes::FakeProcess program;
  program.path = wintest::DistFolder() + u"vn24g.exe";
  platform::ScopedService<platform::Process> programService(program);
  KeyTargetWindow target(L"zoom target");
  ASSERT_TRUE(target.BringToFront());

  actions::CFaceBookFunction site;
  site.LoadQuickAccess();
  ASSERT_TRUE(site.IsLoaded()) << "QuickAccess.dll not found beside the program";
  const HMODULE library = GetModuleHandleW(L"QuickAccess.dll");
  ASSERT_NE(library, nullptr);
  for (const char* name : quickaccess::kExports)
    EXPECT_NE(GetProcAddress(library, name), nullptr) << name;

  config::ButtonAssignment record{};
  for (int round = 0; round < 2; ++round) {  // the library survives each action
    record.functionCode = config::FN_FB_ZOOM_IN_WINDOW;
    actions::ExecuteAssignment(record, site);
    EXPECT_TRUE(IsZoomed(target.Handle())) << "round " << round;
    record.functionCode = config::FN_FB_ZOOM_OUT_WINDOW;
    actions::ExecuteAssignment(record, site);
    EXPECT_FALSE(IsZoomed(target.Handle())) << "round " << round;
  }

  site.ReleaseQuickAccess();
  EXPECT_EQ(GetModuleHandleW(L"QuickAccess.dll"), nullptr);
  record.functionCode = config::FN_FB_ZOOM_IN_WINDOW;
  actions::ExecuteAssignment(record, site);
  EXPECT_FALSE(IsZoomed(target.Handle()));
}

TEST_F(MacroWin32Test, AnExitCommandForTheMainWindowCutsALongPauseShortAndReleasesWhatItHeld) {
  KeyTargetWindow target(L"macro target");
  ASSERT_TRUE(target.BringToFront());
  // The main window lives on the thread that plays, as the program's does;
  // it stays hidden.
  const HWND mainWindow = CreateWindowExW(0, L"STATIC", kMainTitle, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                          GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(mainWindow, nullptr);
  InputWatch watch;
  Add('A', false, 60000);
  Add('B', false, 0);
  Add('B', true, 0);
  Add('A', true, 0);

  // The command comes while A's pause of a minute runs.
  std::thread exitCommand([&] {
    WaitUntil([&] { return !watch.KeyEvents().empty(); });
    PostMessageW(mainWindow, WM_COMMAND, 2, 0);
  });
  actions::PlayMacro(uint8_t{0});
  exitCommand.join();
  // The command is left for the window's own loop.
  MSG command = {};
  EXPECT_TRUE(PeekMessageW(&command, mainWindow, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(command.wParam, 2u);
  DestroyWindow(mainWindow);

  ASSERT_TRUE(watch.AllArrived());
  std::vector<std::pair<DWORD, bool>> seen;
  for (const InputWatch::Event& key : watch.KeyEvents()) seen.push_back({key.code, (key.flags & LLKHF_UP) != 0});
  EXPECT_EQ(seen, (std::vector<std::pair<DWORD, bool>>{{'A', false}, {'A', true}}));
}

}  // namespace

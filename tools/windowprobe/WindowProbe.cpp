// The end-to-end scripts' eyes and hands inside Wine: what a person sees of
// a window (shown or not, where, in front or not), what another program can
// do to it (ShowWindow from outside), what the program stored (one model's
// assignments and who may change them, the recorded macros), and what an
// action did (the clipboard, the keys a target window received).

#include <windows.h>
#include <tlhelp32.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "config/MacroStore.h"
#include "config/SettingsRecord.h"
#include "tools/windowprobe/AccessList.h"

namespace {

const wchar_t kUsage[] =
    L"usage: vn24g_windowprobe COMMAND [ARGUMENTS]\n"
    L"  state TITLE          print shown, hidden or minimised for the top-level window TITLE\n"
    L"  show TITLE           ShowWindow(SW_SHOW) on it from this process\n"
    L"  rect TITLE           print its screen rectangle: LEFT TOP RIGHT BOTTOM\n"
    L"  client TITLE         print the size of its client area: WIDTH HEIGHT\n"
    L"  control TITLE ID     print the screen rectangle of its child control ID\n"
    L"  front TITLE          bring it to the front\n"
    L"  focus                print the title of the window that has the keyboard focus\n"
    L"  focusid              print the id of the control that has the keyboard focus\n"
    L"  count TITLE ID       print the number of entries of its list box ID\n"
    L"  busy TITLE           succeed when the window's thread takes no message for half a second\n"
    L"  processes NAME       print how many processes of that executable name are running\n"
    L"  cursor               print where the pointer is as Windows has taken it: X Y\n"
    L"  keymark SECONDS      hook the keyboard, print ready, and end once a Pause key has passed the\n"
    L"                       hook (which keeps it from every program); fails after SECONDS\n"
    L"  list                 print the visible top-level windows: CLASS LEFT TOP RIGHT BOTTOM TITLE\n"
    L"  foreground           print the foreground window the same way\n"
    L"  at X Y               print the top-level window at the screen point X, Y the same way\n"
    L"  children TITLE       print its visible child windows, children of children included, the same way\n"
    L"                       but with the text each holds\n"
    L"  text TITLE ID        print the text its child control ID holds now (what was typed into a box)\n"
    L"  rows TITLE ID        print the rows of its list box ID, one a line: KIND TEXT, KIND the row's data\n"
    L"  balloons             print every visible tooltip window: LEFT TOP RIGHT BOTTOM TEXT\n"
    L"  assignments MODEL    print the function codes stored for MODEL, in hexadecimal, and its two\n"
    L"                       scroll values (\"scroll LINES SETTING\")\n"
    L"  assign MODEL mouse|key POSITION CODE [MACRO]\n"
    L"                       store CODE (and the macro number MACRO) as the function of one button\n"
    L"                       in MODEL's stored record\n"
    L"  macros               print the stored macros, one a line: INDEX DELAYS LOOP COUNT EVENTS NAME,\n"
    L"                       EVENTS as KEY+ (press) or KEY- (release) in hexadecimal, /MS after a pause, - for none\n"
    L"  clipboard            print the clipboard's text\n"
    L"  setclipboard TEXT    put TEXT on the clipboard\n"
    L"  target TITLE LOG [TEXT]\n"
    L"                       show a window with a text field holding TEXT that appends every key\n"
    L"                       it receives to LOG (\"down 0x11\"), until it is closed\n"
    L"  access key|file NAME print the access list of a registry key (MACHINE\\SOFTWARE\\...) or a file:\n"
    L"                       allow|deny SID MASK FLAGS, one entry a line\n";

constexpr wchar_t kSettingsRoot[] = L"Software\\Varnok\\VN24G\\";
constexpr wchar_t kSettingsValue[] = L"ButtonSetting";
constexpr wchar_t kMacroKey[] = L"Software\\Varnok\\VN24G\\24GMacro";
constexpr wchar_t kMacroValue[] = L"MacroSetting";

void PrintUtf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], size, nullptr, nullptr);
  std::printf("%s", bytes.c_str());
}

std::wstring TitleOf(HWND window) {
  wchar_t title[512] = {};
  if (window) GetWindowTextW(window, title, 511);
  return title;
}

HWND FindByTitle(const wchar_t* title) {
  const HWND window = FindWindowW(nullptr, title);
  if (!window) {
    std::fputs("vn24g_windowprobe: no window with that title\n", stderr);
  }
  return window;
}

int State(const wchar_t* title) {
  const HWND window = FindByTitle(title);
  if (!window) return 1;
  if (!IsWindowVisible(window)) {
    std::printf("hidden\n");
  } else {
    std::printf(IsIconic(window) ? "minimised\n" : "shown\n");
  }
  return 0;
}

int Show(const wchar_t* title) {
  const HWND window = FindByTitle(title);
  if (!window) return 1;
  ShowWindow(window, SW_SHOW);
  return 0;
}

int Rect(const wchar_t* title) {
  const HWND window = FindByTitle(title);
  RECT rect;
  if (!window || !GetWindowRect(window, &rect)) return 1;
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

int Client(const wchar_t* title) {
  const HWND window = FindByTitle(title);
  RECT rect;
  if (!window || !GetClientRect(window, &rect)) return 1;
  std::printf("%ld %ld\n", rect.right - rect.left, rect.bottom - rect.top);
  return 0;
}

// Controls are found by their id, so that a script clicks a dialog's button
// wherever the dialog's font puts it.
int Control(const wchar_t* title, const wchar_t* id) {
  const HWND window = FindByTitle(title);
  if (!window) return 1;
  const HWND control = GetDlgItem(window, static_cast<int>(std::wcstol(id, nullptr, 0)));
  RECT rect;
  if (!control || !GetWindowRect(control, &rect)) {
    std::fputs("vn24g_windowprobe: no control with that id\n", stderr);
    return 1;
  }
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

int Front(const wchar_t* title) {
  const HWND window = FindByTitle(title);
  if (!window) return 1;
  return SetForegroundWindow(window) ? 0 : 1;
}

int Focus() {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(0, &info)) return 1;
  HWND holder = info.hwndFocus ? info.hwndFocus : info.hwndActive;
  if (!holder) return 1;
  PrintUtf8(TitleOf(GetAncestor(holder, GA_ROOT)) + L"\n");
  return 0;
}

int FocusId() {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(0, &info) || !info.hwndFocus) return 1;
  std::printf("%d\n", GetDlgCtrlID(info.hwndFocus));
  return 0;
}

int Count(const wchar_t* title, const wchar_t* id) {
  const HWND window = FindByTitle(title);
  if (!window) return 1;
  const HWND list = GetDlgItem(window, static_cast<int>(std::wcstol(id, nullptr, 0)));
  DWORD_PTR count = 0;
  if (!list || !SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return 1;
  std::printf("%ld\n", static_cast<long>(static_cast<LRESULT>(count)));
  return 0;
}

int Busy(const wchar_t* title) {
  const HWND window = FindByTitle(title);
  if (!window) return 1;
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 500, &result) ? 1 : 0;
}

int Processes(const wchar_t* name) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 1;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (lstrcmpiW(entry.szExeFile, name) == 0) ++count;
  CloseHandle(snapshot);
  std::printf("%d\n", count);
  return 0;
}

int Cursor() {
  POINT at = {};
  if (!GetCursorPos(&at)) return 1;
  std::printf("%ld %ld\n", at.x, at.y);
  return 0;
}

// The keyboard hook installed last is asked first, so the marker key is
// taken before any other hook or program sees it; every key typed before it
// has been through all the hooks by then.
bool markerPassed = false;

LRESULT CALLBACK MarkerHook(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && reinterpret_cast<const KBDLLHOOKSTRUCT*>(data)->vkCode == VK_PAUSE) {
    if (message == WM_KEYUP || message == WM_SYSKEYUP) markerPassed = true;
    return 1;
  }
  return CallNextHookEx(nullptr, code, message, data);
}

int KeyMark(const wchar_t* seconds) {
  const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, MarkerHook, GetModuleHandleW(nullptr), 0);
  if (!hook) return 1;
  std::printf("ready\n");
  std::fflush(stdout);
  const DWORD limit = static_cast<DWORD>(std::wcstoul(seconds, nullptr, 10)) * 1000;
  const DWORD start = GetTickCount();
  MSG msg;
  while (!markerPassed && GetTickCount() - start < limit) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  UnhookWindowsHookEx(hook);
  return markerPassed ? 0 : 1;
}

// The text a window answers WM_GETTEXT with: for a text field of another
// program what it holds (GetWindowText gives only the title it was made
// with), for a tooltip the text it shows.
std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 511, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return text;
}

// One line for a window; `asked` takes its text by WM_GETTEXT.
BOOL CALLBACK ListOne(HWND window, LPARAM asked) {
  if (!IsWindowVisible(window)) return TRUE;
  wchar_t className[256] = {};
  GetClassNameW(window, className, 255);
  RECT rect = {};
  GetWindowRect(window, &rect);
  wchar_t line[1024];
  std::swprintf(line, 1024, L"%ls %ld %ld %ld %ld %ls\n", className, rect.left, rect.top, rect.right, rect.bottom,
                (asked ? TextOf(window) : TitleOf(window)).c_str());
  PrintUtf8(line);
  return TRUE;
}

// The top-level window that `window` belongs to, as a line of `list`.
int PrintTopLevel(HWND window) {
  if (!window) {
    std::fputs("vn24g_windowprobe: no window there\n", stderr);
    return 1;
  }
  ListOne(GetAncestor(window, GA_ROOT), 0);
  return 0;
}

int Foreground() { return PrintTopLevel(GetForegroundWindow()); }

int WindowAt(const wchar_t* x, const wchar_t* y) {
  const POINT point = {std::wcstol(x, nullptr, 0), std::wcstol(y, nullptr, 0)};
  return PrintTopLevel(WindowFromPoint(point));
}

int List() {
  EnumWindows(ListOne, 0);
  return 0;
}

int Children(const wchar_t* title) {
  const HWND window = FindByTitle(title);
  if (!window) return 1;
  // A child of a hidden page counts as hidden, though its own style says
  // visible.
  EnumChildWindows(
      window, [](HWND child, LPARAM) -> BOOL { return IsWindowVisible(child) ? ListOne(child, 1) : TRUE; }, 0);
  return 0;
}

// A child control by its id; null with a message when there is none.
HWND ChildById(const wchar_t* title, const wchar_t* id) {
  const HWND window = FindByTitle(title);
  if (!window) return nullptr;
  const HWND control = GetDlgItem(window, static_cast<int>(std::wcstol(id, nullptr, 0)));
  if (!control) std::fputs("vn24g_windowprobe: no control with that id\n", stderr);
  return control;
}

// Asked of the control itself: the text of an edit box lives with the box,
// not in the window title another process would read.
int Text(const wchar_t* title, const wchar_t* id) {
  const HWND control = ChildById(title, id);
  if (!control) return 1;
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, 511, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied))
    return 1;
  PrintUtf8(std::wstring(text) + L"\n");
  return 0;
}

int Rows(const wchar_t* title, const wchar_t* id) {
  const HWND list = ChildById(title, id);
  if (!list) return 1;
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return 1;
  for (DWORD_PTR row = 0; row < count; ++row) {
    wchar_t text[512] = {};
    DWORD_PTR length = 0, data = 0;
    SendMessageTimeoutW(list, LB_GETTEXTLEN, row, 0, SMTO_ABORTIFHUNG, 5000, &length);
    if (length < 512)
      SendMessageTimeoutW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &length);
    SendMessageTimeoutW(list, LB_GETITEMDATA, row, 0, SMTO_ABORTIFHUNG, 5000, &data);
    PrintUtf8(std::to_wstring(static_cast<long long>(data)) + L" " + text + L"\n");
  }
  return 0;
}

BOOL CALLBACK BalloonOne(HWND window, LPARAM) {
  wchar_t className[64] = {};
  GetClassNameW(window, className, 63);
  if (!IsWindowVisible(window) || lstrcmpiW(className, L"tooltips_class32") != 0) return TRUE;
  // The window title of a tooltip is empty.
  const std::wstring text = TextOf(window);
  RECT rect = {};
  GetWindowRect(window, &rect);
  wchar_t line[1024];
  std::swprintf(line, 1024, L"%ld %ld %ld %ld %ls\n", rect.left, rect.top, rect.right, rect.bottom, text.c_str());
  PrintUtf8(line);
  return TRUE;
}

int Balloons() {
  EnumWindows(BalloonOne, 0);
  return 0;
}

// The model's stored record, read whole; false with a message when it is
// missing or not a whole record.
bool ReadRecord(const wchar_t* model, HKEY& key, config::tagVARNOK24G_DATA_& record) {
  const std::wstring path = std::wstring(kSettingsRoot) + model;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WRITE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
    std::fputs("vn24g_windowprobe: the model has no settings key\n", stderr);
    return false;
  }
  DWORD type = 0;
  DWORD size = sizeof(record);
  const LONG result =
      RegQueryValueExW(key, kSettingsValue, nullptr, &type, reinterpret_cast<BYTE*>(&record), &size);
  if (result != ERROR_SUCCESS || type != REG_BINARY || size != sizeof(record)) {
    std::fprintf(stderr, "vn24g_windowprobe: no whole settings record stored (result %ld, type %lu, %lu bytes)\n",
                 result, type, size);
    RegCloseKey(key);
    return false;
  }
  return true;
}

// The counts come from the stored record; never more than its arrays hold.
std::size_t Used(int32_t count, std::size_t capacity) {
  return count < 0 ? 0 : static_cast<std::size_t>(count) > capacity ? capacity : static_cast<std::size_t>(count);
}

int Assignments(const wchar_t* model) {
  HKEY key = nullptr;
  config::tagVARNOK24G_DATA_ record;
  if (!ReadRecord(model, key, record)) return 1;
  RegCloseKey(key);
  std::printf("model 0x%x type %u\nmouse", static_cast<unsigned>(record.modelValue), record.deviceType);
  for (std::size_t i = 0; i < Used(record.mouseButtonCount, config::kMaxMouseButtons); ++i)
    std::printf(" %02X", record.mouseAssignments[i].functionCode);
  std::printf("\nkeys");
  for (std::size_t i = 0; i < Used(record.keyCount, config::kMaxKeys); ++i)
    std::printf(" %02X", record.keyAssignments[i].functionCode);
  std::printf("\nscroll %d %d\n", static_cast<int>(record.wheelScrollLines), static_cast<int>(record.scrollSetting));
  return 0;
}

int Assign(const wchar_t* model, const wchar_t* kind, const wchar_t* position, const wchar_t* code,
           const wchar_t* macroIndex) {
  const bool mouse = std::wcscmp(kind, L"mouse") == 0;
  if (!mouse && std::wcscmp(kind, L"key") != 0) return std::fputws(kUsage, stderr), 2;
  const unsigned long at = std::wcstoul(position, nullptr, 0);
  if (at >= (mouse ? config::kMaxMouseButtons : config::kMaxKeys)) {
    std::fputs("vn24g_windowprobe: no such position\n", stderr);
    return 2;
  }
  HKEY key = nullptr;
  config::tagVARNOK24G_DATA_ record;
  if (!ReadRecord(model, key, record)) return 1;
  config::ButtonAssignment& assignment = mouse ? record.mouseAssignments[at] : record.keyAssignments[at];
  assignment.functionCode = static_cast<uint8_t>(std::wcstoul(code, nullptr, 0));
  if (macroIndex) assignment.macroIndex = static_cast<uint8_t>(std::wcstoul(macroIndex, nullptr, 0));
  const LONG result =
      RegSetValueExW(key, kSettingsValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&record), sizeof(record));
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? 0 : 1;
}

int Macros() {
  static macro::MacroStore store;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMacroKey, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
    std::fputs("vn24g_windowprobe: no macro key\n", stderr);
    return 1;
  }
  DWORD type = 0;
  DWORD size = sizeof(store);
  const LONG result = RegQueryValueExW(key, kMacroValue, nullptr, &type, reinterpret_cast<BYTE*>(&store), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_BINARY || size != sizeof(store)) {
    std::fputs("vn24g_windowprobe: no whole macro store stored\n", stderr);
    return 1;
  }
  for (std::size_t i = 0; i < Used(store.macroCount, macro::kMaxMacros); ++i) {
    const macro::tagMACROINFO& m = store.macros[i];
    std::printf("%u %d %d %d ", static_cast<unsigned>(i), m.recordDelays, m.loopEnabled, m.loopCount);
    if (Used(m.eventCount, macro::kMaxEvents) == 0) std::printf("-");
    for (std::size_t e = 0; e < Used(m.eventCount, macro::kMaxEvents); ++e) {
      std::printf("%s%02X%c", e ? "," : "", m.events[e].vk, m.events[e].released ? '-' : '+');
      if (m.events[e].delayMs != 0) std::printf("/%d", m.events[e].delayMs);
    }
    std::printf(" ");
    std::wstring name;
    for (std::size_t c = 0; c < macro::kMacroNameUnits && m.macroName[c]; ++c)
      name.push_back(static_cast<wchar_t>(m.macroName[c]));
    PrintUtf8(name + L"\n");
  }
  return 0;
}

int Clipboard() {
  // Another program may hold the clipboard for a moment.
  for (int attempt = 0; !OpenClipboard(nullptr); ++attempt) {
    if (attempt == 20) return 1;
    Sleep(50);
  }
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  PrintUtf8(text + L"\n");
  return 0;
}

int SetClipboard(const wchar_t* text) {
  for (int attempt = 0; !OpenClipboard(nullptr); ++attempt) {
    if (attempt == 20) return 1;
    Sleep(50);
  }
  EmptyClipboard();
  const std::size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool ok = false;
  if (memory) {
    std::memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!ok) GlobalFree(memory);
  }
  CloseClipboard();
  return ok ? 0 : 1;
}

// The target window: a text field that takes the keyboard focus, and a log
// of every key message that reaches the thread, written as it arrives so a
// script can read it while the window runs.
FILE* keyLog = nullptr;
HWND textField = nullptr;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (textField) MoveWindow(textField, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (textField) SetFocus(textField);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void LogKey(const MSG& msg) {
  const char* what = nullptr;
  switch (msg.message) {
    case WM_KEYDOWN: what = "down"; break;
    case WM_KEYUP: what = "up"; break;
    case WM_SYSKEYDOWN: what = "sysdown"; break;
    case WM_SYSKEYUP: what = "sysup"; break;
    default: return;
  }
  std::fprintf(keyLog, "%s 0x%02X\n", what, static_cast<unsigned>(msg.wParam));
  std::fflush(keyLog);
}

int Target(const wchar_t* title, const wchar_t* logPath, const wchar_t* text) {
  keyLog = _wfopen(logPath, L"w");
  if (!keyLog) return 1;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = TargetProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"Vn24gProbeTarget";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, 40, 40, 360, 160,
                                      nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  textField = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text,
                              WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL, 0, 0, 360, 160,
                              window, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(textField);
  std::fprintf(keyLog, "ready\n");
  std::fflush(keyLog);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    LogKey(msg);
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  std::fclose(keyLog);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return std::fputws(kUsage, stderr), 2;
  const std::wstring command = argv[1];
  if (command == L"state" && argc == 3) return State(argv[2]);
  if (command == L"show" && argc == 3) return Show(argv[2]);
  if (command == L"rect" && argc == 3) return Rect(argv[2]);
  if (command == L"client" && argc == 3) return Client(argv[2]);
  if (command == L"control" && argc == 4) return Control(argv[2], argv[3]);
  if (command == L"front" && argc == 3) return Front(argv[2]);
  if (command == L"focus" && argc == 2) return Focus();
  if (command == L"cursor" && argc == 2) return Cursor();
  if (command == L"processes" && argc == 3) return Processes(argv[2]);
  if (command == L"busy" && argc == 3) return Busy(argv[2]);
  if (command == L"focusid" && argc == 2) return FocusId();
  if (command == L"count" && argc == 4) return Count(argv[2], argv[3]);
  if (command == L"keymark" && argc == 3) return KeyMark(argv[2]);
  if (command == L"list" && argc == 2) return List();
  if (command == L"foreground" && argc == 2) return Foreground();
  if (command == L"at" && argc == 4) return WindowAt(argv[2], argv[3]);
  if (command == L"children" && argc == 3) return Children(argv[2]);
  if (command == L"balloons" && argc == 2) return Balloons();
  if (command == L"text" && argc == 4) return Text(argv[2], argv[3]);
  if (command == L"rows" && argc == 4) return Rows(argv[2], argv[3]);
  if (command == L"assignments" && argc == 3) return Assignments(argv[2]);
  if (command == L"assign" && (argc == 6 || argc == 7))
    return Assign(argv[2], argv[3], argv[4], argv[5], argc == 7 ? argv[6] : nullptr);
  if (command == L"macros" && argc == 2) return Macros();
  if (command == L"clipboard" && argc == 2) return Clipboard();
  if (command == L"setclipboard" && argc == 3) return SetClipboard(argv[2]);
  if (command == L"access" && argc == 4) {
    const int result = PrintAccessList(argv[2], argv[3]);
    if (result == 2) std::fputws(kUsage, stderr);
    return result;
  }
  if (command == L"target" && (argc == 4 || argc == 5)) return Target(argv[2], argv[3], argc == 5 ? argv[4] : L"");
  std::fputws(kUsage, stderr);
  return 2;
}

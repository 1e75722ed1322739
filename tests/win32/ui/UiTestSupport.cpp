#include "UiTestSupport.h"

#include <commctrl.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <string>

#include "codes/PrivateMessages.h"
#include "platform/win32/GdiPlus.h"

namespace uitest {

namespace {

// The image library runs for the whole test program, as in the program.
class ImageLibrary : public ::testing::Environment {
 public:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    // The controls of the dialogs, as the program registers them at start.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
  }
  void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};
const auto* const kImageLibrary = ::testing::AddGlobalTestEnvironment(new ImageLibrary);

// Under Wine on a bare X server (no window manager, as the tests run),
// every top-level window that is hidden or destroyed waits two seconds for
// a manager to acknowledge it: a thousand dialogs would take more than an
// hour. Wine reads whether to hand windows to a manager per program, once,
// when the program starts; so when the setting for this program is not off
// yet, it is switched off and the program runs itself again. Windows proper
// has neither the setting nor the wait.
const bool kUnmanagedUnderWine = [] {
  const HMODULE system = GetModuleHandleW(L"ntdll.dll");
  if (!system || !GetProcAddress(system, "wine_get_version")) return false;
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const wchar_t* name = wcsrchr(exe, L'\\');
  const std::wstring key =
      std::wstring(L"Software\\Wine\\AppDefaults\\") + (name ? name + 1 : exe) + L"\\X11 Driver";
  HKEY settings = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                      &settings, nullptr))
    return false;
  wchar_t current[4] = {};
  DWORD size = sizeof(current);
  const bool alreadyOff = RegQueryValueExW(settings, L"Managed", nullptr, nullptr,
                                           reinterpret_cast<BYTE*>(current), &size) == ERROR_SUCCESS &&
                          (current[0] == L'N' || current[0] == L'n');
  if (!alreadyOff) {
    const wchar_t no[] = L"N";
    RegSetValueExW(settings, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(no), sizeof(no));
  }
  RegCloseKey(settings);
  if (alreadyOff) return true;
  std::wstring command = GetCommandLineW();
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION again = {};
  if (!CreateProcessW(exe, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &again))
    return false;
  WaitForSingleObject(again.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(again.hProcess, &code);
  ExitProcess(code);
}();

constexpr UINT kNextStep = WM_APP + 0x31;
constexpr UINT_PTR kWatchdog = 77;

// The GDI handle table of the process as Wine lays it out (the system's
// GetGuiResources is not implemented there): 65536 entries of 24 bytes,
// found through the process environment block, with a type byte that is 0
// for a free entry.
long CountGdiTableEntries() {
#if defined(_M_IX86) || defined(__i386__)
  const BYTE* peb = *reinterpret_cast<BYTE* const*>(reinterpret_cast<const BYTE*>(NtCurrentTeb()) + 0x30);
  const BYTE* table = *reinterpret_cast<BYTE* const*>(peb + 0x94);
#else
  const BYTE* peb = *reinterpret_cast<BYTE* const*>(reinterpret_cast<const BYTE*>(NtCurrentTeb()) + 0x60);
  const BYTE* table = *reinterpret_cast<BYTE* const*>(peb + 0xF8);
#endif
  if (!table) return -1;
  long used = 0;
  for (size_t entry = 0; entry < 0x10000; ++entry) {
    if (table[entry * 24 + 14] != 0) ++used;
  }
  return used;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

ui::Bitmap BitmapOf(int width, int height, const std::function<COLORREF(int, int)>& color) {
  ui::WindowDC screen(nullptr);
  ui::Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
  ui::MemoryDC dc(screen.Get());
  ui::SelectedObject selected(dc.Get(), bitmap.Get());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) SetPixelV(dc.Get(), x, y, color(x, y));
  return bitmap;
}

ui::Picture PictureOf(int width, int height, const std::function<COLORREF(int, int)>& color) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = color(x, y);
      bitmap->SetPixel(x, y, Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  return ui::Picture(std::move(bitmap));
}

}  // namespace

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ui::ProcessMessage(msg);
}

bool PumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  for (PumpPending(); !done() && GetTickCount() - start < 20000; PumpPending())
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  return done();
}

namespace {

// A message-only window that notes the markers PumpPosted posts it.
class MarkerWindow : public ui::Window {
 public:
  static constexpr UINT kMarker = WM_APP + 0x4D;
  MarkerWindow() { Create(0, u"", 0, RECT{0, 0, 0, 0}, HWND_MESSAGE); }
  bool marked = false;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != kMarker) return Window::WindowProc(message, wParam, lParam);
    marked = true;
    return 0;
  }
};

int releasesTaken = 0;

// Sees each mouse message as a loop of this thread takes it from the queue.
LRESULT CALLBACK CountReleases(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && (message == WM_LBUTTONUP || message == WM_NCLBUTTONUP)) ++releasesTaken;
  return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace

bool PumpPosted(int rounds) {
  MarkerWindow marker;
  for (int round = 0; round < rounds; ++round) {
    marker.marked = false;
    marker.Post(MarkerWindow::kMarker);
    if (!PumpUntil([&] { return marker.marked; })) return false;
  }
  return true;
}

ModalScript::ModalScript(ui::Dialog& dialog, std::vector<std::function<void()>> steps)
    : dialog_(dialog), steps_(steps.begin(), steps.end()) {
  Create(0, u"", 0, RECT{0, 0, 0, 0}, HWND_MESSAGE);
}

INT_PTR ModalScript::Run() {
  Post(kNextStep);
  return dialog_.DoModal();
}

LRESULT ModalScript::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kNextStep) {
    if (!steps_.empty()) {
      auto step = std::move(steps_.front());
      steps_.pop_front();
      step();
    }
    if (steps_.empty()) {
      SetTimer(Handle(), kWatchdog, 20000, nullptr);
    } else {
      Post(kNextStep);
    }
    return 0;
  }
  if (message == WM_TIMER && wParam == kWatchdog) {
    KillTimer(Handle(), kWatchdog);
    if (dialog_.IsModal()) dialog_.EndDialog(kStuck);
    return 0;
  }
  return Window::WindowProc(message, wParam, lParam);
}

// The hook library's report: the key in wParam, 0x80 in lParam for a release.
void PostHookKey(HWND window, WPARAM key, bool release) { PostMessageW(window, 0x40A, key, release ? 0x80 : 0); }

RECT PlaceIn(HWND parent, HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

void ClickTwiceQuickly(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT inputs[4] = {};
  const DWORD flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dwFlags = flags[i];
  }
  releasesTaken = 0;
  const HHOOK hook = SetWindowsHookExW(WH_MOUSE, CountReleases, nullptr, GetCurrentThreadId());
  SendInput(4, inputs, sizeof(INPUT));
  PumpUntil([] { return releasesTaken >= 2; });
  UnhookWindowsHookEx(hook);
  // What handling the releases posted.
  PumpPosted();
}

void PostKey(HWND window, WPARAM key) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), 0)) << 16;
  PostMessageW(window, WM_KEYDOWN, key, scan | 1);
  PostMessageW(window, WM_KEYUP, key, scan | 1 | (1u << 30) | (1u << 31));
}

ui::Picture SolidPicture(int width, int height, COLORREF color) {
  return PictureOf(width, height, [color](int, int) { return color; });
}

ui::Picture CoordinatePicture(int width, int height, BYTE blue) {
  return PictureOf(width, height, [blue](int x, int y) { return RGB(x, y, blue); });
}

ui::Bitmap SolidBitmap(int width, int height, COLORREF color) {
  return BitmapOf(width, height, [color](int, int) { return color; });
}

ui::Bitmap CoordinateBitmap(int width, int height, BYTE blue) {
  return BitmapOf(width, height, [blue](int x, int y) { return RGB(x, y, blue); });
}

bool SavePng(const ui::Picture& picture, const std::u16string& path) {
  UINT count = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  std::vector<BYTE> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, encoders);
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(encoders[i].MimeType) == L"image/png")
      return picture.Get()->Save(reinterpret_cast<const wchar_t*>(path.c_str()), &encoders[i].Clsid, nullptr) ==
             Gdiplus::Ok;
  }
  return false;
}

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<uint32_t*>(bits);
  previous_ = SelectObject(dc_, bitmap_);
  Fill(fill);
}

Canvas::~Canvas() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF Canvas::Pixel(int x, int y) const {
  GdiFlush();
  const uint32_t value = bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

void Canvas::Fill(COLORREF color) {
  const ui::Brush brush(CreateSolidBrush(color));
  RECT all = {0, 0, width_, height_};
  FillRect(dc_, &all, brush.Get());
}

int Canvas::CountDiffering(const RECT& area, COLORREF background) const {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (Pixel(x, y) != background) ++count;
  return count;
}

void CaptureWindow(HWND window, Canvas& canvas) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  ui::WindowDC screen(window);
  BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), screen.Get(), 0, 0, SRCCOPY);
}

ResourceCounts CountResources() {
  ResourceCounts counts = {};
  counts.gdiObjects = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  if (counts.gdiObjects == 0) counts.gdiObjects = CountGdiTableEntries();
  EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&counts.windows));
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory))) counts.committedBytes = memory.PagefileUsage;
  return counts;
}

LRESULT PickRecorder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == codes::WM_BMPMENU_PICK) {
    picks.emplace_back(wParam, lParam);
    return 0;
  }
  return Window::WindowProc(message, wParam, lParam);
}

}  // namespace uitest

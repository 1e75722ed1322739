// Shows one window of the window layer, as the program would, until the
// given number of seconds has passed:
//
//   vn24g_uidemo <scene> <program folder> [seconds]
//
// Scenes: tips, reset, about, long (the message dialog with the texts of its
// callers, and one too long for it), select (device selection), buttons
// (each skinned button class in each state), traymenu (the tray menu),
// devicemenu (the device drop-down, the last model current), macro (the
// macro editor on the stored macros; a fourth argument names the macro to
// select, and OK stores the macros), functionmenu (the assignment pages'
// function menu shown at the screen point given by the fourth and fifth
// arguments, 400 300 without them; the first pick is printed on standard
// output as "pick wParam=0x... lParam=0x... function=N" and ends the scene),
// combo (the key-combination dialog with the program folder's hook library),
// launch (the program-launch dialog; a fourth argument is the button's
// current program path).
// The two assignment dialogs print what they hand back to their caller on
// standard output: "result ok" or "result cancel", then
// "combination 0xMM 0xK1 0xK2" or "path <full path>".
// The program folder is where the program runs from: language.xml,
// VNType.ini and skins.

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/DeviceList.h"
#include "config/DeviceCatalogue.h"
#include "config/SettingsStore.h"
#include "platform/UiToolkit.h"
#include "platform/win32/WideString.h"
#include "text/LabelTable.h"
#include "ui/PublicData.h"
#include "ui/buttons/BitmapBtn.h"
#include "ui/buttons/GDIBitmapBtn.h"
#include "ui/dialogs/DlgAutoStart.h"
#include "ui/dialogs/DlgCombo.h"
#include "ui/dialogs/DlgMacro.h"
#include "ui/dialogs/DlgRestore.h"
#include "ui/dialogs/SelectDev.h"
#include "codes/PrivateMessages.h"
#include "ui/menus/DeviceDropDown.h"
#include "ui/menus/FunctionMenuBuilder.h"
#include "ui/menus/XPMenu.h"
#include "ui/window/GdiHandles.h"
#include "ui/window/Picture.h"
#include "ui/window/Window.h"

namespace {

using platform::win32::FromWide;

std::u16string g_folder;

// Ends whatever the scene shows once its time is up.
VOID CALLBACK TimeUp(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EndMenu();
  if (HWND active = GetActiveWindow()) PostMessageW(active, WM_CLOSE, 0, 0);
  PostQuitMessage(0);
}

int ShowMessage(const std::u16string& title, const std::u16string& message) {
  ui::CDlgRestore dialog;
  dialog.SetTitle(title);
  dialog.SetMessage(message);
  return static_cast<int>(dialog.DoModal());
}

int ShowSelection() {
  config::LoadDeviceCatalogue(g_folder);
  ui::CSelectDev dialog;
  return static_cast<int>(dialog.DoModal());
}

// The macro editor as an assignment page opens it, on the macros and
// settings stored in this Wine prefix; its library and skins come from the
// program folder.
int ShowMacroEditor(int32_t macroIndex) {
  config::LoadDeviceCatalogue(g_folder);
  config::LoadAllSettings();
  ui::CDlgMacro dialog(nullptr, g_folder, macroIndex);
  return static_cast<int>(dialog.DoModal());
}

// One line on standard output, for the scripts that read what a dialog
// handed back.
void PrintLine(const std::string& line) {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void PrintResult(INT_PTR result) { PrintLine(result == IDOK ? "result ok" : "result cancel"); }

// The key-combination dialog as an assignment page opens it.
int ShowCombination() {
  ui::CDlgCombo dialog(nullptr, g_folder);
  const INT_PTR result = dialog.DoModal();
  PrintResult(result);
  const actions::Combination& chosen = dialog.Chosen();
  char line[64];
  std::snprintf(line, sizeof(line), "combination 0x%02X 0x%02X 0x%02X", chosen.modifiers, chosen.key1, chosen.key2);
  PrintLine(line);
  return static_cast<int>(result);
}

// The program-launch dialog for a button whose program is `programPath`.
int ShowProgramLaunch(const std::u16string& programPath) {
  ui::CDlgAutoStart dialog(nullptr, programPath);
  const INT_PTR result = dialog.DoModal();
  PrintResult(result);
  const std::u16string& path = dialog.Path();
  std::string utf8(path.size() * 3, '\0');
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, platform::win32::Wide(path), static_cast<int>(path.size()),
                                        utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(bytes > 0 ? bytes : 0));
  PrintLine("path " + utf8);
  return static_cast<int>(result);
}

// Each button class in each of its states, on the pictures the program
// gives it: device tab pictures, the main window skin, and the keyboard page
// of the keyboard model.
class ButtonSheet : public ui::Window {
 public:
  static constexpr int kColumn = 150, kRow = 60, kLeft = 150, kTop = 50;
  static constexpr std::array<const char16_t*, 6> kStates = {u"normal", u"hover", u"pressed",
                                                            u"checked", u"disabled", u"changed"};

  bool Build() {
    if (!Create(0, u"Skinned buttons", WS_POPUP | WS_VISIBLE, RECT{40, 40, 40 + kLeft + 6 * kColumn, 40 + 260},
                nullptr))
      return false;
    tabNormal_ = ui::LoadPngFile(g_folder + u"skins\\device_button_normal.png");
    tabOver_ = ui::LoadPngFile(g_folder + u"skins\\device_button_over.png");
    tabDown_ = ui::LoadPngFile(g_folder + u"skins\\device_button_down.png");
    mainNormal_ = ui::LoadBitmapResource(147);
    mainOver_ = ui::LoadBitmapResource(148);
    mainDown_ = ui::LoadBitmapResource(146);
    SIZE size = {};
    const std::u16string keyboard = g_folder + u"skins\\Varnok Tempo K7\\";
    ui::LoadBitmapFile(keyboard + u"Keyboard_Normal.bmp", keyNormal_, size);
    ui::LoadBitmapFile(keyboard + u"Keyboard_Over.bmp", keyOver_, size);
    ui::LoadBitmapFile(keyboard + u"Keyboard_Down.bmp", keyDown_, size);
    config::tagVARNOK24G_UI_INFORMATION model{};
    config::ReadDeviceDescription(keyboard + u"DeviceSkn.xml", model);
    const config::DeviceRect& key = model.keys[0].pos;
    const RECT keyRect = {key.left, key.top, key.right, key.bottom};
    const RECT resetRect = {65, 344, 201, 373};

    for (size_t state = 0; state < kStates.size(); ++state) {
      const int x = kLeft + static_cast<int>(state) * kColumn;
      if (state != 5) {
        auto& tab = tabs_[state];
        tab.Create(Handle(), Cell(x, 0, tabNormal_.Width(), tabNormal_.Height()));
        tab.SetImages(tabNormal_, tabOver_, tabDown_, tabDown_, 0, 0, tabNormal_.Width(), tabNormal_.Height());
        tab.SetText(Label("tc_mouse"));
        auto& gdi = plain_[state];
        gdi.Create(Handle(), Cell(x, 1, resetRect.right - resetRect.left, resetRect.bottom - resetRect.top));
        gdi.SetImages(mainNormal_.Get(), mainOver_.Get(), mainDown_.Get(), mainNormal_.Get(), resetRect);
        gdi.SetText(Label("tc_reset"), 0, 0);
        gdi.SetTextColors(RGB(83, 97, 103), RGB(255, 255, 255), RGB(235, 141, 36));
      }
      auto& label = keys_[state];
      label.Create(Handle(), Cell(x, 2, keyRect.right - keyRect.left, keyRect.bottom - keyRect.top));
      label.SetImages(keyNormal_.Get(), keyOver_.Get(), keyDown_.Get(), keyNormal_.Get(), keyDown_.Get(), keyRect);
      label.SetText(u"Copy", 0, 0);
      label.SetTextColors(RGB(83, 97, 103), RGB(150, 170, 190), RGB(235, 141, 36));
    }
    SetForegroundWindow(Handle());
    return true;
  }

  // Puts the buttons of each column into their state.
  void ApplyStates() {
    const std::array<ui::SkinButton*, 3> hovered = {&tabs_[1], &plain_[1], &keys_[1]};
    // A button keeps its hover look when the next one takes the capture.
    for (ui::SkinButton* button : hovered) {
      RECT r;
      GetWindowRect(button->Handle(), &r);
      SetCursorPos(r.left + 5, r.top + 5);
      SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    }
    for (ui::SkinButton* button : {static_cast<ui::SkinButton*>(&tabs_[2]), static_cast<ui::SkinButton*>(&plain_[2]),
                                   static_cast<ui::SkinButton*>(&keys_[2])})
      SendMessageW(button->Handle(), BM_SETSTATE, TRUE, 0);
    tabs_[3].SetChecked(true);
    plain_[3].SetChecked(true);
    keys_[3].SetChecked(true);
    EnableWindow(tabs_[4].Handle(), FALSE);
    EnableWindow(plain_[4].Handle(), FALSE);
    EnableWindow(keys_[4].Handle(), FALSE);
    keys_[5].SetChanged(true);
  }

 protected:
  LRESULT OnPaint() override {
    ui::PaintDC dc(Handle());
    const RECT client = ClientRect();
    const ui::Brush paper(CreateSolidBrush(RGB(236, 238, 240)));
    FillRect(dc.Get(), &client, paper.Get());
    for (size_t state = 0; state < kStates.size(); ++state)
      ui::CPublicData::DrawTextBold(dc.Get(), kStates[state], 9.0f, 0, 0xFF303840,
                                    static_cast<float>(kLeft + static_cast<int>(state) * kColumn), 15.0f, 140.0f,
                                    20.0f);
    const char16_t* classes[] = {u"CBitmapBtn", u"CGDIBitmapBtn", u"CGDIBitmapBtnEx"};
    for (int row = 0; row < 3; ++row)
      ui::CPublicData::DrawTextBold(dc.Get(), classes[row], 9.0f, 0, 0xFF303840, 10.0f,
                                    static_cast<float>(kTop + row * kRow + 5), 135.0f, 20.0f);
    return 0;
  }
  LRESULT OnClose() override {
    PostQuitMessage(0);
    return 0;
  }

 private:
  static RECT Cell(int x, int row, int width, int height) {
    return RECT{x, kTop + row * kRow, x + width, kTop + row * kRow + height};
  }

  ui::Picture tabNormal_, tabOver_, tabDown_;
  ui::Bitmap mainNormal_, mainOver_, mainDown_, keyNormal_, keyOver_, keyDown_;
  std::array<ui::CBitmapBtn, 6> tabs_;
  std::array<ui::CGDIBitmapBtn, 6> plain_;
  std::array<ui::CGDIBitmapBtnEx, 6> keys_;
};

int ShowButtons() {
  config::LoadDeviceCatalogue(g_folder);
  ButtonSheet sheet;
  if (!sheet.Build()) return 1;
  sheet.ApplyStates();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) ui::ProcessMessage(msg);
  return 0;
}

// The tray menu as the main window builds it, tracked at a fixed place so
// that the pointer can be put on its entries.
class MenuOwner : public ui::Window {};

int ShowTrayMenu() {
  config::LoadDeviceCatalogue(g_folder);
  MenuOwner owner;
  owner.Create(0, u"tray", WS_POPUP | WS_VISIBLE, RECT{0, 0, 1, 1}, nullptr);
  SetForegroundWindow(owner.Handle());
  auto entry = [](uint32_t bitmap, uint32_t kind, uint32_t offset, std::u16string text) {
    ui::XPMenuItem item;
    item.bitmapId = bitmap;
    item.selectedBitmapId = bitmap;
    item.kind = kind;
    item.pictureOffset = offset;
    item.text = std::move(text);
    return item;
  };
  std::vector<ui::XPMenuItem> items;
  items.reserve(30);
  ui::CXPMenu menu, devices;
  items.push_back(entry(156, ui::XPMenuItem::kBanner, 771, u""));
  menu.AppendEntry(ui::CXPMenu::kBannerCommand, &items.back());
  items.push_back(entry(153, ui::XPMenuItem::kEntry, 771, Label("tc_config")));
  menu.AppendEntry(1, &items.back());
  items.push_back(entry(154, ui::XPMenuItem::kEntry, 771, Label("tc_device_sel")));
  menu.AppendSubMenu(devices, &items.back());
  items.push_back(entry(157, ui::XPMenuItem::kEntry, 771, Label("tc_help")));
  menu.AppendEntry(5, &items.back());
  items.push_back(entry(159, ui::XPMenuItem::kEntry, 771, Label("tc_website")));
  menu.AppendEntry(6, &items.back());
  items.push_back(entry(152, ui::XPMenuItem::kEntry, 771, Label("tc_about") + u"..."));
  menu.AppendEntry(3, &items.back());
  items.push_back(entry(155, ui::XPMenuItem::kEntry, 771, Label("tc_exit")));
  menu.AppendEntry(2, &items.back());
  for (const auto& model : config::DeviceCatalogue) {
    const bool current = &model == &config::DeviceCatalogue.back();
    items.push_back(entry(current ? 158 : 0, ui::XPMenuItem::kEntry, current ? 514 : 0, config::ModelName(model)));
    devices.AppendEntry(static_cast<UINT>(model.modelValue) | 0xE0000000u, &items.back());
  }
  menu.Track(owner.Handle(), POINT{400, 300}, TPM_RIGHTBUTTON | TPM_RETURNCMD);
  return 0;
}

// The device drop-down as the main window opens it, at a fixed place, with
// the last model of the list as the current one.
int ShowDeviceMenu() {
  config::LoadDeviceCatalogue(g_folder);
  if (config::DeviceCatalogue.empty()) return 1;
  MenuOwner owner;
  owner.Create(0, u"drop-down owner", WS_POPUP | WS_VISIBLE, RECT{0, 0, 1, 1}, nullptr);
  const auto menu = ui::OpenDeviceDropDown(owner.Handle(), g_folder, app::BuildDeviceList(),
                                           config::DeviceCatalogue.back().modelValue, POINT{400, 300});
  if (!menu) return 1;
  SetForegroundWindow(menu->Handle());
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) ui::ProcessMessage(msg);
  return 0;
}

// Stands in for an assignment page: owns the function menu, and on a pick
// hides it as the page does and reports what it was told.
class PickPrinter : public ui::Window {
 public:
  ui::CBmpMenu* menu = nullptr;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != codes::WM_BMPMENU_PICK) return Window::WindowProc(message, wParam, lParam);
    if (menu) {
      menu->CloseSubMenu();
      ShowWindow(menu->Handle(), SW_HIDE);
    }
    char line[96];
    const int length = wsprintfA(line, "pick wParam=0x%08lX lParam=0x%08lX function=%lu\r\n",
                                 static_cast<unsigned long>(wParam), static_cast<unsigned long>(lParam),
                                 static_cast<unsigned long>(lParam & 0xFFFF));
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
    PostQuitMessage(0);
    return 0;
  }
};

int ShowFunctionMenu(POINT at) {
  PickPrinter page;
  page.Create(0, u"function menu owner", WS_POPUP | WS_VISIBLE, RECT{0, 0, 1, 1}, nullptr);
  const auto menu = ui::BuildFunctionMenu(page.Handle(), g_folder);
  if (!menu) return 1;
  page.menu = menu.get();
  menu->ShowAt(at);
  SetForegroundWindow(menu->Handle());
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) ui::ProcessMessage(msg);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count < 3) return 2;
  const std::u16string scene = FromWide(arguments[1]);
  g_folder = FromWide(arguments[2]);
  if (!g_folder.empty() && g_folder.back() != u'\\') g_folder += u'\\';
  const UINT seconds = count > 3 ? static_cast<UINT>(_wtoi(arguments[3])) : 5;
  const int32_t macroIndex = count > 4 ? _wtoi(arguments[4]) : -1;
  const POINT menuPoint = count > 5 ? POINT{_wtoi(arguments[4]), _wtoi(arguments[5])} : POINT{400, 300};
  const std::u16string extra = count > 4 ? FromWide(arguments[4]) : std::u16string();
  LocalFree(arguments);

  auto& toolkit = platform::Service<platform::UiToolkit>::Get();
  LoadLanguage(g_folder + u"language.xml");
  SetTimer(nullptr, 0, seconds * 1000, TimeUp);

  int result = 2;
  if (scene == u"tips")
    result = ShowMessage(u"Tips", u"No Varnok wireless device connected. Application will close now.");
  else if (scene == u"reset")
    result = ShowMessage(Label("tc_reset"), Label("tc_reinfo"));
  else if (scene == u"about")
    result = ShowMessage(Label("tc_about"), Label("tc_info"));
  else if (scene == u"long")
    result = ShowMessage(u"Tips", std::u16string(12, u' ') + Label("tc_info") + u" " + Label("tc_reinfo") + u" " +
                                      Label("tc_info") + u" " + Label("tc_reinfo") + u" " + Label("tc_info"));
  else if (scene == u"select")
    result = ShowSelection();
  else if (scene == u"buttons")
    result = ShowButtons();
  else if (scene == u"traymenu")
    result = ShowTrayMenu();
  else if (scene == u"devicemenu")
    result = ShowDeviceMenu();
  else if (scene == u"macro")
    result = ShowMacroEditor(macroIndex);
  else if (scene == u"functionmenu")
    result = ShowFunctionMenu(menuPoint);
  else if (scene == u"combo")
    result = ShowCombination();
  else if (scene == u"launch")
    result = ShowProgramLaunch(extra);
  toolkit.Stop();
  return result;
}

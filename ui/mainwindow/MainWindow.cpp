#include "ui/mainwindow/MainWindow.h"

#include <dbt.h>

#include "codes/PrivateMessages.h"
#include "platform/HidEnumeration.h"
#include "platform/win32/WideString.h"
#include "ui/dialogs/DlgRestore.h"
#include "ui/menus/DeviceDropDown.h"
#include "ui/menus/XPMenu.h"
#include "ui/resources/ResourceIds.h"

namespace ui {
namespace {

// Pictures of the tray menu's entries are drawn from this offset.
constexpr uint32_t kEntryPictureOffset = 0x0303;
constexpr uint32_t kCurrentModelPictureOffset = 0x0202;

bool IsButtonPress(UINT mouseMessage) {
  return mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_RBUTTONDOWN || mouseMessage == WM_MBUTTONDOWN;
}

// Dialogs only: the program's own, its message boxes and the file chooser.
// Menus and tips come and go beside them.
BOOL CALLBACK AddDialogWindow(HWND window, LPARAM list) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, L"#32770") != 0) return TRUE;
  reinterpret_cast<std::vector<app::ProgramWindow>*>(list)->push_back(
      app::ProgramWindow{platform::win32::ToHandle(window), platform::win32::ToHandle(GetWindow(window, GW_OWNER)),
                         IsWindowVisible(window) != FALSE, IsWindowEnabled(window) != FALSE});
  return TRUE;
}

HICON LoadProgramIcon(int size) {
  return static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VN24G), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// The skinned menu's records for a list of entries; they must live while the
// menu is tracked.
struct TrayMenuRecords {
  std::vector<std::unique_ptr<XPMenuItem>> items;
  std::vector<std::unique_ptr<CXPMenu>> subMenus;

  const XPMenuItem* Add(const app::TrayMenuEntry& entry) {
    auto item = std::make_unique<XPMenuItem>();
    item->kind = entry.command == CXPMenu::kBannerCommand ? XPMenuItem::kBanner : XPMenuItem::kEntry;
    item->bitmapId = entry.picture;
    item->selectedBitmapId = entry.picture;
    item->pictureOffset = entry.checked ? kCurrentModelPictureOffset : entry.picture ? kEntryPictureOffset : 0;
    item->text = entry.text;
    items.push_back(std::move(item));
    return items.back().get();
  }
};

}  // namespace

CVarnok24G_ConfigDlg::CVarnok24G_ConfigDlg(int32_t modelValue, const std::u16string& exeFolder,
                                           platform::Handle& receiver)
    : SkinnedDialog(IDD_MAIN_WINDOW),
      exeFolder_(exeFolder),
      pages_(exeFolder, [this] { CloseDropDown(); }),
      controller_(*this, exeFolder, modelValue, receiver) {}

CVarnok24G_ConfigDlg::~CVarnok24G_ConfigDlg() {
  if (icon_) DestroyIcon(icon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

bool CVarnok24G_ConfigDlg::OnInitDialog() {
  icon_ = LoadProgramIcon(GetSystemMetrics(SM_CXICON));
  smallIcon_ = LoadProgramIcon(GetSystemMetrics(SM_CXSMICON));
  Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  controller_.Initialise();
  return false;
}

LRESULT CVarnok24G_ConfigDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      if (wParam >= 0x0010 && wParam <= 0x001F) return 0;
      break;
    case WM_SETCURSOR:
      // A press on the window while a dialog of its own holds it: the
      // system reports it here only, as an error hit (a signed word).
      if (static_cast<SHORT>(LOWORD(lParam)) == HTERROR && IsButtonPress(HIWORD(lParam)))
        controller_.OnClickWhileWaiting();
      break;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(icon_);
    case WM_ACTIVATEAPP:
      if (!wParam) CloseMenus();
      break;
    case WM_WINDOWPOSCHANGING:
      // Nothing shows the window before the user first opens it.
      if (!controller_.MayShow()) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
      break;
    case WM_DEVICECHANGE: {
      std::u16string name;
      if (wParam == DBT_DEVICEARRIVAL &&
          platform::Service<platform::HidEnumeration>::Get().ReadArrival(wParam, lParam, name))
        controller_.OnDeviceArrival(name);
      return 0;
    }
    case codes::WM_DRIVER_EVENT:
      controller_.OnDriverEvent(static_cast<uint32_t>(wParam));
      return 0;
    case codes::WM_TRAY_NOTIFY:
      controller_.OnTrayNotify(lParam);
      return 0;
    case codes::WM_BMPMENU_PICK:
      controller_.OnModelPick(static_cast<int32_t>(lParam));
      return 0;
    case codes::WM_SET_SCROLL_VALUES:
      controller_.OnSetScrollValues(wParam, lParam);
      return 0;
    case WM_COMMAND:
      // The buttons run their own handlers; what is left are the commands
      // of the tray menu and those posted from outside.
      if (lParam == 0 && controller_.OnCommand(wParam)) return 0;
      break;
    default:
      break;
  }
  return SkinnedDialog::WindowProc(message, wParam, lParam);
}

bool CVarnok24G_ConfigDlg::PreTranslateMessage(MSG& msg) {
  // Enter and Esc would end the dialog, Space would click the focused
  // button and F1 would ask for help.
  return IsKeyMessage(msg, {VK_RETURN, VK_ESCAPE, VK_SPACE, VK_F1});
}

LRESULT CVarnok24G_ConfigDlg::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  look_.Paint(Handle(), dc, icon_);
  EndPaint(Handle(), &paint);
  return 0;
}

LRESULT CVarnok24G_ConfigDlg::OnLButtonDown(WPARAM keys, POINT at) {
  CloseMenus();
  return SkinnedDialog::OnLButtonDown(keys, at);
}

LRESULT CVarnok24G_ConfigDlg::OnTimer(UINT_PTR id) {
  if (id == kRetryTimer) {
    controller_.OnRetryTimer();
    return 0;
  }
  if (id == kLookReleaseTimer) {
    controller_.OnLookReleaseTimer();
    return 0;
  }
  return Default();
}

LRESULT CVarnok24G_ConfigDlg::OnDestroy() {
  controller_.Shutdown();
  return Default();
}

platform::WindowHandle CVarnok24G_ConfigDlg::Window() { return platform::win32::ToHandle(Handle()); }

void CVarnok24G_ConfigDlg::SetTitle(const std::u16string& title) {
  SetWindowTextW(Handle(), platform::win32::Wide(title));
}

void CVarnok24G_ConfigDlg::AddTrayIcon(const std::u16string& tip) {
  // The notification area shows small icons; the 16-pixel picture stays crisp.
  tray_.Add(Handle(), codes::WM_TRAY_NOTIFY, smallIcon_ ? smallIcon_ : icon_, tip);
}

void CVarnok24G_ConfigDlg::RemoveTrayIcon() { tray_.Remove(); }

void CVarnok24G_ConfigDlg::BuildLook(uint8_t deviceType) {
  look_.Build(Handle(), exeFolder_, deviceType,
              [this](app::CommandButton command) { controller_.OnCommandButton(command); });
  if (!placed_) CentreInWorkArea(look_.Size());
  placed_ = true;
  pages_.Create(Handle(), deviceType);
  Redraw();
}

void CVarnok24G_ConfigDlg::ApplyModelLook(uint8_t deviceType) {
  look_.ReloadDevicePicture(exeFolder_);
  pages_.ApplyModel(deviceType);
  look_.LayoutDeviceTabs(deviceType);
  pages_.RefreshLabels(deviceType);
  Redraw();
}

void CVarnok24G_ConfigDlg::ShowPage(app::MainPage page) {
  look_.MarkOpenTab(page);
  pages_.Show(page);
  Redraw();
}

void CVarnok24G_ConfigDlg::ReleaseLook() {
  pages_.Release();
  look_.Release();
}

void CVarnok24G_ConfigDlg::ShowWindow() {
  // A window the user minimised comes back as it was, not as a task-bar
  // button.
  ::ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
}

void CVarnok24G_ConfigDlg::HideWindow() { ::ShowWindow(Handle(), SW_HIDE); }

void CVarnok24G_ConfigDlg::MinimiseWindow() { ::ShowWindow(Handle(), SW_MINIMIZE); }

void CVarnok24G_ConfigDlg::BringToFront(platform::WindowHandle window) {
  const HWND front = platform::win32::FromHandle<HWND>(window);
  // A dialog comes with the window it belongs to, as the system brings an
  // owner along with its owned window; it stays above it all the same.
  if (front != Handle() && IsWindowVisible(Handle()))
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetForegroundWindow(front);
  // Over windows of the same program the foreground alone may leave the
  // stacking as it was.
  BringWindowToTop(front);
}

void CVarnok24G_ConfigDlg::FlashWindow(platform::WindowHandle window) {
  FLASHWINFO flash = {};
  flash.cbSize = sizeof(flash);
  flash.hwnd = platform::win32::FromHandle<HWND>(window);
  flash.dwFlags = FLASHW_ALL;
  flash.uCount = kFlashCount;
  FlashWindowEx(&flash);
  MessageBeep(MB_OK);
}

void CVarnok24G_ConfigDlg::RepaintStatusPanels() { look_.RepaintStatusAreas(Handle()); }

void CVarnok24G_ConfigDlg::RefreshPageLabels(uint8_t deviceType) { pages_.RefreshLabels(deviceType); }

void CVarnok24G_ConfigDlg::ReloadPages() { pages_.PostReload(); }

void CVarnok24G_ConfigDlg::RestorePageDefaults(uint8_t deviceType) { pages_.RestoreDefaults(deviceType); }

void CVarnok24G_ConfigDlg::CloseMenus() {
  CloseDropDown();
  pages_.CloseFunctionMenus();
}

void CVarnok24G_ConfigDlg::CloseDropDown() {
  if (!dropDown_) return;
  dropDown_->Destroy();
  dropDown_.reset();
}

void CVarnok24G_ConfigDlg::ShowTrayMenu(const std::vector<app::TrayMenuEntry>& entries) {
  TrayMenuRecords records;
  CXPMenu menu;
  for (const app::TrayMenuEntry& entry : entries) {
    if (entry.subMenu.empty() && entry.command == 0) continue;
    if (entry.command == 0) {
      auto models = std::make_unique<CXPMenu>();
      for (const app::TrayMenuEntry& model : entry.subMenu) models->AppendEntry(model.command, records.Add(model));
      menu.AppendSubMenu(*models, records.Add(entry));
      records.subMenus.push_back(std::move(models));
    } else {
      menu.AppendEntry(entry.command, records.Add(entry));
    }
  }
  POINT cursor;
  GetCursorPos(&cursor);
  // The controller has put the program in front; the main window still
  // receives the chosen command.
  menu.Track(Handle(), cursor, TPM_RIGHTBUTTON);
  // Lets the menu go away properly when the user clicks elsewhere.
  Post(WM_NULL);
}

void CVarnok24G_ConfigDlg::OpenDeviceDropDown(const app::DeviceList& devices, int32_t currentModel) {
  POINT cursor;
  GetCursorPos(&cursor);
  dropDown_ = ui::OpenDeviceDropDown(Handle(), exeFolder_, devices, currentModel, cursor);
}

void CVarnok24G_ConfigDlg::PostModelPick(int32_t modelValue) { Post(codes::WM_BMPMENU_PICK, 0, modelValue); }

int CVarnok24G_ConfigDlg::ShowMessageDialog(const std::u16string& title, const std::u16string& text) {
  CDlgRestore dialog(Handle());
  dialog.SetTitle(title);
  dialog.SetMessage(text);
  return dialog.DoModal() == IDOK ? 1 : 2;
}

void CVarnok24G_ConfigDlg::ShowMessage(const std::u16string& text, const std::u16string& caption) {
  MessageBoxW(Handle(), platform::win32::Wide(text), platform::win32::Wide(caption), MB_OK | MB_ICONWARNING);
}

void CVarnok24G_ConfigDlg::StartRetryTimer() { SetTimer(Handle(), kRetryTimer, kRetryPeriodMs, nullptr); }

void CVarnok24G_ConfigDlg::StopRetryTimer() { KillTimer(Handle(), kRetryTimer); }

void CVarnok24G_ConfigDlg::StartLookReleaseTimer() {
  SetTimer(Handle(), kLookReleaseTimer, kLookReleaseDelayMs, nullptr);
}

void CVarnok24G_ConfigDlg::StopLookReleaseTimer() { KillTimer(Handle(), kLookReleaseTimer); }

std::vector<app::ProgramWindow> CVarnok24G_ConfigDlg::ProgramWindows() {
  std::vector<app::ProgramWindow> windows;
  EnumThreadWindows(GetCurrentThreadId(), &AddDialogWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void CVarnok24G_ConfigDlg::CloseDialog(platform::WindowHandle dialog) {
  PostMessageW(platform::win32::FromHandle<HWND>(dialog), WM_CLOSE, 0, 0);
}

void CVarnok24G_ConfigDlg::EndWindow(int result) {
  // The tray menu may be open when the command comes from outside.
  EndMenu();
  EndDialog(result);
}

}  // namespace ui

#include "ui/mainwindow/MainWindowLook.h"

#include "app/SingleDevice.h"
#include "config/DeviceCatalogue.h"
#include "config/SettingsRecord.h"
#include "text/LabelTable.h"
#include "ui/PublicData.h"

namespace ui {
namespace {

constexpr UINT kNormalPicture = 147;
constexpr UINT kHoverPicture = 148;
constexpr UINT kPressedPicture = 146;
constexpr UINT kLogoPicture = 149;
constexpr uint32_t kTextArgb = 0xFF536167;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

std::u16string DevicePicturePath(const std::u16string& exeFolder) {
  return exeFolder + u"skins\\" + config::ModelName(config::CurrentDevice) + u"\\Varnok_Device.png";
}

void Place(const Window& control, const RECT& rect, bool show) {
  if (!control.Handle()) return;
  SetWindowPos(control.Handle(), nullptr, rect.left, rect.top, Width(rect), Height(rect),
               SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

}  // namespace

void MainWindowLook::AddStateButton(CGDIBitmapBtn& button, HWND window, const RECT& rect,
                                    const std::u16string& caption) {
  button.Create(window, rect);
  button.SetImages(normal_.Get(), hover_.Get(), pressed_.Get(), normal_.Get(), rect);
  if (!caption.empty()) {
    button.SetText(caption, 0, 0);
    button.SetTextColors(kSkinTextNormal, kSkinTextOver, kSkinTextPressed);
  }
}

void MainWindowLook::AddTab(CBitmapBtn& tab, HWND window, const char* captionKey, const Picture& normal,
                            const Picture& over, const Picture& down) {
  tab.Create(window, kFirstTabRect);
  // The open page's tab is checked and shows the pressed picture: the
  // orange text of the checked look reads on it, not on the light one.
  tab.SetImages(normal, over, down, down, 0, 0, normal.Width(), normal.Height());
  tab.SetText(Label(captionKey));
  tab.SetTextColors(kSkinTextNormal, kSkinTextOver, kSkinTextPressed);
}

void MainWindowLook::Build(HWND window, const std::u16string& exeFolder, uint8_t deviceType,
                           const CommandHandler& onCommand) {
  devicePicture_[0] = LoadPngFile(DevicePicturePath(exeFolder));
  lastSlot_ = 0;

  normal_ = LoadBitmapResource(kNormalPicture);
  hover_ = LoadBitmapResource(kHoverPicture);
  pressed_ = LoadBitmapResource(kPressedPicture);
  if (FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kLogoPicture), L"PNG"))
    logo_ = LoadPngResource(kLogoPicture);

  for (size_t i = 0; i < kCommandButtons.size(); ++i) {
    const CommandButtonSpec& spec = kCommandButtons[i];
    CGDIBitmapBtn& button = commandButtons_[i];
    button.onClick = [onCommand, command = spec.command] { onCommand(command); };
    AddStateButton(button, window, spec.rect, spec.captionKey ? Label(spec.captionKey) : u"");
  }

  const Picture tabNormal = LoadPngFile(exeFolder + u"skins\\device_button_normal.png");
  const Picture tabOver = LoadPngFile(exeFolder + u"skins\\device_button_over.png");
  const Picture tabDown = LoadPngFile(exeFolder + u"skins\\device_button_down.png");
  mouseTab_.onClick = [onCommand] { onCommand(app::CommandButton::MouseTab); };
  keyboardTab_.onClick = [onCommand] { onCommand(app::CommandButton::KeyboardTab); };
  AddTab(mouseTab_, window, "tc_mouse", tabNormal, tabOver, tabDown);
  AddTab(keyboardTab_, window, "tc_keyboard", tabNormal, tabOver, tabDown);
  LayoutDeviceTabs(deviceType);

  battery_ = std::make_unique<BatteryDlg>(window, normal_.Get(), hover_.Get());
  battery_->Open();
  signal_ = std::make_unique<SignalDlg>(window, normal_.Get(), hover_.Get());
  signal_->Open();
}

void MainWindowLook::LayoutDeviceTabs(uint8_t deviceType) {
  switch (deviceType) {
    case config::kDeviceKeyboard:
      Place(keyboardTab_, kFirstTabRect, true);
      Place(mouseTab_, kFirstTabRect, false);
      break;
    case config::kDeviceMouseAndKeyboard:
      Place(mouseTab_, kFirstTabRect, true);
      Place(keyboardTab_, kSecondTabRect, true);
      break;
    default:
      Place(mouseTab_, kFirstTabRect, true);
      Place(keyboardTab_, kFirstTabRect, false);
      break;
  }
}

void MainWindowLook::MarkOpenTab(app::MainPage page) {
  mouseTab_.SetChecked(page == app::kMousePage);
  keyboardTab_.SetChecked(page == app::kKeyboardPage);
}

void MainWindowLook::ReloadDevicePicture(const std::u16string& exeFolder) {
  const int next = 1 - lastSlot_;
  devicePicture_[next] = LoadPngFile(DevicePicturePath(exeFolder));
  lastSlot_ = next;
  devicePicture_[1 - next] = Picture();
}

void MainWindowLook::Paint(HWND window, HDC dc, HICON icon) const {
  RECT client;
  GetClientRect(window, &client);
  if (IsIconic(window)) {
    SendMessageW(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon);
    return;
  }
  const SIZE size = normal_.Size();
  HDC source = CreateCompatibleDC(dc);
  if (source) {
    SelectedObject picture(source, normal_.Get());
    BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
  }
  if (source) DeleteDC(source);

  logo_.Draw(dc, 65, 32, 109, 25);
  devicePicture_[lastSlot_].Draw(dc, 380, 62, 287, 56);
  if (!app::IsSingleDevice())
    CPublicData::DrawTextRegular(dc, Label("tc_device_sel"), 8.0f, 2, kTextArgb, 240.0f, 37.0f, 290.0f, 50.0f);
  CPublicData::DrawTextRegular(dc, Label("tc_version"), 8.0f, 2, kTextArgb, 428.0f, 388.0f, 220.0f, 26.0f);
}

void MainWindowLook::RepaintStatusAreas(HWND window) const {
  InvalidateRect(window, &kBatteryArea, FALSE);
  InvalidateRect(window, &kSignalArea, FALSE);
  if (battery_ && battery_->Handle()) InvalidateRect(battery_->Handle(), nullptr, FALSE);
  if (signal_ && signal_->Handle()) InvalidateRect(signal_->Handle(), nullptr, FALSE);
}

void MainWindowLook::Release() {
  battery_.reset();
  signal_.reset();
  // The buttons keep the pieces cut from the pictures beside their windows.
  for (CGDIBitmapBtn& button : commandButtons_) {
    button.Destroy();
    button.ReleaseImages();
  }
  for (CBitmapBtn* tab : {&mouseTab_, &keyboardTab_}) {
    tab->Destroy();
    tab->ReleaseImages();
  }
  normal_.Reset();
  hover_.Reset();
  pressed_.Reset();
  devicePicture_ = {};
  logo_ = Picture();
}

}  // namespace ui

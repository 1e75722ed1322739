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

void MainWindowLook::Build(HWND window, const std::u16string& exeFolder, uint8_t deviceType) {
  devicePicture_[0] = LoadPngFile(DevicePicturePath(exeFolder));
  lastSlot_ = 0;

  normal_ = LoadBitmapResource(kNormalPicture);
  hover_ = LoadBitmapResource(kHoverPicture);
  pressed_ = LoadBitmapResource(kPressedPicture);
  if (FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kLogoPicture), L"PNG"))
    logo_ = LoadPngResource(kLogoPicture);

  // Centred on the screen's working area; a screen smaller than the window
  // gives a negative origin rather than a smaller window.
  const SIZE size = normal_.Size();
  const int x = (GetSystemMetrics(SM_CXFULLSCREEN) - size.cx) / 2;
  const int y = (GetSystemMetrics(SM_CYFULLSCREEN) - size.cy) / 2;
  SetWindowPos(window, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window, nullptr, FALSE);

  AddStateButton(deviceChoice_, window, kDeviceChoiceRect, u"");
  AddStateButton(help_, window, kHelpRect, u"");
  AddStateButton(minimise_, window, kMinimiseRect, u"");
  AddStateButton(close_, window, kCloseRect, u"");
  AddStateButton(reset_, window, kResetRect, Label("tc_reset"));

  const Picture tabNormal = LoadPngFile(exeFolder + u"skins\\device_button_normal.png");
  const Picture tabOver = LoadPngFile(exeFolder + u"skins\\device_button_over.png");
  const Picture tabDown = LoadPngFile(exeFolder + u"skins\\device_button_down.png");
  const std::pair<CBitmapBtn*, const char*> tabs[] = {{&mouseTab_, "tc_mouse"}, {&keyboardTab_, "tc_keyboard"}};
  for (const auto& [tab, caption] : tabs) {
    tab->Create(window, kFirstTabRect);
    // The open page's tab is checked and shows the pressed picture: the
    // orange text of the checked look reads on it, not on the light one.
    tab->SetImages(tabNormal, tabOver, tabDown, tabDown, 0, 0, tabNormal.Width(), tabNormal.Height());
    tab->SetText(Label(caption));
    tab->SetTextColors(kSkinTextNormal, kSkinTextOver, kSkinTextPressed);
  }
  LayoutDeviceTabs(deviceType);

  AddStateButton(ok_, window, kOkRect, Label("tc_ok"));
  AddStateButton(cancel_, window, kCancelRect, Label("tc_cancel"));
  AddStateButton(apply_, window, kApplyRect, Label("tc_apply"));

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

bool MainWindowLook::CommandOf(HWND control, app::CommandButton& command) const {
  const std::pair<const Window*, app::CommandButton> buttons[] = {
      {&mouseTab_, app::CommandButton::MouseTab},   {&keyboardTab_, app::CommandButton::KeyboardTab},
      {&minimise_, app::CommandButton::Minimise},   {&close_, app::CommandButton::Close},
      {&reset_, app::CommandButton::Reset},         {&ok_, app::CommandButton::Ok},
      {&cancel_, app::CommandButton::Cancel},       {&apply_, app::CommandButton::Apply},
      {&help_, app::CommandButton::Help},           {&deviceChoice_, app::CommandButton::DeviceChoice},
  };
  for (const auto& [button, meaning] : buttons) {
    if (button->Handle() && button->Handle() == control) {
      command = meaning;
      return true;
    }
  }
  return false;
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
  for (CGDIBitmapBtn* button : {&deviceChoice_, &help_, &minimise_, &close_, &reset_, &ok_, &cancel_, &apply_})
    button->Destroy();
  mouseTab_.Destroy();
  keyboardTab_.Destroy();
  normal_.Reset();
  hover_.Reset();
  pressed_.Reset();
  devicePicture_ = {};
  logo_ = Picture();
}

}  // namespace ui

#include "ui/mainwindow/StatusPanel.h"

#include "ui/resources/ResourceIds.h"
#include "ui/window/GdiHandles.h"

namespace ui {
namespace {

// A patch of the hover picture that is plain background.
constexpr POINT kPlainPatch = {213, 391};

}  // namespace

StatusPanel::StatusPanel(UINT templateId, HWND parent, POINT origin, SIZE size, HBITMAP normal, HBITMAP hover)
    : Dialog(templateId, parent), origin_(origin), size_(size), normal_(normal), plain_(hover) {}

bool StatusPanel::Open() {
  if (!CreateModeless()) return false;
  shown_ = false;
  SetWindowPos(Handle(), nullptr, origin_.x, origin_.y, size_.cx, size_.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(Handle(), SW_SHOW);
  return true;
}

LRESULT StatusPanel::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  HDC source = CreateCompatibleDC(dc);
  if (source) {
    {
      SelectedObject picture(source, normal_);
      BitBlt(dc, 0, 0, size_.cx, size_.cy, source, origin_.x, origin_.y, SRCCOPY);
    }
    if (!shown_) {
      SelectedObject picture(source, plain_);
      BitBlt(dc, 0, 0, size_.cx, size_.cy, source, kPlainPatch.x, kPlainPatch.y, SRCCOPY);
    }
    DeleteDC(source);
  }
  EndPaint(Handle(), &paint);
  return 0;
}

BatteryDlg::BatteryDlg(HWND parent, HBITMAP normal, HBITMAP hover)
    : StatusPanel(IDD_BATTERY_PANEL, parent, {182, 392}, {31, 14}, normal, hover) {}

SignalDlg::SignalDlg(HWND parent, HBITMAP normal, HBITMAP hover)
    : StatusPanel(IDD_SIGNAL_PANEL, parent, {57, 388}, {34, 17}, normal, hover) {}

}  // namespace ui

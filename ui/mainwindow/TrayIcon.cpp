#include "ui/mainwindow/TrayIcon.h"

#include <algorithm>

namespace ui {
namespace {

constexpr UINT kBalloonTimeoutMs = 5000;
constexpr wchar_t kBalloonTitle[] = L"Running";

template <std::size_t N>
void CopyText(wchar_t (&field)[N], const std::u16string& text) {
  const std::size_t units = std::min(text.size(), N - 1);
  std::copy_n(reinterpret_cast<const wchar_t*>(text.data()), units, field);
  field[units] = L'\0';
}

}  // namespace

bool TrayIcon::Add(HWND window, UINT callbackMessage, HICON icon, const std::u16string& tip) {
  data_ = NOTIFYICONDATAW{};
  data_.cbSize = sizeof(data_);
  data_.hWnd = window;
  data_.uID = 0;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
  data_.uCallbackMessage = callbackMessage;
  data_.hIcon = icon;
  CopyText(data_.szTip, tip);
  CopyText(data_.szInfo, tip);
  std::copy(std::begin(kBalloonTitle), std::end(kBalloonTitle), data_.szInfoTitle);
  data_.uTimeout = kBalloonTimeoutMs;
  data_.dwInfoFlags = NIIF_INFO;
  added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
  return added_;
}

void TrayIcon::Remove() {
  if (!added_) return;
  Shell_NotifyIconW(NIM_DELETE, &data_);
  added_ = false;
}

}  // namespace ui

#pragma once

// The program's icon in the notification area, with the balloon that tells
// the user the program is now running there.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace ui {

class TrayIcon {
 public:
  // Adds the icon; mouse events on it arrive at `window` as `callbackMessage`.
  bool Add(HWND window, UINT callbackMessage, HICON icon, const std::u16string& tip);
  void Remove();
  bool Added() const { return added_; }

 private:
  NOTIFYICONDATAW data_ = {};
  bool added_ = false;
};

}  // namespace ui

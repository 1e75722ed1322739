#pragma once

// The two small status panels of the main window (battery and signal). The
// receiver reports neither, so a panel stays blank: it paints the window's
// background over the status icons that the skin shows at its place.

#include <windows.h>

#include "ui/window/Dialog.h"
#include "ui/window/GdiHandles.h"

namespace ui {

class StatusPanel : public Dialog {
 public:
  // `origin` is the panel's place in the main window, `size` its area.
  StatusPanel(UINT templateId, HWND parent, POINT origin, SIZE size);

  // Creates the panel at its place and shows it, blank.
  bool Open();
  void SetShown(bool shown) { shown_ = shown; }

 protected:
  bool OnInitDialog() override;
  LRESULT OnPaint() override;
  LRESULT OnEraseBackground(HDC) override { return TRUE; }

 private:
  POINT origin_;
  SIZE size_;
  bool shown_ = true;
  Bitmap normal_;
  Bitmap plain_;
};

class BatteryDlg : public StatusPanel {
 public:
  explicit BatteryDlg(HWND parent);
};

class SignalDlg : public StatusPanel {
 public:
  explicit SignalDlg(HWND parent);
};

}  // namespace ui

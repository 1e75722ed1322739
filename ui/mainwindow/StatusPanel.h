#pragma once

// The two small status panels of the main window (battery and signal). The
// receiver reports neither, so a panel stays blank: it paints the window's
// background over the status icons that the skin shows at its place.

#include <windows.h>

#include "ui/window/Dialog.h"

namespace ui {

class StatusPanel : public Dialog {
 public:
  // `origin` is the panel's place in the main window, `size` its area. The
  // panel draws from the window's own normal and hover pictures, which must
  // outlive it.
  StatusPanel(UINT templateId, HWND parent, POINT origin, SIZE size, HBITMAP normal, HBITMAP hover);

  // Creates the panel at its place and shows it, blank.
  bool Open();
  void SetShown(bool shown) { shown_ = shown; }

 protected:
  bool OnInitDialog() override { return false; }
  LRESULT OnPaint() override;
  LRESULT OnEraseBackground(HDC) override { return TRUE; }

 private:
  POINT origin_;
  SIZE size_;
  bool shown_ = true;
  HBITMAP normal_;
  HBITMAP plain_;
};

class BatteryDlg : public StatusPanel {
 public:
  BatteryDlg(HWND parent, HBITMAP normal, HBITMAP hover);
};

class SignalDlg : public StatusPanel {
 public:
  SignalDlg(HWND parent, HBITMAP normal, HBITMAP hover);
};

}  // namespace ui

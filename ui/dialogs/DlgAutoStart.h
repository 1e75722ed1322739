#pragma once

// The program-launch dialog: shows the file name of the program a button
// starts, lets the user pick another executable with the system's file-open
// dialog, and hands the full path back on OK. Cancel and the close button
// give back nothing new. Its window text is the name by which the main
// window finds it to close it when the program ends.

#include <string>

#include "ui/PublicData.h"
#include "ui/buttons/BitmapBtn.h"
#include "ui/window/SkinnedDialog.h"

namespace ui {

class CDlgAutoStart : public SkinnedDialog, public CPublicData {
 public:
  // `programPath`: the button's current program, possibly empty.
  CDlgAutoStart(HWND owner, const std::u16string& programPath);

  // After OK the chosen program's full path, empty when there is none;
  // after Cancel the path the dialog was opened with.
  const std::u16string& Path() const { return path_; }
  const std::u16string& FileName() const { return fileName_; }

  // Where the file name is written, on one line, centred.
  static constexpr RECT kFileNameArea = {24, 64, 210, 86};

  HWND OkButton() const { return ok_.Handle(); }
  HWND CancelButton() const { return cancel_.Handle(); }
  HWND CloseButton() const { return close_.Handle(); }
  HWND BrowseButton() const { return browse_.Handle(); }

 protected:
  bool OnInitDialog() override;
  // The close request of the main window at exit comes this way too.
  void OnCancel() override { Close(IDCANCEL); }
  void PaintOver(HDC dc) override;

 private:
  void Browse();
  // A choice made with Browse counts only when the dialog ends with OK.
  void Close(INT_PTR result);

  std::u16string openedWith_;
  std::u16string path_;
  std::u16string fileName_;
  CBitmapBtn ok_, cancel_, close_, browse_;
};

}  // namespace ui

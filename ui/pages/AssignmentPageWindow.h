#pragma once

// What the mouse page and the keyboard page share: the picture of the
// device's mouse or keyboard, a label button on every programmable button
// saying what it does, a mark button on the button itself that lights while
// its label is under the pointer, and the function menu a label click
// opens. A pick goes into the working copy of the settings only; the main
// window applies, stores or drops it.
//
// The two pages differ in their records, their pictures, their label
// buttons (the keyboard's also mark a key whose applied function was
// changed), the hover colour of the labels and the number of their timer.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/PickHandler.h"
#include "config/PageAssignments.h"
#include "config/SettingsRecord.h"
#include "config/UserMessages.h"
#include "ui/PublicData.h"
#include "ui/buttons/GDIBitmapBtn.h"
#include "ui/menus/BmpMenu.h"
#include "ui/pages/PagePickDialogs.h"
#include "ui/pages/PagePictures.h"
#include "ui/window/Dialog.h"

namespace ui {

class AssignmentPageWindow : public Dialog, public CPublicData, private config::UserMessages {
 public:
  // The labels' text colours under the pointer and pressed (or checked);
  // at rest they are the skins' slate.
  struct LabelColours {
    COLORREF over;
    COLORREF pressed;
  };
  // What tells the two pages apart.
  struct Kind {
    config::AssignmentPage page;
    UINT templateId;
    UINT_PTR hoverTimer;
    const char16_t* pictureStem;  // "Mouse" or "Keyboard": <stem>_Normal.bmp ...
    std::size_t capacity;         // buttons the record has room for
    LabelColours labelColours;
  };
  static constexpr UINT kHoverPeriodMs = 200;

  ~AssignmentPageWindow() override;

  // Creates the page (hidden) as a child of the main window. `closeMainMenus`
  // closes the main window's device drop-down when the page is clicked.
  bool Open(std::function<void()> closeMainMenus);

  // New device pictures: `source` (left, top, right, bottom) of each bitmap.
  void ReloadPictures(HBITMAP normal, HBITMAP over, HBITMAP down, const RECT& source);
  // Places, creates, shows and hides the labels and marks for the buttons of
  // the current device; a device with no buttons shows none, one with more
  // than the page has room for leaves the page as it was.
  void RelayoutForDevice();
  // Shows what `record` assigns to each button.
  void RefreshLabels(const config::tagVARNOK24G_DATA_& record);
  // The reset: every button of the current device gets its own function in
  // the applied record, the page shows it and the working copy follows.
  void RestoreDefaults();
  // Hides the function menu and the category list open beside it.
  void CloseFunctionMenu();
  void Destroy() override;

  // CPublicData
  void RefreshModelData() override;
  void UpdateHoverMarks() override;

  // What the page shows, for tests and tools that drive it.
  int32_t ButtonCount() const { return buttonCount_; }
  int32_t SelectedButton() const { return selectedButton_; }
  virtual GdiSkinButton& LabelButton(std::size_t index) = 0;
  CGDIBitmapBtn& MarkButton(std::size_t index) { return *marks_[index]; }
  CBmpMenu* FunctionMenu() const { return menu_.get(); }
  const PagePictures& Pictures() const { return pictures_; }

 protected:
  AssignmentPageWindow(HWND mainWindow, std::u16string exeFolder, const Kind& kind);

  // Which pictures a label shows in its fourth (and fifth) place: a label
  // made with the page rests on the normal picture there, one added or
  // moved for another device on the pressed one. Replaced images go into
  // the label's spare set.
  enum class LabelImages { Initial, Added, Replaced };
  // Cuts the current pictures under `rect` into label button `index`.
  virtual void SetLabelImages(std::size_t index, const RECT& rect, LabelImages images) = 0;
  // After the labels show a record: the keyboard marks its changed keys.
  virtual void AfterRefresh() {}

  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG& msg) override;
  LRESULT OnPaint() override;
  LRESULT OnEraseBackground(HDC) override { return TRUE; }
  LRESULT OnHelp() override { return TRUE; }
  LRESULT OnLButtonDown(WPARAM keys, POINT at) override;
  LRESULT OnTimer(UINT_PTR id) override;

  const Kind& PageKind() const { return kind_; }
  const RECT& LabelRect(std::size_t index) const { return labelRects_[index]; }

 private:
  std::u16string PicturePath(const char16_t* state) const;
  void CreateButtons(std::size_t index, LabelImages images);
  void OnLabelClick(std::size_t index);
  void OnPick(LPARAM pick);
  // config::UserMessages: the refusal to take the last left click.
  void ShowMessage(const std::u16string& text, const std::u16string& caption) override;

  Kind kind_;
  std::u16string exeFolder_;
  std::function<void()> closeMainMenus_;
  int32_t selectedButton_ = -1;
  int32_t buttonCount_ = 0;
  std::vector<RECT> labelRects_;
  std::vector<RECT> markRects_;
  PagePictures pictures_;
  std::vector<std::unique_ptr<CGDIBitmapBtn>> marks_;
  std::unique_ptr<CBmpMenu> menu_;
  PagePickDialogs dialogs_;
  app::PickHandler pickHandler_;
};

}  // namespace ui

#include "ui/pages/AssignmentPageWindow.h"

#include <algorithm>
#include <utility>

#include "codes/PrivateMessages.h"
#include "config/DeviceCatalogue.h"
#include "config/SettingsStore.h"
#include "platform/win32/WideString.h"
#include "ui/menus/FunctionMenuBuilder.h"
#include "ui/window/GdiHandles.h"

namespace ui {
namespace {

RECT ToRect(const config::DeviceRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

void MoveAndShow(const Window& control, const RECT& rect, bool show) {
  SetWindowPos(control.Handle(), nullptr, rect.left, rect.top, Width(rect), Height(rect),
               SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

}  // namespace

AssignmentPageWindow::AssignmentPageWindow(HWND mainWindow, std::u16string exeFolder, const Kind& kind)
    : Dialog(kind.templateId, mainWindow),
      kind_(kind),
      exeFolder_(std::move(exeFolder)),
      dialogs_(*this, exeFolder_),
      pickHandler_(kind.page, dialogs_, *this) {
  for (std::size_t i = 0; i < kind_.capacity; ++i) marks_.push_back(std::make_unique<CGDIBitmapBtn>());
}

AssignmentPageWindow::~AssignmentPageWindow() { AssignmentPageWindow::Destroy(); }

bool AssignmentPageWindow::Open(std::function<void()> closeMainMenus) {
  closeMainMenus_ = std::move(closeMainMenus);
  return CreateModeless();
}

std::u16string AssignmentPageWindow::PicturePath(const char16_t* state) const {
  return exeFolder_ + u"skins\\" + config::ModelName(config::CurrentDevice) + u"\\" + kind_.pictureStem + u"_" +
         state + u".bmp";
}

void AssignmentPageWindow::RefreshModelData() {
  const std::size_t count = config::PageButtonCount(config::CurrentDevice, kind_.page);
  buttonCount_ = static_cast<int32_t>(count);
  // A model without buttons has no places for labels: none of the previous
  // model's may stay.
  labelRects_.clear();
  markRects_.clear();
  const bool mouse = kind_.page == config::AssignmentPage::Mouse;
  for (std::size_t i = 0; i < count; ++i) {
    labelRects_.push_back(ToRect(mouse ? config::CurrentDevice.mouseButtons[i].pos : config::CurrentDevice.keys[i].pos));
    markRects_.push_back(ToRect(mouse ? config::CurrentDevice.mouseMarks[i] : config::CurrentDevice.keyMarks[i]));
  }
}

bool AssignmentPageWindow::OnInitDialog() {
  RefreshModelData();
  pictures_.LoadFiles(PicturePath(u"Normal"), PicturePath(u"Over"), PicturePath(u"Down"));

  // The main window moves the page onto its page area as soon as it is made.
  const SIZE size = pictures_.Size();
  SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXFULLSCREEN) - size.cx) / 2,
               (GetSystemMetrics(SM_CYFULLSCREEN) - size.cy) / 2, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);

  for (std::size_t i = 0; i < labelRects_.size(); ++i) CreateButtons(i, LabelImages::Initial);
  menu_ = BuildFunctionMenu(Handle(), exeFolder_);
  SetTimer(Handle(), kind_.hoverTimer, kHoverPeriodMs, nullptr);
  RefreshLabels(config::ActiveSettings);
  return false;
}

void AssignmentPageWindow::CreateButtons(std::size_t index, LabelImages images) {
  GdiSkinButton& label = LabelButton(index);
  const RECT& labelRect = labelRects_[index];
  label.Create(Handle(), labelRect);
  SetLabelImages(index, labelRect, images);
  label.SetTextColors(kSkinTextNormal, kind_.labelColours.over, kind_.labelColours.pressed);
  label.onClick = [this, index] { OnLabelClick(index); };

  CGDIBitmapBtn& mark = *marks_[index];
  const RECT& markRect = markRects_[index];
  mark.Create(Handle(), markRect);
  mark.SetImages(pictures_.Normal(), pictures_.Normal(), pictures_.Down(), pictures_.Down(), markRect);
  mark.SetTextColors(kSkinTextNormal, kind_.labelColours.over, kind_.labelColours.pressed);
}

void AssignmentPageWindow::ReloadPictures(HBITMAP normal, HBITMAP over, HBITMAP down, const RECT& source) {
  pictures_.Replace(normal, over, down, source);
  Redraw();
}

void AssignmentPageWindow::RelayoutForDevice() {
  const int32_t count =
      kind_.page == config::AssignmentPage::Mouse ? config::CurrentDevice.mouseButtonCount : config::CurrentDevice.keyCount;
  // More buttons than the page has room for leaves the page as it was; none
  // at all hides every label below.
  if (count > static_cast<int32_t>(kind_.capacity)) return;
  RefreshModelData();

  for (std::size_t i = 0; i < labelRects_.size(); ++i) {
    GdiSkinButton& label = LabelButton(i);
    if (!label.Handle()) {
      CreateButtons(i, LabelImages::Added);
      continue;
    }
    SetLabelImages(i, labelRects_[i], LabelImages::Replaced);
    MoveAndShow(label, labelRects_[i], true);
    CGDIBitmapBtn& mark = *marks_[i];
    mark.ReplaceImages(pictures_.Normal(), pictures_.Normal(), pictures_.Down(), pictures_.Down(), markRects_[i]);
    MoveAndShow(mark, markRects_[i], true);
  }
  for (std::size_t i = labelRects_.size(); i < kind_.capacity; ++i) {
    if (LabelButton(i).Handle()) ::ShowWindow(LabelButton(i).Handle(), SW_HIDE);
    if (marks_[i]->Handle()) ::ShowWindow(marks_[i]->Handle(), SW_HIDE);
  }
}

void AssignmentPageWindow::RefreshLabels(const config::tagVARNOK24G_DATA_& record) {
  const std::vector<std::u16string> labels = config::PageLabels(record, kind_.page, config::CurrentDevice);
  const std::size_t count = std::min(labels.size(), static_cast<std::size_t>(std::max(buttonCount_, 0)));
  for (std::size_t i = 0; i < count; ++i) {
    GdiSkinButton& label = LabelButton(i);
    if (!label.Handle()) continue;
    label.SetText(labels[i], 0, 0);
    label.SetTooltip(labels[i].c_str());
  }
  AfterRefresh();
}

void AssignmentPageWindow::RestoreDefaults() {
  if (kind_.page == config::AssignmentPage::Mouse) {
    config::RestoreMousePageDefaults(config::ActiveSettings, config::CurrentDevice);
  } else {
    config::RestoreKeyboardPageDefaults(config::ActiveSettings, config::CurrentDevice);
  }
  RefreshLabels(config::ActiveSettings);
  config::WorkingSettings = config::ActiveSettings;
}

void AssignmentPageWindow::UpdateHoverMarks() {
  POINT cursor = {};
  if (!GetCursorPos(&cursor)) return;
  const bool inFront = GetForegroundWindow() == GetParent(Handle());
  for (std::size_t i = 0; i < labelRects_.size(); ++i) {
    GdiSkinButton& label = LabelButton(i);
    CGDIBitmapBtn& mark = *marks_[i];
    if (!label.Handle() || !mark.Handle()) continue;
    RECT area = {};
    GetWindowRect(label.Handle(), &area);
    if (PtInRect(&area, cursor)) {
      // Another program in front leaves the mark as it is.
      if (inFront && !mark.Checked()) mark.SetChecked(true);
    } else if (mark.Checked()) {
      mark.SetChecked(false);
    }
  }
}

void AssignmentPageWindow::CloseFunctionMenu() {
  if (!menu_) return;
  menu_->CloseSubMenu();
  if (menu_->Handle()) ::ShowWindow(menu_->Handle(), SW_HIDE);
}

void AssignmentPageWindow::OnLabelClick(std::size_t index) {
  CloseFunctionMenu();
  if (closeMainMenus_) closeMainMenus_();
  selectedButton_ = static_cast<int32_t>(index);
  if (!menu_) return;
  menu_->ShowAtCursor();
  ::ShowWindow(menu_->Handle(), SW_SHOW);
}

void AssignmentPageWindow::OnPick(LPARAM pick) {
  CloseFunctionMenu();
  const app::PickOutcome outcome = pickHandler_.Handle(config::WorkingSettings, buttonCount_, selectedButton_,
                                                       static_cast<uint32_t>(pick));
  if (outcome == app::PickOutcome::Stored) RefreshLabels(config::WorkingSettings);
}

void AssignmentPageWindow::ShowMessage(const std::u16string& text, const std::u16string& caption) {
  MessageBoxW(Handle(), platform::win32::Wide(text), platform::win32::Wide(caption), MB_OK);
}

LRESULT AssignmentPageWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case codes::WM_BMPMENU_PICK:
      OnPick(lParam);
      return 0;
    case codes::WM_PAGE_RELOAD:
      RefreshLabels(config::ActiveSettings);
      return 0;
    default:
      return Dialog::WindowProc(message, wParam, lParam);
  }
}

bool AssignmentPageWindow::PreTranslateMessage(MSG& msg) {
  // Enter and Esc would end the page as a dialog, Space would click the
  // focused label and F1 would ask for help.
  return IsKeyMessage(msg, {VK_RETURN, VK_ESCAPE, VK_SPACE, VK_F1});
}

LRESULT AssignmentPageWindow::OnPaint() {
  PaintDC paint(Handle());
  const SIZE size = pictures_.Size();
  MemoryDC source(paint.Get());
  if (source && pictures_.Normal()) {
    SelectedObject picture(source.Get(), pictures_.Normal());
    BitBlt(paint.Get(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
  }
  return 0;
}

LRESULT AssignmentPageWindow::OnLButtonDown(WPARAM, POINT) {
  CloseFunctionMenu();
  if (closeMainMenus_) closeMainMenus_();
  return Default();
}

LRESULT AssignmentPageWindow::OnTimer(UINT_PTR id) {
  if (id != kind_.hoverTimer) return Default();
  UpdateHoverMarks();
  return 0;
}

void AssignmentPageWindow::Destroy() {
  if (menu_) {
    menu_->Destroy();
    menu_.reset();
  }
  if (Handle()) KillTimer(Handle(), kind_.hoverTimer);
  Dialog::Destroy();
  pictures_.Release();
}

}  // namespace ui

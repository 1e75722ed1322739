#include "ui/dialogs/DlgMacro.h"

#include "codes/KeyCodes.h"
#include "codes/KeyboardHookLibrary.h"
#include "codes/PrivateMessages.h"
#include "codes/WindowNames.h"
#include "platform/win32/WideString.h"
#include "text/LabelTable.h"
#include "ui/resources/ResourceIds.h"

namespace ui {
namespace {

// "PNG" resources of the macro skin, 450 x 300 each.
constexpr UINT kSkinNormal = 144;
constexpr UINT kSkinOver = 145;
constexpr UINT kSkinDown = 143;

constexpr RECT kOkRect = {283, 270, 343, 296};
constexpr RECT kCancelRect = {363, 270, 421, 296};
constexpr RECT kCloseRect = {415, 0, 441, 26};
constexpr RECT kNewRect = {17, 232, 72, 252};
constexpr RECT kDeleteRect = {73, 232, 127, 252};
constexpr RECT kRecordRect = {291, 220, 431, 246};
constexpr RECT kLoopSwitchRect = {292, 47, 304, 59};
constexpr RECT kLoopCaptionRect = {308, 47, 362, 61};
constexpr RECT kDelaySwitchRect = {292, 69, 304, 81};
constexpr RECT kDelayCaptionRect = {308, 69, 437, 84};
constexpr RECT kModifyRect = {292, 89, 359, 110};
constexpr RECT kMouseRects[3] = {{322, 150, 353, 203}, {354, 150, 373, 203}, {374, 150, 405, 203}};
constexpr uint8_t kMouseCodes[3] = {codes::kLeftButtonCode, codes::kMiddleButtonCode, codes::kRightButtonCode};
constexpr RECT kLoopCountRect = {365, 43, 416, 61};
constexpr RECT kDelayRect = {365, 90, 414, 110};
constexpr RECT kMacroListRect = {18, 62, 127, 233};
constexpr RECT kEventListRect = {138, 62, 282, 252};

constexpr int kListRowHeight = 18;
constexpr COLORREF kListText = RGB(56, 69, 89);
constexpr COLORREF kListSelectedText = RGB(235, 141, 36);
constexpr COLORREF kListSelectedBackground = RGB(20, 20, 20);
constexpr COLORREF kBoxText = RGB(235, 141, 36);
constexpr COLORREF kBlack = RGB(0, 0, 0);

constexpr uint32_t kCaptionColor = 0xFF384559;
struct Caption {
  const char* key;
  float x, y, width, height;
};
constexpr Caption kCaptions[] = {{"tc_macro_editor", 8, 5, 206, 16},
                                 {"tc_macro_list", 18, 44, 110, 21},
                                 {"tc_macro_panel", 138, 44, 146, 21}};

}  // namespace

// --- the window

CDlgMacro::CDlgMacro(HWND owner, const std::u16string& programFolder, int32_t macroIndex)
    : SkinnedDialog(IDD_MACRO_EDITOR, owner, kSkinNormal, kSkinOver, kSkinDown),
      programFolder_(programFolder),
      macroIndex_(macroIndex),
      editor_(macro::TheMacroList, *this, hook_) {}

bool CDlgMacro::OnInitDialog() {
  SetWindowTextW(Handle(), platform::win32::Wide(codes::kMacroEditorName));
  LoadSkin();
  boxBrush_ = Brush(CreateSolidBrush(kBlack));
  CreateButtons();
  CreateBoxes();
  CreateLists();
  hook_.Load(programFolder_ + kbgetkey::kLibraryFile, platform::win32::ToHandle(Handle()));
  editor_.Open(macroIndex_);
  // The keyboard starts on the macros, not in the pause box, whose digits
  // would otherwise take what is typed.
  macroList_.Focus();
  return false;
}

void CDlgMacro::CreateButtons() {
  AddButton(ok_, kOkRect, Label("tc_ok"), [this] {
    if (editor_.Ok()) Close(IDOK);
  });
  AddButton(cancel_, kCancelRect, Label("tc_cancel"), [this] { Close(IDCANCEL); });
  AddButton(close_, kCloseRect, u"", [this] { Close(IDCANCEL); });
  AddButton(new_, kNewRect, Label("tc_macro_new"), [this] { editor_.NewMacro(); });
  AddButton(delete_, kDeleteRect, Label("tc_macro_del"), [this] { editor_.DeleteMacro(); });
  AddSwitch(record_, kRecordRect, Label("tc_macro_start"), [this] { editor_.Record(); });
  AddSwitch(loopSwitch_, kLoopSwitchRect, u"", [this] { editor_.ToggleLoop(); });
  AddButton(loopCaption_, kLoopCaptionRect, Label("tc_macro_loop"), nullptr);
  AddSwitch(delaySwitch_, kDelaySwitchRect, u"", [this] { editor_.ToggleDelay(); });
  AddButton(delayCaption_, kDelayCaptionRect, Label("tc_macro_delay"), nullptr);
  loopCaption_.SetLeftAligned(true);
  delayCaption_.SetLeftAligned(true);
  AddButton(modify_, kModifyRect, Label("tc_macro_modify"),
            [this] { editor_.ModifyPause(eventList_.Selection(), delay_.Text()); });
  // The mouse buttons record presses and releases, reported as
  // WM_SKINBTN_PRESS, not clicks.
  for (std::size_t i = 0; i < mouse_.size(); ++i) {
    AddButton(mouse_[i], kMouseRects[i], u"", nullptr);
    mouse_[i].SetReportPresses(true);
  }
}

void CDlgMacro::CreateBoxes() {
  loopCount_.onChange = [this] {
    if (!settingCount_) editor_.LoopCountTyped(loopCount_.Text());
  };
  loopCount_.Create(Handle(), kLoopCountRect, kLoopCountId, ES_NUMBER, 0);
  loopCount_.SetLimit(2);
  delay_.Create(Handle(), kDelayRect, kDelayId, ES_NUMBER, 0);
  for (EditBox* box : {&loopCount_, &delay_})
    box->Send(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  settingCount_ = true;
  loopCount_.SetText(u"1");
  settingCount_ = false;
  loopCount_.Enable(false);
  delay_.SetText(macro::kDefaultPauseText);
}

void CDlgMacro::CreateLists() {
  const std::u16string skins = programFolder_ + u"skins\\";
  for (CListBoxEx* list : {&macroList_, &eventList_}) {
    list->SetRowHeight(kListRowHeight);
    list->SetColors(kBlack, kListText, kListSelectedText, kListSelectedBackground);
  }
  macroList_.SetEditable(true);
  macroList_.SetEditLimit(macro::kMacroNameEditLimit);
  macroList_.onSelectionChange = [this] { editor_.SelectMacro(macroList_.Selection()); };
  macroList_.onRowEdited = [this](int row) { editor_.RenameMacro(row, row >= 0 ? macroList_.RowText(row) : u""); };
  macroList_.Create(Handle(), kMacroListRect, kMacroListId, skins);
  eventList_.Create(Handle(), kEventListRect, kEventListId, skins);
}

void CDlgMacro::Close(INT_PTR result) {
  if (result != IDOK) editor_.Cancel();
  EndDialog(result);
}

LRESULT CDlgMacro::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kbgetkey::WM_HOOKKEY:
      editor_.OnHookKey(wParam, lParam, static_cast<uint32_t>(GetMessageTime()));
      return 0;
    case codes::WM_SKINBTN_PRESS:
      for (std::size_t i = 0; i < mouse_.size(); ++i) {
        if (reinterpret_cast<HWND>(lParam) == mouse_[i].Handle())
          editor_.OnMouseButton(kMouseCodes[i], wParam == WM_LBUTTONUP);
      }
      return 0;
    case WM_CTLCOLOREDIT:
      return OnBoxColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORLISTBOX:
      if (reinterpret_cast<HWND>(lParam) == macroList_.Handle()) return reinterpret_cast<LRESULT>(macroList_.BackgroundBrush());
      if (reinterpret_cast<HWND>(lParam) == eventList_.Handle()) return reinterpret_cast<LRESULT>(eventList_.BackgroundBrush());
      return Default();
    default:
      return SkinnedDialog::WindowProc(message, wParam, lParam);
  }
}

LRESULT CDlgMacro::OnBoxColor(HDC dc, HWND box) {
  if (box != loopCount_.Handle() && box != delay_.Handle()) return Default();
  SetTextColor(dc, kBoxText);
  SetBkColor(dc, kBlack);
  return reinterpret_cast<LRESULT>(boxBrush_.Get());
}

bool CDlgMacro::PreTranslateMessage(MSG& msg) {
  // While recording, the keyboard is the macro's: the hook has already
  // reported every key, and none may move the focus, reach a control (a
  // number box, the lists) or close the window (Alt+F4, Esc).
  if (editor_.Recording()) return IsKeyboardMessage(msg);
  // The in-place edit takes Enter and Esc itself before this is asked, and
  // Space is typed into it; everywhere else the three keys do nothing, so
  // that the dialog manager neither closes the window nor clicks a button.
  if (!IsKeyMessage(msg, {VK_RETURN, VK_ESCAPE, VK_SPACE})) return false;
  return !(macroList_.EditWindow() && msg.hwnd == macroList_.EditWindow());
}

LRESULT CDlgMacro::OnClose() {
  // The main window asks open editors to close when the program exits.
  Close(IDCANCEL);
  return 0;
}

LRESULT CDlgMacro::OnDestroy() {
  hook_.Unload();
  return SkinnedDialog::OnDestroy();
}

void CDlgMacro::PaintOver(HDC dc) {
  for (const Caption& caption : kCaptions)
    DrawTextRegular(dc, Label(caption.key), 8.0f, 0, kCaptionColor, caption.x, caption.y, caption.width,
                    caption.height);
}

// --- what the editor shows

void CDlgMacro::SetMacroRows(const std::vector<std::u16string>& names) {
  macroList_.Reset();
  for (const std::u16string& name : names) macroList_.AddRow(name, macro::RowKind::Text);
  macroList_.Select(-1);
}

void CDlgMacro::AddMacroRow(const std::u16string& name) { macroList_.AddRow(name, macro::RowKind::Text); }

void CDlgMacro::SetMacroRowText(std::size_t row, const std::u16string& name) {
  const int at = static_cast<int>(row);
  const bool selected = macroList_.Selection() == at;
  macroList_.DeleteRow(at);
  macroList_.InsertRow(at, name, macro::RowKind::Text);
  if (selected) macroList_.Select(at);
}

void CDlgMacro::RemoveMacroRow(std::size_t row) { macroList_.DeleteRow(static_cast<int>(row)); }

void CDlgMacro::SelectMacroRow(int32_t row) { macroList_.Select(row); }

void CDlgMacro::ClearEventRows() { eventList_.Reset(); }

void CDlgMacro::AddEventRow(const std::u16string& text, macro::RowKind kind) { eventList_.AddRow(text, kind); }

void CDlgMacro::SelectEventRow(int32_t row) { eventList_.Select(row); }

void CDlgMacro::ShowLoop(bool on, const std::u16string& countText, bool countEnabled) {
  loopSwitch_.SetChecked(on);
  settingCount_ = true;
  loopCount_.SetText(countText);
  settingCount_ = false;
  loopCount_.Enable(countEnabled);
}

void CDlgMacro::ShowDelaySwitch(bool on) { delaySwitch_.SetChecked(on); }

void CDlgMacro::ShowRecording(bool recording) {
  record_.SetChecked(recording);
  record_.SetText(Label(recording ? "tc_macro_end" : "tc_macro_start"));
  // No name is edited while the keyboard is the macro's.
  macroList_.SetEditable(!recording);
}

void CDlgMacro::PostHookKey(uint32_t virtualKey, uint32_t flags) { Post(kbgetkey::WM_HOOKKEY, virtualKey, flags); }

void CDlgMacro::ShowMessage(const std::u16string& text, const std::u16string& caption) {
  MessageBoxW(Handle(), platform::win32::Wide(text), platform::win32::Wide(caption), MB_OK);
}

}  // namespace ui

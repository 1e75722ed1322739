#include "ui/menus/BmpMenuEx.h"

#include "codes/PrivateMessages.h"
#include "ui/resources/ResourceIds.h"
#include "ui/window/ButtonClick.h"

namespace ui {

CBmpMenuEx::CBmpMenuEx(HWND owner, HWND parent) : Dialog(IDD_POPUP_MENU, parent), owner_(owner) {}

CBmpMenuEx::~CBmpMenuEx() { Destroy(); }

std::vector<tagBMPMENUINFOEX>& CBmpMenuEx::SharedEntries() {
  static std::vector<tagBMPMENUINFOEX> entries;
  return entries;
}

const std::vector<tagBMPMENUINFOEX>& CBmpMenuEx::Entries() { return SharedEntries(); }

void CBmpMenuEx::SetImages(const Picture& normal, const Picture& over, const Picture& down, const Picture& fourth,
                           int left, int top, int right, int bottom) {
  const Picture* sources[] = {&normal, &over, &down, &fourth};
  for (std::size_t i = 0; i < images_.size(); ++i)
    images_[i] = sources[i]->Crop(left, top, right - left, bottom - top);
}

void CBmpMenuEx::SetPosition(int x, int y) { position_ = {x, y}; }

void CBmpMenuEx::AddEntry(const std::u16string& label, int32_t id) {
  // The window has room for a fixed number of entry buttons.
  if (count_ >= kMaxEntries) return;
  SharedEntries().push_back({label, id});
  ++count_;
}

HWND CBmpMenuEx::EntryButton(std::size_t index) const {
  return index < buttons_.size() ? buttons_[index]->Handle() : nullptr;
}

void CBmpMenuEx::SetCurrent(int32_t key) {
  const auto& entries = SharedEntries();
  for (std::size_t i = 0; i < buttons_.size() && i < entries.size(); ++i)
    buttons_[i]->SetChecked(entries[i].id == key);
}

bool CBmpMenuEx::Open() { return CreateModeless(); }

bool CBmpMenuEx::OnInitDialog() {
  const auto& entries = SharedEntries();
  for (std::size_t i = 0; i < count_ && i < entries.size(); ++i) {
    auto button = std::make_unique<CBitmapBtn>();
    const int top = kEntryHeight * static_cast<int>(i);
    const RECT rect = {0, top, kEntryWidth, top + kEntryHeight};
    button->Create(Handle(), rect);
    // The fourth picture is the checked look of the current entry.
    button->SetImages(images_[0], images_[1], images_[2], images_[3], 0, top, kEntryWidth, kEntryHeight);
    button->SetText(entries[i].label);
    buttons_.push_back(std::move(button));
  }
  SetWindowPos(Handle(), nullptr, position_.x, position_.y, kEntryWidth, static_cast<int>(count_) * kEntryHeight,
               SWP_NOZORDER | SWP_SHOWWINDOW);
  return false;
}

bool CBmpMenuEx::OnCommand(WORD, WORD code, HWND control) {
  if (!IsButtonClick(code) || !control) return false;
  const auto& entries = SharedEntries();
  for (std::size_t i = 0; i < buttons_.size() && i < entries.size(); ++i) {
    if (buttons_[i]->Handle() == control) {
      PostMessageW(owner_, codes::WM_BMPMENU_PICK, i, entries[i].id);
      return true;
    }
  }
  return false;
}

LRESULT CBmpMenuEx::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  const RECT client = ClientRect();
  for (std::size_t i = 0; i < count_; ++i)
    images_[0].Draw(dc, 0, kEntryHeight * static_cast<int>(i), client.right, kEntryHeight);
  EndPaint(Handle(), &paint);
  return 0;
}

void CBmpMenuEx::Destroy() {
  buttons_.clear();
  if (count_ > 0) SharedEntries().clear();
  count_ = 0;
  for (Picture& image : images_) image = Picture();
  Dialog::Destroy();
}

}  // namespace ui

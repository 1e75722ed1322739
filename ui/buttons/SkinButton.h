#pragma once

// What the program's three skinned push buttons share. Each is a system push
// button with the owner-draw style that draws itself entirely from pieces of
// skin pictures: it follows the pointer (holding the mouse capture while the
// pointer is over it), chooses one of its images and a text colour from its
// state, and carries a caption and a tooltip.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "ui/window/Window.h"

namespace ui {

enum class ImageSlot : uint8_t { Normal, Over, Down, Fourth, Fifth };
enum class TextTone : uint8_t { Normal, Over, Pressed };

// Which image and which text colour a button draws.
struct ButtonLook {
  ImageSlot image;
  TextTone tone;
  bool operator==(const ButtonLook& other) const { return image == other.image && tone == other.tone; }
};

// Everything the look depends on.
struct ButtonState {
  bool checked = false;
  bool pressed = false;  // the system's pushed state (ODS_SELECTED)
  bool hover = false;
  bool disabled = false;  // ODS_DISABLED
  bool changed = false;
};

// The shared text colours of the skins.
constexpr COLORREF kSkinTextNormal = RGB(83, 97, 103);
constexpr COLORREF kSkinTextOver = RGB(255, 255, 255);
constexpr COLORREF kSkinTextPressed = RGB(235, 141, 36);

class SkinButton : public Window {
 public:
  ~SkinButton() override;

  // What a click (or a quick second click) on the button does; set where
  // the button is made.
  std::function<void()> onClick;

  // A visible owner-drawn push button with an empty caption and control id 0.
  bool Create(HWND parent, const RECT& rect);

  const std::u16string& Text() const { return caption_; }
  bool Checked() const { return checked_; }
  bool Hover() const { return hover_; }
  // Redraws when the flag changes.
  void SetChecked(bool checked);
  void SetTextColors(COLORREF normal, COLORREF over, COLORREF pressed);
  COLORREF ToneColor(TextTone tone) const { return colors_[static_cast<size_t>(tone)]; }

  // The tip shown while the pointer rests on the button; a null text changes
  // nothing.
  void SetTooltip(const char16_t* text);
  HWND Tooltip() const { return tooltip_; }

  // The class's rule from state to look.
  virtual ButtonLook SelectLook(const ButtonState& state) const = 0;

 protected:
  SkinButton(COLORREF normal, COLORREF over, COLORREF pressed, DWORD tooltipStyle);

  void SetCaption(const std::u16string& text);
  void RemoveFrameStyles();
  virtual bool ChangedFlag() const { return false; }
  // Draws `look` on the whole client area of `dc`.
  virtual void Paint(HDC dc, const RECT& client, const ButtonLook& look) = 0;
  // What follows the hover tracking of a mouse move that did not stop it.
  virtual void AfterHoverTracking(WPARAM keys, POINT at) = 0;
  // Hook for the tooltip once it is active (colours, delays).
  virtual void TooltipActivated() {}

  void PreSubclass() override;
  bool PreTranslateMessage(MSG& msg) override;
  bool OnNotification(WORD code) override;
  LRESULT OnMouseMove(WPARAM keys, POINT at) override;
  LRESULT OnCaptureChanged(HWND gaining) override;
  LRESULT OnKillFocus(HWND gaining) override;
  LRESULT OnDestroy() override;
  bool DrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  // The hover steps of a mouse move; false when the move is a drag that
  // started elsewhere and the button stays out of it.
  bool TrackHover(WPARAM keys);
  void EnsureTooltip();
  void DestroyTooltip();

  std::u16string caption_;
  bool checked_ = false;
  bool hover_ = false;
  std::array<COLORREF, 3> colors_;
  DWORD tooltipStyle_;
  HWND tooltip_ = nullptr;
};

}  // namespace ui

#include "ui/text/SkinText.h"

#include <memory>

#include "platform/UiToolkit.h"
#include "platform/win32/GdiPlus.h"
#include "platform/win32/WideString.h"

namespace ui {
namespace {

namespace flat = Gdiplus::DllExports;

constexpr wchar_t kShellFace[] = L"MS Shell Dlg";

// An object of the image library's flat interface, deleted by `Delete`.
template <class Object, Gdiplus::Status(WINGDIPAPI* Delete)(Object*)>
struct Deleter {
  void operator()(Object* object) const { Delete(object); }
};
template <class Object, Gdiplus::Status(WINGDIPAPI* Delete)(Object*)>
using Owned = std::unique_ptr<Object, Deleter<Object, Delete>>;
using FamilyPtr = Owned<Gdiplus::GpFontFamily, flat::GdipDeleteFontFamily>;
using FontPtr = Owned<Gdiplus::GpFont, flat::GdipDeleteFont>;

// A font of `family`, or null: a family can exist by name and still have no
// font the image library can make from it.
FontPtr FontOf(Gdiplus::GpFontFamily* family, float points, int style) {
  Gdiplus::GpFont* font = nullptr;
  if (!family || flat::GdipCreateFont(family, points, style, Gdiplus::UnitPoint, &font) != Gdiplus::Ok) return nullptr;
  return FontPtr(font);
}

// "MS Shell Dlg" is a name the font mapper resolves, not a font; the image
// library knows it on some systems only. Then the generic sans-serif family
// serves, and where that has no font either, the face the font mapper
// itself picks for "MS Shell Dlg".
FontPtr ShellFont(HDC dc, float points, int style) {
  Gdiplus::GpFontFamily* family = nullptr;
  if (flat::GdipCreateFontFamilyFromName(kShellFace, nullptr, &family) == Gdiplus::Ok) {
    if (auto font = FontOf(FamilyPtr(family).get(), points, style)) return font;
  }
  family = nullptr;
  if (flat::GdipGetGenericFontFamilySansSerif(&family) == Gdiplus::Ok) {
    if (auto font = FontOf(FamilyPtr(family).get(), points, style)) return font;
  }
  LOGFONTW mapped = {};
  mapped.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(mapped.lfFaceName, kShellFace, LF_FACESIZE);
  Gdiplus::GpFont* mapperChoice = nullptr;
  if (flat::GdipCreateFontFromLogfontW(dc, &mapped, &mapperChoice) != Gdiplus::Ok) return nullptr;
  FontPtr choice(mapperChoice);
  family = nullptr;
  if (flat::GdipGetFamily(choice.get(), &family) != Gdiplus::Ok) return nullptr;
  return FontOf(FamilyPtr(family).get(), points, style);
}

}  // namespace

Font CreateCaptionFont() {
  return Font(CreateFontW(14, 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, kShellFace));
}

bool DrawSkinText(HDC dc, const std::u16string& text, float points, TextWeight weight, int alignment,
                  uint32_t argb, float x, float y, float width, float height) {
  if (!dc) return false;
  platform::Service<platform::UiToolkit>::Get().UseImageLibrary();
  Gdiplus::GpGraphics* graphics = nullptr;
  if (flat::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return false;
  const Owned<Gdiplus::GpGraphics, flat::GdipDeleteGraphics> ownedGraphics(graphics);
  const FontPtr font = ShellFont(
      dc, points, weight == TextWeight::Bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular);
  Gdiplus::GpStringFormat* format = nullptr;
  if (!font || flat::GdipCreateStringFormat(0, LANG_NEUTRAL, &format) != Gdiplus::Ok) return false;
  const Owned<Gdiplus::GpStringFormat, flat::GdipDeleteStringFormat> ownedFormat(format);
  flat::GdipSetStringFormatAlign(format, alignment == 1   ? Gdiplus::StringAlignmentCenter
                                         : alignment == 2 ? Gdiplus::StringAlignmentFar
                                                          : Gdiplus::StringAlignmentNear);
  Gdiplus::GpSolidFill* brush = nullptr;
  if (flat::GdipCreateSolidFill(static_cast<Gdiplus::ARGB>(argb), &brush) != Gdiplus::Ok) return false;
  const Owned<Gdiplus::GpBrush, flat::GdipDeleteBrush> ownedBrush(brush);
  const Gdiplus::RectF layout(x, y, width, height);
  // Whatever does not fit is cut at the rectangle's edges, not only where
  // the library itself would stop.
  flat::GdipSetClipRect(graphics, x, y, width, height, Gdiplus::CombineModeIntersect);
  return flat::GdipDrawString(graphics, platform::win32::Wide(text), static_cast<INT>(text.size()), font.get(),
                              &layout, format, brush) == Gdiplus::Ok;
}

}  // namespace ui

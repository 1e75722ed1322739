// The social-site shortcuts of the program. Each export takes the window that
// was in front when the user pressed the button and returns nothing; names,
// signature and calling convention are those of codes/SocialSiteLibrary.h.
// The zoom pair works on that window itself; the others open a page of the
// site in the default browser.

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>

#include "codes/SocialSiteLibrary.h"
#include "platform/win32/WideString.h"

namespace {

using platform::win32::FromHandle;

void OpenSitePage(uintptr_t window, const wchar_t* page) {
  const HWND owner = FromHandle<HWND>(window);
  const std::wstring address =
      std::wstring(reinterpret_cast<const wchar_t*>(quickaccess::kSiteAddress)) + page;
  // An owner that is not a window any more would make the shell refuse.
  ShellExecuteW(IsWindow(owner) ? owner : nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// Only ordinary top-level windows are zoomed; the desktop and child windows
// are left alone.
void Zoom(uintptr_t window, int showCommand) {
  const HWND target = FromHandle<HWND>(window);
  if (target != nullptr && IsWindow(target) && target != GetDesktopWindow() && GetParent(target) == nullptr)
    ShowWindow(target, showCommand);
}

}  // namespace

// Declares an export from the contract: its name must be one the program
// looks up, and its type the one the program calls it by.
#define QUICKACCESS_EXPORT(name)                                                                \
  static_assert(std::string_view(#name) == quickaccess::k##name, "an export of the contract"); \
  extern "C" __declspec(dllexport) quickaccess::ExportFunction name;                           \
  void VN24G_LIBRARY_CALL name(uintptr_t window)

// Zooming in fills the screen with the window; zooming out gives it back its
// normal size.
QUICKACCESS_EXPORT(OpenZoomInWindow) { Zoom(window, SW_MAXIMIZE); }

QUICKACCESS_EXPORT(OpenZoomOutWindow) { Zoom(window, SW_RESTORE); }

QUICKACCESS_EXPORT(OpenSearchFriend) { OpenSitePage(window, L"search/people/"); }

QUICKACCESS_EXPORT(OpenAllFriend) { OpenSitePage(window, L"friends/list/"); }

QUICKACCESS_EXPORT(OpenAllMessage) { OpenSitePage(window, L"messages/"); }

QUICKACCESS_EXPORT(OpenAllNotify) { OpenSitePage(window, L"notifications/"); }

QUICKACCESS_EXPORT(OpenFriendAlign) { OpenSitePage(window, L"friends/suggestions/"); }

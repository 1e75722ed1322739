// The social-site shortcuts of the program. Each export takes the window that
// was in front when the user pressed the button (C calling convention) and
// returns nothing. The zoom pair works on that window itself; the others
// open a page of the site in the default browser.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

const wchar_t kSiteBaseAddress[] = L"https://www.facebook.com/";

void OpenSitePage(HWND owner, const wchar_t* page) {
  const std::wstring address = std::wstring(kSiteBaseAddress) + page;
  // An owner that is not a window any more would make the shell refuse.
  ShellExecuteW(IsWindow(owner) ? owner : nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// Only ordinary top-level windows are zoomed; the desktop and child windows
// are left alone.
bool IsZoomable(HWND window) {
  return window != nullptr && IsWindow(window) && window != GetDesktopWindow() && GetParent(window) == nullptr;
}

}  // namespace

#define QUICKACCESS_EXPORT extern "C" __declspec(dllexport) void __cdecl

// Zooming in fills the screen with the window; zooming out gives it back its
// normal size.
QUICKACCESS_EXPORT OpenZoomInWindow(HWND window) {
  if (IsZoomable(window)) ShowWindow(window, SW_MAXIMIZE);
}

QUICKACCESS_EXPORT OpenZoomOutWindow(HWND window) {
  if (IsZoomable(window)) ShowWindow(window, SW_RESTORE);
}

QUICKACCESS_EXPORT OpenSearchFriend(HWND window) { OpenSitePage(window, L"search/people/"); }

QUICKACCESS_EXPORT OpenAllFriend(HWND window) { OpenSitePage(window, L"friends/list/"); }

QUICKACCESS_EXPORT OpenAllMessage(HWND window) { OpenSitePage(window, L"messages/"); }

QUICKACCESS_EXPORT OpenAllNotify(HWND window) { OpenSitePage(window, L"notifications/"); }

QUICKACCESS_EXPORT OpenFriendAlign(HWND window) { OpenSitePage(window, L"friends/suggestions/"); }

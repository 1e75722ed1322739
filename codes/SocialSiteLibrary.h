#pragma once

// Contract of QuickAccess.dll, the optional social-site library beside the
// program: its file name, its exports and how they are called. The program
// looks the exports up by these names and calls them with this signature;
// the library declares its exports from here. Both sides include it, so it
// uses no system header.

#include <cstdint>

#include "codes/LibraryCall.h"

namespace quickaccess {

inline constexpr char16_t kLibraryFile[] = u"QuickAccess.dll";

// The site whose pages the program and the library open.
inline constexpr char16_t kSiteAddress[] = u"https://www.facebook.com/";

// Every export takes the window that was in front when the button was
// pressed and returns nothing.
using ExportFunction = void VN24G_LIBRARY_CALL(uintptr_t window);
using Export = ExportFunction*;

// Zooming works on the window itself: out gives it back its normal size, in
// fills the screen with it.
inline constexpr char kOpenZoomOutWindow[] = "OpenZoomOutWindow";
inline constexpr char kOpenZoomInWindow[] = "OpenZoomInWindow";
// The others open a page of the site in the default browser.
inline constexpr char kOpenSearchFriend[] = "OpenSearchFriend";
inline constexpr char kOpenAllFriend[] = "OpenAllFriend";
inline constexpr char kOpenAllMessage[] = "OpenAllMessage";
inline constexpr char kOpenAllNotify[] = "OpenAllNotify";
inline constexpr char kOpenFriendAlign[] = "OpenFriendAlign";

inline constexpr const char* kExports[] = {
    kOpenZoomOutWindow, kOpenZoomInWindow, kOpenSearchFriend, kOpenAllFriend,
    kOpenAllMessage,    kOpenAllNotify,    kOpenFriendAlign,
};

}  // namespace quickaccess

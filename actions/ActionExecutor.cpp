#include "actions/ActionExecutor.h"

#include "actions/CombinationKeys.h"
#include "actions/InputPrimitives.h"
#include "actions/KeyStroke.h"
#include "actions/MacroPlayback.h"
#include "actions/RegisteredProgram.h"
#include "actions/ScrollTargetFinder.h"
#include "codes/SocialSiteLibrary.h"
#include "config/FunctionCodes.h"
#include "platform/Shell.h"
#include "platform/SyntheticInput.h"
#include "platform/WindowInspection.h"

namespace actions {

using namespace config;
using platform::Service;

namespace {

constexpr int kSideScrollSteps = 3;

// The social site's pages hang off this address.
const std::u16string kSiteBaseAddress = quickaccess::kSiteAddress;

void Open(const std::u16string& target) { Service<platform::Shell>::Get().Open(target); }

// Maximises or minimises the window in front, when it has the box for it and
// is not the desktop.
void CommandForegroundWindow(uint32_t requiredStyle, uintptr_t command) {
  platform::WindowInspection& windows = Service<platform::WindowInspection>::Get();
  const platform::WindowHandle front = windows.ForegroundWindow();
  if ((windows.Style(front) & requiredStyle) == 0 || front == windows.DesktopWindow()) return;
  windows.Send(front, platform::kMsgSysCommand, command, 0);
}

void TapControlWith(CFunction& function, uint8_t key) { function.TapChord(vk::kControl, key); }

}  // namespace

void ExecuteAssignment(const ButtonAssignment& record, CFaceBookFunction& socialSite) {
  CFunction function;
  switch (record.functionCode) {
    case FN_LEFT_CLICK: function.LeftClick(); break;
    case FN_RIGHT_CLICK: function.RightClick(); break;
    case FN_MIDDLE_CLICK: function.MiddleClick(); break;
    case FN_XBUTTON2_CLICK: function.XButton2Click(); break;
    case FN_XBUTTON1_CLICK: function.XButton1Click(); break;
    case FN_MAXIMIZE_ALT:
    case FN_MAXIMIZE:
      CommandForegroundWindow(platform::kStyleMaximizeBox, platform::kSysCommandMaximize);
      break;
    case FN_MINIMIZE_ALT:
    case FN_MINIMIZE:
      CommandForegroundWindow(platform::kStyleMinimizeBox, platform::kSysCommandMinimize);
      break;
    case FN_FLIP_3D:
      if (OsVersionClass() >= kOsVista)
        function.Flip3D();
      else
        function.SwitchWindow();
      break;
    case FN_SCROLL_UP: function.WheelNotch(platform::kWheelNotch); break;
    case FN_SCROLL_DOWN: function.WheelNotch(-platform::kWheelNotch); break;
    case FN_SCROLL_LEFT: HorizontalScroll(kSideScrollSteps); break;
    case FN_SCROLL_RIGHT: HorizontalScroll(-kSideScrollSteps); break;
    case FN_DOUBLE_CLICK: function.DoubleClick(); break;
    case FN_COMBINATION: PlayCombination(&record.comboModifiers); break;
    case FN_MACRO: PlayMacro(record.macroIndex); break;
    case FN_LAUNCH_PROGRAM: {
      // An empty path names no program; handing it to the shell would open
      // whatever the shell makes of nothing.
      const std::u16string path = ProgramPath(record);
      if (!path.empty()) Open(path);
      break;
    }
    case FN_PLAY_PAUSE:
    case FN_PLAY_PAUSE_ALT: function.TapExtendedKey(vk::kMediaPlayPause); break;
    case FN_STOP: function.TapExtendedKey(vk::kMediaStop); break;
    case FN_PREV_TRACK: function.TapExtendedKey(vk::kMediaPrevTrack); break;
    case FN_NEXT_TRACK: function.TapExtendedKey(vk::kMediaNextTrack); break;
    case FN_VOLUME_UP: function.TapExtendedKey(vk::kVolumeUp); break;
    case FN_VOLUME_DOWN: function.TapExtendedKey(vk::kVolumeDown); break;
    case FN_MUTE: function.TapExtendedKey(vk::kVolumeMute); break;
    case FN_WORD:
    case FN_KB_WORD: OpenRegisteredProgram(u"Winword"); break;
    case FN_EXCEL:
    case FN_KB_EXCEL: OpenRegisteredProgram(u"excel"); break;
    case FN_POWERPOINT:
    case FN_KB_POWERPOINT: OpenRegisteredProgram(u"POWERPNT"); break;
    case FN_CUT: TapControlWith(function, 'X'); break;
    case FN_COPY: TapControlWith(function, 'C'); break;
    case FN_PASTE: TapControlWith(function, 'V'); break;
    case FN_SELECT_ALL: TapControlWith(function, 'A'); break;
    case FN_FIND: TapControlWith(function, 'F'); break;
    case FN_NEW: TapControlWith(function, 'N'); break;
    case FN_PRINT: TapControlWith(function, 'P'); break;
    case FN_SAVE: TapControlWith(function, 'S'); break;
    case FN_DELETE: function.TapExtendedKey(vk::kDelete); break;
    case FN_SWITCH_WINDOW: function.SwitchWindow(); break;
    case FN_CLOSE_WINDOW: function.TapChord(vk::kLeftMenu, vk::kF4); break;
    case FN_LOCK: function.LockStation(); break;
    case FN_EXPLORER: function.TapChord(vk::kLeftWin, 'E'); break;
    case FN_RUN: function.TapChord(vk::kLeftWin, 'R'); break;
    case FN_SHOW_DESKTOP: function.TapChord(vk::kLeftWin, 'D'); break;
    case FN_ZOOM_IN: function.ZoomIn(); break;
    case FN_ZOOM_OUT: function.ZoomOut(); break;
    case FN_FB_HOME: Open(kSiteBaseAddress); break;
    case FN_FB_ZOOM_OUT_WINDOW: socialSite.CallQuickAccess(quickaccess::kOpenZoomOutWindow); break;
    case FN_FB_ZOOM_IN_WINDOW: socialSite.CallQuickAccess(quickaccess::kOpenZoomInWindow); break;
    case FN_FB_SEARCH_FRIEND: socialSite.CallQuickAccess(quickaccess::kOpenSearchFriend); break;
    case FN_FB_ALL_FRIENDS: socialSite.CallQuickAccess(quickaccess::kOpenAllFriend); break;
    case FN_FB_SEND_MESSAGE:
    case FN_FB_MESSAGES: Open(kSiteBaseAddress + u"?sk=messages"); break;
    case FN_FB_ALL_MESSAGES: socialSite.CallQuickAccess(quickaccess::kOpenAllMessage); break;
    case FN_FB_ALL_NOTIFICATIONS: socialSite.CallQuickAccess(quickaccess::kOpenAllNotify); break;
    case FN_FB_FRIEND_ALIGN: socialSite.CallQuickAccess(quickaccess::kOpenFriendAlign); break;
    case FN_FB_NOTES: Open(kSiteBaseAddress + u"notes/"); break;
    case FN_FB_EVENTS: Open(kSiteBaseAddress + u"?sk=events&ap=1"); break;
    case FN_FB_MEDIA: Open(kSiteBaseAddress + u"?sk=messages#!/?sk=media"); break;
    case FN_FB_ALBUM: Open(kSiteBaseAddress + u"?sk=media"); break;
    default:
      // The keyboard keys' own functions, the menu groups, "switched off"
      // and every code that is no function.
      break;
  }
}

}  // namespace actions

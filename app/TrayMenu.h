#pragma once

// What the tray icon's menu holds: fixed entries with their commands, texts
// and pictures, and the device sub-menu. The window layer draws it.

#include <cstdint>
#include <string>
#include <vector>

#include "app/DeviceList.h"
#include "codes/MainWindowCommands.h"

namespace app {

// Commands of the tray menu (WM_COMMAND ids).
enum TrayCommand : uint32_t {
  kTrayShow = 1,
  kTrayExit = codes::kExitCommand,
  kTrayAbout = 3,
  kTrayHelp = 5,
  kTrayWebSite = 6,
  kTrayBanner = 7,
};

// A model entry's command: its model value with the top three bits set, so
// that no model value can be mistaken for a fixed command.
constexpr uint32_t kModelCommandFlags = 0xE0000000u;
constexpr uint32_t kModelCommandMask = 0x1FFFFFFFu;
inline bool IsModelCommand(uintptr_t command) { return (command & kModelCommandFlags) != 0; }

// Pictures (bitmap resources) of the entries.
constexpr uint16_t kTrayBannerPicture = 156;
constexpr uint16_t kTrayShowPicture = 153;
constexpr uint16_t kTrayDevicesPicture = 154;
constexpr uint16_t kTrayHelpPicture = 157;
constexpr uint16_t kTrayWebSitePicture = 159;
constexpr uint16_t kTrayAboutPicture = 152;
constexpr uint16_t kTrayExitPicture = 155;
constexpr uint16_t kTrayCurrentModelPicture = 158;

// The menu keeps one description per entry in a table of 30; with the seven
// fixed entries that leaves room for 23 models.
constexpr std::size_t kTrayMenuCapacity = 30;
constexpr std::size_t kTrayModelEntries = 23;

struct TrayMenuEntry {
  uint32_t command = 0;         // 0 for the sub-menu's own entry
  std::u16string text;
  uint16_t picture = 0;
  bool checked = false;         // the current model
  std::vector<TrayMenuEntry> subMenu;
};

std::vector<TrayMenuEntry> BuildTrayMenu(const DeviceList& devices, bool singleDevice, int32_t currentModel);

}  // namespace app

#include "app/TrayMenu.h"

#include "text/LabelTable.h"

namespace app {

std::vector<TrayMenuEntry> BuildTrayMenu(const DeviceList& devices, bool singleDevice, int32_t currentModel) {
  std::vector<TrayMenuEntry> menu;
  menu.push_back({kTrayBanner, u"", kTrayBannerPicture, false, {}});
  menu.push_back({kTrayShow, Label("tc_config"), kTrayShowPicture, false, {}});
  if (!singleDevice) {
    TrayMenuEntry models{0, Label("tc_device_sel"), kTrayDevicesPicture, false, {}};
    for (const DeviceListEntry& entry : devices) {
      if (entry.modelValue == 0) continue;
      if (models.subMenu.size() == kTrayModelEntries) break;
      const bool current = entry.modelValue == currentModel;
      models.subMenu.push_back({static_cast<uint32_t>(entry.modelValue) | kModelCommandFlags, EntryName(entry),
                                current ? kTrayCurrentModelPicture : uint16_t{0}, current, {}});
    }
    menu.push_back(std::move(models));
  }
  menu.push_back({kTrayHelp, Label("tc_help"), kTrayHelpPicture, false, {}});
  menu.push_back({kTrayWebSite, Label("tc_website"), kTrayWebSitePicture, false, {}});
  menu.push_back({kTrayAbout, Label("tc_about") + u"...", kTrayAboutPicture, false, {}});
  menu.push_back({kTrayExit, Label("tc_exit"), kTrayExitPicture, false, {}});
  return menu;
}

}  // namespace app

#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/HidEnumeration.h"

namespace fakes {

// HID interfaces as the system lists them: each with a device path and the
// usage of its top-level collection. Tracks which devices are open, and can
// make an interface fail or vanish at a chosen step of the enumeration.
class FakeHidBus final : public platform::HidEnumeration {
 public:
  enum class Failure {
    kNone,
    kNoMemory,      // its detail buffer cannot be allocated
    kDetailFailed,  // its detail cannot be read
    kOpenFails,     // listed, but gone by the time it is opened
    kNoUsage,       // opens, but its report description cannot be read
  };
  struct Interface {
    std::u16string path;
    uint16_t usagePage;
    uint16_t usage;
    Failure failure = Failure::kNone;
    uint16_t product = 0;  // the receiver it belongs to, 0 for none
  };

  std::vector<Interface> interfaces;
  bool listUnavailable = false;
  // Called after the path at `index` was handed out: lets a test change the
  // bus in the middle of an enumeration.
  std::function<void(uint32_t index)> afterPath;

  // Adds a receiver's keyboard, mouse and vendor interfaces. `vendorUsage`
  // is the vendor collection's usage page and usage.
  void AddReceiver(uint16_t product, uint16_t vendorPage, uint16_t vendorUsage, bool lowerCase = false);
  // Makes every interface of `product` fail to open from now on.
  void Unplug(uint16_t product);

  // Paths of the devices open now, and every path ever opened, in order.
  std::vector<std::u16string> OpenPaths() const;
  const std::vector<std::u16string>& OpenedPaths() const { return openedPaths_; }
  std::u16string PathOf(platform::Handle device) const;
  int openLists = 0;

  platform::Handle OpenInterfaceList() override;
  platform::HidInterfaceResult GetInterfacePath(platform::Handle list, uint32_t index, std::u16string& path) override;
  void CloseInterfaceList(platform::Handle list) override;
  platform::Handle OpenDevice(const std::u16string& path) override;
  bool GetUsage(platform::Handle device, uint16_t& usagePage, uint16_t& usage) override;
  void CloseDevice(platform::Handle device) override;
  platform::Handle RegisterArrivalNotification(platform::WindowHandle window) override;
  void UnregisterArrivalNotification(platform::Handle registration) override;
  bool ReadArrival(uintptr_t wParam, intptr_t lParam, std::u16string& interfaceName) override;

 private:
  // The snapshot of a list: paths as they were when it was opened.
  std::map<platform::Handle, std::vector<Interface>> lists_;
  std::map<platform::Handle, std::size_t> open_;  // handle -> index in interfaces
  std::vector<std::u16string> openedPaths_;
  platform::Handle next_ = 0x100;
};

// "\\?\HID#VID_3C7A&PID_2000&MI_02#..." style path of one interface.
std::u16string HidPath(uint16_t product, int interfaceNumber, bool lowerCase = false);

}  // namespace fakes

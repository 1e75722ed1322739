#pragma once

// The HID interfaces present in the system, opened by device path, with the
// top-level usage of each; and the system's notice that a device interface
// has arrived.

#include <cstdint>
#include <string>

#include "platform/Handle.h"
#include "platform/Service.h"

namespace platform {

enum class HidInterfaceResult {
  kPath,          // `path` holds the interface's device path
  kEnd,           // no interface at this index: the list is done
  kNoMemory,      // the detail buffer could not be allocated; try the next index
  kDetailFailed,  // the interface's detail could not be read; try the next index
};

class HidEnumeration {
 public:
  virtual ~HidEnumeration() = default;

  // A snapshot of the HID interfaces present now; 0 when the system cannot
  // give one.
  virtual Handle OpenInterfaceList() = 0;

  virtual HidInterfaceResult GetInterfacePath(Handle list, uint32_t index, std::u16string& path) = 0;

  virtual void CloseInterfaceList(Handle list) = 0;

  // Opens a device path for reading and writing, shared both ways; 0 when
  // the open fails.
  virtual Handle OpenDevice(const std::u16string& path) = 0;

  // The usage page and usage of the device's top-level collection; false when
  // the device's report description cannot be had.
  virtual bool GetUsage(Handle device, uint16_t& usagePage, uint16_t& usage) = 0;

  virtual void CloseDevice(Handle device) = 0;

  // Asks for the arrival notice (WM_DEVICECHANGE with DBT_DEVICEARRIVAL) of
  // USB device interfaces to be sent to `window`. 0 when that was refused.
  virtual Handle RegisterArrivalNotification(WindowHandle window) = 0;

  virtual void UnregisterArrivalNotification(Handle registration) = 0;

  // Reads a WM_DEVICECHANGE message: true for the arrival of a device
  // interface, with the interface's name.
  virtual bool ReadArrival(uintptr_t wParam, intptr_t lParam, std::u16string& interfaceName) = 0;
};

template <>
HidEnumeration& Service<HidEnumeration>::Default();

}  // namespace platform

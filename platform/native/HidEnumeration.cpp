// No HID stack is reachable from the native build: the list of interfaces is
// always empty, nothing opens, and no arrival is ever announced.

#include "platform/HidEnumeration.h"

namespace platform {
namespace {

class EmptyHidEnumeration : public HidEnumeration {
 public:
  // A list that exists and is empty, as the system gives when no HID
  // device is present.
  Handle OpenInterfaceList() override { return 1; }
  HidInterfaceResult GetInterfacePath(Handle, uint32_t, std::u16string& path) override {
    path.clear();
    return HidInterfaceResult::kEnd;
  }
  void CloseInterfaceList(Handle) override {}
  Handle OpenDevice(const std::u16string&) override { return 0; }
  bool GetUsage(Handle, uint16_t&, uint16_t&) override { return false; }
  void CloseDevice(Handle) override {}
  Handle RegisterArrivalNotification(WindowHandle) override { return 0; }
  void UnregisterArrivalNotification(Handle) override {}
  bool ReadArrival(uintptr_t, intptr_t, std::u16string& interfaceName) override {
    interfaceName.clear();
    return false;
  }
};

}  // namespace

template <>
HidEnumeration& Service<HidEnumeration>::Default() {
  static EmptyHidEnumeration enumeration;
  return enumeration;
}

}  // namespace platform

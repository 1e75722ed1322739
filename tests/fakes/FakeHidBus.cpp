#include "fakes/FakeHidBus.h"

#include <cstdio>

namespace fakes {

using platform::Handle;
using platform::HidInterfaceResult;

std::u16string HidPath(uint16_t product, int interfaceNumber, bool lowerCase) {
  char text[160];
  std::snprintf(text, sizeof text,
                lowerCase ? "\\\\?\\hid#vid_3c7a&pid_%04x&mi_%02d#7&2f1b0c&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}"
                          : "\\\\?\\HID#VID_3C7A&PID_%04X&MI_%02d#7&2F1B0C&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}",
                product, interfaceNumber);
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

void FakeHidBus::AddReceiver(uint16_t product, uint16_t vendorPage, uint16_t vendorUsage, bool lowerCase) {
  interfaces.push_back({HidPath(product, 0, lowerCase), 0x0001, 0x0006, Failure::kNone, product});  // keyboard
  interfaces.push_back({HidPath(product, 1, lowerCase), 0x0001, 0x0002, Failure::kNone, product});  // mouse
  interfaces.push_back({HidPath(product, 2, lowerCase), vendorPage, vendorUsage, Failure::kNone, product});
}

void FakeHidBus::Unplug(uint16_t product) {
  for (Interface& item : interfaces) {
    if (item.product == product) item.failure = Failure::kOpenFails;
  }
}

std::vector<std::u16string> FakeHidBus::OpenPaths() const {
  std::vector<std::u16string> paths;
  for (const auto& entry : open_) paths.push_back(interfaces[entry.second].path);
  return paths;
}

std::u16string FakeHidBus::PathOf(Handle device) const {
  const auto found = open_.find(device);
  return found == open_.end() ? std::u16string() : interfaces[found->second].path;
}

Handle FakeHidBus::OpenInterfaceList() {
  if (listUnavailable) return 0;
  const Handle list = next_++;
  lists_[list] = interfaces;
  ++openLists;
  return list;
}

HidInterfaceResult FakeHidBus::GetInterfacePath(Handle list, uint32_t index, std::u16string& path) {
  path.clear();
  const auto found = lists_.find(list);
  if (found == lists_.end() || index >= found->second.size()) return HidInterfaceResult::kEnd;
  const Interface& item = found->second[index];
  if (item.failure == Failure::kNoMemory) return HidInterfaceResult::kNoMemory;
  if (item.failure == Failure::kDetailFailed) return HidInterfaceResult::kDetailFailed;
  path = item.path;
  if (afterPath) afterPath(index);
  return HidInterfaceResult::kPath;
}

void FakeHidBus::CloseInterfaceList(Handle list) {
  if (lists_.erase(list) != 0) --openLists;
}

Handle FakeHidBus::OpenDevice(const std::u16string& path) {
  openedPaths_.push_back(path);
  for (std::size_t i = 0; i < interfaces.size(); ++i) {
    if (interfaces[i].path != path) continue;
    if (interfaces[i].failure == Failure::kOpenFails) return 0;
    const Handle device = next_++;
    open_[device] = i;
    return device;
  }
  return 0;
}

bool FakeHidBus::GetUsage(Handle device, uint16_t& usagePage, uint16_t& usage) {
  const auto found = open_.find(device);
  if (found == open_.end()) return false;
  const Interface& item = interfaces[found->second];
  if (item.failure == Failure::kNoUsage) return false;
  usagePage = item.usagePage;
  usage = item.usage;
  return true;
}

void FakeHidBus::CloseDevice(Handle device) { open_.erase(device); }

Handle FakeHidBus::RegisterArrivalNotification(platform::WindowHandle window) { return window != 0 ? next_++ : 0; }

void FakeHidBus::UnregisterArrivalNotification(Handle) {}

bool FakeHidBus::ReadArrival(uintptr_t, intptr_t, std::u16string& interfaceName) {
  interfaceName.clear();
  return false;
}

}  // namespace fakes

// HID enumeration of the simulated hardware: the receivers, their
// interfaces and their arrival notices come from the device simulator.

#include "platform/HidEnumeration.h"

#include <cstring>
#include <mutex>

#include "platform/simulated/SimulatorClient.h"
#include "platform/win32/DeviceBroadcast.h"

namespace platform {
namespace {

using simulator::Connection;
using simulator::Op;

class SimulatedHidEnumeration final : public HidEnumeration {
 public:
  Handle OpenInterfaceList() override {
    std::vector<uint8_t> answer;
    uint32_t value = 0;
    if (!Call(Op::kHidList, 0, nullptr, 0, answer, value)) return 0;
    auto* list = new std::vector<simulator::ListedPath>();
    if (!simulator::ParsePathList(answer, *list)) {
      delete list;
      return 0;
    }
    return reinterpret_cast<Handle>(list);
  }

  HidInterfaceResult GetInterfacePath(Handle listValue, uint32_t index, std::u16string& path) override {
    path.clear();
    const auto* list = reinterpret_cast<const std::vector<simulator::ListedPath>*>(listValue);
    if (list == nullptr || index >= list->size()) return HidInterfaceResult::kEnd;
    if ((*list)[index].unreadable) return HidInterfaceResult::kDetailFailed;
    path = (*list)[index].path;
    return HidInterfaceResult::kPath;
  }

  void CloseInterfaceList(Handle list) override {
    delete reinterpret_cast<std::vector<simulator::ListedPath>*>(list);
  }

  Handle OpenDevice(const std::u16string& path) override {
    std::vector<uint8_t> answer;
    uint32_t device = 0;
    if (!Call(Op::kHidOpen, 0, path.data(), static_cast<uint32_t>(path.size() * sizeof(char16_t)), answer, device)) {
      return 0;
    }
    return device;
  }

  bool GetUsage(Handle device, uint16_t& usagePage, uint16_t& usage) override {
    std::vector<uint8_t> answer;
    uint32_t value = 0;
    simulator::HidUsage found = {};
    if (!Call(Op::kHidUsage, static_cast<uint32_t>(device), nullptr, 0, answer, value) ||
        answer.size() != sizeof found) {
      return false;
    }
    std::memcpy(&found, answer.data(), sizeof found);
    usagePage = found.usagePage;
    usage = found.usage;
    return true;
  }

  void CloseDevice(Handle device) override {
    std::vector<uint8_t> answer;
    uint32_t value = 0;
    Call(Op::kHidClose, static_cast<uint32_t>(device), nullptr, 0, answer, value);
  }

  Handle RegisterArrivalNotification(WindowHandle window) override {
    std::vector<uint8_t> answer;
    uint32_t registration = 0;
    if (!Call(Op::kNotifyRegister, static_cast<uint32_t>(window), nullptr, 0, answer, registration)) return 0;
    return registration;
  }

  void UnregisterArrivalNotification(Handle registration) override {
    std::vector<uint8_t> answer;
    uint32_t value = 0;
    Call(Op::kNotifyUnregister, static_cast<uint32_t>(registration), nullptr, 0, answer, value);
  }

  bool ReadArrival(uintptr_t wParam, intptr_t lParam, std::u16string& interfaceName) override {
    return win32::ReadDeviceInterfaceArrival(wParam, lParam, interfaceName);
  }

 private:
  // One connection carries every HID request of the process; it is made on
  // first use and made again when the simulator was restarted meanwhile.
  bool Call(Op op, uint32_t value, const void* payload, uint32_t payloadSize, std::vector<uint8_t>& answer,
            uint32_t& replyValue) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (int attempt = 0; attempt < 2; ++attempt) {
      if (!connection_) connection_ = Connection::Open(Connection::Start::kIfMissing);
      if (!connection_) return false;
      simulator::Reply reply = {};
      if (connection_->Call(simulator::Request{op, 0, value, 0}, payload, payloadSize, reply, answer)) {
        replyValue = reply.value;
        return reply.ok != 0;
      }
      connection_.reset();
    }
    return false;
  }

  std::mutex mutex_;
  std::unique_ptr<Connection> connection_;
};

}  // namespace

template <>
HidEnumeration& Service<HidEnumeration>::Default() {
  static SimulatedHidEnumeration enumeration;
  return enumeration;
}

}  // namespace platform

// The control device of the simulated hardware: every open handle is one
// connection to the device simulator, which plays the filter driver.

#include "platform/ControlDevice.h"

#include <cstring>

#include "platform/simulated/SimulatorClient.h"

namespace platform {
namespace {

using simulator::Connection;

class SimulatedControlDevice final : public ControlDevice {
 public:
  Handle Open(const std::u16string& path) override {
    std::unique_ptr<Connection> connection = Connection::Open(Connection::Start::kIfMissing);
    if (!connection) return 0;
    simulator::Reply reply = {};
    std::vector<uint8_t> answer;
    // The simulator decides whether the name is its device, as the system
    // would by the name alone.
    if (!connection->Call(simulator::Request{simulator::Op::kDriverOpen, 0, 0, 0}, path.data(),
                          static_cast<uint32_t>(path.size() * sizeof(char16_t)), reply, answer) ||
        !reply.ok) {
      return 0;
    }
    return reinterpret_cast<Handle>(connection.release());
  }

  bool Control(Handle device, uint32_t code, const void* input, uint32_t inputSize, void* output,
               uint32_t outputSize) override {
    auto* connection = reinterpret_cast<Connection*>(device);
    if (connection == nullptr) return false;
    simulator::Reply reply = {};
    std::vector<uint8_t> answer;
    if (!connection->Call(simulator::Request{simulator::Op::kDriverControl, code, outputSize, 0}, input, inputSize,
                          reply, answer) ||
        !reply.ok || answer.size() > outputSize) {
      return false;
    }
    if (!answer.empty()) std::memcpy(output, answer.data(), answer.size());
    return true;
  }

  void Close(Handle device) override {
    auto* connection = reinterpret_cast<Connection*>(device);
    if (connection == nullptr) return;
    // Closing is over when the simulator has seen it, as a closed handle is
    // closed when CloseHandle returns; a dropped connection alone would be
    // noticed some time later.
    connection->Command(simulator::Op::kDriverClose);
    delete connection;
  }
};

}  // namespace

template <>
ControlDevice& Service<ControlDevice>::Default() {
  static SimulatedControlDevice device;
  return device;
}

}  // namespace platform

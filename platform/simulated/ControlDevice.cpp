// The control device of the simulated hardware: every open handle is one
// connection to the device simulator, which plays the filter driver. The
// event thread's fetches take the pending codes from the memory the
// simulator shares while it allows that, and go through the connection
// otherwise.

#include "platform/ControlDevice.h"

#include <cstring>

#include "platform/simulated/SimulatorClient.h"
#include "platform/simulated/SimulatorEventRing.h"

namespace platform {
namespace {

using simulator::Connection;

// A fetch the shared ring can answer: the get-event code with the plain
// input the event thread gives (a zero code) and room for the answer,
// from the connection the simulator allows. False when the pipe must take
// it: not allowed now, or no code pending (the simulator then logs and
// refuses the fetch as it always did).
bool FetchFromRing(const Connection& connection, uint32_t code, const void* input, uint32_t inputSize,
                   void* output, uint32_t outputSize) {
  static simulator::EventRing* const ring = simulator::MapEventRing(false);
  if (ring == nullptr || inputSize < sizeof(uint32_t) || outputSize < sizeof(uint32_t)) return false;
  uint32_t given = 0;
  std::memcpy(&given, input, sizeof given);
  if (given != 0) return false;
  uint32_t event = 0;
  {
    simulator::EventRingLock lock(*ring);
    if (ring->fastSession != connection.SessionId() || ring->fetchCode != code) return false;
    if (!simulator::PopFrontEvent(*ring, event)) return false;
    ++ring->unlogged;
  }
  std::memcpy(output, &event, sizeof event);
  return true;
}

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
    if (FetchFromRing(*connection, code, input, inputSize, output, outputSize)) return true;
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
